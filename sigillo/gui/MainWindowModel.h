#pragma once

// The main window's controls that the logic reads and writes, and its event
// handlers, apart from the widgets: the Qt window mirrors this model and
// forwards its events here.

#include "engine/Ui.h"
#include "engine/clsActiveX.h"
#include "engine/clsRegistrator.h"
#include "engine/clsRegistry.h"
#include "gui/FileDialog.h"

#include <functional>
#include <memory>
#include <string>

namespace sigillo {

inline constexpr const char* kShellLabelAtLoad =
    "Shell Extensions are Enabled. Click Disable to remove Shell Extensions:";
inline constexpr const char* kReadmeName = "readme.txt";
inline constexpr const char* kWebPage = "https://sigillo.example.org/";
inline constexpr int kTabCount = 3;

class MainWindowModel {
public:
    MainWindowModel(Ui& ui, OpenFileDialog& comDlg, clsRegistrator& registrator, clsActiveX& activeX,
                    std::string appPath);

    // Control state, by control name.
    std::string txtFile;
    std::string txtFirstFile;
    std::string txtSecondFile;
    std::string cmdShellEX = "Enable";
    std::string lblShell = kShellLabelAtLoad;
    int XTab1 = 0; // the current tab
    // The options tab's registry choice: the Wine prefix box (empty for the
    // .reg store) and the label saying which registry is in use.
    std::string txtWinePrefix;
    std::string lblRegistry;

    // Called after a handler changed any control state above.
    std::function<void()> onChanged;

    void Form_Load();
    void Form_Unload();
    void cmdBrowse_Click();
    void cmdReg_Click();
    void cmdUnReg_Click();
    void cmdSelectOne_Click();
    void cmdSelectTwo_Click();
    void cmdShellEX_Click();
    // Uses the prefix in txtWinePrefix from now on and remembers it.
    void cmdWinePrefix_Click();
    void cmdReadme_Click();
    void cmdWeb_Click();
    // The first digit of the index names the tab: 1, 11, 111 the first one.
    void picTabIcon_Click(int index);
    void XTab1_Switch(int tab);

    // The path the command line passes: the report follows it.
    void ShowFile(const std::string& sFile);

private:
    void changed();
    void refreshShellState();
    void refreshRegistryState();

    Ui& ui_;
    OpenFileDialog& comDlg_;
    clsRegistrator& registrator_;
    clsActiveX& activeX_;
    std::string appPath_;
    std::unique_ptr<clsRegistry> registry_; // the window's own, from load to unload
};

} // namespace sigillo
