#include "WarningWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kartello::gui {

QString WarningWindow::messageText() {
    const QString s = QStringLiteral("\n\r\r");
    return QStringLiteral("Your system is not configured to use a period '.' as decimal separator.") + s +
           QStringLiteral("This is required to run Kartello.") + s +
           QStringLiteral("Click in <Proceed> to have Kartello automatically change your local settings.") +
           QStringLiteral(" Your current settings will be restored when you exit the program.") + s +
           QStringLiteral("OR exit the program now; manually change the settings (Control Panel, Regional "
                          "Settings, Numbers) and then open Kartello again.") +
           s +
           QStringLiteral("If you intend to copy data, into Kartello, from Excel or other application, open "
                          "Kartello first and then open the other application.");
}

WarningWindow::WarningWindow(QWidget* parent) : QDialog(parent), check1_(new QCheckBox(this)) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Vallora Warning Settings"));

    auto* label = new QLabel(this);
    label->setObjectName("Label1");
    // Plain text: "<Proceed>" is part of the sentence, not markup. The three
    // separator characters read as a paragraph break on screen.
    label->setTextFormat(Qt::PlainText);
    label->setText(messageText().replace(QStringLiteral("\n\r\r"), QStringLiteral("\n\n")));
    label->setWordWrap(true);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 70);

    auto* proceed = new QPushButton(QStringLiteral("Proceed"), this);
    proceed->setObjectName("Command1");
    proceed->setToolTip(QStringLiteral("The decimal separator will be changed to a dot. Your original "
                                       "configurations will be restored when you exit Vallora"));
    proceed->setDefault(true);
    auto* exitButton = new QPushButton(QStringLiteral("Exit Kartello"), this);
    exitButton->setObjectName("Command2");
    exitButton->setToolTip(QStringLiteral("Don't change the configuration and exit the program"));

    check1_->setObjectName("Check1");
    check1_->setText(QStringLiteral("Don't show this message  again"));
    check1_->setToolTip(
        QStringLiteral("Chek for stop showning this message and change configuration automatically"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(check1_);
    buttons->addStretch();
    buttons->addWidget(proceed);
    buttons->addWidget(exitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);

    connect(proceed, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Proceed;
        accept();
    });
    connect(exitButton, &QPushButton::clicked, this, [this] {
        choice_ = Choice::ExitProgram;
        reject();
    });
}

int WarningWindow::doNotAskFlag() const {
    return check1_->isChecked() ? 1 : 0;
}

void WarningWindow::setDoNotAskFlag(int flag) {
    check1_->setChecked(flag != 0);
}

} // namespace kartello::gui
