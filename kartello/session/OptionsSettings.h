#pragma once
// The settings file "Kartello.ini": one flag of the decimal-separator warning
// ("Message" = 1 when the person asked not to be warned again). It lives in the
// user's configuration folder, as the program's own folder is not writable
// once installed.
#include <QString>

namespace kartello {

// <user configuration folder>/Kartello/Kartello.ini
QString settingsFilePath();

// le_Ini: the "Message" flag, 0 when the file or the key is missing or the
// value is not a number.
int le_Ini(const QString& path = settingsFilePath());

// Writes the flag (at the warning window's unload); the file is replaced
// atomically. False when it could not be written.
bool writeIni(int messageFlag, const QString& path = settingsFilePath());

} // namespace kartello
