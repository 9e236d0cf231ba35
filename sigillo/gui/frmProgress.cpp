#include "gui/frmProgress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace sigillo {

frmProgress::frmProgress(std::atomic<bool>& cancelFlag, QWidget* parent)
    : QDialog(parent), lblFile(new QLabel(this)), ProgressBar1(new QProgressBar(this)),
      cmdCancel(new Command(this)), cancel_(cancelFlag) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Sigillo"));
    lblFile->setObjectName(QStringLiteral("lblFile"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->SetCaption(QStringLiteral("&Cancel"));
    cmdCancel->setFixedSize(100, 28);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please wait..."), this));
    layout->addWidget(new QLabel(QStringLiteral("Creating ActiveX Report"), this));
    layout->addWidget(new QLabel(QStringLiteral("Current file:"), this));
    layout->addWidget(lblFile);
    layout->addWidget(ProgressBar1);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);
    resize(380, 180);

    connect(cmdCancel, &Command::Click, this, [this] { cancel_ = true; });
    cmdCancel->Initialize();
}

void frmProgress::show() {
    QDialog::show();
}

void frmProgress::hide() {
    QDialog::hide();
}

void frmProgress::setCurrentFile(const std::string& nameAndExtension) {
    lblFile->setText(QString::fromStdString(nameAndExtension));
}

void frmProgress::closeEvent(QCloseEvent* e) {
    e->ignore();
}

void frmProgress::setMin(int v) {
    ProgressBar1->setMinimum(v);
}

void frmProgress::setMax(int v) {
    ProgressBar1->setMaximum(v);
}

void frmProgress::setValue(int v) {
    ProgressBar1->setValue(v);
}

int frmProgress::value() const {
    return ProgressBar1->value();
}

void frmProgress::refresh() {
    ProgressBar1->repaint();
}

} // namespace sigillo
