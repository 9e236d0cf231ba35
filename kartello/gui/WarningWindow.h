#pragma once

#include <QDialog>

class QCheckBox;

namespace kartello::gui {

// The warning window Form2, shown at start when the user's locale writes
// decimals with another character than the period. "Proceed" continues the
// start; "Exit Kartello" ends the program. Closing it with the window's close
// box counts as "Proceed", as the start only waits for the window to go away.
class WarningWindow : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Proceed, ExitProgram };

    explicit WarningWindow(QWidget* parent = nullptr);

    // The six sentences joined by line feed, carriage return, carriage return.
    static QString messageText();

    Choice choice() const { return choice_; }
    // The "Don't show this message  again" box as the settings flag (0 or 1).
    int doNotAskFlag() const;
    void setDoNotAskFlag(int flag);

private:
    Choice choice_ = Choice::Proceed;
    QCheckBox* check1_;
};

} // namespace kartello::gui
