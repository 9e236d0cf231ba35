#include <gtest/gtest.h>

#include <cstring>

#include "Fixtures.h"
#include "typelib/TypeLib.h"

using namespace sigillo::typelib;

namespace {
constexpr const char* kDemoGuid = "{12345678-9ABC-DEF0-1234-56789ABCDEF0}";
}

// Expected values come from the fixtures' IDL sources (fixtures/src).
TEST(TypeLib, ReadsLibraryAttributes) {
    struct Case {
        const char* file;
        const char* name;
        const char* help;
        const char* guid;
        uint16_t major, minor;
        uint32_t lcid, sysKind;
    } cases[] = {
        {"demo.tlb", "DemoLib", "Demo Type Library for fixtures", kDemoGuid, 2, 5, 0x409, 1},
        {"demo32.dll", "DemoLib", "Demo Type Library for fixtures", kDemoGuid, 2, 5, 0x409, 1},
        {"demo64.dll", "DemoLib", "Demo Type Library, first release", kDemoGuid, 1, 0, 0, 3},
        {"helpdll.tlb", "HelpLib", "Library with help", "{0FEDCBA9-8765-4321-ABCD-0123456789AB}", 10, 3, 0,
         1},
    };
    for (const auto& c : cases) {
        const auto lib = OpenTypeLib(fixture(c.file));
        ASSERT_TRUE(lib) << c.file;
        EXPECT_EQ(lib->name, c.name) << c.file;
        EXPECT_EQ(lib->helpString, c.help) << c.file;
        EXPECT_EQ(lib->guid, c.guid) << c.file;
        EXPECT_EQ(lib->major, c.major) << c.file;
        EXPECT_EQ(lib->minor, c.minor) << c.file;
        EXPECT_EQ(lib->lcid, c.lcid) << c.file;
        EXPECT_EQ(lib->sysKind, c.sysKind) << c.file;
    }
}

TEST(TypeLib, FilesHoldingNoLibraryGiveNone) {
    for (const char* f : {"versiononly.ocx", "plain32.dll", "app.exe", "font.dll", "missing.tlb", "src",
                          "build-fixtures.sh"}) {
        EXPECT_FALSE(OpenTypeLib(fixture(f))) << f;
    }
    std::vector<uint8_t> sltg(0x40, 0);
    std::memcpy(sltg.data(), "SLTG", 4);
    EXPECT_FALSE(ReadTypeLib(sltg));
}

TEST(TypeLib, SurvivesEveryTruncationAndCorruptedOffsets) {
    const auto good = fixtureBytes("demo.tlb");
    for (size_t len = 0; len < good.size(); ++len) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(len));
        (void)ParseMsft(cut);
    }
    for (size_t at : {size_t{0x08}, size_t{0x20}, size_t{0x24}, size_t{0x38}, size_t{0x5C}, size_t{0xC4}}) {
        for (uint32_t v : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0x100u}) {
            auto bad = good;
            std::memcpy(bad.data() + at, &v, 4);
            (void)ParseMsft(bad);
        }
    }
}

TEST(TypeLib, SameLibraryNeedsGuidVersionAndLocale) {
    const TypeLibInfo base{"DemoLib", "help", kDemoGuid, 2, 5, 0x409, 1};
    auto otherMinor = base;
    otherMinor.minor = 4;
    auto otherLocale = base;
    otherLocale.lcid = 0;
    auto otherGuid = base;
    otherGuid.guid = "{00000000-0000-0000-0000-000000000000}";
    auto otherName = base;
    otherName.name = "Renamed";
    otherName.sysKind = 3;
    EXPECT_TRUE(IsSameTypeLib(base, base));
    EXPECT_TRUE(IsSameTypeLib(base, otherName));
    EXPECT_FALSE(IsSameTypeLib(base, otherMinor));
    EXPECT_FALSE(IsSameTypeLib(base, otherLocale));
    EXPECT_FALSE(IsSameTypeLib(base, otherGuid));
}

TEST(TypeLib, GuidTextIsUpperCaseInBraces) {
    const uint8_t bytes[16] = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                               0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    EXPECT_EQ(GuidText(std::span<const uint8_t, 16>(bytes)), kDemoGuid);
}
