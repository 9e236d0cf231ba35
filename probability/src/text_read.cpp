// Reading numbers and complex numbers from text.
#include "frame.h"
#include "text_internal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace prob {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view t, std::size_t i) {
    while (i < t.size() && isDigit(t[i]))
        ++i;
    return i;
}

// strtod with "." whatever the process locale says (the Windows C runtime
// names its locale objects with a leading underscore).
double strtodC(const std::string& text) {
#ifdef _WIN32
    static const _locale_t c = _create_locale(LC_NUMERIC, "C");
    return _strtod_l(text.c_str(), nullptr, c);
#else
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return strtod_l(text.c_str(), nullptr, c);
#endif
}

std::string upper(std::string_view text) {
    std::string u(text);
    std::transform(u.begin(), u.end(), u.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return u;
}

double conversionFailure(std::string_view text) {
    raiseFailure("'" + std::string(text) + "' is not a valid floating point value", EINVAL);
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace

std::optional<double> parseDecimal(std::string_view t, std::string_view decimal) {
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    std::string normal;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        normal += t[i++];
    std::size_t end = skipDigits(t, i);
    std::size_t digits = end - i;
    normal.append(t.substr(i, end - i));
    i = end;
    if (!decimal.empty() && t.substr(i, decimal.size()) == decimal) {
        i += decimal.size();
        end = skipDigits(t, i);
        digits += end - i;
        normal += '.';
        normal.append(t.substr(i, end - i));
        i = end;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            exponent += t[j++];
        end = skipDigits(t, j);
        if (end == j)
            return std::nullopt;
        exponent.append(t.substr(j, end - j));
        normal += exponent;
        i = end;
    }
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i != t.size())
        return std::nullopt;
    return strtodC(normal);
}

double readNumber(std::string_view text) {
    const std::string& decimal = localeSeparators().decimal;
    if (auto v = parseDecimal(text, decimal))
        return *v;
    const std::string u = upper(text);
    const bool minus = u.find('-') != std::string::npos;
    if (u.find("NAN") != std::string::npos) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return minus ? -nan : nan;
    }
    if (u.find("INF") != std::string::npos) {
        const double inf = std::numeric_limits<double>::infinity();
        return minus ? -inf : inf;
    }
    // The other separator is tried on a private copy of the setting; the
    // locale's own is untouched whatever happens.
    if (auto v = parseDecimal(text, alternateDecimal(decimal)))
        return *v;
    return conversionFailure(text);
}

Cplx readComplex(std::string_view t) {
    const std::size_t p = t.find('i');
    if (p == std::string_view::npos)
        return {readNumber(t), 0};
    // The nearest sign before the "i" that is not the sign of an exponent
    // written with a capital E.
    std::size_t k = p;
    while (k-- > 0) {
        if ((t[k] == '+' || t[k] == '-') && (k == 0 || t[k - 1] != 'E'))
            break;
    }
    if (k == std::string_view::npos) {
        const std::string_view im = t.substr(0, p);
        return {0, im.empty() ? 1 : readNumber(im)};
    }
    const std::string_view im = t.substr(k, p - k);
    const double imag = im.size() == 1 ? (im[0] == '+' ? 1 : -1) : readNumber(im);
    const std::string_view re = t.substr(0, k);
    double real = 0;
    if (!re.empty() && re != " ") {
        try {
            real = readNumber(re);
        } catch (const ProbabilityError&) {
            real = 0; // an unreadable real part counts as zero
        }
    }
    return {real, imag};
}

} // namespace prob

double StrToVal_PChar(const char* s) {
    return prob::readNumber(s ? s : "");
}

void StrToCplx_PChar(Cplx* r, const char* s) {
    const Cplx z = prob::readComplex(s ? s : "");
    if (r)
        *r = z;
}
