#include "CellEditor.h"

#include <QKeyEvent>

#include "KeyCodes.h"
#include "tessara/Tessara.h"

namespace tessara {

CellEditor::CellEditor(Tessara& owner) : QLineEdit(&owner), owner_(owner) {
    setObjectName(QStringLiteral("Edt"));
    setFrame(false);
    hide();
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    const int keyCode = virtualKeyCode(*event);
    owner_.onEditorKey(keyCode, shiftMask(event->modifiers()), characterCode(*event));
    // The control has already acted on these; the text box must not see them.
    if (keyCode == kKeyReturn || keyCode == kKeyEscape || keyCode == kKeyUp || keyCode == kKeyDown) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another window leaves the edit open, as it leaves the focus in the form.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        owner_.onEditorLostFocus();
}

} // namespace tessara
