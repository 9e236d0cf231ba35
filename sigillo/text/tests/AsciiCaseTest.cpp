#include "text/AsciiCase.h"

#include <gtest/gtest.h>

#include <vector>

namespace sigillo::text {
namespace {

struct CompareCase {
    std::string_view a, b;
    bool equal, less;
};

TEST(AsciiCaseTest, FoldsOnlyLatinLetters) {
    const std::vector<CompareCase> cases = {
        {"HKEY_Classes_Root", "hkey_classes_root", true, false},
        {"Folder", "FOLDER", true, false},
        {"a", "B", false, true},               // folded: 'a' < 'b'
        {"Z", "a", false, false},              // folded: 'z' > 'a', though 'Z' < 'a' as bytes
        {"_", "a", false, true},               // '_' (0x5F) sorts before letters once folded
        {"\xC3\x89", "\xC3\xA9", false, true}, // É and é: not ASCII, not folded
        {"ab", "abc", false, true},
        {"", "", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equalsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(lessNoCase(c.a, c.b), c.less) << c.a << " / " << c.b;
    }
}

TEST(AsciiCaseTest, LowersWholeTextAndUtf16Units) {
    EXPECT_EQ(lowerAscii(std::string_view("TRUE \xC3\x89")), "true \xC3\x89");
    EXPECT_EQ(lowerAscii(uint16_t{'Q'}), uint16_t{'q'});
    EXPECT_EQ(lowerAscii(uint16_t{0x0130}), uint16_t{0x0130}); // dotted capital I stays
    EXPECT_EQ(upperAscii('z'), 'Z');
    EXPECT_EQ(upperAscii('{'), '{');
}

} // namespace
} // namespace sigillo::text
