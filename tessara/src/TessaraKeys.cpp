// The grid's keyboard commands beyond editing: Delete, F2, Tab and Shift+Tab,
// copy, paste, select all, and one level of undo.
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "KeyCodes.h"
#include "TessaraPrivate.h"

namespace tessara {

namespace {

constexpr int kKeyTab = 9;
constexpr int kKeyF2 = 113;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;

} // namespace

bool TessaraPrivate::hasCells() const {
    return model->Rows() > 0 && model->Cols() > 0;
}

void TessaraPrivate::onGridKeyDown(int keyCode, int shift) {
    model->trapped(QStringLiteral("MSFlexGrid1_KeyDown"), [&] {
        if (hasCells()) {
            if (keyCode == kKeyDelete)
                deleteSelection(); // before the host hears of the key
            else if (keyCode == kKeyF2 && shift == 0)
                MSFlexGridEdit(kKeySpace, q.CantEdit());
            else if (keyCode == kKeyTab)
                moveByTab(!(shift & kShiftMask));
            else if (shift == kCtrlMask && keyCode == 'C')
                copySelection();
            else if (shift == kCtrlMask && keyCode == 'V')
                pasteClipboard();
            else if (shift == kCtrlMask && keyCode == 'A')
                selectAll();
            else if (shift == kCtrlMask && keyCode == 'Z')
                undo();
        }
        emit q.KeyDown(short(keyCode), short(shift));
    });
}

// Tab walks the cells row by row, Shift+Tab back; an open edit ends in the cell left.
void TessaraPrivate::moveByTab(bool forward) {
    int r = model->Row();
    int c = model->Col();
    if (forward) {
        if (c + 1 < model->Cols()) {
            ++c;
        } else if (r + 1 < model->Rows()) {
            ++r;
            c = model->FixedCols();
        }
    } else {
        if (c - 1 >= model->FixedCols()) {
            --c;
        } else if (r - 1 >= model->FixedRows()) {
            --r;
            c = model->Cols() - 1;
        }
    }
    if (r != model->Row() || c != model->Col())
        model->setCurrentCell(r, c);
    else
        focusGrid();
}

// The selection as a spreadsheet takes it: fields split by tabs, rows by line feeds.
void TessaraPrivate::copySelection() {
    const auto [r1, r2] = std::minmax({model->Row(), model->RowSel()});
    const auto [c1, c2] = std::minmax({model->Col(), model->ColSel()});
    QStringList lines;
    for (int r = r1; r <= r2; ++r) {
        QStringList fields;
        for (int c = c1; c <= c2; ++c)
            fields << model->TextMatrix(r, c);
        lines << fields.join(QLatin1Char('\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void TessaraPrivate::pasteClipboard() {
    QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    // Paste writes at most one row per line break, from the current cell to the right edge.
    const qsizetype breaks = text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r'));
    const int lastRow = int(std::min<qsizetype>(model->Rows() - 1, model->Row() + breaks));
    UndoStep before = snapshot(model->Row(), model->Col(), lastRow, model->Cols() - 1);
    model->Paste(text);
    undoStep = std::move(before);
}

void TessaraPrivate::selectAll() {
    if (model->Rows() <= model->FixedRows() || model->Cols() <= model->FixedCols())
        return;
    model->setCurrentCell(model->FixedRows(), model->FixedCols());
    model->setRowSel(model->Rows() - 1);
    model->setColSel(model->Cols() - 1);
}

void TessaraPrivate::deleteSelection() {
    const auto [r1, r2] = std::minmax({model->Row(), model->RowSel()});
    const auto [c1, c2] = std::minmax({model->Col(), model->ColSel()});
    UndoStep before = snapshot(r1, c1, r2, c2);
    model->DeleteSel();
    undoStep = std::move(before);
}

TessaraPrivate::UndoStep TessaraPrivate::snapshot(int r1, int c1, int r2, int c2) const {
    UndoStep step{r1, c1, r2, c2, {}};
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            step.texts.push_back(model->TextMatrix(r, c));
    return step;
}

// Puts back the texts that the last edit, paste or delete replaced, and selects them.
void TessaraPrivate::undo() {
    if (undoStep.texts.empty())
        return;
    const UndoStep step = std::exchange(undoStep, UndoStep());
    auto text = step.texts.begin();
    for (int r = step.r1; r <= step.r2; ++r)
        for (int c = step.c1; c <= step.c2; ++c)
            model->setTextMatrix(r, c, *text++);
    model->setCurrentCell(step.r1, step.c1);
    model->setRowSel(step.r2);
    model->setColSel(step.c2);
}

} // namespace tessara
