// Shared pieces of the number and complex text conversions.
#ifndef PROBABILITY_TEXT_INTERNAL_H
#define PROBABILITY_TEXT_INTERNAL_H

#include "probability.h"

#include <optional>
#include <string>
#include <string_view>

namespace prob {

// The separators of the process locale as they were when the library was
// loaded; the library never changes the process locale itself.
struct Separators {
    std::string decimal;
    std::string thousands;
};
const Separators& localeSeparators();

// The other decimal separator tried when a text does not read with the
// locale's own: "," for a locale using ".", "." for any other.
std::string_view alternateDecimal(std::string_view decimal);

// Reads [blanks][sign]digits[separator digits][(E|e)[sign]digits][blanks]
// with the given decimal separator; nothing when the text has another form.
std::optional<double> parseDecimal(std::string_view text, std::string_view decimal);

// The library's number reader: the locale's separator, then NaN and
// infinity words, then the other separator; raises the conversion error.
double readNumber(std::string_view text);

Cplx readComplex(std::string_view text);

// A number rounded to 15 significant digits: value = 0.d1d2d3... x 10^exponent,
// digits without trailing zeros ("" for zero).
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};
Decimal toDecimal(double value);
// Rounds half away from zero so that `decimals` digits remain after the point.
void roundToDecimals(Decimal& d, int decimals);
void roundToSignificant(Decimal& d, int significant);

// "INF", "-INF" or "NAN" for the values that have no digits.
std::optional<std::string> specialValueText(double value);

std::string generalFormat(double value, int exponentDigits);
std::string pictureFormat(double value, std::string_view picture);

// Copies text into the caller's buffer without a terminating zero.
int32_t copyOut(const std::string& text, char* buffer);

} // namespace prob

#endif
