// The batch command over the inputs people really have, under the locales
// people really run, each document checked by the outside readers: xmllint
// must find it well formed and ogrinfo must read it without a warning; under
// a comma-decimal locale the document is byte for byte the one made under C.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QByteArray out;
};

ToolRun run(const QString& program, const QStringList& args, const QByteArray& locale = "C") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput() + p.readAllStandardError()};
}

QString tool(const char* name) {
    const QString path = QStandardPaths::findExecutable(QString::fromUtf8(name));
    EXPECT_FALSE(path.isEmpty()) << name << " is missing: scripts/bootstrap.sh installs it";
    return path;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QString examples(const char* name) {
    return QStringLiteral(KARTELLO_EXAMPLES_DIR "/") + QString::fromUtf8(name);
}

// A small source for GDAL's own writers: two points and three polygons, one
// with a hole, written by ogr2ogr through the KML and LIBKML drivers.
const char* const kGeoJsonPoints =
    R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Lisbon"},"geometry":{"type":"Point","coordinates":[-9.1333,38.7167]}},
{"type":"Feature","properties":{"name":"Porto"},"geometry":{"type":"Point","coordinates":[-8.6167,41.15]}},
{"type":"Feature","properties":{"name":"Faro"},"geometry":{"type":"Point","coordinates":[-7.9333,37.0167]}}]})";

const char* const kGeoJsonPolygons =
    R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Lagoa"},"geometry":{"type":"Polygon","coordinates":[
 [[-9,39.6],[-8,39.6],[-8,39],[-9,39],[-9,39.6]],[[-8.7,39.4],[-8.3,39.4],[-8.3,39.2],[-8.7,39.2],[-8.7,39.4]]]}},
{"type":"Feature","properties":{"name":"Minho"},"geometry":{"type":"Polygon","coordinates":[
 [[-8.9,42.1],[-8.1,42.1],[-8.1,41.6],[-8.9,41.6],[-8.9,42.1]]]}},
{"type":"Feature","properties":{"name":"Algarve"},"geometry":{"type":"Polygon","coordinates":[
 [[-8.9,37.4],[-7.4,37.4],[-7.4,37],[-8.9,37],[-8.9,37.4]]]}}]})";

// The layout of a desktop GIS export: a schema, styled placemarks and
// SchemaData values inside a folder per layer.
const char* const kGisExport = R"(<?xml version="1.0" encoding="utf-8" ?>
<kml xmlns="http://www.opengis.net/kml/2.2">
<Document id="root_doc">
<Schema name="cities" id="cities"><SimpleField name="pop" type="int"></SimpleField></Schema>
<Folder><name>cities</name>
  <Placemark><name>Lisbon</name>
    <Style><LineStyle><color>ff0000ff</color></LineStyle><PolyStyle><fill>0</fill></PolyStyle></Style>
    <ExtendedData><SchemaData schemaUrl="#cities"><SimpleData name="pop">545</SimpleData></SchemaData></ExtendedData>
    <Point><coordinates>-9.1333,38.7167</coordinates></Point></Placemark>
  <Placemark><name>Porto</name>
    <Style><LineStyle><color>ff0000ff</color></LineStyle><PolyStyle><fill>0</fill></PolyStyle></Style>
    <ExtendedData><SchemaData schemaUrl="#cities"><SimpleData name="pop">232</SimpleData></SchemaData></ExtendedData>
    <Point><coordinates>-8.6167,41.15</coordinates></Point></Placemark>
</Folder>
</Document></kml>
)";

struct Input {
    const char* file;    // written into the test folder, or taken from examples/
    const char* content; // nullptr: the example of that name
};

struct Case {
    const char* name;
    Input input;
    const char* options; // example options file
    const char* out;     // output name: blanks, "&" and capitals on purpose
};

const Input kXmlNames{"names.txt",
                      "\"R&D;Lab\",38.7,-9.1,10\r\n&nbsp;,41.1,-8.6,20\r\nCaf&eacute;,37.0,-7.9,30\r\n"
                      "Ctl&#1;x,40.2,-8.4,40\r\n\"<b> \"\"q\"\" 'a'\",39.0,-8.0,50\r\n"};
const Input kDateLine{"fiji-samoa.txt",
                      "Suva,-18.14,178.44,90\r\nApia,-13.83,-171.76,20\r\nNukualofa,-21.14,-175.2,"
                      "25\r\n"};
const Input kPoles{"poles.txt", "North,90,0,10\r\nSouth,-90,180,20\r\nAlert,82.5,-62.3,5\r\n"};
const Input kEqual{"equal.txt", "A,38.7,-9.1,7\r\nB,41.1,-8.6,7\r\nC,37.0,-7.9,7\r\n"};
const Input kParallel{"parallel.txt", "A,40,-9.1,1\r\nB,40,-8.6,2\r\nC,40,-7.9,3\r\n"};
const Input kDecimals{"decimals.txt", "Lisbon,38.7167,-9.1333,547.25\r\nPorto,41.15,-8.6167,237.5\r\n"
                                      "Faro,37.0167,-7.9333,64.125\r\n"};

const Case kCases[] = {
    {"DecimalValues", kDecimals, "3d-by-value.ggo", "Decimal Values.kmz"},
    {"XmlSpecialNames", kXmlNames, "3d-by-value.ggo", "R&D map.kmz"},
    {"XmlSpecialNamesFlat", kXmlNames, "flat-constant.ggo", "Names Flat.KML"},
    {"AcrossTheDateLine", kDateLine, "3d-by-value.ggo", "Date line.KMZ"},
    {"AtThePoles", kPoles, "3d-by-value.ggo", "poles.kml"},
    {"AllEqualValues", kEqual, "3d-by-value.ggo", "equal.kmz"},
    {"OneParallel", kParallel, "3d-by-value.ggo", "One Parallel.kml"},
    {"ViewerPlacemarks", {"lighthouses.kml", nullptr}, "flat-constant.ggo", "Light & Houses.kmz"},
    {"ViewerShapesWithHole", {"regions.kml", nullptr}, "3d-by-value.ggo", "Regions.KML"},
    {"ShapeTextWithHole", {"regions-shapes.txt", nullptr}, "3d-by-value.ggo", "regions & holes.kmz"},
    {"ShapeTextFlat", {"regions-shapes.txt", nullptr}, "flat-constant.ggo", "flat shapes.kml"},
    {"GisExportPlacemarks", {"export.kml", kGisExport}, "flat-constant.ggo", "Export Graph.kml"},
};

class BatchMatrix : public testing::TestWithParam<Case> {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString input(const Input& in) {
        if (!in.content)
            return examples(in.file);
        const QString path = dir_.filePath(QString::fromUtf8(in.file));
        writeBytes(path, in.content);
        return path;
    }

    // Runs the batch command under a locale into its own folder and returns
    // the path written.
    QString graph(const QString& data, const Case& c, const QByteArray& locale) {
        const QString folder = dir_.filePath(QString::fromLatin1(locale));
        QDir().mkpath(folder);
        const QString out = folder + u'/' + QString::fromUtf8(c.out);
        const ToolRun r =
            run(QStringLiteral(KARTELLO_PROGRAM),
                {"--batch", "--data", data, "--options", examples(c.options), "--yes", "--out", out}, locale);
        EXPECT_EQ(r.status, 0) << locale.constData() << ": " << r.out.constData();
        return out;
    }

    QByteArray document(const QString& path) {
        if (!path.endsWith(QLatin1String(".kmz"), Qt::CaseInsensitive)) {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
            return f.readAll();
        }
        return run(tool("unzip"), {"-p", path, "doc.kml"}).out;
    }

    QTemporaryDir dir_;
};

TEST_P(BatchMatrix, OutsideReadersAcceptTheDocumentUnderEveryLocale) {
    const Case& c = GetParam();
    const QString data = input(c.input);
    const QString made = graph(data, c, "C");
    const QByteArray doc = document(made);
    ASSERT_FALSE(doc.isEmpty());

    const QString kml = dir_.filePath(QStringLiteral("doc.kml"));
    writeBytes(kml, doc);
    const ToolRun lint = run(tool("xmllint"), {"--noout", kml});
    EXPECT_EQ(lint.status, 0) << lint.out.constData();
    EXPECT_TRUE(lint.out.isEmpty()) << lint.out.constData();

    const ToolRun info = run(tool("ogrinfo"), {"-ro", "-al", made});
    EXPECT_EQ(info.status, 0) << info.out.constData();
    EXPECT_FALSE(info.out.contains("Warning")) << info.out.constData();
    EXPECT_FALSE(info.out.contains("ERROR")) << info.out.constData();

    for (const QByteArray& locale : {QByteArray("de_DE.UTF-8"), QByteArray("fr_FR.UTF-8")})
        EXPECT_EQ(document(graph(data, c, locale)), doc) << locale.constData();
}

INSTANTIATE_TEST_SUITE_P(Inputs, BatchMatrix, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// Files written by GDAL's two KML drivers, points and polygons with a hole,
// read back through the batch command and then by GDAL again.
class GdalWrittenKml : public testing::TestWithParam<const char*> {};

TEST_P(GdalWrittenKml, PointsAndPolygonsGraphWithoutWarnings) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const char* driver = GetParam();
    struct Source {
        const char* name;
        const char* geojson;
        const char* options;
    } sources[] = {{"points", kGeoJsonPoints, "flat-constant.ggo"},
                   {"polygons", kGeoJsonPolygons, "3d-by-value.ggo"}};
    for (const Source& s : sources) {
        const QString json = dir.filePath(QString::fromLatin1(s.name) + QStringLiteral(".geojson"));
        writeBytes(json, s.geojson);
        const QString kml = dir.filePath(QString::fromLatin1(s.name) + u'-' + QString::fromLatin1(driver) +
                                         QStringLiteral(".kml"));
        const ToolRun written = run(tool("ogr2ogr"), {"-f", driver, kml, json});
        ASSERT_EQ(written.status, 0) << written.out.constData();

        const QString out = dir.filePath(QString::fromLatin1(s.name) + QStringLiteral(" Graph.kml"));
        const ToolRun graphed =
            run(QStringLiteral(KARTELLO_PROGRAM),
                {"--batch", "--data", kml, "--options", examples(s.options), "--yes", "--out", out});
        ASSERT_EQ(graphed.status, 0) << s.name << ": " << graphed.out.constData();
        const ToolRun info = run(tool("ogrinfo"), {"-ro", "-al", out});
        EXPECT_EQ(info.status, 0) << info.out.constData();
        EXPECT_FALSE(info.out.contains("Warning")) << s.name << ": " << info.out.constData();
        const ToolRun lint = run(tool("xmllint"), {"--noout", out});
        EXPECT_EQ(lint.status, 0) << lint.out.constData();
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, GdalWrittenKml, testing::Values("KML", "LIBKML"));

// One place over two years and another in one, with a date-time field.
const char* const kGeoJsonTimes =
    R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"Lisbon","pop":545,"when":"2019-05-01T00:00:00Z"},"geometry":{"type":"Point","coordinates":[-9.1333,38.7167]}},
{"type":"Feature","properties":{"name":"Lisbon","pop":560,"when":"2020-05-01T00:00:00Z"},"geometry":{"type":"Point","coordinates":[-9.1333,38.7167]}},
{"type":"Feature","properties":{"name":"Porto","pop":232,"when":"2019-05-01T00:00:00Z"},"geometry":{"type":"Point","coordinates":[-8.6167,41.15]}}]})";

// A time field of GIS data, as GDAL writes it to a GeoPackage (a date-time
// field) and to CSV (the text "2019/05/01 00:00:00+00"), becomes each
// polygon's TimeStamp, which GDAL reads back as the timestamp field.
TEST(GdalWrittenTimes, EveryPolygonCarriesItsTimeStamp) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString json = dir.filePath(QStringLiteral("times.geojson"));
    writeBytes(json, kGeoJsonTimes);
    struct Written {
        const char* file;
        QStringList ogr2ogr;
        QStringList fields;
    } sources[] = {{"times.gpkg", {"-f", "GPKG"}, {"--time-field", "when"}},
                   {"times.csv",
                    {"-f", "CSV", "-lco", "GEOMETRY=AS_XY"},
                    {"--time-field", "when", "--lat-field", "Y", "--lon-field", "X"}}};
    for (const Written& w : sources) {
        const QString data = dir.filePath(QString::fromLatin1(w.file));
        const ToolRun written = run(tool("ogr2ogr"), w.ogr2ogr + QStringList{data, json});
        ASSERT_EQ(written.status, 0) << written.out.constData();
        const QString out = dir.filePath(QString::fromLatin1(w.file) + QStringLiteral(" graph.kml"));
        const ToolRun graphed =
            run(QStringLiteral(KARTELLO_PROGRAM),
                QStringList{"--batch", "--data", data, "--value-field", "pop", "--options",
                            examples("3d-by-value.ggo"), "--classes", "quantile:3", "--yes", "--out", out} +
                    w.fields);
        ASSERT_EQ(graphed.status, 0) << w.file << ": " << graphed.out.constData();
        const ToolRun lint = run(tool("xmllint"), {"--noout", out});
        EXPECT_EQ(lint.status, 0) << lint.out.constData();
        EXPECT_TRUE(lint.out.isEmpty()) << lint.out.constData();
        const ToolRun info = run(tool("ogrinfo"), {"-ro", "-al", out});
        EXPECT_EQ(info.status, 0) << info.out.constData();
        EXPECT_FALSE(info.out.contains("Warning")) << w.file << ": " << info.out.constData();
        // The polygons and their labels: Lisbon in 2019 and 2020, Porto in 2019.
        EXPECT_EQ(info.out.count("timestamp (DateTime) = 2019/05/01 00:00:00+00"), 4) << info.out.constData();
        EXPECT_EQ(info.out.count("timestamp (DateTime) = 2020/05/01 00:00:00+00"), 2) << info.out.constData();
    }
}

} // namespace
