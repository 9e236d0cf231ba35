#include "session/OptionsSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kartello;

namespace {

TEST(Settings, MissingFileGivesZero) {
    EXPECT_EQ(le_Ini(QStringLiteral("/nonexistent/Kartello.ini")), 0);
}

TEST(Settings, WrittenFlagIsReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/Kartello.ini"));
    ASSERT_TRUE(writeIni(1, path));
    EXPECT_EQ(le_Ini(path), 1);
    ASSERT_TRUE(writeIni(0, path));
    EXPECT_EQ(le_Ini(path), 0);
}

TEST(Settings, OnlyTheApplicationSectionCounts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("[Other]\nMessage=7\n[Kartello]\nmessage = 1\n");
    f.close();
    EXPECT_EQ(le_Ini(path), 1);
}

TEST(Settings, ValueThatIsNoNumberGivesZero) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("[Kartello]\r\nMessage=yes\r\n");
    f.close();
    EXPECT_EQ(le_Ini(path), 0);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Kartello]\r\nMessage=1e999\r\n");
    f.close();
    EXPECT_EQ(le_Ini(path), 0);
}

// The field choice is remembered per file, beside the warning flag: writing
// either keeps the other, a second choice for the same file replaces the
// first, and a path with the file's own separators ('=', ',', spaces) or
// other letters is a key like any other.
TEST(Settings, FieldChoicesAreRememberedPerFileBesideTheFlag) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    const QString odd = QStringLiteral("/data/a=b, c/Évora %20.gpkg");
    const QString plain = QStringLiteral("/data/cities.gpkg");
    const FieldChoice first{"towns", "name", "pop", "", "", ""};
    const FieldChoice later{"a=b,c", "nome é", "pop%", "lat", "lon", "year"};

    EXPECT_FALSE(rememberedFields(plain, path));
    ASSERT_TRUE(writeIni(1, path));
    ASSERT_TRUE(rememberFields(plain, first, path));
    ASSERT_TRUE(rememberFields(odd, first, path));
    ASSERT_TRUE(rememberFields(odd, later, path));
    ASSERT_TRUE(writeIni(1, path));
    EXPECT_EQ(le_Ini(path), 1);
    EXPECT_EQ(rememberedFields(plain, path), first);
    EXPECT_EQ(rememberedFields(odd, path), later);
    EXPECT_FALSE(rememberedFields(QStringLiteral("/data/CITIES.gpkg"), path));
}

} // namespace
