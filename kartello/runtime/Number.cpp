#include "runtime/Number.h"

#include "runtime/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kartello {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Length of the numeric prefix starting at `from` (sign, digits, one ".",
// exponent); 0 when no digit is found.
qsizetype numericPrefix(QStringView t, qsizetype from) {
    qsizetype i = from;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < t.size() && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < t.size() && isDigit(t[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - from;
}

// The power of ten of the leading digit of a plain numeric text ("0.05" -> -2,
// "1e-400" -> -400, "120" -> 2), for telling underflow from overflow.
long long decimalExponent(const std::string& s) {
    size_t i = s.find_first_of("0123456789.");
    long long position = 0; // of the first significant digit, relative to the point
    bool seenPoint = false, seenDigit = false;
    long long intDigits = 0, leadingFractionZeros = 0;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        if (s[i] == '.') {
            seenPoint = true;
        } else if (!seenDigit && s[i] == '0') {
            if (seenPoint)
                ++leadingFractionZeros;
        } else {
            if (!seenDigit && seenPoint)
                position = -leadingFractionZeros - 1;
            seenDigit = true;
            if (!seenPoint)
                ++intDigits;
        }
    }
    if (!seenDigit)
        return -1; // all zeros
    if (intDigits > 0)
        position = intDigits - 1;
    long long exponent = 0;
    if (i < s.size()) {
        const char* p = s.c_str() + i + 1;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        for (; *p >= '0' && *p <= '9' && exponent < 100000000; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    return position + exponent;
}

double parseAscii(QStringView t) {
    std::string s;
    s.reserve(static_cast<size_t>(t.size()));
    for (QChar c : t) {
        char a = static_cast<char>(c.unicode());
        s.push_back(a == 'd' || a == 'D' ? 'e' : a);
    }
    const char* first = s.c_str();
    if (*first == '+')
        ++first;
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, s.c_str() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero, as the classic reader takes it; only too
        // large is an overflow.
        if (decimalExponent(s) < 0)
            return s[0] == '-' ? -0.0 : 0.0;
        throw RuntimeError(ErrOverflow);
    }
    (void)ptr;
    return v;
}

struct Decimal {
    std::string digits; // no sign, no point
    int pointPos = 0;   // digits before the decimal point
};

// 15 significant digits, the precision the classic formatting rounds to.
Decimal toDecimal(double magnitude) {
    char buf[40];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::scientific, 14);
    (void)ec; // 40 characters always hold 15 digits and an exponent
    *end = '\0';
    Decimal d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            d.digits.push_back(*p);
    d.pointPos = std::atoi(p + 1) + 1;
    if (d.pointPos <= 0) {
        d.digits.insert(0, static_cast<size_t>(-d.pointPos), '0');
        d.pointPos = 0;
    }
    if (static_cast<int>(d.digits.size()) < d.pointPos)
        d.digits.append(static_cast<size_t>(d.pointPos) - d.digits.size(), '0');
    return d;
}

// Keeps `decimals` digits after the point, rounding the rest half away from zero.
void roundDecimal(Decimal& d, int decimals) {
    const size_t keep = static_cast<size_t>(d.pointPos + decimals);
    if (d.digits.size() < keep)
        d.digits.append(keep - d.digits.size(), '0');
    const bool up = d.digits.size() > keep && d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up)
        return;
    size_t i = keep;
    while (i > 0) {
        --i;
        if (d.digits[i] == '9') {
            d.digits[i] = '0';
            continue;
        }
        ++d.digits[i];
        return;
    }
    d.digits.insert(0, 1, '1');
    ++d.pointPos;
}

} // namespace

double readNumber(QStringView text) {
    qsizetype from = 0;
    while (from < text.size() && isBlank(text[from]))
        ++from;
    const qsizetype n = numericPrefix(text, from);
    return n == 0 ? 0.0 : parseAscii(text.mid(from, n));
}

bool isNumber(QStringView text) {
    QStringView t = text.trimmed();
    return !t.isEmpty() && numericPrefix(t, 0) == t.size();
}

QString numberText(double v) {
    QByteArray text;
    appendNumberText(text, v);
    return QString::fromLatin1(text);
}

void appendNumberText(QByteArray& out, double v) {
    char buf[kNumberTextMax];
    out.append(buf, writeNumberText(buf, v) - buf);
}

char* writeNumberText(char* p, double v) {
    if (!std::isfinite(v))
        checkedFinite(v);
    if (v == 0) {
        *p = '0';
        return p + 1;
    }
    // to_chars writes as the "C" locale does, whatever LC_NUMERIC says; the
    // general format with 15 digits is the classic "%.15G" with a capital E.
    char* const end = std::to_chars(p, p + kNumberTextMax, v, std::chars_format::general, 15).ptr;
    std::replace(p, end, 'e', 'E');
    return end;
}

char* writeRounded(char* p, double v, int decimals) {
    if (!std::isfinite(v))
        checkedFinite(v);
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    decimals = std::clamp(decimals, 0, 15);
    const double scaled = v * kPowers[decimals];
    if (!(std::fabs(scaled) < 9e15))
        return writeNumberText(p, v);
    // Whole units of the last decimal as an integer text with the point put
    // in: a corner coordinate costs one integer conversion instead of a
    // general formatter.
    const long long units = std::llround(scaled);
    unsigned long long m = static_cast<unsigned long long>(units < 0 ? -units : units);
    int fraction = decimals;
    while (fraction > 0 && m % 10 == 0) {
        m /= 10;
        --fraction;
    }
    if (units < 0)
        *p++ = '-';
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, m).ptr;
    const int whole = int(end - digits) - fraction;
    if (whole > 0) {
        p = std::copy(digits, digits + whole, p);
    } else {
        *p++ = '0';
    }
    if (fraction == 0)
        return p;
    *p++ = '.';
    if (whole < 0)
        p = std::fill_n(p, -whole, '0');
    return std::copy(end - std::min(fraction, int(end - digits)), end, p);
}

QString formatPicture(double v, QStringView picture) {
    checkedFinite(v);
    const qsizetype dot = picture.indexOf(u'.');
    const QStringView intPic = dot < 0 ? picture : picture.left(dot);
    const QStringView fracPic = dot < 0 ? QStringView() : picture.mid(dot + 1);
    const int decimals = static_cast<int>(fracPic.size());
    const int requiredInt = static_cast<int>(intPic.count(u'0'));
    const int requiredFrac = static_cast<int>(fracPic.lastIndexOf(u'0') + 1);

    Decimal d = toDecimal(std::fabs(v));
    roundDecimal(d, decimals);

    std::string intPart = d.digits.substr(0, static_cast<size_t>(d.pointPos));
    intPart.erase(0, intPart.find_first_not_of('0') == std::string::npos ? intPart.size()
                                                                         : intPart.find_first_not_of('0'));
    if (static_cast<int>(intPart.size()) < requiredInt)
        intPart.insert(0, static_cast<size_t>(requiredInt) - intPart.size(), '0');
    std::string frac = d.digits.substr(static_cast<size_t>(d.pointPos));
    while (static_cast<int>(frac.size()) > requiredFrac && frac.back() == '0')
        frac.pop_back();

    const bool nonZero = d.digits.find_first_not_of('0') != std::string::npos;
    std::string out = (v < 0 && nonZero) ? "-" : "";
    out += intPart;
    if (dot >= 0)
        out += "." + frac;
    return QString::fromLatin1(out.c_str());
}

double roundHalfEven(double v) {
    return std::nearbyint(v);
}

long long toWhole(double v) {
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r > 2147483647.0 || r < -2147483648.0)
        throw RuntimeError(ErrOverflow);
    return static_cast<long long>(r);
}

double intFloor(double v) {
    return std::floor(v);
}

} // namespace kartello
