#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/KmlReader.h"
#include "places/OpenCommand.h"
#include "places/TextReader.h"

#include <QDir>
#include <QFile>

using namespace kartello;
using namespace kartello::test;

namespace {

// Three placemarks in the layout the line rules were written for: name and
// coordinates each on a line of their own.
const QByteArray kCities = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                           "<kml xmlns=\"http://earth.google.com/kml/2.2\">\r\n"
                           "<Document>\r\n"
                           "<name>Cities.kml</name>\r\n"
                           "<Placemark>\r\n"
                           "<name>Lisbon</name>\r\n"
                           "<Point>\r\n"
                           "<coordinates>-9.1333,38.7167,0</coordinates>\r\n"
                           "</Point>\r\n"
                           "</Placemark>\r\n"
                           "<Placemark>\r\n"
                           "<name>S\xC3\xA3o Jorge</name>\r\n"
                           "<Point>\r\n"
                           "<coordinates>\r\n"
                           "-28.05,38.65,0\r\n"
                           "</coordinates>\r\n"
                           "</Point>\r\n"
                           "</Placemark>\r\n"
                           "<Placemark>\r\n"
                           "<name>Equator</name>\r\n"
                           "<Point>\r\n"
                           "<coordinates>0.5,-0.25,12</coordinates>\r\n"
                           "</Point>\r\n"
                           "</Placemark>\r\n"
                           "</Document>\r\n"
                           "</kml>\r\n";

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(KARTELLO_PLACE_FIXTURES "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QByteArray placemarks(int n) {
    QByteArray out = "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document><name>Many</name>\n";
    for (int i = 0; i < n; ++i)
        out += "<Placemark><name>P" + QByteArray::number(i) + "</name><Point><coordinates>1," +
               QByteArray::number(i % 90) + ",0</coordinates></Point></Placemark>\n";
    return out + "</Document></kml>\n";
}

class KmlReader : public PlaceFixture {
protected:
    void expectCities() {
        ASSERT_EQ(set.lastPlace, 2);
        EXPECT_EQ(tableRow(1), "38.716700|-9.133300|Lisbon|");
        EXPECT_EQ(tableRow(2), QString::fromUtf8("38.650000|-28.050000|São Jorge|"));
        EXPECT_EQ(tableRow(3), "-.250000|.500000|Equator|");
        EXPECT_EQ(set.graphBaseName, "Cities-Graph");
        EXPECT_TRUE(set.dataLoaded);
        EXPECT_FALSE(set.shapeMode);
        EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 3");
        EXPECT_TRUE(ui.messages.empty());
    }
    void loadCitiesText() {
        set.currentFile = writeFile("cities.txt", kThreeCities);
        carrega(ctx);
    }
    QString notUnderstood(int n = 0, const char* d = "") {
        return QStringLiteral(
                   "Can't proceed. I don't understand your data. Please review your input file. Error ") +
               QString::number(n) + " (" + QString::fromUtf8(d) + ") in procedure carregaKML.";
    }
};

} // namespace

TEST_F(KmlReader, ThreePlacemarksGiveSixDecimalsAndEmptyValues) {
    open(writeFile("cities.kml", kCities));
    expectCities();
    EXPECT_EQ(ui.dialogs.at(0).title, "Open");
    EXPECT_EQ(ui.dialogs.at(0).filter, "kml(*.kml)|*.kml|txt(*.txt)|*.txt|All files(*.*)|*.*|");
    EXPECT_EQ(ui.dialogs.at(0).defaultExt, "*.kml");
}

TEST_F(KmlReader, OneLineWithLineFeedsGivesTheSamePlaces) {
    QByteArray oneLine = kCities;
    oneLine.replace("\r\n", "\n");
    open(writeFile("oneline.kml", oneLine));
    expectCities();
    oneLine.replace("\n", "");
    open(writeFile("single.kml", oneLine));
    expectCities();
    // No scratch file is left beside the input or anywhere in the scratch folder.
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(KmlReader, PointAndCoordinatesOnOneLineAreRead) {
    QByteArray kml = kCities;
    kml.replace("<Point>\r\n<coordinates>-9.1333", "<Point><coordinates>-9.1333");
    open(writeFile("point.kml", kml));
    expectCities();
}

TEST_F(KmlReader, CancelledDialogChangesNothing) {
    loadCitiesText();
    ui.fileAnswers.push_back(std::nullopt);
    carregaKML(ctx);
    ui.fileAnswers.push_back(QString());
    carregaKML(ctx);
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(KmlReader, TxtNameGoesToTheTextReaderCaseSensitively) {
    open(writeFile("cities.txt", kThreeCities));
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
    open(writeFile("CITIES.TXT", kCities));
    expectCities();
}

TEST_F(KmlReader, FilesWrittenByGdal) {
    open(writeFile("gdal-points.kml", fixture("gdal-points.kml")));
    ASSERT_EQ(set.lastPlace, 2);
    // GDAL writes each place's number into ExtendedData: it becomes the value.
    EXPECT_EQ(tableRow(1), "38.716700|-9.133300|Lisbon|547");
    EXPECT_EQ(tableRow(2), QString::fromUtf8("38.571400|-7.909700|Évora|57"));
    EXPECT_EQ(set.graphBaseName, "cities-Graph"); // the folder's name comes first
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(KmlReader, KmzOpensThroughTheKmlInside) {
    open(writeFile("gdal-points.kmz", fixture("gdal-points.kmz")));
    ASSERT_EQ(set.lastPlace, 2);
    EXPECT_EQ(grid.TextMatrix(3, 2), "Porto");
    EXPECT_EQ(tableRow(3), "41.150000|-8.616700|Porto|237.5");
}

TEST_F(KmlReader, Limit5000Placemarks) {
    open(writeFile("5000.kml", placemarks(5000)));
    EXPECT_EQ(set.lastPlace, 4999);
    EXPECT_EQ(grid.Rows(), 5001);
    EXPECT_TRUE(ui.messages.empty());

    open(writeFile("5001.kml", placemarks(5001)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Can't proceed. The file is too large (> 5000 lines). You can split it in "
                                   "smaller parts and try again. (Procedure carregaKML) ");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(set.lastPlace, 4999); // the 5000 places stay
    EXPECT_EQ(grid.TextMatrix(5000, 2), "P4999");
}

TEST_F(KmlReader, BadInputIsNotUnderstoodAndTheSetStays) {
    loadCitiesText();
    QByteArray truncatedFirst = kCities.left(kCities.indexOf("</Placemark>"));
    QByteArray badLatitude = kCities;
    badLatitude.replace("-9.1333,38.7167,0", "-9.1333,north,0");
    QByteArray binary;
    for (int i = 0; i < 3000; ++i)
        binary += char((i * 37 + 11) % 256);
    const QByteArray cases[] = {"",
                                "<kml><Document><name>Empty</name></Document></kml>",
                                truncatedFirst,
                                badLatitude,
                                binary,
                                "not xml at all"};
    for (const QByteArray& bytes : cases) {
        ui.messages.clear();
        open(writeFile("bad.kml", bytes));
        ASSERT_EQ(ui.messages.size(), 1u) << bytes.left(60).toStdString();
        EXPECT_EQ(ui.messages[0].text, notUnderstood());
        EXPECT_EQ(ui.messages[0].title, "Kartello");
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(set.lastPlace, 2);
        EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
        EXPECT_FALSE(ui.busy);
    }
}

TEST_F(KmlReader, TruncatedFileKeepsThePlacemarksReadBeforeTheCut) {
    open(writeFile("cut.kml", kCities.left(kCities.indexOf("<Placemark>\r\n<name>Equator"))));
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(grid.TextMatrix(2, 2), QString::fromUtf8("São Jorge"));
}

TEST_F(KmlReader, MissingFileIsError53) {
    open(scratch.filePath("absent.kml"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, notUnderstood(53, "File not found"));
}

TEST_F(KmlReader, NamesInWindows1252AreKept) {
    QByteArray kml = kCities;
    kml.replace("S\xC3\xA3o Jorge", "S\xE3o Jorge");
    open(writeFile("latin.kml", kml));
    EXPECT_EQ(grid.TextMatrix(2, 2), QString::fromUtf8("São Jorge"));
}

TEST(KmlParse, DocumentNameAndTwoDimensionalTuples) {
    const KmlParse p = parseKml(u"<kml><Document><name>Trip.v2</name><Folder><name>Stops</name>"
                                u"<Placemark><Point><coordinates> 10,20 </coordinates></Point></Placemark>"
                                u"</Folder></Document></kml>");
    EXPECT_EQ(p.outcome, KmlParse::Places);
    EXPECT_EQ(documentBaseName(p.documentName), "Trip");
    ASSERT_EQ(p.places.size(), 1u);
    EXPECT_EQ(p.places[0].name, "");
    EXPECT_EQ(p.places[0].longitude, "10");
    EXPECT_EQ(p.places[0].latitude, "20");
}

TEST(KmlParse, PolygonsAreShapes) {
    const KmlParse p =
        parseKml(u"<kml><Placemark><name>R</name><Polygon><outerBoundaryIs><LinearRing><coordinates>"
                 u"1,2,0 3,4,0 5,6,7</coordinates></LinearRing></outerBoundaryIs></Polygon></Placemark>"
                 u"</kml>");
    EXPECT_EQ(p.outcome, KmlParse::Shapes);
    ASSERT_EQ(p.rings.size(), 1u);
    EXPECT_EQ(p.rings[0].coordinates, "1,2,0 3,4,0 5,6,7 ");
    EXPECT_EQ(p.rings[0].value, "7");
}

TEST_F(KmlReader, OverflowingLatitudeIsRefusedBeforeTheSetChanges) {
    loadCitiesText();
    QByteArray kml = kCities;
    kml.replace("-9.1333,38.7167,0", "-9.1333,1e999,0");
    open(writeFile("huge.kml", kml));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, notUnderstood(6, "Overflow"));
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
}

// Rings come out as an XML reader sees them in the viewer's layout: every
// tuple, the closing one included, is "lon,lat,alt" followed by one blank.
TEST(KmlParse, RingTextKeepsEveryTupleWithItsAltitude) {
    struct Case {
        const char16_t* coordinates;
        const char* ring;
        const char* value;
    } cases[] = {
        {u"\n\t\t-8.8,38.6,0 -7.2,38.6,0 -8.8,38.6,0 \n\t", "-8.8,38.6,0 -7.2,38.6,0 -8.8,38.6,0 ", "0"},
        {u"-9,39.6 -8,39.6 -8,39 -9,39.6", "-9,39.6,0 -8,39.6,0 -8,39,0 -9,39.6,0 ", "0"},
        {u"-9.1, 38.7, 0 -8.1 ,38.7 , 12", "-9.1,38.7,0 -8.1,38.7,12 ", "12"},
        {u"1,2,3\t4,5,6\r\n7,8", "1,2,3 4,5,6 7,8,0 ", "0"},
        {u"-9,39,100 -8,39,100 -9,39,100", "-9,39,100 -8,39,100 -9,39,100 ", "100"},
    };
    for (const Case& c : cases) {
        const QString kml =
            QStringLiteral("<kml><Placemark><name>R</name><Polygon><outerBoundaryIs><LinearRing>"
                           "<coordinates>") +
            QString::fromUtf16(c.coordinates) +
            QStringLiteral("</coordinates></LinearRing></outerBoundaryIs></Polygon></Placemark></kml>");
        const KmlParse p = parseKml(kml);
        ASSERT_EQ(p.rings.size(), 1u) << c.ring;
        EXPECT_EQ(p.rings[0].coordinates, QString::fromLatin1(c.ring));
        EXPECT_EQ(p.rings[0].value, QString::fromLatin1(c.value)) << c.ring;
    }
}

TEST(KmlParse, PointTuplesWithBlanksAfterCommas) {
    const KmlParse p = parseKml(u"<kml><Placemark><name>A</name><Point><coordinates>-9.1, 38.7, 0"
                                u"</coordinates></Point></Placemark><Placemark><name>B</name><Point>"
                                u"<coordinates>\n  -8.6 , 41.15\n</coordinates></Point></Placemark></kml>");
    ASSERT_EQ(p.places.size(), 2u);
    EXPECT_EQ(p.places[0].longitude, "-9.1");
    EXPECT_EQ(p.places[0].latitude, "38.7");
    EXPECT_EQ(p.places[1].longitude, "-8.6");
    EXPECT_EQ(p.places[1].latitude, "41.15");
}

// Values travel in ExtendedData as SimpleData (GDAL, desktop GIS) or as Data
// with a value element (the viewer): the field asked for, else the first number.
TEST(KmlParse, ExtendedDataValues) {
    const char16_t* kml =
        u"<kml><Document><Placemark><name>A</name><ExtendedData><SchemaData schemaUrl=\"#s\">"
        u"<SimpleData name=\"code\">LX</SimpleData><SimpleData name='pop'> 545 </SimpleData>"
        u"<SimpleData name=\"year\">2019</SimpleData></SchemaData></ExtendedData>"
        u"<Point><coordinates>-9.1,38.7</coordinates></Point></Placemark>"
        u"<Placemark><name>B</name><ExtendedData><Data name=\"pop\"><displayName>People</displayName>"
        u"<value>12.5</value></Data><Data name=\"year\"><value>2020</value></Data></ExtendedData>"
        u"<Point><coordinates>-8.6,41.1</coordinates></Point></Placemark>"
        u"<Placemark><name>C</name><Point><coordinates>-7.9,37</coordinates></Point></Placemark>"
        u"</Document></kml>";
    struct Case {
        const char* field;
        std::vector<const char*> values;
    } cases[] = {
        {"", {"545", "12.5", ""}},
        {"year", {"2019", "2020", ""}},
        {"code", {"LX", "", ""}},
        {"none", {"", "", ""}},
    };
    for (const Case& c : cases) {
        const KmlParse p = parseKml(kml, QString::fromLatin1(c.field));
        ASSERT_EQ(p.places.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(p.places[i].value, QString::fromLatin1(c.values[i])) << c.field << " " << i;
    }
}
