#pragma once
// Number reading and writing as Kartello does it everywhere: "." is always the
// decimal separator and there is never digit grouping, whatever the user's locale.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace kartello {

// Reads the leading numeric part of a text ("12.5abc" -> 12.5); a text without
// one (empty, "abc", "-") gives 0. Leading blanks are skipped.
double readNumber(QStringView text);

// True when the whole text (blanks around allowed) is one number.
bool isNumber(QStringView text);

// General number text: up to 15 significant digits, trailing zeros dropped,
// "." decimal separator, no grouping ("0.5", "-12", "1E+20", "1.5E-07").
QString numberText(double v);

// The general number text appended to bytes: what a large document writes
// half a million times, without a text object per number.
void appendNumberText(QByteArray& out, double v);

// The room the texts below take at most.
inline constexpr int kNumberTextMax = 32;
// The general number text written at p, which has room for kNumberTextMax
// bytes; returns the end of the text. Buffers filled a hundred thousand times
// over take it without a call into the array per number.
char* writeNumberText(char* p, double v);

// v rounded to `decimals` places after the point (0..15), halves away from
// zero, with trailing zeros and a bare point dropped ("-5.4213", "36.3",
// "12"; never "-0"), written at p as writeNumberText does. A value with more
// than 15 digits before the last decimal is written as the general number text.
char* writeRounded(char* p, double v, int decimals);

// Formats v with a picture such as "###.0000", "#", "###.0": '#' is an optional
// digit (so 0.5 with "###.0" gives ".5"), '0' a required one; the value is
// rounded at the last digit of the picture.
QString formatPicture(double v, QStringView picture);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double v);

// Whole-number conversion with halves to even; throws RuntimeError 6
// (overflow) when the result does not fit a 32-bit long.
long long toWhole(double v);

// The classic Int: the greatest whole number not above v (Int(-1.5) = -2).
double intFloor(double v);

} // namespace kartello
