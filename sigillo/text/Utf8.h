// UTF-8 encoding of the text the Windows formats store as UTF-16LE or as
// single bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace sigillo::text {

// Appends one code point (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// UTF-16LE code units to UTF-8; an unpaired surrogate becomes U+FFFD and an
// odd last byte is ignored.
std::string utf16LeToUtf8(std::span<const uint8_t> bytes);

} // namespace sigillo::text
