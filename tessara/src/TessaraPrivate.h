#pragma once
// The control's inside: its model, the wrapped grid and the editor, the editing
// routines (named as the control's error reports name them), the keyboard
// commands and the one level of undo.
#include <QString>
#include <memory>
#include <new>
#include <vector>

#include "tessara/Tessara.h"

namespace tessara {

class GridView;
class CellEditor;

class TessaraPrivate {
public:
    explicit TessaraPrivate(Tessara& owner);

    // Binds the control to a model: the host's, or a new one of its own.
    void attach(GridModel* shared);
    // Removes the grid and the editor before the model they show goes.
    void detach();

    // A member read: a failure is reported and gives an empty value.
    template <typename F> auto read(QStringView member, F&& body) const -> decltype(body()) {
        try {
            return body();
        } catch (const GridError& e) {
            model->reportError(e, member.toString());
        } catch (const std::bad_alloc&) {
            model->reportError(GridError(ErrOutOfMemory), member.toString());
        }
        return {};
    }
    template <typename F> void write(QStringView member, F&& body) {
        model->trapped(member.toString(), body);
    }

    // In-place editing.
    void MSFlexGridEdit(int keyCode, const QString& message);
    void showEditor();
    void moveDownOneRow();
    void TextBoxKeyPress(int& keyAscii);
    void EditKeyCode(int keyCode, int shift);
    void LeaveCell(bool& changed);
    void FocusReceived();
    void focusGrid();
    void showCantEdit(const QString& text);
    void endEditBeforeRestructure();
    void followEditor();

    // Handlers of the grid's and the editor's events.
    void onGridKeyDown(int keyCode, int shift);
    void onGridKeyPress(int keyAscii);
    void onGridDblClick();
    void onGridGotFocus();
    void onGridLeaveCell();
    void onEditorKey(int keyCode, int shift, int keyAscii);
    void onEditorLostFocus();

    // Keyboard commands of the grid.
    bool hasCells() const;
    void moveByTab(bool forward);
    void copySelection();
    void pasteClipboard();
    void selectAll();
    void deleteSelection();
    void undo();

    // The cells r1..r2 x c1..c2 as they were before the last edit, paste or delete.
    struct UndoStep {
        int r1 = 0, c1 = 0, r2 = -1, c2 = -1;
        std::vector<QString> texts;
    };
    UndoStep snapshot(int r1, int c1, int r2, int c2) const;

    Tessara& q;
    std::unique_ptr<GridModel> ownModel;
    GridModel* model = nullptr;
    GridView* grid = nullptr;
    CellEditor* edt = nullptr;
    Tessara::MessageHook messageHook;
    UndoStep undoStep;
};

} // namespace tessara
