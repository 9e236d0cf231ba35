// Sets whose extent is zero, empty, at the poles or across the date line:
// every one gives a graph whose coordinates exist.
#include "GraphFixture.h"
#include "GuiEnvironment.h"
#include "graph/Geometry.h"
#include "runtime/Number.h"

#include <gtest/gtest.h>

using namespace kartello;
using namespace kartello::testing_support;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct Tuple {
    double lon, lat;
};

std::vector<Tuple> tuples(const QString& text) {
    std::vector<Tuple> out;
    for (const QString& t : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList f = t.split(u',');
        out.push_back({readNumber(f.value(0)), readNumber(f.value(1))});
    }
    return out;
}

std::vector<Tuple> allCoordinates(const GraphFixture& f) {
    std::vector<Tuple> out;
    for (const QByteArray& c : f.state.placeCoords)
        for (const Tuple& t : tuples(QString::fromUtf8(c)))
            out.push_back(t);
    const QStringList lines = f.state.document.lines();
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].trimmed().startsWith(QStringLiteral("<coordinates>")))
            for (const Tuple& t : tuples(lines[i + 1]))
                out.push_back(t);
    return out;
}

struct SizeCase {
    const char* name;
    std::vector<Place> places;
    bool autoSize;
    const char* sizeFactor; // TxtCircRaio after the run
};

class ZeroExtent : public testing::TestWithParam<SizeCase> {};

// w = 4 x 60 x cos 10 deg = 236.354 nm over two gaps: 118.18 -> "118";
// 4 degrees of latitude = 240 nm over two gaps -> "120"; a point: 1 km.
TEST_P(ZeroExtent, FallsBackToASizeInsteadOfDividingByZero) {
    GraphFixture f;
    const auto& c = GetParam();
    int i = 0;
    for (const Place& p : c.places) {
        f.store.at(i, ColLatitude) = Cell(p.lat);
        f.store.at(i, ColLongitude) = Cell(p.lon);
        f.store.at(i, ColValue) = Cell(p.value);
        f.store.at(i, ColName) = Cell(QString::fromUtf8(p.name));
        ++i;
    }
    f.lastPlace = i - 1;
    f.plainOptions();
    f.options.sizeConstant = false;
    f.options.sizeByValue = true;
    f.options.autoSize = c.autoSize;
    f.options.sizeFactorText = QStringLiteral("2");
    ASSERT_TRUE(f.generate()) << f.ui.lastMessage().toStdString();
    EXPECT_TRUE(f.ui.messages.empty()) << f.ui.lastMessage().toStdString();
    EXPECT_EQ(f.options.sizeFactorText, QString::fromUtf8(c.sizeFactor));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ZeroExtent,
    testing::Values(
        SizeCase{"equal values", {{10, 20, 4, "A"}, {11, 21, 4, "B"}}, false, "2"},
        SizeCase{"one parallel", {{10, 20, 1, "A"}, {10, 22, 2, "B"}, {10, 24, 3, "C"}}, true, "118"},
        SizeCase{"one meridian", {{10, 20, 1, "A"}, {12, 20, 2, "B"}, {14, 20, 3, "C"}}, true, "120"},
        SizeCase{"one point", {{10, 20, 1, "A"}, {10, 20, 2, "B"}}, true, ".540"},
        SizeCase{"one place", {{10, 20, 1, "A"}}, true, ".540"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Extent, EqualValuesSitMidScaleInSizeAsInColour) {
    GraphFixture f;
    f.places({{10, 20, 4, "A"}, {11, 21, 4, "B"}});
    f.plainOptions();
    f.options.sizeConstant = false;
    f.options.sizeByValue = true;
    f.options.sizeFactorText = QStringLiteral("2");
    f.options.sidesText = QStringLiteral("4");
    ASSERT_TRUE(f.generate());
    // Radius 0.5 x 2 x 0.5 = 0.5 nm; the first corner lies north-west, its
    // latitude 0.5 / 60 x cos 45 deg = 0.0058926 degrees north of the place,
    // its longitude 0.0058926 / cos 10.0059 deg = 0.0059837 west. A hundredth
    // of the radius is 8.3e-5 degree, so four decimals (at most 5e-5 off)
    // are written: 19.9940163 and 10.0058926 become 19.994 and 10.0059.
    const QStringList l = f.state.document.lines();
    const QString ring = l.value(l.indexOf(QStringLiteral("       <coordinates>")) + 1);
    const auto t = tuples(ring);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_TRUE(ring.startsWith(QStringLiteral("19.994,10.0059,")));
}

TEST(Extent, PlacesOnOneParallelAreFramedByTheirEastWestExtent) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {10, 24, 2, "B"}});
    f.plainOptions();
    ASSERT_TRUE(f.generate());
    // exp(0.98113607 x ln(236.3539 / 0.5399555) + 7.18472179)
    EXPECT_NEAR(f.state.camera.range, 514832.859, 0.01);
}

TEST(Extent, EmptySetIsRefusedWithAClearMessage) {
    GraphFixture f;
    f.plainOptions();
    f.lastPlace = -1;
    EXPECT_FALSE(f.generate());
    EXPECT_EQ(f.ui.lastMessage(),
              QStringLiteral("There are no places to graph. Open a file or remove the filter."));
    EXPECT_TRUE(f.state.document.lines().isEmpty());
}

TEST(Extent, SetAcrossTheDateLineIsWorkedOnTheShorterArc) {
    GraphFixture f;
    f.places({{-18, 178, 1, "Fiji"}, {-14, -172, 2, "Samoa"}});
    f.plainOptions();
    f.options.grid = true;
    ASSERT_TRUE(f.generate());
    // Box 178 .. 188 (= -172): the middle is 183, that is -177.
    EXPECT_EQ(f.state.camera.longitude, QStringLiteral("-177"));
    EXPECT_EQ(f.state.camera.latitude, QStringLiteral("-16"));
    // Ten degrees across, not 350: the range of a 10 x 4 degree box.
    EXPECT_LT(f.state.camera.range, 2.0e6);
    const auto all = allCoordinates(f);
    ASSERT_FALSE(all.empty());
    for (const Tuple& t : all) {
        EXPECT_LE(std::fabs(t.lon), 180);
        EXPECT_TRUE(t.lon >= 176 || t.lon <= -170) << t.lon; // near the date line, never round the globe
    }
}

struct PoleCase {
    const char* name;
    std::vector<Place> places;
};

class Poles : public testing::TestWithParam<PoleCase> {};

TEST_P(Poles, NoCoordinatePassesAPoleOrTheDateLine) {
    GraphFixture f;
    int i = 0;
    for (const Place& p : GetParam().places) {
        f.store.at(i, ColLatitude) = Cell(p.lat);
        f.store.at(i, ColLongitude) = Cell(p.lon);
        f.store.at(i, ColValue) = Cell(p.value);
        f.store.at(i, ColName) = Cell(QString::fromUtf8(p.name));
        ++i;
    }
    f.lastPlace = i - 1;
    f.plainOptions();
    f.options.sizeText = QStringLiteral("10");
    f.options.grid = true;
    ASSERT_TRUE(f.generate()) << f.ui.lastMessage().toStdString();
    EXPECT_TRUE(f.ui.messages.empty()) << f.ui.lastMessage().toStdString();
    for (const Tuple& t : allCoordinates(f)) {
        EXPECT_LE(std::fabs(t.lat), 90) << t.lat;
        EXPECT_LE(std::fabs(t.lon), 180) << t.lon;
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, Poles,
                         testing::Values(PoleCase{"both poles", {{90, 0, 1, "N"}, {-90, 10, 2, "S"}}},
                                         PoleCase{"near north", {{85, 170, 1, "A"}, {89, 179, 2, "B"}}},
                                         PoleCase{"south east",
                                                  {{-80, -179, 1, "A"}, {-89.5, -170, 2, "B"}}}),
                         [](const auto& info) { return std::to_string(info.index); });

struct SpanCase {
    std::vector<double> longitudes;
    double west, east;
};

class ShorterArc : public testing::TestWithParam<SpanCase> {};

TEST_P(ShorterArc, SpanIsOutsideTheWidestGap) {
    const LongitudeSpan s = shorterArcSpan(GetParam().longitudes);
    EXPECT_DOUBLE_EQ(s.west, GetParam().west);
    EXPECT_DOUBLE_EQ(s.east, GetParam().east);
}

INSTANTIATE_TEST_SUITE_P(Sets, ShorterArc,
                         testing::Values(SpanCase{{178, -172}, 178, 188}, SpanCase{{-9, 4, -2}, -9, 4},
                                         SpanCase{{170, -170, 175}, 170, 190}, SpanCase{{5}, 5, 5},
                                         SpanCase{{-170, 10, 170}, 10, 190}, SpanCase{{370, 0}, 0, 10}),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace
