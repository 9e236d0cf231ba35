#include "graph/Scaling.h"

#include "ParamName.h"
#include <QStringList>
#include <cmath>

#include <gtest/gtest.h>

using namespace kartello;

namespace {

ErrorSink ignore() {
    return [](const QString&) {
    };
}

TEST(Scaling, AltitudeIsTheBulgeOverTheChordPlusFivePercent) {
    // R = 10800 / pi; (R - sqrt(R^2 - 50^2)) x 1852 x 1.05 for a 100 nm diagonal.
    EXPECT_NEAR(altitude(100, ignore()), 707.1139108890555, 1e-6);
    EXPECT_EQ(altitude(0, ignore()), 0);
    EXPECT_EQ(altitude(3438, ignore()), 50000); // past one earth radius
}

struct FactorCase {
    double x;
    const char* text;
};

class FormatFactorTest : public testing::TestWithParam<FactorCase> {};

TEST_P(FormatFactorTest, PatternFollowsMagnitude) {
    EXPECT_EQ(FormatFactor(GetParam().x), QString::fromUtf8(GetParam().text)) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatFactorTest,
                         testing::Values(FactorCase{150.4, "150"}, FactorCase{99.5, "100"},
                                         FactorCase{50, "50.0"}, FactorCase{10, "10.00"},
                                         FactorCase{2.5, "2.50"}, FactorCase{1, "1.000"},
                                         FactorCase{0.5, ".500"}, FactorCase{0.1, ".1000"},
                                         FactorCase{0.05, ".0500"}, FactorCase{0.001, ""},
                                         FactorCase{0.0005, ""}, FactorCase{-3, ""}),
                         indexName);

TEST(Scaling, HeightBaseFollowsTheExtentPowerLaw) {
    // exp(0.8306 ln(e) + 6.6993) = exp(7.5299)
    EXPECT_NEAR(heightBase(std::exp(1.0)), std::exp(7.5299), 1e-6);
    EXPECT_NEAR(heightBase(1), std::exp(6.6993), 1e-9);
}

TEST(Scaling, SetOnOnePointIsTakenAsOneKilometreAcross) {
    EXPECT_EQ(heightBase(0), heightBase(1));
}

TEST(Scaling, RoundUpRoundsUpUnlessTheExcessIsTiny) {
    EXPECT_DOUBLE_EQ(RoundUp(2, 1), 2);
    EXPECT_DOUBLE_EQ(RoundUp(2.01, 1), 2.1);
    EXPECT_DOUBLE_EQ(RoundUp(0.123, 2), 0.13);
    EXPECT_DOUBLE_EQ(RoundUp(-0.123, 2), -0.12);
}

TEST(Scaling, LabelRoundingTakesHalvesToEven) {
    EXPECT_DOUBLE_EQ(roundDecimals(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(roundDecimals(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(roundDecimals(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(roundDecimals(-5, 2), -5);
}

TEST(Scaling, SmallerTakesTheFirstUnlessItIsLarger) {
    EXPECT_EQ(smaller(1, 2), 1);
    EXPECT_EQ(smaller(3, 2), 2);
}

} // namespace
