#include "runtime/OpenFile.h"

namespace kartello {

bool openOrTell(Ui& ui, const QString& path) {
    if (ui.openWithAssociatedApp(path))
        return true;
    ui.messageBox(QStringLiteral("Can't open ") + path +
                      QStringLiteral(". There is no application for this kind of file on this desktop."),
                  QStringLiteral("Kartello"), MsgIcon::Exclamation);
    return false;
}

} // namespace kartello
