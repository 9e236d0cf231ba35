#include "CellEditor.h"

#include <QKeyEvent>

#include "KeyCodes.h"
#include "TessaraPrivate.h"

namespace tessara {

CellEditor::CellEditor(TessaraPrivate& owner, QWidget& parent) : QLineEdit(&parent), owner_(owner) {
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

// Tab and Shift+Tab end the edit and go on to the next or previous cell, rather
// than taking the focus out of the control.
bool CellEditor::event(QEvent* event) {
    if (const std::optional<bool> forward = tabDirection(*event)) {
        owner_.model->trapped(QStringLiteral("Edt_KeyDown"), [&] { owner_.moveByTab(*forward); });
        return true;
    }
    return QLineEdit::event(event);
}

} // namespace tessara
