#include "gui/frmDisplay.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sigillo {

frmDisplay::frmDisplay(QWidget* parent) : QDialog(parent), txtinfo(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral("selection info"));
    txtinfo->setObjectName(QStringLiteral("txtinfo"));
    // The text box takes the window's whole inner area at every size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtinfo);
    resize(420, 160);
}

} // namespace sigillo
