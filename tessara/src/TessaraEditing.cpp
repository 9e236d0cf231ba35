// In-place editing: one cell at a time, in the text box "Edt" laid over it.
#include <QApplication>
#include <QLineEdit>

#include "CellEditor.h"
#include "GridView.h"
#include "KeyCodes.h"
#include "tessara/Tessara.h"

namespace tessara {

namespace {

constexpr int kFirstPrintable = 33;
constexpr int kLastPrintable = 127;

} // namespace

// Sends the focus to the grid. When no focus events flow (the window is not
// active) the editor's loss of focus is run here, so the edit still ends.
void Tessara::focusGrid() {
    grid_->setFocus(Qt::OtherFocusReason);
    if (edt_->isVisible() && !edt_->hasFocus())
        onEditorLostFocus();
}

// Starts an edit for a key typed on the grid (or 32 for a double click).
void Tessara::MSFlexGridEdit(int keyCode, const QString& message) {
    model_->trapped(QStringLiteral("MSFlexGridEdit"), [&] {
        GridModel& m = *model_;
        if (m.RowSel() != m.Row() || m.ColSel() != m.Col())
            return;
        if (m.CellBackColor() == m.CellNoEdit && keyCode != kKeyReturn) {
            if (!message.isEmpty() && keyCode != kKeyEscape)
                showCantEdit(message);
            grid_->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (keyCode == kKeyBack) {
            edt_->setText(QString());
            edt_->setCursorPosition(0);
            showEditor();
        } else if (keyCode == kKeyReturn) {
            moveDownOneRow();
        } else if (keyCode == kKeySpace) {
            const QString text = m.Text();
            edt_->setText(text);
            edt_->setCursorPosition(int(text.size()));
            showEditor();
        } else if (keyCode >= kFirstPrintable && keyCode <= kLastPrintable) {
            edt_->setText(QString(QChar(keyCode)));
            edt_->setCursorPosition(1);
            showEditor();
        }
    });
}

// The editor covers the current cell, less the grid line on its right and bottom.
void Tessara::showEditor() {
    const QRect cell = grid_->cellRectShown(model_->Row(), model_->Col());
    const QPoint topLeft = grid_->viewport()->mapTo(this, cell.topLeft());
    const int width = grid_->pixels(model_->ColWidth(model_->Col()) - 2);
    const int height = grid_->pixels(model_->RowHeight(model_->Row()) - 2);
    edt_->setFont(model_->Font());
    edt_->setGeometry(topLeft.x(), topLeft.y(), width, height);
    edt_->show();
    edt_->raise();
    edt_->setFocus(Qt::OtherFocusReason);
}

// Enter on the grid: the next row, as the Down key would go, with the grid's
// LeaveCell and EnterCell in their usual order.
void Tessara::moveDownOneRow() {
    if (model_->Row() < model_->Rows() - 1)
        model_->setRow(model_->Row() + 1);
}

void Tessara::TextBoxKeyPress(int& keyAscii) {
    model_->trapped(QStringLiteral("TextBoxKeyPress"), [&] {
        if (keyAscii != kKeyReturn)
            return;
        keyAscii = 0;
        focusGrid();
        moveDownOneRow();
    });
}

void Tessara::EditKeyCode(int keyCode, int) {
    model_->trapped(QStringLiteral("EditKeyCode"), [&] {
        switch (keyCode) {
        case kKeyReturn:
            focusGrid();
            break;
        case kKeyEscape:
            // Hidden first, so that the loss of focus writes nothing back.
            edt_->hide();
            focusGrid();
            break;
        case kKeyUp:
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (model_->Row() > model_->FixedRows())
                model_->setRow(model_->Row() - 1);
            focusGrid();
            break;
        case kKeyDown:
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (model_->Row() < model_->Rows() - 1)
                model_->setRow(model_->Row() + 1);
            focusGrid();
            break;
        default:
            break;
        }
    });
}

// Ends an edit: the text goes into the current cell; changed tells whether it
// differs from what the cell held, letter case aside.
void Tessara::LeaveCell(bool& changed) {
    model_->trapped(QStringLiteral("LeaveCell"), [&] {
        if (!edt_->isVisible()) {
            changed = false;
            return;
        }
        const QString text = edt_->text();
        if (!changed)
            changed = text.compare(model_->Text(), Qt::CaseInsensitive) != 0;
        model_->setText(text);
        edt_->hide();
        edt_->setText(QString());
        // The focus goes back to the grid unless the user has just put it elsewhere.
        QWidget* focus = QApplication::focusWidget();
        if (!focus || isAncestorOf(focus))
            grid_->setFocus(Qt::OtherFocusReason);
    });
}

void Tessara::FocusReceived() {
    model_->trapped(QStringLiteral("FocusReceived"), [&] {
        if (!edt_->isVisible())
            return;
        model_->setText(edt_->text());
        edt_->hide();
    });
}

// --- Handlers ----------------------------------------------------------------

void Tessara::onGridKeyPress(int keyAscii) {
    model_->trapped(QStringLiteral("MSFlexGrid1_KeyPress"), [&] { MSFlexGridEdit(keyAscii, CantEdit()); });
}

void Tessara::onGridDblClick() {
    model_->trapped(QStringLiteral("MSFlexGrid1_dblClick"), [&] { MSFlexGridEdit(kKeySpace, CantEdit()); });
}

void Tessara::onGridGotFocus() {
    model_->trapped(QStringLiteral("MSFlexGrid1_GotFocus"), [&] { FocusReceived(); });
}

void Tessara::onGridLeaveCell() {
    model_->trapped(QStringLiteral("MSFlexGrid1_LeaveCell"), [&] {
        bool changed = false;
        LeaveCell(changed);
        if (changed)
            emit CellEdited();
    });
}

void Tessara::onEditorKey(int keyCode, int shift, int keyAscii) {
    model_->trapped(QStringLiteral("Edt_KeyDown"), [&] { EditKeyCode(keyCode, shift); });
    if (keyAscii >= 0)
        model_->trapped(QStringLiteral("Edt_KeyPress"), [&] { TextBoxKeyPress(keyAscii); });
}

void Tessara::onEditorLostFocus() {
    model_->trapped(QStringLiteral("Edt_LostFocus"), [&] { onGridLeaveCell(); });
}

} // namespace tessara
