#pragma once
// Packs a staging folder into a zip archive (deflate), every file under its
// path relative to the folder with "/" separators, as KMZ readers expect.
#include <QString>
#include <optional>

namespace kartello {

// Writes the archive to a temporary file beside archivePath and renames it
// over archivePath, so an existing archive survives a failed pack. Returns
// the packer's error text on failure.
std::optional<QString> packFolder(const QString& folder, const QString& archivePath);

} // namespace kartello
