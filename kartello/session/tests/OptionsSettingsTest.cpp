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

} // namespace
