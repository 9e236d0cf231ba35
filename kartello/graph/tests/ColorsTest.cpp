#include "graph/Colors.h"
#include "runtime/RuntimeError.h"

#include "ParamName.h"

#include <gtest/gtest.h>

using namespace kartello;

namespace {

TEST(Colors, SwatchTextIsAlphaBlueGreenRed) {
    const Rgb red = rgb(255, 0, 0);
    EXPECT_EQ(kmlColor(red), QStringLiteral("ff0000ff"));
    const SwatchColors s = swatchColors(red, red, red, rgb(1, 2, 171));
    EXPECT_EQ(s.grid, QStringLiteral("ac0000ff"));
    EXPECT_EQ(s.label, QStringLiteral("ff0000ff"));
    EXPECT_EQ(s.fill, QStringLiteral("af0000ff"));
    EXPECT_EQ(s.outline, QStringLiteral("ffab0201")); // single digits get a leading 0
}

struct PresetRow {
    int preset;
    int index;
    unsigned r, g, b;
};

class PresetTest : public testing::TestWithParam<PresetRow> {};

TEST_P(PresetTest, ListedRowsHold) {
    const PresetRow& p = GetParam();
    ColorTable t{};
    InicolorScale(p.preset, t);
    EXPECT_EQ(t[p.index], rgb(p.r, p.g, p.b)) << "preset " << p.preset << " index " << p.index;
}

INSTANTIATE_TEST_SUITE_P(Rows, PresetTest,
                         testing::Values(PresetRow{1, 0, 0, 0, 0}, PresetRow{1, 64, 148, 71, 0},
                                         PresetRow{1, 128, 197, 112, 0}, PresetRow{1, 224, 255, 211, 76},
                                         PresetRow{1, 254, 255, 255, 247}, PresetRow{1, 255, 255, 255, 255},
                                         PresetRow{2, 80, 120, 128, 5}, PresetRow{2, 240, 223, 255, 255},
                                         PresetRow{3, 112, 246, 0, 183}, PresetRow{3, 254, 255, 250, 255},
                                         PresetRow{4, 16, 61, 7, 106}, PresetRow{4, 192, 253, 180, 133},
                                         PresetRow{4, 254, 255, 253, 253}, PresetRow{5, 0, 7, 7, 254},
                                         PresetRow{5, 144, 174, 174, 172}, PresetRow{5, 254, 253, 253, 28},
                                         PresetRow{5, 255, 254, 254, 13}, PresetRow{6, 128, 20, 197, 255},
                                         PresetRow{6, 176, 115, 255, 255}, PresetRow{7, 0, 0, 0, 0},
                                         PresetRow{7, 64, 64, 64, 64}, PresetRow{7, 201, 201, 201, 201},
                                         PresetRow{7, 255, 255, 255, 255}),
                         indexName);

TEST(Colors, RampsBetweenListedRowsStayBetweenTheirEnds) {
    ColorTable t{};
    InicolorScale(1, t);
    // Half-way from 0 (0,0,0) to 16 (89,22,0): 44.5 -> 44 and 11.
    EXPECT_EQ(t[8], rgb(44, 11, 0));
}

TEST(Colors, OtherScaleNumbersLeaveTheTableAsItWas) {
    ColorTable t{};
    t.fill(rgb(1, 2, 3));
    InicolorScale(0, t);
    InicolorScale(8, t);
    EXPECT_EQ(t[100], rgb(1, 2, 3));
}

TEST(Colors, PositionPicksIndexWithHalvesToEven) {
    ColorTable t{};
    InicolorScale(1, t);
    EXPECT_EQ(calCor(0, t), QStringLiteral("ff000000"));   // largest value: black
    EXPECT_EQ(calCor(1, t), QStringLiteral("ffffffff"));   // smallest value: white
    EXPECT_EQ(calCor(0.5, t), QStringLiteral("ff0070c5")); // 127.5 -> 128: (197, 112, 0)
}

TEST(Colors, PositionOutsideTheScaleIsASubscriptError) {
    ColorTable t{};
    for (double pos : {-0.01, 1.01}) {
        try {
            calCor(pos, t);
            ADD_FAILURE() << pos;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, 9);
        }
    }
}

TEST(Colors, CustomBlendFromBlackToWhite) {
    ColorTable t{};
    BlendColors(rgb(0, 0, 0), rgb(255, 255, 255), 256, t);
    EXPECT_EQ(t[0], rgb(0, 0, 0));
    EXPECT_EQ(t[128], rgb(128, 128, 128)); // 128 x 255 / 256 = 127.5 -> 128
    EXPECT_EQ(t[254], rgb(253, 253, 253)); // 254 x 255 / 256 = 253.0
    EXPECT_EQ(t[255], rgb(255, 255, 255));
}

TEST(Colors, BlendOfFewerThanTwoStepsTakesTwo) {
    ColorTable t{};
    t.fill(7);
    BlendColors(rgb(10, 0, 0), rgb(0, 0, 10), 1, t);
    EXPECT_EQ(t[0], rgb(10, 0, 0));
    EXPECT_EQ(t[1], rgb(0, 0, 10));
    EXPECT_EQ(t[2], 7u);
}

} // namespace
