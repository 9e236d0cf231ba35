#pragma once
// The in-place editor "Edt": a frameless line edit laid over the current cell
// that hands its Enter, Esc, arrow and Tab keys and its loss of focus to the control.
#include <QLineEdit>

namespace tessara {

class TessaraPrivate;

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    CellEditor(TessaraPrivate& owner, QWidget& parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    TessaraPrivate& owner_;
};

} // namespace tessara
