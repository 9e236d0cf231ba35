// The value kinds that cross clsRegistry's Value property: nothing, text, a
// 32-bit number or a byte array.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace sigillo {

using Variant = std::variant<std::monostate, std::string, int32_t, std::vector<uint8_t>>;

inline bool IsEmpty(const Variant& v) {
    return std::holds_alternative<std::monostate>(v);
}

// The text form used in messages: numbers in decimal, byte arrays as their
// bytes, nothing as "".
std::string VariantText(const Variant& v);

} // namespace sigillo
