#include "gui/MainWindowModel.h"

#include "engine/ShellExtensions.h"
#include "engine/SigilloError.h"
#include "wine/WinePrefix.h"

#include <exception>

namespace sigillo {
namespace {

int FirstDigit(int index) {
    while (index >= 10)
        index /= 10;
    return index;
}

} // namespace

MainWindowModel::MainWindowModel(Ui& ui, OpenFileDialog& comDlg, clsRegistrator& registrator,
                                 clsActiveX& activeX, std::string appPath)
    : ui_(ui), comDlg_(comDlg), registrator_(registrator), activeX_(activeX), appPath_(std::move(appPath)) {}

void MainWindowModel::changed() {
    if (onChanged)
        onChanged();
}

void MainWindowModel::Form_Load() {
    registry_ = std::make_unique<clsRegistry>();
}

void MainWindowModel::Form_Unload() {
    registry_.reset();
}

void MainWindowModel::ShowFile(const std::string& sFile) {
    activeX_.setFileName(sFile);
    txtFile = activeX_.FileName();
    activeX_.DisplayInfo();
    changed();
}

void MainWindowModel::cmdBrowse_Click() {
    const auto chosen = comDlg_.OpenFile();
    if (!chosen)
        return;
    ShowFile(*chosen);
}

// The report follows the last browsed file, not a path typed into the box.
void MainWindowModel::cmdReg_Click() {
    std::string file = txtFile;
    registrator_.RegisterActiveX(file);
    activeX_.DisplayInfo();
    changed();
}

void MainWindowModel::cmdUnReg_Click() {
    std::string file = txtFile;
    registrator_.UnRegisterActiveX(file);
    activeX_.DisplayInfo();
    changed();
}

void MainWindowModel::cmdSelectOne_Click() {
    const auto chosen = comDlg_.OpenFile();
    if (!chosen)
        return;
    activeX_.setFirstFilename(*chosen);
    txtFirstFile = activeX_.FirstFilename();
    if (activeX_.BothSelected())
        activeX_.DoComparison();
    changed();
}

void MainWindowModel::cmdSelectTwo_Click() {
    const auto chosen = comDlg_.OpenFile();
    if (!chosen)
        return;
    activeX_.setSecondFilename(*chosen);
    txtSecondFile = activeX_.SecondFilename();
    if (activeX_.BothSelected())
        activeX_.DoComparison();
    changed();
}

void MainWindowModel::cmdShellEX_Click() {
    try {
        const ShellState state = ShellButtonClick(*registry_, cmdShellEX, appPath_ + "sigillo", ui_);
        cmdShellEX = state.caption;
        lblShell = state.label;
        changed();
    } catch (const SigilloError& e) {
        ShowError(ui_, "cmdShellEX_Click", e.info().number, e.info().description);
    } catch (const std::exception& e) {
        ShowError(ui_, "cmdShellEX_Click", 5, e.what());
    }
}

void MainWindowModel::cmdWinePrefix_Click() {
    try {
        wine::SavePrefix(txtWinePrefix);
        wine::UsePrefix(txtWinePrefix);
    } catch (const std::exception& e) {
        ShowError(ui_, "cmdWinePrefix_Click", 75, e.what());
    }
    refreshRegistryState();
    refreshShellState();
    // The report's registration facts come from the registry now in use.
    if (!activeX_.FileName().empty())
        activeX_.DisplayInfo();
    changed();
}

void MainWindowModel::cmdReadme_Click() {
    ui_.shellExecute(appPath_ + kReadmeName, "");
}

void MainWindowModel::cmdWeb_Click() {
    ui_.shellExecute(kWebPage, "");
}

void MainWindowModel::picTabIcon_Click(int index) {
    const int tab = FirstDigit(index) - 1;
    if (tab >= 0 && tab < kTabCount)
        XTab1_Switch(tab);
}

void MainWindowModel::XTab1_Switch(int tab) {
    XTab1 = tab;
    if (tab == 2) {
        refreshShellState();
        refreshRegistryState();
        txtWinePrefix = wine::PrefixInUse();
    }
    changed();
}

void MainWindowModel::refreshRegistryState() {
    lblRegistry = "Registry in use: " + wine::RegistryInUseText();
}

void MainWindowModel::refreshShellState() {
    if (!registry_)
        return;
    const ShellState state = RefreshShellState(*registry_);
    cmdShellEX = state.caption;
    lblShell = state.label;
}

} // namespace sigillo
