// The shell-extension switch of the main window's options tab: its refresh
// test and the four associations it creates or removes.
#pragma once

#include <string>

#include "engine/Ui.h"
#include "engine/clsRegistry.h"

namespace sigillo {

inline constexpr const char* kShellEnabledLabel =
    "Extensions are Enabled. Click Disable to remove Shell Extensions";
inline constexpr const char* kShellDisabledLabel =
    "Extensions are Disabled. Click Enable to create Shell Extensions";
inline constexpr const char* kShellEnabledMessage = "Shell Extensions Enabled!";
inline constexpr const char* kShellDisabledMessage = "Shell Extensions Disabled!";

struct ShellState {
    std::string caption; // of cmdShellEX: "Enable" or "Disable"
    std::string label;   // of lblShell
    bool failed = false; // the store could not be changed (and was not)
};

// The verbs count as installed when the file type of ".dll" has
// "\shell\Register" or the desktop's file actions are installed.
ShellState RefreshShellState(clsRegistry& registry);
// The associations ".dll", ".exe", ".ocx" and "Folder", in this order, and
// the file managers' entries (DesktopVerbs.h), then the information box
// "Shell Extensions Enabled!" (or "...Disabled!"). The four associations are
// written as one change of the store; when the store cannot be read or
// written nothing changes, the reason is shown, and the state before is
// returned with failed set.
ShellState EnableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui);
ShellState DisableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui);
// The click on cmdShellEX: enables when its caption reads "enable" in any case, else disables.
ShellState ShellButtonClick(clsRegistry& registry, const std::string& caption, const std::string& exePath,
                            Ui& ui);

} // namespace sigillo
