#include "runtime/Staging.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <signal.h>

namespace kartello {

namespace {

const QString kPrefix = QStringLiteral("kartello-");

bool runHasEnded(qint64 pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QString stagingTemplate(const QString& what) {
    return QDir::tempPath() + u'/' + kPrefix + QString::number(QCoreApplication::applicationPid()) + u'-' +
           what + QStringLiteral("-XXXXXX");
}

int removeLeftStaging(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    const auto entries = dir.entryInfoList({kPrefix + u'*'}, QDir::Dirs | QDir::Files | QDir::Hidden |
                                                                 QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const QString rest = entry.fileName().mid(kPrefix.size());
        bool isPid = false;
        const qint64 pid = rest.section(u'-', 0, 0).toLongLong(&isPid);
        if (!isPid || !runHasEnded(pid))
            continue;
        const bool gone = entry.isDir() ? QDir(entry.absoluteFilePath()).removeRecursively()
                                        : QFile::remove(entry.absoluteFilePath());
        removed += gone ? 1 : 0;
    }
    return removed;
}

} // namespace kartello
