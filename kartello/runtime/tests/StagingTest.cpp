#include "runtime/Staging.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kartello;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(Staging, TemplateCarriesThisRunsProcessId) {
    const QString t = stagingTemplate(QStringLiteral("export"));
    EXPECT_EQ(t, QDir::tempPath() + "/kartello-" + QString::number(QCoreApplication::applicationPid()) +
                     "-export-XXXXXX");
}

TEST(Staging, OnlyWhatEndedRunsLeftIsRemoved) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString mine = QString::number(QCoreApplication::applicationPid());
    // A process id above the kernel's limit (4194304) belongs to no run.
    const QString ended = QStringLiteral("999999999");
    struct Entry {
        QString name;
        bool folder;
        bool kept;
    } entries[] = {
        {"kartello-" + ended + "-kmz-AbC123", true, false},
        {"kartello-" + ended + "-export-x1y2z3", true, false},
        {"kartello-" + ended + "-doc.kml.part", false, false},
        {"kartello-" + mine + "-kmz-Q1w2E3", true, true},
        {"kartello-notanumber-x", true, true},
        {"other-" + ended + "-kmz", true, true},
        {"places.txt", false, true},
    };
    for (const Entry& e : entries) {
        if (e.folder) {
            ASSERT_TRUE(dir.mkpath(e.name + "/Images"));
            touch(dir.filePath(e.name + "/Images/a.bmp"));
        } else {
            touch(dir.filePath(e.name));
        }
    }
    EXPECT_EQ(removeLeftStaging(tmp.path()), 3);
    for (const Entry& e : entries)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(e.name)), e.kept) << e.name.toStdString();
}

// A save killed halfway leaves its hidden temporary beside the target (and
// the packer's own, named after it); the next start removes both, the note
// of the folder, and nothing of the person's.
TEST(Staging, WhatAKilledSaveLeftBesideItsTargetGoesAtTheNextStart) {
    QTemporaryDir tmp, folder;
    const QString target = folder.filePath("graph.kmz");
    const pid_t child = ::fork();
    if (child == 0) {
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        QTemporaryFile half(besideTemplate(target));
        half.setAutoRemove(false);
        if (half.open())
            touch(half.fileName() + ".Zq81xA");
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const QStringList persons = {".graph.kmz.Ab12Cd", ".kartello-notes", "graph.kmz"};
    for (const QString& name : persons)
        touch(folder.filePath(name));
    const QDir::Filters files = QDir::Files | QDir::Hidden;
    EXPECT_EQ(QDir(folder.path()).entryList(files).size(), 5);
    EXPECT_EQ(removeLeftStaging(tmp.path()), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(files, QDir::Name), persons);
    EXPECT_TRUE(QDir(tmp.path()).entryList(files).isEmpty());
}
