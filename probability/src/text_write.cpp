// Writing complex numbers in the general number format.
#include "text_internal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace prob {
namespace {

constexpr int significantDigits = 15;
// Exponents of a double have at most three digits; wider padding is refused
// so that a caller's buffer of 64 bytes always holds the result.
constexpr int maxExponentDigits = 4;

// Adds one unit at the last kept digit, carrying leftwards.
void incrementDigits(Decimal& d) {
    int i = static_cast<int>(d.digits.size()) - 1;
    while (i >= 0 && d.digits[i] == '9')
        d.digits[i--] = '0';
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    } else {
        ++d.digits[i];
    }
}

void trimZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// Keeps `keep` leading digits, rounding half away from zero.
void keepDigits(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
    } else if (keep < static_cast<int>(d.digits.size())) {
        const bool up = d.digits[keep] >= '5';
        d.digits.resize(keep);
        if (up)
            incrementDigits(d);
    }
    trimZeros(d);
}

std::string exponentText(int exponent, int minDigits, bool plus) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    if (exponent < 0)
        return "-" + digits;
    return plus ? "+" + digits : digits;
}

} // namespace

Decimal toDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    // "%.14e" rounds the binary value correctly to 15 significant digits.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const char* e = std::strchr(buffer, 'e');
    for (const char* c = buffer; c < e; ++c)
        if (*c >= '0' && *c <= '9')
            d.digits += *c;
    d.exponent = std::atoi(e + 1) + 1;
    trimZeros(d);
    return d;
}

void roundToDecimals(Decimal& d, int decimals) {
    keepDigits(d, d.exponent + decimals);
}

void roundToSignificant(Decimal& d, int significant) {
    keepDigits(d, significant);
}

std::optional<std::string> specialValueText(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    return std::nullopt;
}

// Plain notation while the integer part fits the 15 digits and the value is
// not below 1e-5, scientific notation otherwise: the shorter of the two.
std::string generalFormat(double value, int exponentDigits) {
    if (auto special = specialValueText(value))
        return *special;
    const Decimal d = toDecimal(value);
    if (d.digits.empty())
        return "0";
    const std::string& point = localeSeparators().decimal;
    std::string text = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > significantDigits || d.exponent < -4) {
        text += d.digits[0];
        if (n > 1)
            text += point + d.digits.substr(1);
        text += "E" + exponentText(d.exponent - 1, std::clamp(exponentDigits, 0, maxExponentDigits), false);
    } else if (d.exponent <= 0) {
        text += "0" + point + std::string(-d.exponent, '0') + d.digits;
    } else if (d.exponent >= n) {
        text += d.digits + std::string(d.exponent - n, '0');
    } else {
        text += d.digits.substr(0, d.exponent) + point + d.digits.substr(d.exponent);
    }
    return text;
}

int32_t copyOut(const std::string& text, char* buffer) {
    if (buffer)
        std::memcpy(buffer, text.data(), text.size());
    return static_cast<int32_t>(text.size());
}

} // namespace prob

int32_t CplxToStr_PChar(const Cplx* z, char* buffer, int32_t digits) {
    using namespace prob;
    const std::string re = generalFormat(z->Re, digits);
    if (z->Im == 0)
        return copyOut(re, buffer);
    const std::string im = generalFormat(z->Im, digits) + "i";
    if (z->Re == 0)
        return copyOut(im, buffer);
    // A negative imaginary part brings its own minus sign.
    return copyOut(z->Im < 0 ? re + im : re + "+" + im, buffer);
}
