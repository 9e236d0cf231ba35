// The decimal and thousands separators of the process locale, read once when
// the library is loaded.
#include "text_internal.h"

#include <clocale>

namespace prob {
namespace {

Separators readSeparators() {
    const std::lconv* conv = std::localeconv();
    Separators s{conv && conv->decimal_point && *conv->decimal_point ? conv->decimal_point : ".",
                 conv && conv->thousands_sep ? conv->thousands_sep : ""};
    // Locales without digit grouping (the C locale among them) still need a
    // grouping mark for picture formats: the one that does not clash with
    // the decimal separator.
    if (s.thousands.empty() || s.thousands == s.decimal)
        s.thousands = std::string(1, s.decimal == "," ? '.' : ',');
    return s;
}

const Separators loaded = readSeparators();

} // namespace

const Separators& localeSeparators() {
    return loaded;
}

std::string_view alternateDecimal(std::string_view decimal) {
    return decimal == "." ? "," : ".";
}

} // namespace prob
