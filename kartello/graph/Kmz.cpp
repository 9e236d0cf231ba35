#include "graph/Kmz.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>
#include <zip.h>

namespace kartello {

namespace {

constexpr zip_uint32_t kDeflateLevel = 1;

QString zipError(zip_t* z) {
    return QString::fromUtf8(zip_strerror(z));
}

QString zipErrorCode(int code) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&err));
    zip_error_fini(&err);
    return text;
}

// Files below the folder, relative, with "/" separators: the files at the top
// first, so the document is the archive's first entry (viewers take the first
// KML they meet as the root), then the subfolders, each in name order.
QStringList filesBelow(const QString& folder) {
    QStringList names;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << base.relativeFilePath(it.next());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const bool aNested = a.contains(QLatin1Char('/'));
        const bool bNested = b.contains(QLatin1Char('/'));
        return aNested != bNested ? bNested : a < b;
    });
    return names;
}

std::optional<QString> addFiles(zip_t* z, const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        zip_source_t* src = zip_source_file(z, path.constData(), 0, -1);
        if (!src)
            return zipError(z);
        const zip_int64_t index = zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return zipError(z);
        }
        // The fastest deflate level: a large graph's document is mostly
        // digits, which pack nearly as well at level 1 in a fraction of the time.
        if (zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kDeflateLevel) < 0)
            return zipError(z);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> packFolder(const QString& folder, const QString& archivePath) {
    const QFileInfo target(archivePath);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!temp.open())
        return QStringLiteral("Cannot create a file in ") + target.absolutePath();
    temp.close();
    const QByteArray tempPath = QFile::encodeName(temp.fileName());

    int code = 0;
    zip_t* z = zip_open(tempPath.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return zipErrorCode(code);
    if (auto err = addFiles(z, folder, filesBelow(folder))) {
        zip_discard(z);
        return err;
    }
    if (zip_close(z) < 0) {
        const QString err = zipError(z);
        zip_discard(z);
        return err;
    }
    // The packer wrote a private file; the archive is an ordinary document.
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // A rename within one folder replaces the old archive in one step.
    if (std::rename(tempPath.constData(), QFile::encodeName(archivePath).constData()) != 0)
        return QStringLiteral("Cannot replace ") + archivePath;
    temp.setAutoRemove(false);
    return std::nullopt;
}

} // namespace kartello
