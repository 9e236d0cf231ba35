#pragma once
// Opening a file with the desktop's application for it, telling the person
// when that fails instead of doing nothing.
#include "runtime/Ui.h"

namespace kartello {

// Opens path through the Ui; when no application takes it, shows a message
// naming the file. True when it was opened.
bool openOrTell(Ui& ui, const QString& path);

} // namespace kartello
