// GIS data written by GDAL itself (ogr2ogr from one small source) and opened
// as "Open file" opens it.
#include "PlaceFixture.h"

#include "form/ControlNames.h"
#include "places/FieldCatalog.h"
#include "places/GdalReader.h"
#include "places/OpenCommand.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace kartello;
using namespace kartello::test;

namespace {

// Three cities with a population, a year and a second text field; the
// coordinates in WGS84 longitude/latitude.
const QByteArray kCities = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"code":"LX","name":"Lisbon","pop":545,"year":"2019"},
 "geometry":{"type":"Point","coordinates":[-9.1333,38.7167]}},
{"type":"Feature","properties":{"code":"PO","name":"Porto","pop":232,"year":"2020"},
 "geometry":{"type":"Point","coordinates":[-8.6167,41.15]}},
{"type":"Feature","properties":{"code":"FA","name":"Faro","pop":64,"year":"2021"},
 "geometry":{"type":"Point","coordinates":[-7.9333,37.0167]}}]})";

// Two regions, the first with a hole, the second in two parts.
const QByteArray kRegions = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Lagoa","pop":12},"geometry":{"type":"Polygon","coordinates":[
 [[-9,39.6],[-8,39.6],[-8,39],[-9,39],[-9,39.6]],[[-8.7,39.4],[-8.3,39.4],[-8.3,39.2],[-8.7,39.2],[-8.7,39.4]]]}},
{"type":"Feature","properties":{"name":"Ilhas","pop":30},"geometry":{"type":"MultiPolygon","coordinates":[
 [[[-28,38],[-27,38],[-27,39],[-28,38]]],[[[-17,32],[-16,32],[-16,33],[-17,32]]]]}}]})";

QString ogr2ogr() {
    const QString path = QStandardPaths::findExecutable(QStringLiteral("ogr2ogr"));
    EXPECT_FALSE(path.isEmpty()) << "ogr2ogr is missing: scripts/bootstrap.sh installs gdal-bin";
    return path;
}

class GdalReader : public PlaceFixture {
protected:
    // Writes `source` as GeoJSON, then through ogr2ogr in the given format.
    QString written(const QByteArray& source, const QString& name, const QStringList& ogrArgs) {
        const QString json = writeFile(QStringLiteral("source.geojson"), source);
        const QString out = scratch.filePath(name);
        QProcess p;
        p.start(ogr2ogr(), ogrArgs + QStringList{out, json});
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
        return out;
    }
};

struct Format {
    const char* name;
    const char* file;
    std::vector<const char*> ogrArgs;
    const char* firstRow; // table row 1 once opened
};

class GdalFormats : public GdalReader, public testing::WithParamInterface<Format> {};

} // namespace

TEST_P(GdalFormats, PointsBecomePlacesWithNameAndValue) {
    const Format& f = GetParam();
    QStringList args;
    for (const char* a : f.ogrArgs)
        args << QString::fromLatin1(a);
    open(written(kCities, QString::fromLatin1(f.file), args));
    ASSERT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_FALSE(set.shapeMode);
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(tableRow(1), QString::fromUtf8(f.firstRow));
    EXPECT_EQ(tableRow(3).section(u'|', 0, 2), "37.016700|-7.933300|Faro");
}

INSTANTIATE_TEST_SUITE_P(
    Formats, GdalFormats,
    testing::Values(
        Format{"GeoPackage", "cities.gpkg", {"-f", "GPKG"}, "38.716700|-9.133300|Lisbon|545"},
        Format{"Shapefile", "cities.shp", {"-f", "ESRI Shapefile"}, "38.716700|-9.133300|Lisbon|545"},
        Format{"GeoJSON", "cities.json", {"-f", "GeoJSON"}, "38.716700|-9.133300|Lisbon|545"},
        Format{"FlatGeobuf",
               "cities.fgb",
               {"-f", "FlatGeobuf", "-lco", "SPATIAL_INDEX=NO"},
               "38.716700|-9.133300|Lisbon|545"},
        Format{"CsvWithXY",
               "cities.csv",
               {"-f", "CSV", "-lco", "GEOMETRY=AS_XY"},
               "38.716700|-9.133300|Lisbon|545"},
        Format{"CsvWithWkt",
               "wkt.csv",
               {"-f", "CSV", "-lco", "GEOMETRY=AS_WKT"},
               "38.716700|-9.133300|Lisbon|545"},
        // GPX waypoints carry a name but no number of their own.
        Format{"Gpx",
               "cities.gpx",
               {"-f", "GPX", "-nlt", "POINT", "-nln", "waypoints"},
               "38.716700|-9.133300|Lisbon|"}),
    [](const testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

TEST_F(GdalReader, ChosenFieldsLayerAndTime) {
    const QString gpkg = written(kCities, QStringLiteral("cities.gpkg"), {"-f", "GPKG", "-nln", "towns"});
    set.fieldChoice.layer = QStringLiteral("towns");
    set.fieldChoice.nameField = QStringLiteral("code");
    set.fieldChoice.valueField = QStringLiteral("pop");
    set.fieldChoice.timeField = QStringLiteral("year");
    open(gpkg);
    ASSERT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_EQ(tableRow(2), "41.150000|-8.616700|PO|232");
    EXPECT_EQ(set.placeData.row(2).time, "2021");
    EXPECT_EQ(set.placeBackup.row(0).time, "2019");
    EXPECT_EQ(set.graphBaseName, "cities-Graph");
}

TEST_F(GdalReader, MissingLayerOrFieldIsNotUnderstoodAndTheSetStays) {
    const QString gpkg = written(kCities, QStringLiteral("cities.gpkg"), {"-f", "GPKG"});
    for (const auto& [layer, field] : {std::pair{"nowhere", ""}, std::pair{"", "nofield"}}) {
        set.fieldChoice = FieldChoice();
        set.fieldChoice.layer = QString::fromLatin1(layer);
        set.fieldChoice.valueField = QString::fromLatin1(field);
        ui.messages.clear();
        open(gpkg);
        ASSERT_EQ(ui.messages.size(), 1u) << layer << field;
        EXPECT_TRUE(ui.messages[0].text.startsWith(u"Can't proceed. I don't understand your data."));
    }
}

TEST_F(GdalReader, CsvWithoutGeometryTakesTheNamedColumns) {
    const QString csv = writeFile(QStringLiteral("sites.csv"),
                                  "site,breite,laenge,count\nA,38.5,-9.25,3\nB,41.25,-8.5,4.5\n");
    set.fieldChoice.latField = QStringLiteral("breite");
    set.fieldChoice.lonField = QStringLiteral("laenge");
    open(csv);
    ASSERT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_EQ(tableRow(1), "38.500000|-9.250000|A|3");
    EXPECT_EQ(tableRow(2), "41.250000|-8.500000|B|4.5");
}

TEST_F(GdalReader, PolygonsWithHolesAndMultipolygonsBecomeAShapeSet) {
    open(written(kRegions, QStringLiteral("regions.gpkg"), {"-f", "GPKG"}));
    ASSERT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_TRUE(set.shapeMode);
    EXPECT_EQ(set.lastPlace, 3); // outer ring, hole, two parts
    EXPECT_EQ(storeRow(0), "-9,39.6,0 -8,39.6,0 -8,39,0 -9,39,0 -9,39.6,0 ||12|Lagoa");
    EXPECT_EQ(storeRow(1), "-8.7,39.4,0 -8.3,39.4,0 -8.3,39.2,0 -8.7,39.2,0 -8.7,39.4,0 |||Lagoa");
    EXPECT_EQ(storeRow(3), "-17,32,0 -16,32,0 -16,33,0 -17,32,0 |||Ilhas");
    EXPECT_EQ(tableRow(2), "Shape|Shape|Ilhas|30");
}

// Known coordinates: the origin of the Portuguese transverse Mercator grid
// (39°40'05.73"N 8°07'59.19"W) and 45°N 10°E on the web Mercator.
TEST_F(GdalReader, ProjectedLayersAreReprojectedToLongitudeLatitude) {
    struct Case {
        const char* srs;
        double x, y;
        double lon, lat;
    } cases[] = {
        {"EPSG:3763", 0, 0, -(8 + 7 / 60.0 + 59.19 / 3600), 39 + 40 / 60.0 + 5.73 / 3600},
        {"EPSG:3857", 1113194.9079327357, 5621521.486192066, 10, 45},
    };
    for (const Case& c : cases) {
        const QByteArray source =
            QByteArray(R"({"type":"FeatureCollection","features":[)") +
            R"({"type":"Feature","properties":{"name":"P"},"geometry":{"type":"Point",)" +
            "\"coordinates\":[" + QByteArray::number(c.x, 'f', 6) + "," + QByteArray::number(c.y, 'f', 6) +
            "]}}," + R"({"type":"Feature","properties":{"name":"Q"},"geometry":{"type":"Point",)" +
            "\"coordinates\":[0,0]}}]}";
        open(
            written(source, QStringLiteral("projected.gpkg"), {"-f", "GPKG", "-a_srs", c.srs, "-overwrite"}));
        ASSERT_TRUE(ui.messages.empty()) << c.srs << ui.lastMessage().toStdString();
        EXPECT_NEAR(set.placeData.at(0, ColLongitude).toNumber(), c.lon, 1e-6) << c.srs;
        EXPECT_NEAR(set.placeData.at(0, ColLatitude).toNumber(), c.lat, 1e-6) << c.srs;
    }
}

TEST_F(GdalReader, TooManyPointsAreRefusedAsAKmlIs) {
    QByteArray source = R"({"type":"FeatureCollection","features":[)";
    for (int i = 0; i < 5001; ++i)
        source += QByteArray(i ? "," : "") + R"({"type":"Feature","properties":{"name":"P"},"geometry":)" +
                  R"({"type":"Point","coordinates":[1,)" + QByteArray::number(i % 80) + "]}}";
    source += "]}";
    open(written(source, QStringLiteral("many.gpkg"), {"-f", "GPKG"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(u"Can't proceed. The file is too large (> 5000 lines)."));
    EXPECT_FALSE(set.dataLoaded);
}

// The field dialog lists what ogr2ogr wrote: the layers in the file's order,
// each with its fields and first rows, and the reader's own defaults (the
// first layer with features, a field called "name", the first number).
TEST_F(GdalReader, CatalogListsLayersFieldsFirstRowsAndDefaults) {
    written(kRegions, QStringLiteral("two.gpkg"), {"-f", "GPKG", "-nln", "empty", "-where", "pop < 0"});
    written(kRegions, QStringLiteral("two.gpkg"), {"-f", "GPKG", "-update", "-nln", "regions"});
    const QString gpkg =
        written(kCities, QStringLiteral("two.gpkg"), {"-f", "GPKG", "-update", "-nln", "towns"});
    const std::optional<FieldCatalog> catalog = readFieldCatalog(gpkg, 2);
    ASSERT_TRUE(catalog);
    ASSERT_EQ(catalog->layers.size(), 3u);
    EXPECT_EQ(catalog->defaultLayer, 1);
    EXPECT_FALSE(catalog->coordinateColumns);
    const LayerFields& towns = catalog->layers[2];
    EXPECT_EQ(towns.name, "towns");
    EXPECT_EQ(towns.fields, QStringList({"code", "name", "pop", "year"}));
    ASSERT_EQ(towns.rows.size(), 2u);
    EXPECT_EQ(towns.rows[1], QStringList({"PO", "Porto", "232", "2020"}));
    EXPECT_EQ(towns.defaults, (FieldChoice{"towns", "name", "pop", "", "", ""}));

    // A date shows as the reader writes it for the time stamp.
    const QString csv =
        writeFile(QStringLiteral("sites.csv"), "site,Latitude,lon,count,when\nA,38.5,-9.25,3,2019/06/01\n");
    const std::optional<FieldCatalog> sites = readFieldCatalog(csv);
    ASSERT_TRUE(sites);
    EXPECT_TRUE(sites->coordinateColumns);
    EXPECT_EQ(sites->layers[0].rows.at(0), QStringList({"A", "38.5", "-9.25", "3", "2019-06-01"}));
    EXPECT_EQ(sites->layers[0].defaults, (FieldChoice{"sites", "site", "count", "Latitude", "lon", ""}));

    EXPECT_FALSE(readFieldCatalog(writeFile(QStringLiteral("prose.dat"), "no data here\n")));
}

// What the person answers in the field dialog is what is read; Cancel reads
// nothing and leaves the places already loaded as they were.
TEST_F(GdalReader, TheFieldAnswerIsReadAndCancelChangesNothing) {
    const QString gpkg = written(kCities, QStringLiteral("cities.gpkg"), {"-f", "GPKG", "-nln", "towns"});
    open(writeFile(QStringLiteral("places.txt"), kThreeCities));
    ASSERT_TRUE(set.dataLoaded);
    const QString loadedRow = tableRow(1);
    const QString loadedStore = storeRow(0);
    const QString loadedBase = set.graphBaseName;

    ui.fieldAnswers = {std::nullopt};
    open(gpkg);
    ASSERT_EQ(ui.fieldRequests.size(), 1u);
    EXPECT_EQ(ui.fieldRequests[0].path, gpkg);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_EQ(tableRow(1), loadedRow);
    EXPECT_EQ(storeRow(0), loadedStore);
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(set.graphBaseName, loadedBase);
    EXPECT_EQ(form.caption(ctl::lblProg), "");
    EXPECT_FALSE(ui.busy);

    ui.fieldAnswers = {FieldChoice{"towns", "code", "pop", "", "", "year"}};
    open(gpkg);
    ASSERT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
    EXPECT_EQ(tableRow(3), "37.016700|-7.933300|FA|64");
    EXPECT_EQ(set.placeData.row(2).time, "2021");
}
