#include "graph/Saving.h"
#include "GraphFixture.h"
#include "GuiEnvironment.h"
#include "graph/Kmz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kartello;
using namespace kartello::testing_support;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct Saved {
    GraphFixture f;
    QString currentFile;
    QString base = QStringLiteral("Cities");

    explicit Saved(bool title, bool scale) {
        f.places({{10, 20, 1, "A"}, {12, 24, 2, "B"}});
        f.plainOptions();
        f.options.showTitle = title;
        f.options.title1 = QStringLiteral("Rain");
        f.options.showScale = scale;
        EXPECT_TRUE(f.generate());
    }
    bool save(const QString& path) {
        f.ui.fileAnswers = {path};
        SaveContext ctx{f.state, f.options, f.ui, currentFile, base};
        return guarda(ctx);
    }
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList zipEntries(const QString& path) {
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty())
        return {};
    QProcess p;
    p.start(unzip, {QStringLiteral("-Z1"), path});
    p.waitForFinished();
    // In archive order: the order is part of what is checked.
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(Saving, KmlWithTitleAndScaleLeavesThreeFilesSideBySide) {
    QTemporaryDir dir;
    Saved s(true, true);
    ASSERT_TRUE(s.save(dir.filePath(QStringLiteral("graph.kml"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"graph.kml", "graph_cscale.png", "graph_title.png"}));
    const QString doc = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("graph.kml"))));
    EXPECT_TRUE(doc.contains(QStringLiteral("\r\n<name>graph</name>\r\n")));
    EXPECT_TRUE(doc.contains(QStringLiteral("\r\n    <href>graph_title.png</href>\r\n")));
    EXPECT_TRUE(doc.contains(QStringLiteral("\r\n    <href>graph_cscale.png</href>\r\n")));
    EXPECT_TRUE(doc.endsWith(QStringLiteral("</kml>\r\n")));
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("graph_title.png"))).startsWith("\x89PNG"));
    EXPECT_EQ(s.currentFile, dir.filePath(QStringLiteral("graph.kml")));
    EXPECT_EQ(s.base, QStringLiteral("graph"));
    EXPECT_TRUE(s.f.state.document.lines().contains(QStringLiteral("<name>graph</name>")));
}

TEST(Saving, KmzHoldsTheDocumentFirstAndImagesUnderForwardSlashes) {
    QTemporaryDir dir;
    Saved s(true, true);
    const QString kmz = dir.filePath(QStringLiteral("graph.kmz"));
    ASSERT_TRUE(s.save(kmz));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"graph.kmz"}));
    EXPECT_TRUE(readAll(kmz).startsWith("PK"));
    const QStringList entries = zipEntries(kmz);
    if (entries.isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    EXPECT_EQ(entries, (QStringList{"doc.kml", "Images/graph_cscale.png", "Images/graph_title.png"}));
    // Deflated before it enters the archive: unzip inflates it and checks
    // its CRC, and gets the document the graph holds.
    QProcess unzip;
    unzip.start(QStandardPaths::findExecutable(QStringLiteral("unzip")),
                {QStringLiteral("-p"), kmz, "doc.kml"});
    unzip.waitForFinished();
    EXPECT_EQ(unzip.exitCode(), 0);
    EXPECT_EQ(unzip.readAllStandardOutput(), s.f.state.document.bytes());
}

TEST(Saving, KmzWithoutScaleHasNoScaleImage) {
    QTemporaryDir dir;
    Saved s(true, false);
    const QString kmz = dir.filePath(QStringLiteral("t.kmz"));
    ASSERT_TRUE(s.save(kmz));
    const QStringList entries = zipEntries(kmz);
    if (entries.isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    EXPECT_EQ(entries, (QStringList{"doc.kml", "Images/t_title.png"}));
}

TEST(Saving, SavingOverAnExistingKmzReplacesIt) {
    QTemporaryDir dir;
    const QString kmz = dir.filePath(QStringLiteral("graph.kmz"));
    {
        QFile old(kmz);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old archive");
    }
    Saved s(false, false);
    ASSERT_TRUE(s.save(kmz));
    EXPECT_TRUE(readAll(kmz).startsWith("PK"));
}

TEST(Saving, BitmapOverlaysOnRequest) {
    QTemporaryDir dir;
    Saved s(true, true);
    s.f.options.bmpOverlays = true;
    ASSERT_TRUE(s.save(dir.filePath(QStringLiteral("graph.kml"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"graph.kml", "graph_cscale.bmp", "graph_title.bmp"}));
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("graph_cscale.bmp"))).startsWith("BM"));
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("graph.kml"))).contains("<href>graph_title.bmp</href>"));
}

struct NameCase {
    const char* file;   // the name typed into the save dialog, in a folder of its own
    bool archive;       // written as a zip archive
    const char* images; // the files beside it ("" for an archive)
};

class OutputName : public testing::TestWithParam<NameCase> {};

TEST_P(OutputName, ExtensionAloneDecidesInAnyCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("maps.kmz.d")));
    Saved s(true, true);
    const QString path = dir.filePath(QString::fromUtf8(GetParam().file));
    ASSERT_TRUE(s.save(path)) << s.f.ui.lastMessage().toStdString();
    EXPECT_EQ(readAll(path).startsWith("PK"), GetParam().archive);
    EXPECT_EQ(readAll(path).startsWith("<?xml"), !GetParam().archive);
    QStringList beside = QDir(QFileInfo(path).path()).entryList(QDir::Files, QDir::Name);
    beside.removeOne(QFileInfo(path).fileName());
    EXPECT_EQ(beside.join(u' '), QString::fromUtf8(GetParam().images));
}

INSTANTIATE_TEST_SUITE_P(Names, OutputName,
                         testing::Values(NameCase{"graph.KMZ", true, ""}, NameCase{"graph.Kmz", true, ""},
                                         NameCase{"graph.KML", false, "graph_cscale.png graph_title.png"},
                                         NameCase{"maps.kmz.d/x.kml", false, "x_cscale.png x_title.png"},
                                         NameCase{"a.kml.kmz", true, ""}),
                         [](const auto& info) { return std::to_string(info.index); });

struct HrefCase {
    const char16_t* base;
    bool kmz;
    const char16_t* href;
};

class ImageHref : public testing::TestWithParam<HrefCase> {};

TEST_P(ImageHref, IsAPercentEncodedUrlEscapedForXml) {
    EXPECT_EQ(imageHref(QString::fromUtf16(GetParam().base), GetParam().kmz, u"_title.bmp"),
              QString::fromUtf16(GetParam().href));
}

INSTANTIATE_TEST_SUITE_P(Names, ImageHref,
                         testing::Values(HrefCase{u"R&D map", true, u"Images/R&amp;D%20map_title.bmp"},
                                         HrefCase{u"R&D map", false, u"R&amp;D%20map_title.bmp"},
                                         HrefCase{u"50% #1?", false, u"50%25%20%231%3F_title.bmp"},
                                         HrefCase{u"S\u00e3o", false, u"S%C3%A3o_title.bmp"},
                                         HrefCase{u"a<b>\"c\"", false, u"a%3Cb%3E%22c%22_title.bmp"}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Saving, WithoutTitleThereIsNoTitleImageNorOverlay) {
    QTemporaryDir dir;
    Saved s(false, false);
    ASSERT_TRUE(s.save(dir.filePath(QStringLiteral("plain.kml"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"plain.kml"}));
    EXPECT_FALSE(readAll(dir.filePath(QStringLiteral("plain.kml"))).contains("ScreenOverlay"));
}

TEST(Saving, CancelWritesNothing) {
    Saved s(true, true);
    SaveContext ctx{s.f.state, s.f.options, s.f.ui, s.currentFile, s.base};
    EXPECT_FALSE(guarda(ctx));
    EXPECT_TRUE(s.f.ui.messages.empty());
    EXPECT_TRUE(s.currentFile.isEmpty());
}

TEST(Saving, TitleImageNeedsAKmlNameAndAFaultLeavesNoFile) {
    QTemporaryDir dir;
    Saved s(true, false);
    const QString path = dir.filePath(QStringLiteral("graph.txt"));
    EXPECT_FALSE(s.save(path));
    EXPECT_EQ(s.f.ui.lastMessage(),
              QStringLiteral("Error 5 (Invalid procedure call or argument) in procedure "
                             "guarda of form Main. Please report this error"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(Saving, MissingFolderIsAPathError) {
    Saved s(false, false);
    EXPECT_FALSE(s.save(QStringLiteral("/nonexistent/folder/g.kml")));
    EXPECT_EQ(s.f.ui.lastMessage(),
              QStringLiteral(
                  "Error 76 (Path not found) in procedure guarda of form Main. Please report this error"));
}

TEST(Saving, OpenInViewerOpensTheFileAndMinimisesTheWindow) {
    QTemporaryDir dir;
    Saved s(false, false);
    s.f.options.openInViewer = true;
    const QString path = dir.filePath(QStringLiteral("g.kml"));
    ASSERT_TRUE(s.save(path));
    ASSERT_EQ(s.f.ui.opened.size(), 1u);
    EXPECT_EQ(s.f.ui.opened[0], path);
    EXPECT_EQ(s.f.ui.minimized, 1);
}

TEST(Saving, AViewerThatCannotBeOpenedIsReportedAndTheWindowStays) {
    QTemporaryDir dir;
    Saved s(false, false);
    s.f.options.openInViewer = true;
    s.f.ui.openSucceeds = false;
    const QString path = dir.filePath(QStringLiteral("g.kml"));
    ASSERT_TRUE(s.save(path)); // the file itself was written
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(s.f.ui.lastMessage(),
              "Can't open " + path + ". There is no application for this kind of file on this desktop.");
    EXPECT_EQ(s.f.ui.minimized, 0);
}

TEST(Saving, BaseNameIsBetweenTheLastSeparatorAndTheLastDot) {
    EXPECT_EQ(baseNameOf(QStringLiteral("/a/b.c/graph.v2.kml")), QStringLiteral("graph.v2"));
    EXPECT_EQ(baseNameOf(QStringLiteral("C:\\maps\\rain.kmz")), QStringLiteral("rain"));
    EXPECT_EQ(baseNameOf(QStringLiteral("/a.b/noext")), QStringLiteral("noext"));
}

TEST(Saving, PackingIntoAnUnwritablePlaceFailsWithAText) {
    const auto err =
        packArchive(QStringLiteral("/nonexistent/x.kmz"), {{QStringLiteral("doc.kml"), "<kml/>"}});
    ASSERT_TRUE(err.has_value());
    EXPECT_FALSE(err->isEmpty());
}

} // namespace
