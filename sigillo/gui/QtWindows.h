#pragma once

// The windows of the program as Qt widgets: the main window, the detail
// window and the progress window, loaded and unloaded as the start-up and
// shutdown routines ask.

#include "gui/Program.h"
#include "gui/QtUi.h"
#include "gui/frmDisplay.h"
#include "gui/frmMain.h"
#include "gui/frmProgress.h"

#include <memory>

namespace sigillo {

// The caption's numbers: the project's version.
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

class QtWindows : public WindowHost {
public:
    QtWindows(QtUi& ui, QtOpenFileDialog& dialog, ProgramVersion version);
    ~QtWindows() override;

    // The program whose objects the windows show; set before its Main runs.
    void attach(Program& program) { program_ = &program; }

    void LoadWindows(MainWindowModel& form) override;
    void ShowMain() override;
    void UnloadMain() override;
    void UnloadDisplay() override;
    ReportProgressView* Progress() override;
    void Quit(int status) override;

    frmMain* main() const { return main_.get(); }
    frmDisplay* display() const { return display_.get(); }

private:
    QtUi& ui_;
    QtOpenFileDialog& dialog_;
    ProgramVersion version_;
    Program* program_ = nullptr;
    std::unique_ptr<frmDisplay> display_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<frmProgress> progress_;
};

} // namespace sigillo
