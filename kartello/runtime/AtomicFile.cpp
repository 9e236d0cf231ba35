#include "runtime/AtomicFile.h"

#include "runtime/RuntimeError.h"
#include "runtime/Staging.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace kartello {

namespace {

bool writeAll(int fd, QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// The new file gets the old one's permissions, or those of a new document.
void takePermissions(int fd, const QString& path) {
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(path).constData(), &old) == 0 ? old.st_mode & 07777 : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    ::fchmod(fd, mode);
}

} // namespace

void writeFileAtomically(const QString& path, QByteArrayView bytes) {
    writeFileAtomically(path, [bytes](int fd) { return writeAll(fd, bytes); });
}

void writeFileAtomically(const QString& path, const std::function<bool(int fd)>& write) {
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw RuntimeError(ErrPathNotFound);
    if (target.isDir())
        throw RuntimeError(ErrPathFileAccess);
    QTemporaryFile temp(besideTemplate(path));
    if (!temp.open())
        throw RuntimeError(ErrPathFileAccess);
    const int fd = temp.handle();
    takePermissions(fd, path);
    // On disk before it replaces the old file, so that a crash leaves one
    // of the two whole.
    if (!write(fd) || ::fdatasync(fd) != 0)
        throw RuntimeError(ErrPathFileAccess);
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        throw RuntimeError(ErrPathFileAccess);
    temp.setAutoRemove(false);
}

} // namespace kartello
