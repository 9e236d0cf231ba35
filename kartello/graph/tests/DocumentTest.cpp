// Whole documents of small graphs, worked out line by line from the rules
// of the document writer.
#include "GraphFixture.h"
#include "GuiEnvironment.h"
#include "graph/KmlDocument.h"
#include "graph/Overlays.h"
#include "graph/TimeStamp.h"

#include <QElapsedTimer>
#include <cmath>
#include <gtest/gtest.h>

using namespace kartello;
using namespace kartello::testing_support;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

const char* const kIcon =
    "     <IconStyle><Icon><href>root://icons/palette-2.png</href><x>224</x><y>224</y><w>32</w>"
    "<h>32</h></Icon></IconStyle>";

QStringList head(const char* lon, const char* lat, const char* range, const char* tilt, const char* heading) {
    return {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
            "<kml xmlns=\"http://www.opengis.net/kml/2.2\">",
            "<!-- Processed by Kartello 2.2.1 -->",
            "<Document>",
            "()_+",
            "  <open>1</open>",
            "  <LookAt>",
            QStringLiteral("    <longitude>%1</longitude>").arg(lon),
            QStringLiteral("    <latitude>%1</latitude>").arg(lat),
            QStringLiteral("    <heading>%1</heading>").arg(heading),
            QStringLiteral("    <tilt>%1</tilt>").arg(tilt),
            QStringLiteral("    <range>%1</range>").arg(range),
            "  </LookAt>"};
}

// The shared style of one fill colour, without outline.
QStringList style(const char* color) {
    return {QStringLiteral("  <Style id=\"fill_%1\">").arg(color),
            kIcon,
            "       <PolyStyle>",
            QStringLiteral("         <color>%1</color>").arg(color),
            "         <outline>0</outline>",
            "       </PolyStyle>",
            "  </Style>"};
}

QStringList polygon(const char* name, const char* value, const char* color, const QString& coords,
                    bool extruded) {
    return {"<Placemark>",
            QStringLiteral(" <name>%1</name>").arg(name),
            QStringLiteral(" <styleUrl>#fill_%1</styleUrl>").arg(color),
            QStringLiteral(" <ExtendedData><Data name=\"value\"><value>%1</value></Data></ExtendedData>")
                .arg(value),
            " <Polygon>",
            extruded ? "    <extrude>1</extrude>" : "    <extrude>0</extrude>",
            extruded ? "    <altitudeMode>relativeToGround</altitudeMode>"
                     : "    <altitudeMode>clampedToGround</altitudeMode>",
            "    <outerBoundaryIs>",
            "      <LinearRing>",
            "       <coordinates>",
            coords,
            "       </coordinates>",
            "      </LinearRing>",
            "   </outerBoundaryIs>",
            " </Polygon>",
            "</Placemark>"};
}

QString square(const char* tuple) {
    return QString(QStringLiteral("%1 ").arg(tuple)).repeated(5);
}

const QStringList kFolderHead = {"<Folder>", "  <open>0</open>", " <name>Graph</name>"};
const QStringList kTail = {"</Document>", "</kml>"};

void expectLines(const QStringList& actual, const QStringList& expected) {
    for (int i = 0; i < std::min(actual.size(), expected.size()); ++i)
        ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    ASSERT_EQ(actual.size(), expected.size());
}

// Places (10, 20) and (12, 24): box centre 22, 11; north-south extent 120 nm,
// east-west along the 11th parallel 240 x cos 11 deg = 235.5905 nm; the camera
// range is exp(0.98113607 x ln(235.5905 / 0.5399555) + 7.18472179).
const char* const kFlatRange = "513201.452359844";
const char* const k3dRange = "667161.888067797"; // x 1.3

TEST(Document, TwoPlacesFlatConstant) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    ASSERT_TRUE(f.generate());
    const QStringList expected = head("22", "11", kFlatRange, "0", "0") + style("af0000ff") + kFolderHead +
                                 polygon("A", "1", "af0000ff", square("20,10,0"), false) +
                                 polygon("B", "2", "af0000ff", square("24,12,0"), false) +
                                 QStringList{"</Folder>"} + kTail;
    expectLines(f.state.document.lines(), expected);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(Document, ThreeDimensionalVariableWithGreyScale) {
    GraphFixture f;
    f.places({{10, 20, 0, "A"}, {12, 24, 10, "B"}});
    f.plainOptions();
    f.options.flat = false;
    f.options.threeD = true;
    f.greyColourByValue();
    f.options.autoColorScale = true;
    f.heightByValue();
    f.options.autoHeight = true;
    ASSERT_TRUE(f.generate());
    // Diagonal 265.766 nm: altitude to add 4996.08 m. Extent 436.31 km: base
    // height 126498.9 m, factor 12649.89 per unit. Value 10: 126498 + 4996.
    const QStringList expected =
        head("22", "11", k3dRange, "63", "-45") + style("ffffffff") + style("ff000000") + kFolderHead +
        polygon("A", "0", "ffffffff", square("20,10,4996"), true) +
        polygon("B", "10", "ff000000", square("24,12,131494"), true) + QStringList{"</Folder>"} + kTail;
    expectLines(f.state.document.lines(), expected);
    EXPECT_EQ(f.options.altitudeToAddText, QStringLiteral("4996"));
    EXPECT_EQ(f.options.heightFactorText, QStringLiteral("12650"));
    EXPECT_EQ(f.options.scaleMinText, QStringLiteral("0"));
    EXPECT_EQ(f.options.scaleMaxText, QStringLiteral("10"));
}

TEST(Document, AllHeightsZeroIsFlatEvenIn3D) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    f.options.flat = false;
    f.options.threeD = true;
    ASSERT_TRUE(f.generate());
    EXPECT_EQ(f.state.document.lines().count(QStringLiteral("    <extrude>0</extrude>")), 2);
    EXPECT_EQ(f.state.document.lines()[10], QStringLiteral("    <tilt>63</tilt>"));
}

TEST(Document, OneSharedStylePerColourInsteadOfOnePerPlacemark) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}, {11, 22, 1, "C"}});
    f.plainOptions();
    f.greyColourByValue();
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    // Values 1, 2, 1 on the grey ramp: white for 1, black for 2; two styles.
    EXPECT_EQ(l.mid(13, 14), style("ffffffff") + style("ff000000"));
    EXPECT_EQ(l.count(QStringLiteral(" <styleUrl>#fill_ffffffff</styleUrl>")), 2);
    EXPECT_EQ(l.count(QStringLiteral(" <styleUrl>#fill_ff000000</styleUrl>")), 1);
    EXPECT_EQ(l.count(QStringLiteral("   <Style>")), 0);
}

TEST(Document, ConstantHeightInKilometresIsWholeMetresBelow) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    f.options.flat = false;
    f.options.threeD = true;
    f.options.heightText = QStringLiteral("10");
    f.options.heightUnitFactor = 0.5399555 / 0.0005399568; // Kilometers: 999.9975924 m
    ASSERT_TRUE(f.generate());
    EXPECT_TRUE(f.state.document.lines().contains(square("20,10,9999"))); // Int(9999.975924)
    EXPECT_EQ(f.state.document.lines().count(QStringLiteral("    <extrude>1</extrude>")), 2);
}

TEST(Document, OutlineAddsLineStyleWithOutlineColour) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    f.options.outline = true;
    f.options.outlineColor = 0x00FF00;
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    const int at = l.indexOf(QStringLiteral("         <outline>1</outline>"));
    ASSERT_GT(at, 0);
    // The schema puts LineStyle before PolyStyle.
    EXPECT_EQ(l.mid(at - 5, 5),
              (QStringList{"      <LineStyle>", "         <color>ff00ff00</color>", "      </LineStyle>",
                           "       <PolyStyle>", "         <color>af0000ff</color>"}));
    EXPECT_EQ(l.count(QStringLiteral("      <LineStyle>")), 1);
}

TEST(Document, GridOverNineDegreesHasTwelveLinesOneDegreeApart) {
    GraphFixture f;
    f.places({{0, 0, 1, "A"}, {9, 3, 2, "B"}});
    f.plainOptions();
    f.options.grid = true;
    f.options.gridColor = 0xFFFFFF;
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    const int at = l.indexOf(QStringLiteral(" <name>Grids</name>"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(l[at + 3], QStringLiteral("      <LineStyle>"));
    EXPECT_EQ(l[at + 4], QStringLiteral("         <color>acffffff</color>"));
    EXPECT_EQ(l[at + 7], QStringLiteral("   <MultiGeometry>"));
    // g = 9 / 9 = 1: meridians from -1 to 4, parallels from -1 to 10.
    EXPECT_EQ(l.mid(at + 8, 6),
              (QStringList{"   <LineString>", "     <tessellate>1</tessellate>", "     <coordinates>",
                           "      -1,-1,0 -1,10,0", "    </coordinates>", "   </LineString>"}));
    EXPECT_EQ(l.count(QStringLiteral("     <tessellate>1</tessellate>")), 6);
    EXPECT_EQ(l.count(QStringLiteral("      <tessellate>1</tessellate>")), 12);
    EXPECT_TRUE(l.contains(QStringLiteral("      -1,10,0 4,10,0")));
    EXPECT_EQ(l[l.size() - 4], QStringLiteral("</MultiGeometry>"));
    EXPECT_EQ(l[l.size() - 3], QStringLiteral("</Placemark>"));
}

TEST(Document, PlacesOnOnePointGetNoGridAndStillAGraph) {
    GraphFixture f;
    f.places({{45, 7, 3, "Only"}});
    f.plainOptions();
    f.options.threeD = true;
    f.options.flat = false;
    f.heightByValue();
    f.options.autoHeight = true;
    f.options.grid = true;
    ASSERT_TRUE(f.generate()) << f.ui.lastMessage().toStdString();
    EXPECT_FALSE(f.state.document.lines().contains(QStringLiteral(" <name>Grids</name>")));
    // No extent: taken as 1 km across, base height exp(6.6993) = 811.8 m for
    // the largest value 3, so a factor of 270.6 and a polygon 811 m high.
    EXPECT_EQ(f.options.heightFactorText, QStringLiteral("271"));
    EXPECT_TRUE(f.state.document.lines().contains(square("7,45,811")));
}

TEST(Document, TitleAtTopPutsScaleAtBottom) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    f.options.showTitle = true;
    f.options.title1 = QStringLiteral("Rain");
    f.options.titleTop = true;
    f.options.showScale = true;
    f.options.scaleTop = true; // ignored under a title
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    const int at = l.indexOf(QStringLiteral("<ScreenOverlay>"));
    ASSERT_GT(at, 0);
    const QStringList expected = {
        "<ScreenOverlay>",
        "  <name>Title</name>",
        "  <Icon>",
        "$%&&%$",
        "    <viewBoundScale>0.75</viewBoundScale>",
        "  </Icon>",
        "  <overlayXY x=\"0.02\" y=\"0.97\"  xunits= \"fraction\"  yunits= \"fraction\" />",
        "  <screenXY x=\"0.02\" y=\"0.97\" xunits=\"fraction\" yunits=\"fraction\"/>",
        "</ScreenOverlay>",
        "<ScreenOverlay>",
        "  <name>ColorScale</name>",
        "  <Icon>",
        "&&%%$$",
        "    <viewBoundScale>0.75</viewBoundScale>",
        "  </Icon>",
        "  <overlayXY x=\"0.3\" y=\"0.03\"  xunits= \"fraction\"  yunits= \"fraction\"/>",
        "  <screenXY x=\"0.3\" y=\"0.03\" xunits=\"fraction\" yunits=\"fraction\"/>",
        "</ScreenOverlay>",
        "</Document>",
        "</kml>"};
    expectLines(l.mid(at), expected);
    EXPECT_FALSE(f.state.titleImage.isNull());
    EXPECT_FALSE(f.state.scaleImage.isNull());
}

TEST(Document, ScaleWithoutTitleFollowsItsOwnPosition) {
    for (bool top : {true, false}) {
        GraphFixture f;
        f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
        f.plainOptions();
        f.options.showScale = true;
        f.options.scaleTop = top;
        ASSERT_TRUE(f.generate());
        const QString y = top ? QStringLiteral("0.97") : QStringLiteral("0.03");
        EXPECT_TRUE(f.state.document.lines().contains(
            QStringLiteral("  <screenXY x=\"0.3\" y=\"") + y +
            QStringLiteral("\" xunits=\"fraction\" yunits=\"fraction\"/>")));
    }
}

QStringList label(const QString& name, const char* coords) {
    return {" <Placemark>",
            QStringLiteral("  <name>%1</name>").arg(name),
            "  <styleUrl>#label</styleUrl>",
            "    <Point>",
            "      <altitudeMode>relativeToGround</altitudeMode>",
            QStringLiteral("      <coordinates>%1</coordinates>").arg(coords),
            "    </Point>",
            "  </Placemark>"};
}

TEST(Document, LabelsOfAShiftedNegativeSetShowTheOriginalValues) {
    GraphFixture f;
    f.places({{10, 20, -5, "A"}, {11, 21, 0, "B"}, {12, 22.5, 10.125, "C&D"}, {12, 22.5, 3, "C&D"}});
    f.plainOptions();
    f.options.labels = LabelKind::NameAndValue;
    f.options.labelColor = 0xFFFFFF;
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    const int at = l.indexOf(QStringLiteral(" <name>Names/Values</name>"));
    ASSERT_GT(at, 1);
    // Values moved up by 6 (-5 -> 1) are shown less 6 again; 10.125 has two
    // decimals with halves to even: 10.12. The second "C&D" gets no label.
    const QStringList expected = QStringList{" <Folder>", "  <open>0</open>", " <name>Names/Values</name>"} +
                                 label("A - -5", "20,10,0") + label("B - 0", "21,11,0") +
                                 label("C&amp;D - 10.12", "22.5,12,0") + QStringList{" </Folder>"} + kTail;
    expectLines(l.mid(at - 2), expected);
    // Every label refers to one shared style, after the fill colours' one.
    const QStringList labelStyle = {"  <Style id=\"label\">",
                                    "   <IconStyle><Icon>",
                                    "     </Icon></IconStyle>",
                                    "   <LabelStyle><color>ffffffff</color><scale>0.7</scale></LabelStyle>",
                                    "  </Style>",
                                    "<Folder>"};
    expectLines(l.mid(l.indexOf(QStringLiteral("  <Style id=\"label\">")), labelStyle.size()), labelStyle);
    EXPECT_TRUE(f.state.valuesShifted);
    EXPECT_EQ(f.store.at(0, ColValue).toNumber(), 1);
    EXPECT_EQ(f.store.at(2, ColValue).toNumber(), 16.125);
}

TEST(Document, NegativeSetWithTransformAsksAndNoWritesNothing) {
    GraphFixture f;
    f.places({{10, 20, -5, "A"}, {11, 21, 10, "B"}});
    f.plainOptions();
    f.options.logTransform = true;
    f.ui.answers = {MsgAnswer::No};
    EXPECT_FALSE(f.generate());
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text,
              QStringLiteral("Sorry, no log or square root transform for negative value.\r\n"
                             "Proceed ?"));
    EXPECT_EQ(f.ui.messages[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(f.ui.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(f.state.document.lines().isEmpty());
}

TEST(Document, NegativeSetWithTransformAndYesDropsTheTransform) {
    GraphFixture f;
    f.places({{10, 20, -5, "A"}, {11, 21, 10, "B"}});
    f.plainOptions();
    f.options.logTransform = true;
    f.ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(f.generate());
    EXPECT_FALSE(f.options.logTransform);
    EXPECT_EQ(f.state.valueMin, 1);
    EXPECT_EQ(f.state.valueMax, 16);
}

TEST(Document, MissingArcSineStopsAfterOneMessage) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
    f.plainOptions();
    ArcSinLink missing({"/nonexistent/libprobability.so"});
    PlaceRange range{f.store, f.lastPlace};
    GraphRun run{f.options, range, f.state, f.ui, missing, false, nullptr};
    EXPECT_FALSE(generateGraph(run));
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text,
              QStringLiteral("Error 53 (File not found: libprobability.so) in procedure "
                             "FcoorD of form Main"));
}

// Enough places for the corners to be made on a second thread: a corner
// that cannot be placed deep in the set (a latitude that is not a number)
// is still reported once, at its place, and nothing is written.
TEST(Document, CornerFaultDeepInALargeSetStopsAfterOneMessage) {
    GraphFixture f;
    for (int i = 0; i < 300; ++i) {
        f.store.at(i, ColLatitude) = Cell(i == 250 ? std::nan("") : 10 + i * 0.01);
        f.store.at(i, ColLongitude) = Cell(20 + i * 0.01);
        f.store.at(i, ColValue) = Cell(double(i));
        f.store.at(i, ColName) = Cell(QStringLiteral("P%1").arg(i));
    }
    f.lastPlace = 299;
    f.plainOptions();
    EXPECT_FALSE(f.generate());
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(
        f.ui.messages[0].text,
        QStringLiteral("Error 5 (Invalid procedure call or argument) in procedure FcoorD of form Main"));
    EXPECT_TRUE(f.state.document.isEmpty());
}

TEST(Document, OnlySaveWritesNamedPlacemarksWithTheirColours) {
    GraphFixture f;
    f.places({{10, 20, 0, "A"}, {12, 24, 10, "B"}});
    f.options.nothing = true;
    f.options.colorByValue = true;
    f.options.colorScaleChoice = 7;
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    EXPECT_EQ(l[11], QStringLiteral("    <range>") + kFlatRange + QStringLiteral("</range>"));
    EXPECT_EQ(l[10], QStringLiteral("    <tilt>0</tilt>"));
    const QStringList firstStyle = {"  <Style id=\"fill_ffffffff\">",
                                    kIcon,
                                    "      <LineStyle>",
                                    "         <color>ff000000</color>",
                                    "      </LineStyle>",
                                    "       <PolyStyle>",
                                    "         <color>ffffffff</color>",
                                    "         <outline>0</outline>",
                                    "       </PolyStyle>",
                                    "  </Style>"};
    EXPECT_EQ(l.mid(13, firstStyle.size()), firstStyle);
    const int at = l.indexOf(QStringLiteral(" <name>A</name>"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(l.mid(at, 6),
              (QStringList{" <name>A</name>", " <styleUrl>#fill_ffffffff</styleUrl>",
                           " <ExtendedData><Data name=\"value\"><value>0</value></Data></ExtendedData>",
                           " <Point>", "    <coordinates>20,10,0</coordinates>", " </Point>"}));
}

TEST(Document, PlacesWithATimeCarryATimeStampBetweenNameAndStyle) {
    GraphFixture f;
    f.places({{10, 20, 1, "A"}, {10, 20, 2, "A"}, {12, 24, 3, "B"}});
    f.store.row(0).time = QStringLiteral("2019/05/01 00:00:00");
    f.store.row(1).time = QStringLiteral("2020");
    f.store.row(2).time = QStringLiteral("next spring");
    f.plainOptions();
    f.options.labels = LabelKind::Name;
    ASSERT_TRUE(f.generate());
    const QStringList& l = f.state.document.lines();
    const QString stamp2019 = QStringLiteral(" <TimeStamp><when>2019-05-01T00:00:00</when></TimeStamp>");
    const QString stamp2020 = QStringLiteral(" <TimeStamp><when>2020</when></TimeStamp>");
    const int first = l.indexOf(QStringLiteral(" <name>A</name>"));
    ASSERT_GT(first, 0);
    EXPECT_EQ(l.mid(first, 3),
              (QStringList{" <name>A</name>", stamp2019, " <styleUrl>#fill_af0000ff</styleUrl>"}));
    EXPECT_EQ(l.mid(first + 1 + l.mid(first + 1).indexOf(QStringLiteral(" <name>A</name>")), 3),
              (QStringList{" <name>A</name>", stamp2020, " <styleUrl>#fill_af0000ff</styleUrl>"}));
    // B's time is no date: B is drawn without one, and the person is told once.
    const int b = l.indexOf(QStringLiteral(" <name>B</name>"));
    EXPECT_EQ(l[b + 1], QStringLiteral(" <styleUrl>#fill_af0000ff</styleUrl>"));
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_TRUE(f.ui.messages[0].text.contains(QStringLiteral("\"next spring\"")))
        << f.ui.messages[0].text.toStdString();
    // The same place at two times gets a label at each, before its style.
    const int labelA = l.indexOf(QStringLiteral("  <name>A</name>"));
    EXPECT_EQ(l.mid(labelA, 3),
              (QStringList{"  <name>A</name>", stamp2019, "  <styleUrl>#label</styleUrl>"}));
    EXPECT_EQ(l.count(QStringLiteral("  <name>A</name>")), 2);
}

TEST(Document, NaturalBreaksColourEachClassAndClassHeightRaisesItsPlaces) {
    GraphFixture f;
    f.places({{10, 20, 1, "a"},
              {10, 21, 2, "b"},
              {10, 22, 3, "c"},
              {11, 20, 10, "d"},
              {11, 21, 11, "e"},
              {11, 22, 12, "f"},
              {12, 24, 20, "g"}});
    f.plainOptions();
    f.greyColourByValue();
    f.heightByValue();
    f.options.heightFactorText = QStringLiteral("1");
    f.options.altitudeToAddText = QStringLiteral("0");
    f.options.classMethod = ClassMethod::NaturalBreaks;
    f.options.classCount = 3;
    f.options.classHeight = true;
    ASSERT_TRUE(f.generate());
    // Classes 1-3, 10-12 and 20 on the grey ramp: entries 255, 128 and 0.
    const QStringList& l = f.state.document.lines();
    EXPECT_EQ(l.count(QStringLiteral(" <styleUrl>#fill_ffffffff</styleUrl>")), 3);
    EXPECT_EQ(l.count(QStringLiteral(" <styleUrl>#fill_ff808080</styleUrl>")), 3);
    EXPECT_EQ(l.count(QStringLiteral(" <styleUrl>#fill_ff000000</styleUrl>")), 1);
    // A metre per unit: each place stands at its class's largest value.
    EXPECT_EQ(f.state.heights, (std::vector<long long>{3, 3, 3, 12, 12, 12, 20}));
    // The scale image is the legend: one row per class.
    EXPECT_EQ(f.state.scaleImage.size(), ClassLegend(f.state.colorScale, {1, {3, 12, 20}}).size());
}

struct WhenCase {
    const char* in;
    const char* out; // "" for a time that is left out
};

class KmlWhen : public testing::TestWithParam<WhenCase> {};

TEST_P(KmlWhen, SchemaDateFormsOrNothing) {
    EXPECT_EQ(kmlWhen(QString::fromUtf8(GetParam().in)), QString::fromUtf8(GetParam().out)) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(
    Times, KmlWhen,
    testing::Values(WhenCase{"2019", "2019"}, WhenCase{"2019-5", "2019-05"},
                    WhenCase{"2019/05/01", "2019-05-01"},
                    WhenCase{" 2020/01/05 00:00:00 ", "2020-01-05T00:00:00"},
                    WhenCase{"2020-01-05 13:45", "2020-01-05T13:45:00"},
                    WhenCase{"2019-05-01T12:00:00Z", "2019-05-01T12:00:00Z"},
                    WhenCase{"2020/01/05 00:00:00+02", "2020-01-05T00:00:00+02:00"},
                    WhenCase{"2020-01-05T10:00:00.250-0530", "2020-01-05T10:00:00.250-05:30"},
                    WhenCase{"2020-02-29", "2020-02-29"}, WhenCase{"", ""}, WhenCase{"next spring", ""},
                    WhenCase{"2019-13", ""}, WhenCase{"2019-02-29", ""}, WhenCase{"0000", ""},
                    WhenCase{"2020-01-05T24:00:00", ""}, WhenCase{"2020-01-05T10:00:00+15", ""},
                    WhenCase{"12:00", ""}, WhenCase{"2019-05-01 12:00:00 UTC", ""}, WhenCase{"20190501", ""}),
    [](const auto& info) { return std::to_string(info.index); });

struct XmlCase {
    const char16_t* in;
    const char16_t* out;
};

class XmlSafe : public testing::TestWithParam<XmlCase> {};

TEST_P(XmlSafe, KeepsOnlyPredefinedEntitiesAndValidCharacterReferences) {
    EXPECT_EQ(xmlSafe(QString::fromUtf16(GetParam().in)), QString::fromUtf16(GetParam().out));
}

// A name of 400 000 "&" once took a search to the end of the name for every
// "&" (17 s); a reference is looked for only as far as one can reach.
TEST(XmlSafeLongNames, ManyAmpersandsAreEscapedInOnePass) {
    QElapsedTimer clock;
    clock.start();
    const QString safe = xmlSafe(QString(400000, u'&'));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(safe, QStringLiteral("&amp;").repeated(400000));
}

INSTANTIATE_TEST_SUITE_P(
    Names, XmlSafe,
    testing::Values(XmlCase{u"A & B <c>", u"A &amp; B &lt;c&gt;"},
                    XmlCase{u"Caf&#233; &amp; bar", u"Caf&#233; &amp; bar"},
                    XmlCase{u"S\u00e3o Paulo", u"S\u00e3o Paulo"},
                    XmlCase{u"&lt;&gt;&quot;&apos;&#xE9;&#x1F600;", u"&lt;&gt;&quot;&apos;&#xE9;&#x1F600;"},
                    // Names that only look like references.
                    XmlCase{u"R&D;Lab", u"R&amp;D;Lab"}, XmlCase{u"&nbsp;", u"&amp;nbsp;"},
                    XmlCase{u"Caf&eacute;", u"Caf&amp;eacute;"}, XmlCase{u"Ctl&#1;x", u"Ctl&amp;#1;x"},
                    XmlCase{u"&#xD800;&#1114112;&#;&#x;&;",
                            u"&amp;#xD800;&amp;#1114112;&amp;#;&amp;#x;&amp;;"},
                    XmlCase{u"Fim &amp", u"Fim &amp;amp"},
                    // Characters XML forbids are dropped; tab, LF, CR and pairs stay.
                    XmlCase{u"a\u0001b\u001fc\ufffed\uffff", u"abcd"}, XmlCase{u"t\tl\nr\r", u"t\tl\nr\r"},
                    XmlCase{u"\U0001F600 \xd800x", u"\U0001F600 x"}),
    [](const auto& info) { return std::to_string(info.index); });

} // namespace
