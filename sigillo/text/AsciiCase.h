// The case fold of Windows names (registry keys, resource names, file
// patterns): only A-Z and a-z fold, whatever the locale; every other byte or
// code unit compares as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sigillo::text {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr uint16_t lowerAscii(uint16_t unit) {
    return (unit >= 'A' && unit <= 'Z') ? static_cast<uint16_t>(unit - 'A' + 'a') : unit;
}

std::string lowerAscii(std::string_view s);

bool equalsNoCase(std::string_view a, std::string_view b);

// Orders by the folded bytes, unsigned.
bool lessNoCase(std::string_view a, std::string_view b);

} // namespace sigillo::text
