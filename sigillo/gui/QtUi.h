#pragma once

// The Ui seam and the open-file dialog with Qt: message boxes, the desktop's
// "Open" through its associated application, and the file dialog.

#include "engine/Ui.h"
#include "gui/FileDialog.h"

class QWidget;

namespace sigillo {

class QtUi : public Ui {
public:
    MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    void doEvents() override;
    // A document is opened with the desktop's associated application; a
    // program with parameters is started detached.
    void shellExecute(const std::string& file, const std::string& parameters) override;

    // Message boxes are centred over this window when it is set.
    void setOwner(QWidget* owner) { owner_ = owner; }

private:
    QWidget* owner_ = nullptr;
};

class QtOpenFileDialog : public OpenFileDialog {
public:
    std::optional<std::string> OpenFile() override;
    void setOwner(QWidget* owner) { owner_ = owner; }

private:
    QWidget* owner_ = nullptr;
};

} // namespace sigillo
