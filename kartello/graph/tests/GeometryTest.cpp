#include "graph/Geometry.h"
#include "graph/ArcSinLink.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

#include "ParamName.h"
#include <QStringList>
#include <cmath>

#include <gtest/gtest.h>

using namespace kartello;

namespace {

struct Recorder {
    QStringList messages;
    ErrorSink sink() {
        return [this](const QString& m) {
            messages << m;
        };
    }
};

struct DistanceCase {
    const char* name;
    double lat1, lat2, lon1, lon2;
    double expected; // nautical miles, worked out from the sailing formulas
};

class DistanceTest : public testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceTest, FollowsRhumbLineSailing) {
    const DistanceCase& c = GetParam();
    Recorder r;
    EXPECT_NEAR(disTancia(c.lat1, c.lat2, c.lon1, c.lon2, r.sink()), c.expected, 1e-6) << c.name;
    EXPECT_TRUE(r.messages.isEmpty());
}

// 20 degrees of longitude along the 10th parallel: 20 x 60 x cos 10 deg.
constexpr double kAcrossDateLine = 1181.7693036146497;

INSTANTIATE_TEST_SUITE_P(
    Cases, DistanceTest,
    testing::Values(DistanceCase{"one degree of longitude on the equator", 0, 0, 0, 1, 60},
                    DistanceCase{"one degree of latitude along a meridian", 0, 1, 5, 5, 60},
                    DistanceCase{"east across the date line", 10, 10, 170, -170, kAcrossDateLine},
                    DistanceCase{"west across the date line", 10, 10, -170, 170, kAcrossDateLine},
                    DistanceCase{"same point", 45, 45, 7, 7, 0}),
    indexName);

TEST(Geometry, RoundDownTruncatesTowardZero) {
    EXPECT_EQ(roundDown(3.7), 3);
    EXPECT_EQ(roundDown(-3.7), -3);
    EXPECT_EQ(roundDown(0.2), 0);
}

TEST(Geometry, ModuloKeepsTheSignOfTheDividend) {
    EXPECT_DOUBLE_EQ(moDl(-1, 6.28318530717958), -1);
    EXPECT_DOUBLE_EQ(moDl(7, 3), 1);
    EXPECT_DOUBLE_EQ(moDl(-7, 3), -1);
}

TEST(Geometry, MidpointIsAKmlTupleWithTrailingBlank) {
    EXPECT_EQ(PontoMedio(10, 20, 30, 40), QStringLiteral("30,20,0 "));
    EXPECT_EQ(PontoMedio(-1, -3, 2, 4), QStringLiteral("0.5,0.5,0 "));
}

TEST(Geometry, MeridionalPartsOfTheSouthPoleAreReportedAndGiveZero) {
    Recorder r;
    EXPECT_EQ(mP(-90, r.sink()), 0);
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_EQ(r.messages[0],
              QStringLiteral("Error 5 (Invalid procedure call or argument) in procedure mP of form "
                             "Main. Please review your data"));
}

TEST(Geometry, MeridionalPartsAreAMagnitude) {
    Recorder r;
    EXPECT_GT(mP(-30, r.sink()), 0);
    EXPECT_NEAR(mP(-30, r.sink()), mP(30, r.sink()), 1e-9);
    EXPECT_NEAR(mP(0, r.sink()), 0, 1e-9);
}

struct StepCase {
    double sides;
    int step;
};

class PolygonStepTest : public testing::TestWithParam<StepCase> {};

TEST_P(PolygonStepTest, RoundsHalvesToEven) {
    EXPECT_EQ(polygonStep(GetParam().sides), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(Cases, PolygonStepTest,
                         testing::Values(StepCase{3, 120}, StepCase{4, 90}, StepCase{5, 72}, StepCase{50, 7},
                                         StepCase{40, 9}, StepCase{1, 360}, StepCase{144, 2}),
                         indexName);

TEST(Geometry, StepThatWouldNeverAdvanceIsAnError) {
    for (double sides : {-4.0, 1000.0, 721.0}) {
        try {
            polygonStep(sides);
            ADD_FAILURE() << sides;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, 5) << sides;
        }
    }
    try {
        polygonStep(0);
        ADD_FAILURE();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 11);
    }
}

TEST(Geometry, SquareStartsNorthWestAndRunsCounterClockwiseAndCloses) {
    QByteArray text;
    CornerRing(90).append(text, 0, 0, 1, 0, ArcSinLink::standard());
    // One nautical mile at 45 degrees: 1/60 x cos 45 = 0.0117851 degrees each
    // way (0.0117854 in longitude); a hundredth of the radius is 1.7e-4
    // degree, so four decimals. North-west, south-west, south-east,
    // north-east, and the first corner again.
    EXPECT_EQ(text, "-0.0118,0.0118,0 -0.0118,-0.0118,0 0.0118,-0.0118,0 0.0118,0.0118,0 -0.0118,0.0118,0 ");
}

TEST(Geometry, CornersKeepAHundredthOfTheRadiusAndNoMore) {
    struct Case {
        double radius; // nautical miles
        int decimals;  // -1: the general number text
    } cases[] = {
        {100, 4},             // never coarser than 1e-4 degree
        {1, 4},               // 1/6000 degree: 5e-5 off at most
        {0.05, 5},            // 8.3e-6 degree
        {0.005, 6},           // 8.3e-7 degree
        {1e-12, -1}, {0, -1}, // every corner on the place
    };
    for (const Case& c : cases)
        EXPECT_EQ(cornerDecimals(c.radius), c.decimals) << c.radius;
}

struct RingCase {
    int step;
    int tuples; // corners, the first one repeated at the end
};

class CornerRings : public testing::TestWithParam<RingCase> {};

TEST_P(CornerRings, EndsOnItsFirstCornerTextForText) {
    QByteArray text;
    CornerRing(GetParam().step).append(text, 45, 7, 10, 123, ArcSinLink::standard());
    const QStringList tuples = QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(tuples.size(), GetParam().tuples);
    EXPECT_EQ(tuples.first(), tuples.last());
    EXPECT_TRUE(text.endsWith(' '));
}

// 50 sides, step 7: bearings 45 .. 402 (52 corners) and the first again; 20
// sides, step 18: 45 .. 387 (20 corners) and the first; 4 sides: 4 and 1.
INSTANTIATE_TEST_SUITE_P(Steps, CornerRings,
                         testing::Values(RingCase{7, 53}, RingCase{18, 21}, RingCase{90, 5},
                                         RingCase{120, 4}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Geometry, FiftySidesCarryTheHeightInEveryTuple) {
    QByteArray text;
    CornerRing(7).append(text, 45, 7, 10, 123, ArcSinLink::standard());
    const QStringList tuples = QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& t : tuples)
        EXPECT_TRUE(t.endsWith(QStringLiteral(",123")));
}

TEST(Geometry, DestinationIsWrappedIntoTheLongitudeRange) {
    const QStringList f = FcoorD(0, 179.999, 60, 270, ArcSinLink::standard()).split(QLatin1Char(','));
    // A bearing of 270 moves east: one degree past 179.999 wraps to -179.001.
    EXPECT_NEAR(f[0].toDouble(), -179.001, 1e-6);
    EXPECT_NEAR(f[1].toDouble(), 0, 1e-9);
    // So far out that 360 is below the longitude's last digit: wrapping must
    // still end, inside the range.
    const double far =
        FcoorD(0, 2e30, 60, 270, ArcSinLink::standard()).section(QLatin1Char(','), 0, 0).toDouble();
    EXPECT_LE(std::fabs(far), 180);
}

TEST(Geometry, MissingLibraryFailsTheFirstDestination) {
    ArcSinLink missing({"/nonexistent/libprobability.so"});
    try {
        FcoorD(10, 10, 1, 45, missing);
        ADD_FAILURE();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 53);
        EXPECT_TRUE(e.description.contains(QStringLiteral("libprobability.so")));
    }
}

} // namespace

namespace {

TEST(Geometry, DestinationTextIsTheGeneralNumberText) {
    // The corner numbers are written by a fast path; they must read exactly
    // as the program's number text writes the same values.
    for (int bearing = 45; bearing <= 405; bearing += 7) {
        for (double dist : {0.0, 1e-9, 0.37, 12.5, 600.0}) {
            const QString text = FcoorD(-33.8688, 151.2093, dist, bearing, ArcSinLink::standard());
            const QStringList f = text.split(QLatin1Char(','));
            ASSERT_EQ(f.size(), 2);
            EXPECT_EQ(f[0], numberText(f[0].toDouble())) << text.toStdString();
            EXPECT_EQ(f[1], numberText(f[1].toDouble())) << text.toStdString();
        }
    }
    const QStringList tiny = FcoorD(0, 0, 1e-10, 90, ArcSinLink::standard()).split(QLatin1Char(','));
    EXPECT_EQ(tiny[0], numberText(tiny[0].toDouble()));
    EXPECT_TRUE(tiny[0].contains(QLatin1Char('E'))) << tiny[0].toStdString();
}

} // namespace
