#pragma once

#include "DecimalGuard.h"
#include "WarningWindow.h"

#include <QLocale>
#include <functional>

class QWidget;

namespace kartello::gui {

// The start of the decimal-separator guard (setMDSettings with its question).
struct StartGuard {
    // The do-not-ask flag from the settings file, and how to write it back.
    int doNotAskFlag = 0;
    std::function<void(int flag)> writeFlag;
    // Shows Form2 and waits until it closes; replaced by tests to answer it.
    std::function<void(WarningWindow&)> showWindow = [](WarningWindow& w) {
        w.exec();
    };

    // Asks through Form2 when the user's locale needs it, writes the flag when
    // Form2 closes, then switches the process to period and comma. False when
    // the person chose "Exit Kartello": nothing was switched then.
    bool run(DecimalGuard& guard, const QLocale& userLocale, QWidget* parent = nullptr);
};

} // namespace kartello::gui
