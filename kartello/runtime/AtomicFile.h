#pragma once
// The one way Kartello writes a file: the bytes go to a hidden temporary file
// beside the target (named by runtime/Staging.h, so that the next start
// removes it after a kill), which then replaces it in one rename, so a failed
// or killed write leaves the old file whole.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace kartello {

// Replaces the file at path with bytes. Raises ErrPathNotFound when the
// folder does not exist and ErrPathFileAccess for any other failure.
void writeFileAtomically(const QString& path, QByteArrayView bytes);

// The same for contents that `write` produces into the open temporary file
// (its descriptor); `write` answers false when it failed.
void writeFileAtomically(const QString& path, const std::function<bool(int fd)>& write);

} // namespace kartello
