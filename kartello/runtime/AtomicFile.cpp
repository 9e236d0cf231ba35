#include "runtime/AtomicFile.h"

#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kartello {

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (!QFileInfo(path).absoluteDir().exists())
        throw RuntimeError(ErrPathNotFound);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RuntimeError(ErrPathFileAccess);
}

} // namespace kartello
