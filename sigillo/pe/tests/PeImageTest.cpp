#include <gtest/gtest.h>

#include "Fixtures.h"
#include "pe/PeImage.h"

using namespace sigillo::pe;

namespace {

void put32(std::vector<uint8_t>& b, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[off + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

} // namespace

TEST(PeImage, RecognisesBothImageKinds) {
    struct Case {
        const char* file;
        bool plus;
        uint16_t machine;
    } cases[] = {
        {"demo32.dll", false, 0x014C},
        {"demo64.dll", true, 0x8664},
        {"app.exe", false, 0x014C},
    };
    for (const auto& c : cases) {
        const auto bytes = fixtureBytes(c.file);
        const auto img = PeImage::parse(bytes);
        ASSERT_TRUE(img) << c.file;
        EXPECT_EQ(img->isPe32Plus(), c.plus) << c.file;
        EXPECT_EQ(img->machine(), c.machine) << c.file;
    }
}

TEST(PeImage, FindsResourcesByNameOrIdIgnoringCase) {
    const auto bytes = fixtureBytes("demo32.dll");
    const auto img = PeImage::parse(bytes);
    ASSERT_TRUE(img);
    const auto typelib = img->resource(std::string("typelib"), uint16_t{1});
    ASSERT_TRUE(typelib);
    const auto tlb = fixtureBytes("demo.tlb");
    EXPECT_EQ(std::vector<uint8_t>(typelib->begin(), typelib->end()), tlb); // embedded unchanged
    EXPECT_TRUE(img->resource(std::string("#16"), std::string("#1")));
    EXPECT_FALSE(img->resource(std::string("TYPELIB"), uint16_t{2}));
    EXPECT_FALSE(img->resource(std::string("REGISTRY"), uint16_t{1}));
    EXPECT_FALSE(img->resource(uint16_t{24}, uint16_t{1}));
}

TEST(PeImage, RejectsWhatIsNoImage) {
    auto good = fixtureBytes("demo32.dll");
    std::vector<std::vector<uint8_t>> cases;
    cases.push_back({});
    cases.push_back({'M', 'Z'});
    cases.push_back(fixtureBytes("demo.tlb"));
    auto badLfanew = good;
    put32(badLfanew, 0x3C, 0xFFFFFFF0u);
    cases.push_back(badLfanew);
    auto badSignature = good;
    badSignature[good[0x3C]] = 'X';
    cases.push_back(badSignature);
    auto badMagic = good;
    badMagic[good[0x3C] + 24] = 0x07;
    cases.push_back(badMagic);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FALSE(PeImage::parse(cases[i])) << "case " << i;
    }
}

TEST(PeImage, SurvivesEveryTruncation) {
    const auto good = fixtureBytes("demo64.dll");
    for (size_t len = 0; len <= good.size(); len += 7) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(len));
        if (const auto img = PeImage::parse(cut)) {
            if (const auto r = img->resource(std::string("TYPELIB"), uint16_t{1})) {
                EXPECT_LE(r->data() + r->size(), cut.data() + cut.size());
            }
        }
    }
}

TEST(PeImage, ResourceDirectoryPointingAtItselfEndsTheWalk) {
    auto bytes = fixtureBytes("demo32.dll");
    const auto img = PeImage::parse(bytes);
    ASSERT_TRUE(img);
    // Find the root directory (the TYPELIB name entry offset points into it) by
    // locating the UTF-16 "TYPELIB" string and patching every subdirectory
    // offset of the root to point back at the root.
    const std::vector<uint8_t> name = {7, 0, 'T', 0, 'Y', 0, 'P', 0, 'E', 0, 'L', 0, 'I', 0, 'B', 0};
    auto it = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(it, bytes.end());
    const size_t nameAt = static_cast<size_t>(it - bytes.begin());
    const size_t root = nameAt - 0x80; // windres places the name string at +0x80 of this tree
    for (size_t e = root + 16; e < root + 16 + 2 * 8; e += 8) {
        put32(bytes, e + 4, 0x80000000u);
    }
    const auto looped = PeImage::parse(bytes);
    ASSERT_TRUE(looped);
    EXPECT_FALSE(looped->resource(std::string("TYPELIB"), uint16_t{1}));
}
