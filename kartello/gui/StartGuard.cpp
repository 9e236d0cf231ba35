#include "StartGuard.h"

namespace kartello::gui {

bool StartGuard::run(DecimalGuard& guard, const QLocale& userLocale, QWidget* parent) {
    if (DecimalGuard::needsWarning(userLocale, doNotAskFlag)) {
        WarningWindow form2(parent);
        form2.setDoNotAskFlag(doNotAskFlag);
        showWindow(form2);
        // Closing Form2 writes the flag, whichever way it was closed.
        doNotAskFlag = form2.doNotAskFlag();
        if (writeFlag)
            writeFlag(doNotAskFlag);
        if (form2.choice() == WarningWindow::Choice::ExitProgram)
            return false;
    }
    guard.setMDSettings();
    return true;
}

} // namespace kartello::gui
