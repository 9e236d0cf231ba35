#include "gui/Program.h"

#include "engine/DesktopVerbs.h"
#include "engine/SigilloError.h"
#include "text/AsciiCase.h"
#include "wine/WinePrefix.h"

#include <cctype>
#include <chrono>
#include <exception>
#include <filesystem>
#include <thread>

namespace sigillo {
namespace {

// The outside components the original window needed, in installation order.
constexpr const char* kComponents[] = {"prjXTab.ocx", "MSFLXGRD.OCX", "comdlg32.ocx", "TLBINF32.DLL"};

constexpr const char* kShellAssociations[] = {".dll", ".exe", ".ocx", "Folder"};

// The setting is text compared as a Boolean: "true" in any case or a
// non-zero number is true.
bool TextAsBoolean(const std::string& text) {
    const std::string lower = sigillo::text::lowerAscii(text);
    if (lower == "true")
        return true;
    if (lower == "false" || lower.empty())
        return false;
    try {
        return std::stod(lower) != 0.0;
    } catch (const std::exception&) {
        return false;
    }
}

// A registration outcome other than done (or an EXE server started).
bool Failed(const std::optional<int32_t>& status) {
    return status && *status != StatusRegistered && *status != StatusUnregistered;
}

} // namespace

std::string MainCaption(const std::string& productName, int major, int minor, int revision) {
    return productName + " v" + std::to_string(major) + "." + std::to_string(minor) + " Build " +
           std::to_string(revision);
}

std::string AppPathOf(const std::string& programFolder) {
    if (!programFolder.empty() && programFolder.back() == '/')
        return programFolder;
    return programFolder + "/";
}

std::string SystemDirectory() {
    return {};
}

void InstallComponent(const std::string& systemFolder, const std::string& appPath, const std::string& name) {
    if (systemFolder.empty())
        return;
    const std::string target = AppPathOf(systemFolder) + name;
    std::error_code ignored;
    if (!std::filesystem::exists(target, ignored))
        std::filesystem::copy_file(appPath + name, target, ignored);
    RegisterServer(target);
}

Program::Program(Ui& ui, OpenFileDialog& comDlg, WindowHost& windows, std::string appPath)
    : sleep([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }), ui_(ui),
      windows_(windows), appPath_(std::move(appPath)), registrator_(ui), activeX_(ui),
      form_(ui, comDlg, registrator_, activeX_, appPath_) {}

std::optional<int> Program::Main(const std::string& commandLine) {
    try {
        InstallComponents();
        windows_.LoadWindows(form_);
        gridInfo_.Init();
        gridComparison_.Init();
        activeX_.Init(gridInfo_, gridComparison_);
        if (!commandLine.empty()) {
            if (const auto status = ProcessCommandLine(commandLine))
                return status;
        }
        ui_.doEvents();
        form_.XTab1_Switch(0);
        windows_.ShowMain();
        return std::nullopt;
    } catch (const SigilloError& e) {
        ShowError(ui_, "Main", e.info().number, e.info().description);
    } catch (const std::exception& e) {
        ShowError(ui_, "Main", 5, e.what());
    }
    // With no window shown nothing could ever end the run: end it here.
    Shutdown(false, kExitFailed);
    return kExitFailed;
}

// Every error of the installation is skipped: a failing copy or
// registration still marks the installation as done.
void Program::InstallComponents() {
    clsRegistry settings;
    settings.setClassKey(kCurrentUserRoot);
    settings.setSectionKey(kSettingsSection);
    settings.setValueKey(kSelfInstallKey);
    settings.setDefault(std::string("false"));
    const Variant value = settings.Value();
    const auto* text = std::get_if<std::string>(&value);
    if (text != nullptr && TextAsBoolean(*text))
        return;
    const std::string systemFolder = SystemDirectory();
    for (const char* name : kComponents) {
        try {
            InstallComponent(systemFolder, appPath_, name);
        } catch (const std::exception&) {
        }
    }
    settings.setValueType(1);
    settings.setValue(std::string("true"));
    sleep(500);
}

bool Program::AreYouSure(const char* caption) {
    return ui_.messageBox("Are You Sure?", caption, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

std::optional<int> Program::ProcessCommandLine(const std::string& commandLine) {
    const ParsedCommandLine parsed = ParseCommandLine(commandLine, appPath_);
    std::string sFile = parsed.file;
    int status = kExitDone;
    switch (parsed.action) {
    case CommandAction::Register:
        if (AreYouSure("Sigillo - Registering ActiveX") && Failed(registrator_.RegisterActiveX(sFile)))
            status = kExitFailed;
        break;
    case CommandAction::Report:
        if (AreYouSure("Sigillo - ActiveX Report") && CreateReport(sFile) == ReportOutcome::Failed)
            status = kExitFailed;
        break;
    case CommandAction::Unregister:
        if (AreYouSure("Sigillo - UnRegistering ActiveX") && Failed(registrator_.UnRegisterActiveX(sFile)))
            status = kExitFailed;
        break;
    case CommandAction::ShellInstall:
        // The same four associations as the window's button, so that the
        // switch installs working verbs for files and folders; being a
        // one-shot command it shows nothing.
        for (const char* association : kShellAssociations)
            registry_.CreateShellAssociation(appPath_ + "sigillo", association);
        InstallDesktopVerbs(appPath_ + "sigillo", wine::PrefixInUse());
        break;
    case CommandAction::OpenFile:
        form_.ShowFile(sFile);
        return std::nullopt;
    case CommandAction::None:
        return std::nullopt;
    }
    Shutdown(false, status);
    return status;
}

ReportOutcome Program::CreateReport(const std::string& sFolder) {
    const ReportOutcome outcome =
        sigillo::CreateReport(sFolder, kReportFileName, ui_, windows_.Progress(), cancel_);
    if (outcome == ReportOutcome::Completed)
        ShellOpen(kReportFileName);
    return outcome;
}

// A bare name is a document of the working directory; the desktop's opener
// wants a full path.
void Program::ShellOpen(const std::string& sFile) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(sFile, ignored);
    ui_.shellExecute(full.empty() ? sFile : full.string(), "");
}

void Program::Shutdown(bool fromUnload, int status) {
    if (!fromUnload)
        windows_.UnloadMain();
    windows_.UnloadDisplay();
    windows_.Quit(status);
}

} // namespace sigillo
