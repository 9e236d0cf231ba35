#pragma once

#include <QLocale>
#include <QString>

namespace kartello::gui {

// Clipboard text as the place readers expect it. A spreadsheet on this
// platform ends rows with a bare line feed and writes numbers in the user's
// locale; the readers cut rows at carriage return + line feed and read numbers
// with "." only (a comma is taken for a digit-group mark and dropped, so "1,5"
// would become 15). So every row end becomes CR LF, and when the user's locale
// has another decimal separator than ".", every tab-separated field that is a
// number in that locale ("1,5", "-1.234,5") is rewritten with "." and without
// grouping ("1.5", "-1234.5"). Other fields are left as they are.
QString programClipboardText(const QString& text, const QLocale& userLocale);

} // namespace kartello::gui
