// Walking through a separated list of numbers, one field per call.
#include "frame.h"
#include "text_internal.h"

#include <cerrno>
#include <cstring>

namespace prob {
namespace {

struct Field {
    std::optional<std::string_view> text; // nothing when the list is used up
    int32_t next;                         // the position after the field
    bool failed = false;                  // a position below 1 (C callers)
};

// The next field of s from the 1-based position pos.
Field nextField(const char* s, int32_t pos, const char* sep) {
    if (pos < 1) {
        raiseFailure(kOffsetBelowOne, EINVAL);
        return {std::nullopt, pos, true};
    }
    const std::string_view text(s ? s : "");
    const std::string_view separator(sep ? sep : "");
    const auto length = static_cast<long long>(text.size());
    long long p = pos;
    // Empty fields are skipped one character at a time. An empty separator
    // occurs nowhere: the rest of the text is one field.
    if (!separator.empty()) {
        while (p <= length && text.compare(p - 1, separator.size(), separator) == 0)
            ++p;
    }
    const std::size_t q =
        separator.empty() || p > length ? std::string_view::npos : text.find(separator, p - 1);
    if (q != std::string_view::npos)
        return {text.substr(p - 1, q - (p - 1)), static_cast<int32_t>(q + 1 + separator.size())};
    const auto end = static_cast<int32_t>(length + 1);
    if (p > length)
        return {std::nullopt, end};
    return {text.substr(p - 1), end};
}

} // namespace
} // namespace prob

double ExtractSample_PChar(const char* s, int32_t* pos, const char* sep) {
    using namespace prob;
    const Field field = nextField(s, *pos, sep);
    if (field.failed)
        return NanValue;
    const double value = field.text ? readNumber(*field.text) : 0;
    *pos = field.next;
    return value;
}

void ExtractCplx_PChar(Cplx* r, const char* s, int32_t* pos, const char* sep) {
    using namespace prob;
    const Field field = nextField(s, *pos, sep);
    if (field.failed) {
        *r = ComplexNan;
        return;
    }
    *r = field.text ? readComplex(*field.text) : Cplx{0, 0};
    *pos = field.next;
}
