#pragma once

// Sigillo's start-up routine and the program-wide objects it keeps for the
// whole run: the registrator, the two grid wrappers, the report object, the
// registry object and the report's cancel flag.

#include "engine/CommandLine.h"
#include "engine/CreateReport.h"
#include "engine/Ui.h"
#include "engine/clsActiveX.h"
#include "engine/clsGrid.h"
#include "engine/clsRegistrator.h"
#include "engine/clsRegistry.h"
#include "gui/FileDialog.h"
#include "gui/MainWindowModel.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace sigillo {

// The windows as the start-up routine sees them.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    // Loads the main and the detail window without showing them.
    virtual void LoadWindows(MainWindowModel& form) = 0;
    // Selects the first tab and shows the main window, modeless.
    virtual void ShowMain() = 0;
    virtual void UnloadMain() = 0;
    virtual void UnloadDisplay() = 0;
    // The progress window of the folder report (loaded on demand).
    virtual ReportProgressView* Progress() = 0;
    // Ends the process's event loop, if one runs, with this status.
    virtual void Quit(int status) = 0;
};

// "<product> v<major>.<minor> Build <revision>", the numbers in plain decimal.
std::string MainCaption(const std::string& productName, int major, int minor, int revision);

// The program's folder with a "/" at its end.
std::string AppPathOf(const std::string& programFolder);

// The folder this platform's system query answers; empty here, so that the
// outside components of the installation list are neither copied nor
// registered.
std::string SystemDirectory();

// Copies AppPath + name into the system folder when absent there and
// registers the copy silently; an empty system folder does nothing.
void InstallComponent(const std::string& systemFolder, const std::string& appPath, const std::string& name);

// Where "SelfInstall" lives: the per-user application settings of Sigillo.
inline constexpr int32_t kCurrentUserRoot = static_cast<int32_t>(0x80000001u);
inline constexpr const char* kSettingsSection = "Software\\Sigillo\\General";
inline constexpr const char* kSelfInstallKey = "SelfInstall";

// Exit status of a one-shot switch: 0 when the command ran or the person
// declined it, 1 when the folder report could not be written or the
// start-up itself failed.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;

class Program {
public:
    Program(Ui& ui, OpenFileDialog& comDlg, WindowHost& windows, std::string appPath);

    // The start-up routine. Returns the exit status after a one-shot switch
    // (-r, -f, -u, -s) or a failed start, or nothing when the main window
    // has been shown and the program runs until it is closed.
    std::optional<int> Main(const std::string& commandLine);

    // The folder report into "output.txt" of the working directory, opened
    // when it completes.
    ReportOutcome CreateReport(const std::string& sFolder);
    void ShellOpen(const std::string& sFile);
    // fromUnload is true when the main window's unload calls it.
    void Shutdown(bool fromUnload, int status = kExitDone);

    // Sleeps after the first-run installation; tests replace it.
    std::function<void(int ms)> sleep;

    const std::string& AppPath() const { return appPath_; }
    MainWindowModel& form() { return form_; }
    clsActiveX& activeX() { return activeX_; }
    clsGrid& gridInfo() { return gridInfo_; }
    clsGrid& gridComparison() { return gridComparison_; }
    std::atomic<bool>& cancel() { return cancel_; }

private:
    void InstallComponents();
    std::optional<int> ProcessCommandLine(const std::string& commandLine);
    bool AreYouSure(const char* caption);

    Ui& ui_;
    WindowHost& windows_;
    std::string appPath_;
    clsRegistrator registrator_;
    clsGrid gridInfo_;
    clsGrid gridComparison_;
    clsActiveX activeX_;
    clsRegistry registry_;
    std::atomic<bool> cancel_{false};
    MainWindowModel form_;
};

} // namespace sigillo
