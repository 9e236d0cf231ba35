// Picture formats for numbers: "0" and "#" digit placeholders, the decimal
// point, "," for digit grouping, E+/E- (or e+/e-) exponents with their digit
// placeholders, quoted literal text, and up to three sections separated by
// ";" for positive, negative and zero values.
#include "text_internal.h"

#include <cmath>
#include <vector>

namespace prob {
namespace {

struct Token {
    enum Kind { Zero, Hash, Point, Exponent, Literal } kind;
    std::string text;  // the literal, or the exponent letter
    bool plus = false; // exponent written with "+": the sign always shows
    int minDigits = 0; // exponent digits required
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    bool empty = true;
};

bool isPlaceholder(const Token& t) {
    return t.kind == Token::Zero || t.kind == Token::Hash;
}

std::vector<std::string_view> splitSections(std::string_view picture) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(picture.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(picture.substr(start));
    if (sections.size() > 3)
        sections.resize(3);
    return sections;
}

Section parseSection(std::string_view s) {
    Section section;
    section.empty = s.empty();
    bool afterPoint = false, inExponent = false;
    auto literal = [&](std::string_view text) {
        if (!section.tokens.empty() && section.tokens.back().kind == Token::Literal)
            section.tokens.back().text += text;
        else
            section.tokens.push_back({Token::Literal, std::string(text)});
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = s.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? s.size() : close;
            literal(s.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '0' || c == '#') {
            if (inExponent)
                section.tokens.back().minDigits += c == '0';
            else
                section.tokens.push_back({c == '0' ? Token::Zero : Token::Hash, ""});
        } else if (c == '.' && !afterPoint && !inExponent) {
            afterPoint = true;
            section.tokens.push_back({Token::Point, ""});
        } else if (c == ',' && !inExponent) {
            section.grouping = section.grouping || !afterPoint;
        } else if ((c == 'E' || c == 'e') && !inExponent && i + 1 < s.size() &&
                   (s[i + 1] == '+' || s[i + 1] == '-')) {
            inExponent = true;
            section.tokens.push_back({Token::Exponent, std::string(1, c), s[i + 1] == '+'});
            ++i;
        } else {
            inExponent = inExponent && (c == '0' || c == '#');
            literal(std::string_view(&s[i], 1));
        }
    }
    return section;
}

// How many digit placeholders stand before and after the point, and from
// which position on they demand a digit.
struct Layout {
    int intPlaces = 0, intMin = 0, fracPlaces = 0, fracMin = 0;
    const Token* exponent = nullptr;
};

Layout layoutOf(const Section& section) {
    Layout l;
    bool afterPoint = false;
    int firstIntZero = -1;
    for (const Token& t : section.tokens) {
        if (t.kind == Token::Point) {
            afterPoint = true;
        } else if (t.kind == Token::Exponent) {
            l.exponent = &t;
        } else if (isPlaceholder(t) && !l.exponent) {
            if (afterPoint) {
                ++l.fracPlaces;
                if (t.kind == Token::Zero)
                    l.fracMin = l.fracPlaces;
            } else {
                if (t.kind == Token::Zero && firstIntZero < 0)
                    firstIntZero = l.intPlaces;
                ++l.intPlaces;
            }
        }
    }
    l.intMin = firstIntZero < 0 ? 0 : l.intPlaces - firstIntZero;
    return l;
}

struct Digits {
    std::string integer, fraction;
    int exponent = 0;
    bool zero = true; // every digit shown is zero
};

Digits digitsFor(double magnitude, const Layout& l) {
    Decimal d = toDecimal(magnitude);
    Digits out;
    if (l.exponent) {
        const int intDigits = l.intPlaces > 0 ? 1 : 0;
        roundToSignificant(d, std::max(1, intDigits + l.fracPlaces));
        out.exponent = d.digits.empty() ? 0 : d.exponent - intDigits;
        std::string all = d.digits;
        if (static_cast<int>(all.size()) < intDigits)
            all.append(intDigits - all.size(), '0');
        out.integer = d.digits.empty() ? "" : all.substr(0, intDigits);
        out.fraction = all.substr(intDigits);
    } else {
        roundToDecimals(d, l.fracPlaces);
        const int n = static_cast<int>(d.digits.size());
        if (d.exponent > 0) {
            out.integer =
                d.digits.substr(0, std::min(n, d.exponent)) + std::string(std::max(0, d.exponent - n), '0');
            out.fraction = d.exponent < n ? d.digits.substr(d.exponent) : "";
        } else if (n > 0) {
            out.fraction = std::string(-d.exponent, '0') + d.digits;
        }
    }
    out.zero = d.digits.empty();
    if (static_cast<int>(out.integer.size()) < l.intMin)
        out.integer.insert(0, l.intMin - out.integer.size(), '0');
    if (static_cast<int>(out.fraction.size()) < l.fracMin)
        out.fraction.append(l.fracMin - out.fraction.size(), '0');
    return out;
}

std::string grouped(const std::string& digits) {
    const std::string& mark = localeSeparators().thousands;
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += mark;
        out += digits[i];
    }
    return out;
}

std::string exponentText(int exponent, const Token& t) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < t.minDigits)
        digits.insert(0, t.minDigits - digits.size(), '0');
    const char* sign = exponent < 0 ? "-" : (t.plus ? "+" : "");
    return t.text + sign + digits;
}

std::string render(double magnitude, const Section& section, bool minus) {
    const Layout l = layoutOf(section);
    const Digits d = digitsFor(magnitude, l);
    const std::string integer = section.grouping ? grouped(d.integer) : d.integer;
    std::string out = minus && !d.zero ? "-" : "";
    bool integerShown = false;
    int fracIndex = 0;
    bool afterPoint = false;
    for (const Token& t : section.tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Point:
            // Integer digits without a placeholder of their own go before the point.
            if (!integerShown)
                out += integer;
            integerShown = afterPoint = true;
            if (!d.fraction.empty())
                out += localeSeparators().decimal;
            break;
        case Token::Exponent:
            if (!integerShown)
                out += integer;
            integerShown = true;
            out += exponentText(d.exponent, t);
            break;
        case Token::Zero:
        case Token::Hash:
            if (!afterPoint) {
                if (!integerShown)
                    out += integer;
                integerShown = true;
            } else if (fracIndex < static_cast<int>(d.fraction.size())) {
                out += d.fraction[fracIndex++];
            }
            break;
        }
    }
    return out;
}

} // namespace

std::string pictureFormat(double value, std::string_view picture) {
    if (auto special = specialValueText(value))
        return *special;
    const std::vector<std::string_view> parts = splitSections(picture);
    std::vector<Section> sections;
    for (std::string_view p : parts)
        sections.push_back(parseSection(p));
    if (value < 0 && sections.size() >= 2 && !sections[1].empty)
        return render(-value, sections[1], false);
    if (value == 0 && sections.size() == 3 && !sections[2].empty)
        return render(0, sections[2], false);
    return render(std::fabs(value), sections[0], value < 0);
}

} // namespace prob

int32_t FormatCplx_PChar(const Cplx* z, char* buffer, const char* formatRe, const char* formatIm) {
    using namespace prob;
    if (!formatRe || !formatIm || !*formatRe || !*formatIm)
        return CplxToStr_PChar(z, buffer, 0);
    if (z->Im == 0)
        return copyOut(pictureFormat(z->Re, formatRe), buffer);
    const std::string im = pictureFormat(z->Im, formatIm);
    if (z->Re == 0)
        return copyOut(im, buffer);
    return copyOut(pictureFormat(z->Re, formatRe) + im, buffer);
}
