// In-place editing: one cell at a time, in the text box "Edt" laid over it.
#include <QApplication>
#include <QLineEdit>

#include "CellEditor.h"
#include "GridView.h"
#include "KeyCodes.h"
#include "TessaraPrivate.h"

namespace tessara {

namespace {

constexpr int kFirstPrintable = 33;
constexpr int kLastAscii = 127;

// A key that types a character of its own: printable ASCII, or any printable
// character beyond it (an accented letter, a symbol of another script).
bool typesCharacter(int keyCode) {
    if (keyCode >= kFirstPrintable && keyCode <= kLastAscii)
        return true;
    return keyCode > kLastAscii && keyCode <= 0xFFFF && QChar(char16_t(keyCode)).isPrint();
}

} // namespace

// Sends the focus to the grid. When no focus events flow (the window is not
// active) the editor's loss of focus is run here, so the edit still ends.
void TessaraPrivate::focusGrid() {
    grid->setFocus(Qt::OtherFocusReason);
    if (edt->isVisible() && !edt->hasFocus())
        onEditorLostFocus();
}

// Starts an edit for a key typed on the grid (or 32 for a double click).
void TessaraPrivate::MSFlexGridEdit(int keyCode, const QString& message) {
    model->trapped(QStringLiteral("MSFlexGridEdit"), [&] {
        GridModel& m = *model;
        if (m.RowSel() != m.Row() || m.ColSel() != m.Col())
            return;
        if (m.CellBackColor() == m.CellNoEdit && keyCode != kKeyReturn) {
            if (!message.isEmpty() && keyCode != kKeyEscape)
                showCantEdit(message);
            grid->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (keyCode == kKeyBack) {
            edt->setText(QString());
            edt->setCursorPosition(0);
            showEditor();
        } else if (keyCode == kKeyReturn) {
            moveDownOneRow();
        } else if (keyCode == kKeySpace) {
            const QString text = m.Text();
            edt->setText(text);
            edt->setCursorPosition(int(text.size()));
            showEditor();
        } else if (typesCharacter(keyCode)) {
            edt->setText(QString(QChar(char16_t(keyCode))));
            edt->setCursorPosition(1);
            showEditor();
        }
    });
}

// The editor covers the current cell, less the grid line on its right and bottom.
void TessaraPrivate::showEditor() {
    const QRect cell = grid->cellRectShown(model->Row(), model->Col());
    const QPoint topLeft = grid->viewport()->mapTo(&q, cell.topLeft());
    const int width = grid->pixels(model->ColWidth(model->Col()) - 2);
    const int height = grid->pixels(model->RowHeight(model->Row()) - 2);
    edt->setFont(model->Font());
    edt->setGeometry(topLeft.x(), topLeft.y(), width, height);
    edt->show();
    edt->raise();
    edt->setFocus(Qt::OtherFocusReason);
}

// The view scrolled: the editor stays over its cell while the cell is in view;
// a cell scrolled out of sight ends the edit there (written back, as a click
// elsewhere would).
void TessaraPrivate::followEditor() {
    if (!edt->isVisible())
        return;
    const QRect cell = grid->cellRectInView(model->Row(), model->Col());
    if (cell.isEmpty()) {
        onGridLeaveCell();
        return;
    }
    edt->move(grid->viewport()->mapTo(&q, cell.topLeft()));
}

// Rows or columns are about to change under an open edit: the text goes into the
// cell it was typed for, and the host hears of it while that cell is still current.
void TessaraPrivate::endEditBeforeRestructure() {
    undoStep = UndoStep();
    if (edt->isVisible())
        onGridLeaveCell();
}

// Enter on the grid: the next row, as the Down key would go, with the grid's
// LeaveCell and EnterCell in their usual order.
void TessaraPrivate::moveDownOneRow() {
    if (model->Row() < model->Rows() - 1)
        model->setRow(model->Row() + 1);
}

void TessaraPrivate::TextBoxKeyPress(int& keyAscii) {
    model->trapped(QStringLiteral("TextBoxKeyPress"), [&] {
        if (keyAscii != kKeyReturn)
            return;
        keyAscii = 0;
        focusGrid();
        moveDownOneRow();
    });
}

void TessaraPrivate::EditKeyCode(int keyCode, int) {
    model->trapped(QStringLiteral("EditKeyCode"), [&] {
        switch (keyCode) {
        case kKeyReturn:
            focusGrid();
            break;
        case kKeyEscape:
            // Hidden first, so that the loss of focus writes nothing back.
            edt->hide();
            focusGrid();
            break;
        case kKeyUp:
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (model->Row() > model->FixedRows())
                model->setRow(model->Row() - 1);
            focusGrid();
            break;
        case kKeyDown:
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (model->Row() < model->Rows() - 1)
                model->setRow(model->Row() + 1);
            focusGrid();
            break;
        default:
            break;
        }
    });
}

// Ends an edit: the text goes into the current cell; changed tells whether it
// differs from what the cell held, letter case aside.
void TessaraPrivate::LeaveCell(bool& changed) {
    model->trapped(QStringLiteral("LeaveCell"), [&] {
        if (!edt->isVisible()) {
            changed = false;
            return;
        }
        const QString text = edt->text();
        if (!changed)
            changed = text.compare(model->Text(), Qt::CaseInsensitive) != 0;
        undoStep = snapshot(model->Row(), model->Col(), model->Row(), model->Col());
        model->setText(text);
        edt->hide();
        edt->setText(QString());
        // The focus goes back to the grid unless the user has just put it elsewhere.
        QWidget* focus = QApplication::focusWidget();
        if (!focus || q.isAncestorOf(focus))
            grid->setFocus(Qt::OtherFocusReason);
    });
}

void TessaraPrivate::FocusReceived() {
    model->trapped(QStringLiteral("FocusReceived"), [&] {
        if (!edt->isVisible())
            return;
        undoStep = snapshot(model->Row(), model->Col(), model->Row(), model->Col());
        model->setText(edt->text());
        edt->hide();
    });
}

// --- Handlers ----------------------------------------------------------------

void TessaraPrivate::onGridKeyPress(int keyAscii) {
    model->trapped(QStringLiteral("MSFlexGrid1_KeyPress"), [&] {
        // A grid without cells has nothing to edit.
        if (hasCells())
            MSFlexGridEdit(keyAscii, q.CantEdit());
    });
}

void TessaraPrivate::onGridDblClick() {
    model->trapped(QStringLiteral("MSFlexGrid1_dblClick"), [&] {
        if (hasCells())
            MSFlexGridEdit(kKeySpace, q.CantEdit());
    });
}

void TessaraPrivate::onGridGotFocus() {
    model->trapped(QStringLiteral("MSFlexGrid1_GotFocus"), [&] { FocusReceived(); });
}

void TessaraPrivate::onGridLeaveCell() {
    model->trapped(QStringLiteral("MSFlexGrid1_LeaveCell"), [&] {
        bool changed = false;
        LeaveCell(changed);
        if (changed)
            emit q.CellEdited();
    });
}

void TessaraPrivate::onEditorKey(int keyCode, int shift, int keyAscii) {
    model->trapped(QStringLiteral("Edt_KeyDown"), [&] { EditKeyCode(keyCode, shift); });
    if (keyAscii >= 0)
        model->trapped(QStringLiteral("Edt_KeyPress"), [&] { TextBoxKeyPress(keyAscii); });
}

void TessaraPrivate::onEditorLostFocus() {
    model->trapped(QStringLiteral("Edt_LostFocus"), [&] { onGridLeaveCell(); });
}

} // namespace tessara
