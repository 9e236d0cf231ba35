#include "DecimalGuard.h"

#include <clocale>

namespace kartello::gui {

bool DecimalGuard::needsWarning(const QLocale& userLocale, int doNotAskFlag) {
    return userLocale.decimalPoint() != QStringLiteral(".") && doNotAskFlag == 0;
}

void DecimalGuard::setMDSettings() {
    if (!savedNumeric_) {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        const std::string old = current ? current : "C";
        if (old != "C" && old != "POSIX") {
            savedNumeric_ = old;
            std::setlocale(LC_NUMERIC, "C");
        }
    }
    if (!savedDefault_) {
        const QLocale old;
        if (old.decimalPoint() != QStringLiteral(".") || old.groupSeparator() != QStringLiteral(",")) {
            savedDefault_ = old;
            QLocale::setDefault(QLocale::c());
        }
    }
}

void DecimalGuard::restoreSettings() {
    if (savedNumeric_) {
        std::setlocale(LC_NUMERIC, savedNumeric_->c_str());
        savedNumeric_.reset();
    }
    if (savedDefault_) {
        QLocale::setDefault(*savedDefault_);
        savedDefault_.reset();
    }
}

} // namespace kartello::gui
