// The kartello program itself, run as a person runs it, with outside readers
// of what it writes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString err;
};

ProgramRun runProgram(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KARTELLO_PROGRAM), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromUtf8(name));
}

QString runTool(const QString& program, const QStringList& args, int* status) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

bool writeFile(const QString& path, QByteArrayView bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes.data(), bytes.size()) == bytes.size();
}

class BatchProgram : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath(QStringLiteral("Cities.txt"));
        ASSERT_TRUE(
            writeFile(data_, "Lisbon,38.72,-9.14,545\r\nPorto,41.15,-8.61,232\r\nFaro,37.02,-7.93,64\r\n"));
    }
    QString out(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QString preset() const { return QStringLiteral(KARTELLO_EXAMPLES_DIR "/3d-by-value.ggo"); }

    QTemporaryDir dir_;
    QString data_;
};

TEST_F(BatchProgram, WritesAKmzThatOutsideReadersAccept) {
    const QString kmz = out("Cities.kmz");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--options", preset(), "--title1", "Cities",
                                     "--title-top", "--out", kmz});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    int status = 0;
    if (!tool("unzip").isEmpty()) {
        const QString list = runTool(tool("unzip"), {"-l", kmz}, &status);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(list.contains(QStringLiteral(" doc.kml\n"))) << list.toStdString();
        EXPECT_TRUE(list.contains(QStringLiteral(" Images/Cities_title.png\n"))) << list.toStdString();
        EXPECT_TRUE(list.contains(QStringLiteral(" Images/Cities_cscale.png\n"))) << list.toStdString();
        EXPECT_TRUE(list.contains(QStringLiteral("3 files"))) << list.toStdString();
        const QString doc = runTool(tool("unzip"), {"-p", kmz, "doc.kml"}, &status);
        EXPECT_TRUE(doc.contains(QStringLiteral("<href>Images/Cities_title.png</href>")));
        EXPECT_TRUE(doc.contains(QStringLiteral("<name>Cities</name>")));
    }
    if (tool("ogrinfo").isEmpty())
        GTEST_SKIP() << "ogrinfo is not installed";
    const QString info = runTool(tool("ogrinfo"), {"-ro", "-al", "-so", kmz}, &status);
    EXPECT_EQ(status, 0) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Layer name: Graph"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Layer name: Names/Values"))) << info.toStdString();
}

TEST_F(BatchProgram, WritesAKmlWithImagesBesideItThatXmllintAndOgrinfoRead) {
    const QString kml = out("places.kml");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--options", preset(), "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out("places_cscale.png")));
    EXPECT_FALSE(QFile::exists(out("places_title.png")));
    int status = 0;
    if (!tool("xmllint").isEmpty()) {
        const QString lint = runTool(tool("xmllint"), {"--noout", kml}, &status);
        EXPECT_EQ(status, 0) << lint.toStdString();
    }
    if (tool("ogrinfo").isEmpty())
        GTEST_SKIP() << "ogrinfo is not installed";
    const QString polygons = runTool(tool("ogrinfo"), {"-ro", kml, "Graph"}, &status);
    EXPECT_EQ(status, 0) << polygons.toStdString();
    EXPECT_TRUE(polygons.contains(QStringLiteral("Feature Count: 3"))) << polygons.toStdString();
    EXPECT_EQ(polygons.count(QStringLiteral("POLYGON")), 3) << polygons.toStdString();
    const QString labels = runTool(tool("ogrinfo"), {"-ro", kml, "Names/Values"}, &status);
    EXPECT_TRUE(labels.contains(QStringLiteral("Feature Count: 3"))) << labels.toStdString();
    EXPECT_EQ(labels.count(QStringLiteral("POINT Z")), 3) << labels.toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("Lisbon - 545"))) << labels.toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("POINT Z (-9.14 38.72"))) << labels.toStdString();
}

TEST_F(BatchProgram, SetsCoverWhatAnOptionsFileDoesNotCarry) {
    const QString kml = out("constant.kml");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--set", "Option1_0=True", "--set",
                                     "Option4_1=True", "--set", "Picture1_6=65280", "--set", "Option2_2=True",
                                     "--set", "Combo2=0", "--set", "Picture1_4=255", "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(kml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(f.readAll());
    // One shared style for the one colour, referenced by all three polygons.
    EXPECT_EQ(doc.count(QStringLiteral("<color>af00ff00</color>")), 1);
    EXPECT_EQ(doc.count(QStringLiteral("<styleUrl>#fill_af00ff00</styleUrl>")), 3);
    EXPECT_TRUE(doc.contains(QStringLiteral("  <name>545</name>\r\n")));
    EXPECT_TRUE(doc.contains(QStringLiteral("<LabelStyle><color>ff0000ff</color>")));
}

TEST_F(BatchProgram, PresetScaleIsChosenByItsPicture) {
    const QString kml = out("grey.kml");
    const ProgramRun r = runProgram(
        {"--batch", "--data", data_, "--options", preset(), "--set", "Image2_6=True", "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(kml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(f.readAll());
    // Grey ramp: the largest value black, the smallest white.
    EXPECT_TRUE(doc.contains(QStringLiteral("<color>ff000000</color>")));
    EXPECT_TRUE(doc.contains(QStringLiteral("<color>ffffffff</color>")));
}

TEST_F(BatchProgram, CustomScaleIsBuiltByItsOkButton) {
    const QString kml = out("custom.kml");
    // From pure blue (Image1_1, index 0: the largest value) to pure red.
    const ProgramRun r =
        runProgram({"--batch", "--data", data_, "--options", preset(), "--set", "Image1_1=16711680", "--set",
                    "Image1_0=255", "--set", "comCustomColor=True", "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(kml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(doc.contains(QStringLiteral("<color>ffff0000</color>"))); // Lisbon, the largest: blue
    EXPECT_TRUE(doc.contains(QStringLiteral("<color>ff0000ff</color>"))); // Faro, the smallest: red
}

TEST_F(BatchProgram, RunCheckFailureIsOneLineAndNoOutput) {
    const QString kml = out("none.kml");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--out", kml});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Warning: Please choose an option (flat or 3D)\n"));
    EXPECT_FALSE(QFile::exists(kml));
}

TEST_F(BatchProgram, UnknownControlOrWrongValueIsABadArgument) {
    for (const char* set :
         {"NoSuchControl=1", "chkGrid=yes", "Option4_1=maybe", "Combo3=12", "Image2_9=True"}) {
        const ProgramRun r = runProgram({"--batch", "--data", data_, "--set", set, "--out", out("x.kml")});
        EXPECT_EQ(r.status, 2) << set;
    }
    EXPECT_EQ(runProgram({"--batch", "--out", out("x.kml")}).status, 2);
}

TEST_F(BatchProgram, QuestionsAreAnsweredNoUnlessYesIsGiven) {
    ASSERT_TRUE(writeFile(data_, "A,10,20,-5\r\nB,11,21,10\r\n"));
    const QStringList base = {"--batch", "--data", data_, "--options", preset(), "--set", "chkLog=1"};
    const ProgramRun no = runProgram(base + QStringList{"--out", out("no.kml")});
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(no.err, QStringLiteral(
                          "Warning: Sorry, no log or square root transform for negative value. Proceed ?\n"));
    const ProgramRun yes = runProgram(base + QStringList{"--yes", "--out", out("yes.kml")});
    EXPECT_EQ(yes.status, 0) << yes.err.toStdString();
    EXPECT_TRUE(QFile::exists(out("yes.kml")));
}

TEST_F(BatchProgram, ExistingKmzSurvivesAFailedRun) {
    const QString kmz = out("keep.kmz");
    ASSERT_TRUE(writeFile(kmz, "old"));
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--out", kmz});
    EXPECT_EQ(r.status, 1);
    QFile f(kmz);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST_F(BatchProgram, GraphReadsBackAsALayerWithNameAndValueFields) {
    if (tool("ogrinfo").isEmpty())
        GTEST_SKIP() << "ogrinfo is not installed";
    const QString kml = out("fields.kml");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--options", preset(), "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    int status = 0;
    const QString info = runTool(tool("ogrinfo"), {"-ro", kml, "Graph"}, &status);
    EXPECT_TRUE(info.contains(QStringLiteral("using driver `LIBKML'"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("value: String"))) << info.toStdString();
    for (const char* field :
         {"Name (String) = Lisbon", "value (String) = 545", "Name (String) = Faro", "value (String) = 64"})
        EXPECT_TRUE(info.contains(QString::fromUtf8(field))) << field << info.toStdString();
    // Both of GDAL's KML readers take the document without a word.
    for (const QStringList& driver : {QStringList{}, QStringList{"--config", "GDAL_SKIP", "LIBKML"}}) {
        const QString all = runTool(tool("ogrinfo"), driver + QStringList{"-ro", "-al", kml}, &status);
        EXPECT_EQ(status, 0);
        EXPECT_FALSE(all.contains(QStringLiteral("Warning"))) << all.toStdString();
        EXPECT_FALSE(all.contains(QStringLiteral("ERROR"))) << all.toStdString();
    }
}

// GDAL brings a hundred libraries with it: a run on comma text starts
// without them, a run on GIS data loads them.
TEST_F(BatchProgram, GisLibrariesLoadOnlyForGisData) {
    const QString json = out("Cities.geojson");
    ASSERT_TRUE(writeFile(json, R"({"type":"FeatureCollection","features":[)"
                                R"({"type":"Feature","properties":{"name":"Lisbon","pop":545},)"
                                R"("geometry":{"type":"Point","coordinates":[-9.14,38.72]}},)"
                                R"({"type":"Feature","properties":{"name":"Faro","pop":64},)"
                                R"("geometry":{"type":"Point","coordinates":[-7.93,37.02]}}]})"));
    for (const auto& [data, loadsGdal] : {std::pair{data_, false}, std::pair{json, true}}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KARTELLO_PROGRAM),
                {"--batch", "--data", data, "--options", preset(), "--out", out("loaded.kml")});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << data.toStdString();
        EXPECT_EQ(p.readAllStandardError().contains("file=libgdal.so"), loadsGdal) << data.toStdString();
    }
}

// A program installed without its GIS module still reads comma text, and
// says which file it misses when given GIS data.
TEST_F(BatchProgram, WithoutTheGisModuleGisDataIsRefusedByName) {
    const QDir bin = QFileInfo(QStringLiteral(KARTELLO_PROGRAM)).dir();
    const QString program = out("kartello");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KARTELLO_PROGRAM), program));
    for (const char* library : {"libtessara.so", "libprobability.so"})
        ASSERT_TRUE(QFile::link(bin.filePath(QString::fromUtf8(library)), out(library)));
    const QString json = out("Cities.json");
    ASSERT_TRUE(writeFile(json, R"({"type":"FeatureCollection","features":[]})"));
    for (const auto& [data, refused] : {std::pair{data_, false}, std::pair{json, true}}) {
        QProcess p;
        p.start(program, {"--batch", "--data", data, "--options", preset(), "--out", out("alone.kml")});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode() != 0, refused) << data.toStdString();
        EXPECT_EQ(p.readAllStandardError().contains("File not found: libkartello_gis.so"), refused);
    }
}

TEST_F(BatchProgram, HoleIsTheInnerBoundaryOfItsShape) {
    if (tool("ogrinfo").isEmpty())
        GTEST_SKIP() << "ogrinfo is not installed";
    const QString kml = out("regions.kml");
    const ProgramRun r =
        runProgram({"--batch", "--data", QStringLiteral(KARTELLO_EXAMPLES_DIR "/regions.kml"), "--options",
                    preset(), "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    int status = 0;
    const QString info = runTool(tool("ogrinfo"), {"-ro", kml, "Graph"}, &status);
    // Three regions, three polygons; Lagoa's inner ring is its second ring,
    // not a filled block of its own.
    EXPECT_TRUE(info.contains(QStringLiteral("Feature Count: 3"))) << info.toStdString();
    EXPECT_EQ(info.count(QStringLiteral("POLYGON Z ((-9 39.6 ")), 1) << info.toStdString();
    EXPECT_EQ(info.count(QStringLiteral("),(-8.7 39.4 ")), 1) << info.toStdString();
    EXPECT_FALSE(info.contains(QStringLiteral("Warning"))) << info.toStdString();
}

TEST_F(BatchProgram, OnlySaveWritesEveryPlaceWhereItLies) {
    if (tool("ogrinfo").isEmpty())
        GTEST_SKIP() << "ogrinfo is not installed";
    const QString kml = out("only.kml");
    const ProgramRun r = runProgram({"--batch", "--data", data_, "--set", "chkNothing=1", "--out", kml});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    int status = 0;
    const QString info = runTool(tool("ogrinfo"), {"-ro", kml, "Graph"}, &status);
    EXPECT_FALSE(info.contains(QStringLiteral("EMPTY"))) << info.toStdString();
    for (const char* point :
         {"POINT Z (-9.14 38.72 0)", "POINT Z (-8.61 41.15 0)", "POINT Z (-7.93 37.02 0)"})
        EXPECT_TRUE(info.contains(QString::fromUtf8(point))) << point << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Name (String) = Porto"))) << info.toStdString();
}

struct OutsideCase {
    const char* out;      // output name, in a folder of its own
    const char* document; // where the document lies: the file, or an entry of the archive
};

class OutsideReaders : public testing::TestWithParam<OutsideCase> {};

// Names with every XML-special character and output names with "&", blanks
// and capitals: the document must be one that xmllint and GDAL read without
// a word, with the label altitudes GDAL sees.
TEST_P(OutsideReaders, AcceptTheDocumentWithoutWarning) {
    if (tool("xmllint").isEmpty() || tool("ogrinfo").isEmpty() || tool("unzip").isEmpty())
        GTEST_SKIP() << "xmllint, ogrinfo or unzip is not installed";
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("names.txt"));
    ASSERT_TRUE(writeFile(
        data, "\"R&D;Lab\",38.72,-9.14,545\r\n&nbsp;,41.15,-8.61,232\r\nCaf&eacute;,37.02,-7.93,64\r\n"
              "Ctl&#1;x,39.5,-8.0,10\r\n<b>\"q\" 'a' &amp;,40,-7.5,99\r\n"));
    const QString out = dir.filePath(QString::fromUtf8(GetParam().out));
    const ProgramRun r = runProgram({"--batch", "--data", data, "--options",
                                     QStringLiteral(KARTELLO_EXAMPLES_DIR "/3d-by-value.ggo"), "--title1",
                                     "R&D <map>", "--set", "Option2_1=True", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QString kml = out;
    int status = 0;
    if (QString::fromUtf8(GetParam().document) != QStringLiteral("file")) {
        kml = dir.filePath(QStringLiteral("doc.kml"));
        QProcess unzip;
        unzip.setStandardOutputFile(kml);
        unzip.start(tool("unzip"), {"-p", out, "doc.kml"});
        ASSERT_TRUE(unzip.waitForFinished(60000));
    }
    const QString lint = runTool(tool("xmllint"), {"--noout", kml}, &status);
    EXPECT_EQ(status, 0) << lint.toStdString();
    EXPECT_TRUE(lint.isEmpty()) << lint.toStdString();
    const QString info = runTool(tool("ogrinfo"), {"-ro", "-al", out}, &status);
    EXPECT_EQ(status, 0) << info.toStdString();
    EXPECT_FALSE(info.contains(QStringLiteral("Warning"))) << info.toStdString();
    EXPECT_FALSE(info.contains(QStringLiteral("ERROR"))) << info.toStdString();
    for (const char* name : {"R&D;Lab", "&nbsp;", "Caf&eacute;", "Ctl&#1;x", "<b>\"q\" 'a' &"})
        EXPECT_TRUE(info.contains(QStringLiteral("Name (String) = ") + QString::fromUtf8(name)))
            << name << info.toStdString();
    // Labels float 10 per cent above their polygons: Lisbon's polygon is
    // not 0 m high, so neither is its label.
    EXPECT_FALSE(info.contains(QStringLiteral("POINT Z (-9.14 38.72 0)"))) << info.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Names, OutsideReaders,
                         testing::Values(OutsideCase{"R&D map.kmz", "archive"},
                                         OutsideCase{"R&D map.kml", "file"},
                                         OutsideCase{"Graph Of Names.KMZ", "archive"},
                                         OutsideCase{"Graph Of Names.KML", "file"}),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace

// --help, --version and a wrong argument answer before any window: with no
// display and a platform that needs one, they still end normally.
TEST(ProgramCommandLine, HelpVersionAndUnknownFlagsNeedNoDisplay) {
    struct Case {
        QStringList args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--help"}, 0, "usage: kartello [toolkit options]", ""},
        {{"--version"}, 0, "kartello 2.2.2\n", ""},
        {{"--bogus"}, 2, "", "kartello: unknown option --bogus\nusage: kartello"},
        {{"places.txt"}, 2, "", "kartello: unexpected argument places.txt\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KARTELLO_PROGRAM), c.args);
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), c.status);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (*c.out)
            EXPECT_TRUE(out.startsWith(QString::fromUtf8(c.out))) << out.toStdString();
        else
            EXPECT_TRUE(out.isEmpty()) << out.toStdString();
        if (*c.err)
            EXPECT_TRUE(err.startsWith(QString::fromUtf8(c.err))) << err.toStdString();
        else
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    }
    QProcess help;
    help.start(QStringLiteral(KARTELLO_PROGRAM), {QStringLiteral("--help")});
    help.waitForFinished(20000);
    const QString usage = QString::fromUtf8(help.readAllStandardOutput());
    for (const char* flag : {"--batch", "--data", "--options", "--title1", "--title2", "--title-top", "--set",
                             "--yes", "--out", "--version"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(flag))) << flag;
}
