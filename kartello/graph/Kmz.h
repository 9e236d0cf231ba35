#pragma once
// Packs the graph's files into a zip archive (a KMZ), each under its path
// with "/" separators as KMZ readers expect, the document first.
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace kartello {

struct ArchiveEntry {
    QString name; // "doc.kml", "Images/base_title.png"
    QByteArrayView bytes;
};

// Writes the archive to a hidden temporary file beside archivePath (named by
// runtime/Staging.h) and renames it over archivePath, so an existing archive
// survives a failed pack. Returns the packer's error text on failure.
std::optional<QString> packArchive(const QString& archivePath, const std::vector<ArchiveEntry>& entries);

} // namespace kartello
