#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace sigillo::text {
namespace {

struct EncodeCase {
    char32_t codePoint;
    std::string utf8;
};

TEST(Utf8Test, EncodesEachLengthAtItsBoundaries) {
    const std::vector<EncodeCase> cases = {
        {0x00, std::string(1, '\0')},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        std::string out;
        appendUtf8(out, c.codePoint);
        EXPECT_EQ(out, c.utf8) << std::hex << static_cast<uint32_t>(c.codePoint);
    }
}

struct Utf16Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string utf8;
};

TEST(Utf8Test, DecodesUtf16LittleEndian) {
    const std::vector<Utf16Case> cases = {
        {"ascii", {'W', 0, 'i', 0}, "Wi"},
        {"arabic waw", {0x48, 0x06}, "\xD9\x88"},
        {"surrogate pair U+1F600", {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"lone high surrogate",
         {0x3D, 0xD8, 'a', 0},
         "\xEF\xBF\xBD"
         "a"},
        {"lone low surrogate", {0x00, 0xDE}, "\xEF\xBF\xBD"},
        {"odd last byte dropped", {'a', 0, 'b'}, "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf16LeToUtf8(c.bytes), c.utf8) << c.name;
    }
}

} // namespace
} // namespace sigillo::text
