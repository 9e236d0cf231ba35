#include "runtime/AtomicFile.h"
#include "runtime/Trap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace kartello;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int errorOf(const QString& path, const QByteArray& bytes) {
    const auto e = trapped([&] { writeFileAtomically(path, bytes); });
    return e ? e->number : -1;
}

} // namespace

TEST(AtomicFile, ReplacesTheFileWholeAndLeavesNoTemporaryBeside) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kml");
    EXPECT_EQ(errorOf(path, "first"), -1);
    EXPECT_EQ(errorOf(path, "second, longer"), -1);
    EXPECT_EQ(contents(path), "second, longer");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.kml"});
}

TEST(AtomicFile, FailuresMapToOneSetOfNumbers) {
    QTemporaryDir dir;
    const QString readOnly = dir.filePath("ro");
    QDir().mkdir(readOnly);
    const QString kept = readOnly + "/kept.txt";
    QFile seed(kept);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("old");
    seed.close();
    ::chmod(readOnly.toLocal8Bit().constData(), 0555);
    const bool root = ::geteuid() == 0; // root writes into a read-only folder

    EXPECT_EQ(errorOf(dir.filePath("no/such/folder/x.txt"), "x"), ErrPathNotFound);
    EXPECT_EQ(errorOf(dir.path(), "x"), ErrPathFileAccess); // a folder is not a file
    if (!root) {
        EXPECT_EQ(errorOf(kept, "new"), ErrPathFileAccess);
        EXPECT_EQ(contents(kept), "old");
    }
    ::chmod(readOnly.toLocal8Bit().constData(), 0755);
}
