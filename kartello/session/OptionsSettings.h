#pragma once
// The settings file "Kartello.ini": the flag of the decimal-separator warning
// ("Message" = 1 when the person asked not to be warned again) and the layer
// and fields last chosen for each GIS file opened in the window. It lives in
// the user's configuration folder, as the program's own folder is not
// writable once installed. Writing one setting keeps every other line.
#include "runtime/FieldChoice.h"

#include <QString>
#include <optional>

namespace kartello {

// <user configuration folder>/Kartello/Kartello.ini
QString settingsFilePath();

// le_Ini: the "Message" flag, 0 when the file or the key is missing or the
// value is not a number.
int le_Ini(const QString& path = settingsFilePath());

// Writes the flag (at the warning window's unload); the file is replaced
// atomically. False when it could not be written.
bool writeIni(int messageFlag, const QString& path = settingsFilePath());

// The choice remembered for the GIS file at file (an absolute path); nullopt
// when none was.
std::optional<FieldChoice> rememberedFields(const QString& file, const QString& path = settingsFilePath());

// Remembers the choice for file, replacing the one remembered before; the
// file is replaced atomically. False when it could not be written.
bool rememberFields(const QString& file, const FieldChoice& choice, const QString& path = settingsFilePath());

} // namespace kartello
