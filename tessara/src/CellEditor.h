#pragma once
// The in-place editor "Edt": a frameless line edit laid over the current cell
// that hands its Enter, Esc and arrow keys and its loss of focus to the control.
#include <QLineEdit>

namespace tessara {

class Tessara;

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit CellEditor(Tessara& owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Tessara& owner_;
};

} // namespace tessara
