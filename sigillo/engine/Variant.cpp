#include "engine/Variant.h"

namespace sigillo {

std::string VariantText(const Variant& v) {
    if (const auto* s = std::get_if<std::string>(&v)) {
        return *s;
    }
    if (const auto* n = std::get_if<int32_t>(&v)) {
        return std::to_string(*n);
    }
    if (const auto* b = std::get_if<std::vector<uint8_t>>(&v)) {
        return std::string(b->begin(), b->end());
    }
    return {};
}

} // namespace sigillo
