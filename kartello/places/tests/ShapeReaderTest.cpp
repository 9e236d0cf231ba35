#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/KmlReader.h"
#include "places/ShapeReader.h"
#include "places/TextExport.h"
#include "places/TextReader.h"

#include <QElapsedTimer>
#include <QFile>

using namespace kartello;
using namespace kartello::test;

namespace {

// Three regions, the second with an outer and an inner ring; altitudes 0
// except the last region, whose last vertex is at 12.6 m.
const QByteArray kRegions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n\t<name>Regions.kml</name>\n"
    "\t<Folder>\n\t\t<name>All</name>\n"
    "\t\t<Placemark>\n\t\t\t<name>North</name>\n\t\t\t<Polygon><outerBoundaryIs><LinearRing>\n"
    "\t\t\t\t<coordinates>\n\t\t\t\t\t-9,41,0 -8,41,0 -8,42,0 -9,41,0 \n\t\t\t\t</coordinates>\n"
    "\t\t\t</LinearRing></outerBoundaryIs></Polygon>\n\t\t</Placemark>\n"
    "\t\t<Placemark>\n\t\t\t<name>Centre</name>\n\t\t\t<Polygon><outerBoundaryIs><LinearRing>\n"
    "\t\t\t\t<coordinates>-9,39,0 -8,39,0 -8,40,0 -9,39,0</coordinates>\n"
    "\t\t\t</LinearRing></outerBoundaryIs><innerBoundaryIs><LinearRing>\n"
    "\t\t\t\t<coordinates>-8.8,39.2,0 -8.4,39.2,0 -8.4,39.6,0 -8.8,39.2,0</coordinates>\n"
    "\t\t\t</LinearRing></innerBoundaryIs></Polygon>\n\t\t</Placemark>\n"
    "\t\t<Placemark>\n\t\t\t<name>South</name>\n\t\t\t<Polygon><outerBoundaryIs><LinearRing>\n"
    "\t\t\t\t<coordinates>-9,37,0 -8,37,0 -8,38,12.6</coordinates>\n"
    "\t\t\t</LinearRing></outerBoundaryIs></Polygon>\n\t\t</Placemark>\n"
    "\t</Folder>\n</Document>\n</kml>\n";

class Shapes : public PlaceFixture {};

} // namespace

TEST(ParseLinha7, PicksFirstVertexAndLastAltitude) {
    struct Case {
        const char* line;
        const char* kind;
        const char* expected;
    } cases[] = {
        {"-9.5,38.25,0 -8,39,12.6", "lat", "38.250000"},
        {"-9.5,38.25,0 -8,39,12.6", "lon", "-9.500000"},
        {"-9.5,38.25,0 -8,39,12.6", "alt", "13"},
        {"-9.5,38.25,0 -8,39,0", "alt", "0"},
        {"-9.5,38.25", "lat", "-9.5,38.25"}, // no second comma: the line itself
        {"-9.5", "lon", "-9.5"},             // no comma: the line itself
        {"12.4", "alt", "12"},
        {"", "lat", ""},
        {"1,2,3", "height", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseLinha7(QString::fromUtf8(c.line), QString::fromLatin1(c.kind)),
                  QString::fromUtf8(c.expected))
            << c.line << " " << c.kind;
}

TEST_F(Shapes, KmlRegionWithTwoRingsGivesFourRowsAndThreeShapes) {
    open(writeFile("regions.kml", kRegions));
    EXPECT_TRUE(set.shapeMode);
    EXPECT_EQ(set.lastPlace, 3);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(tableRow(1), "Shape|Shape|North|0");
    EXPECT_EQ(tableRow(2), "Shape|Shape|Centre|0");
    EXPECT_EQ(tableRow(3), "Shape|Shape|South|13");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "4 polygons - 3 places");
    EXPECT_EQ(storeRow(0), "-9,41,0 -8,41,0 -8,42,0 -9,41,0 ||0|North");
    EXPECT_EQ(storeRow(2), "-8.8,39.2,0 -8.4,39.2,0 -8.4,39.6,0 -8.8,39.2,0 |||Centre");
    EXPECT_EQ(set.graphBaseName, "Regions-Graph");
    EXPECT_FALSE(form.isVisible(ctl::Frame8));
    EXPECT_TRUE(form.isVisible(ctl::chkFix));
    EXPECT_EQ(form.caption(ctl::Label6_0), "Shape File");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Shapes, GdalPolygonsWithoutAltitudesStartAtZero) {
    QFile f(QStringLiteral(KARTELLO_PLACE_FIXTURES "/gdal-polygons.kml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    open(writeFile("polys.kml", f.readAll()));
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(tableRow(1), "Shape|Shape|Lagoa|0");
    EXPECT_EQ(tableRow(2), "Shape|Shape|Minho|0");
    EXPECT_EQ(set.graphBaseName, "regions-Graph");
}

TEST_F(Shapes, KmlWithoutDocumentNameTakesTheFileName) {
    open(writeFile("areas.kml",
                   "<kml><Placemark><name>A</name><LineString><coordinates>1,2,0 3,4,0</coordinates>"
                   "</LineString></Placemark></kml>"));
    EXPECT_EQ(set.graphBaseName, "areas-ShapeGraph");
}

TEST_F(Shapes, SaveAsTextAndReadBackGivesTheSameShapesAndTableValues) {
    open(writeFile("regions.kml", kRegions));
    grid.setTextMatrix(1, 3, "10");
    grid.setTextMatrix(2, 3, "20");
    grid.setTextMatrix(3, 3, "30");
    const QString saved = scratch.filePath("regions.txt");
    ui.fileAnswers.push_back(saved);
    menuSaveTxt(ctx);
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[ShapeFile]\r\n"
                           "North\r\n-9,41,0 -8,41,0 -8,42,0 -9,41,0 \r\n10\r\n"
                           "Centre\r\n-9,39,0 -8,39,0 -8,40,0 -9,39,0 \r\n20\r\n"
                           "Centre\r\n-8.8,39.2,0 -8.4,39.2,0 -8.4,39.6,0 -8.8,39.2,0 \r\n20\r\n"
                           "South\r\n-9,37,0 -8,37,0 -8,38,12.6 \r\n30\r\n");
    open(saved);
    EXPECT_TRUE(set.shapeMode);
    EXPECT_EQ(set.lastPlace, 3);
    EXPECT_EQ(grid.Rows(), 5); // one empty row after the shapes
    EXPECT_EQ(tableRow(2), "Shape|Shape|Centre|20");
    EXPECT_EQ(tableRow(4), "|||");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 4 polygons - 4 places");
    EXPECT_EQ(set.graphBaseName, "regions");
}

TEST_F(Shapes, ShapeTextRefusals) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[ShapeFile]\r\nA\r\n1,2,3\r\n4\r\n",
         "Invalid File. Create a folder in GE and put there at least two "
         "placemarks. Save the folder as KML file and load it with Kartello."},
        {"[ShapeFile]\r\n",
         "Invalid File. Create a folder in GE and put there at least two placemarks. Save the "
         "folder as KML file and load it with Kartello."},
        {"[ShapeFile]\r\nA\r\n1,2,3\r\n4\r\nB\r\n1,2,3\r\n",
         "Error 62 (Input past end of file) in procedure CarregaTxtPolygon of form Main"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        open(writeFile("s.txt", c.text));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_FALSE(set.shapeMode);
    }
}

TEST_F(Shapes, OptionsLineEndsTheRings) {
    const ShapeTextParse p =
        parseShapeText(u"[ShapeFile]\r\nA\r\n1,2,3\r\n4\r\nB\r\n5,6,7\r\n8\r\n[Options]\r\nx\r\ny\r\nC\r\n");
    EXPECT_EQ(p.outcome, ShapeTextParse::Rings);
    ASSERT_EQ(p.rings.size(), 2u);
    EXPECT_EQ(p.rings[1].coordinates, "5,6,7 ");
    EXPECT_EQ(p.rings[1].value, "8");
}

// Blank lines and trailing blanks are passed over in one pass: 4000 blank
// lines before two megabytes of trailing blanks once took 4000 scans of them.
TEST_F(Shapes, ManyBlankLinesAndTrailingBlanksAreReadInOnePass) {
    const QString text = QStringLiteral("[ShapeFile]\r\nA\r\n1,2,3\r\n4\r\n") +
                         QStringLiteral("\r\n").repeated(4000) + QStringLiteral(" ").repeated(2000000);
    QElapsedTimer clock;
    clock.start();
    const ShapeTextParse p = parseShapeText(text);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(p.outcome, ShapeTextParse::Rings);
    EXPECT_EQ(p.rings.size(), 1u);
}

// The shape text file holds ring lines as people write them; each is stored
// as the KML reader stores its rings, so the closing tuple is raised too.
TEST_F(Shapes, ShapeTextRingsTakeTheKmlRingForm) {
    const ShapeTextParse p = parseShapeText(u"[ShapeFile]\r\nA\r\n\t-9,39.6 -8,39.6, 0 -9,39.6\r\n4\r\n"
                                            u"B\r\n-9,39,0 -8,39,0 -9,39,0\r\n8\r\n");
    ASSERT_EQ(p.rings.size(), 2u);
    EXPECT_EQ(p.rings[0].coordinates, "-9,39.6,0 -8,39.6,0 -9,39.6,0 ");
    EXPECT_EQ(p.rings[1].coordinates, "-9,39,0 -8,39,0 -9,39,0 ");
}

TEST_F(Shapes, PointFileAfterShapeFileBringsBackTheFilter) {
    open(writeFile("regions.kml", kRegions));
    open(writeFile("cities.txt", kThreeCities));
    EXPECT_FALSE(set.shapeMode);
    for (auto n : {ctl::txtLat_0, ctl::ComFilter_1, ctl::comRow_0, ctl::Combo1, ctl::Frame8})
        EXPECT_TRUE(form.isVisible(n));
    EXPECT_FALSE(form.isVisible(ctl::lblShape));
}

TEST_F(Shapes, MaxMinPolyTakesValuesFromTheTable) {
    open(writeFile("regions.kml", kRegions));
    grid.setTextMatrix(1, 3, "5");
    grid.setTextMatrix(2, 3, "-2");
    grid.setTextMatrix(3, 3, "40");
    const ShapeBounds b = maxMinPoly(ctx);
    EXPECT_EQ(b.latMin, 37);
    EXPECT_EQ(b.latMax, 41);
    EXPECT_EQ(b.lonMin, -9);
    EXPECT_EQ(b.lonMax, -8.8);
    EXPECT_EQ(b.valueMin, -2);
    EXPECT_EQ(b.valueMax, 40);
    EXPECT_EQ(b.rawValueMax, 40.0f);
    EXPECT_EQ(set.placeData.at(2, ColValue).toNumber(), -2); // the inner ring shares its shape's value
    EXPECT_EQ(set.placeData.at(3, ColValue).toNumber(), 40);
}

TEST(PontoMedioShape, FiveTuplesLandOnTheThirdAndFifth) {
    // Length 29 -> q = 7. Each step moves 6 characters on and then to the tuple
    // after the next blank: p1 = (4,4), p2 = (0,0), p3 missing, so the centre
    // is the midpoint of (p0+p1)/2 = (2,2) and (p1+p2)/2 = (2,2).
    const QString ring = "0,0,0 4,0,0 4,4,0 0,4,0 0,0,0";
    EXPECT_EQ(pontoMedioShape(ring, "1,2,3 4,5,25.4"), "2,2,25 ");
    EXPECT_EQ(pontoMedioShape(ring, ""), "2,2, ");
}

TEST(PontoMedioShape, ThreeVerticesGiveTheMeanOfTheDiagonalMidpoints) {
    // Length 114 -> q = 28 (28.5 to even). p0 = (1,2); the steps land on
    // (0,10), (4,14), (8,18). Midpoints p0-p2 = (2.5,8) and p1-p3 = (4,14).
    const QString ring =
        "1.000000,2.000000,0.00000000 0,10,0 1,11,0 2,12,0 3,13,0 4,14,0 5,15,0 6,16,0 7,17,0 "
        "8,18,0 9,19,0 10,20,0 11,21,0";
    EXPECT_EQ(pontoMedioShape(ring, "0,0,7"), "3.25,11,7 ");
}

TEST(PontoMedioShape, ShortRings) {
    // two tuples: p1 only -> midpoint of p0 and p1
    EXPECT_EQ(pontoMedioShape("0,0,0 2,6,0", ""), "1,3, ");
    // one tuple: its own centre
    EXPECT_EQ(pontoMedioShape("5,7,0", ""), "5,7, ");
    EXPECT_EQ(pontoMedioShape("x", ""), "0,0, ");
}
