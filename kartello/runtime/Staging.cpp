#include "runtime/Staging.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace kartello {

namespace {

const QString kPrefix = QStringLiteral("kartello-");
const QString kFoldersNote = QStringLiteral("folders");

bool runHasEnded(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

QString runPrefix(qint64 pid) {
    return kPrefix + QString::number(pid) + u'-';
}

// The process id in a staged name ("kartello-<pid>-..." or ".kartello-<pid>-..."), 0 for another name.
qint64 pidOf(const QString& name) {
    const qsizetype start = name.startsWith(u'.') ? 1 : 0;
    if (!QStringView(name).mid(start).startsWith(kPrefix))
        return 0;
    bool isPid = false;
    const qint64 pid = name.mid(start + kPrefix.size()).section(u'-', 0, 0).toLongLong(&isPid);
    return isPid ? pid : 0;
}

// Removes the hidden files an ended run left in one folder it wrote to:
// only plain files of this user that carry that run's process id.
int removeLeftBeside(const QString& folder, qint64 pid) {
    int removed = 0;
    const QDir dir(folder);
    const auto entries =
        dir.entryInfoList({u'.' + runPrefix(pid) + u'*'}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries)
        if (entry.ownerId() == ::getuid() && QFile::remove(entry.absoluteFilePath()))
            ++removed;
    return removed;
}

// The folders an ended run noted; each is swept, then the note goes.
int removeNotedFolders(const QString& note, qint64 pid) {
    int removed = 0;
    QFile file(note);
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                removed += removeLeftBeside(QFile::decodeName(line), pid);
    return removed + (QFile::remove(note) ? 1 : 0);
}

void noteFolder(const QString& folder) {
    static QSet<QString> noted;
    if (noted.contains(folder))
        return;
    QFile note(QDir::tempPath() + u'/' + runPrefix(QCoreApplication::applicationPid()) + kFoldersNote);
    if (note.open(QIODevice::Append) && note.write(QFile::encodeName(folder) + '\n') > 0)
        noted.insert(folder);
}

} // namespace

QString stagingTemplate(const QString& what) {
    return QDir::tempPath() + u'/' + runPrefix(QCoreApplication::applicationPid()) + what +
           QStringLiteral("-XXXXXX");
}

QString besideTemplate(const QString& target) {
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    noteFolder(folder);
    return folder + QStringLiteral("/.") + runPrefix(QCoreApplication::applicationPid()) + info.fileName() +
           QStringLiteral(".XXXXXX");
}

int removeLeftStaging(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    const auto entries =
        dir.entryInfoList({kPrefix + u'*', u'.' + kPrefix + u'*'},
                          QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const qint64 pid = pidOf(entry.fileName());
        if (pid == 0 || !runHasEnded(pid) || !QFileInfo::exists(entry.absoluteFilePath()))
            continue;
        if (entry.fileName() == runPrefix(pid) + kFoldersNote)
            removed += removeNotedFolders(entry.absoluteFilePath(), pid);
        else if (entry.isDir())
            removed += QDir(entry.absoluteFilePath()).removeRecursively() ? 1 : 0;
        else
            removed += QFile::remove(entry.absoluteFilePath()) ? 1 : 0;
    }
    return removed;
}

} // namespace kartello
