#pragma once

// The detail window: the full text of one grid cell.

#include <QDialog>

class QPlainTextEdit;

namespace sigillo {

class frmDisplay : public QDialog {
    Q_OBJECT
public:
    explicit frmDisplay(QWidget* parent = nullptr);

    QPlainTextEdit* txtinfo;
};

} // namespace sigillo
