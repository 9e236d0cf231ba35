#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>

namespace kartello::gui {

// The decimal-separator guard. Kartello reads and writes every number itself
// with "." as decimal and "," as digit-group separator, so the user's system
// settings are never touched. What the guard does switch is the number
// settings of this process: the C library's numeric locale (which the
// spreadsheet and archive libraries use when they print numbers) and Qt's
// default locale. restoreSettings() puts back exactly what it found.
class DecimalGuard {
public:
    // True when the start must ask first: the user's locale writes decimals
    // with another character and the person has not said "don't ask again".
    static bool needsWarning(const QLocale& userLocale, int doNotAskFlag);

    // Period decimal, comma grouping for this process; remembers the old ones.
    void setMDSettings();
    // Puts back what setMDSettings changed; harmless when it changed nothing.
    void restoreSettings();

    bool settingsChanged() const { return savedNumeric_.has_value() || savedDefault_.has_value(); }

private:
    std::optional<std::string> savedNumeric_;
    std::optional<QLocale> savedDefault_;
};

} // namespace kartello::gui
