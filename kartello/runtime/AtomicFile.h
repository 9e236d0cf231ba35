#pragma once
// The one way Kartello writes a file: the bytes go to a temporary file beside
// the target, which then replaces it in one rename, so a failed or killed
// write leaves the old file whole.
#include <QByteArray>
#include <QString>

namespace kartello {

// Replaces the file at path with bytes. Raises ErrPathNotFound when the
// folder does not exist and ErrPathFileAccess for any other failure.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace kartello
