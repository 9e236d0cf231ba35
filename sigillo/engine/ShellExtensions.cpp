#include "engine/ShellExtensions.h"

#include "engine/DesktopVerbs.h"
#include "text/AsciiCase.h"
#include "wine/WinePrefix.h"

namespace sigillo {

namespace {

constexpr const char* kAssociations[] = {".dll", ".exe", ".ocx", "Folder"};

} // namespace

ShellState RefreshShellState(clsRegistry& registry) {
    registry.setClassKey(kClassesRoot);
    registry.setValueKey("");
    registry.setSectionKey(".dll");
    const std::string fileType = VariantText(registry.Value());
    registry.setSectionKey(fileType + "\\shell\\Register");
    if (registry.KeyExists() || DesktopVerbsInstalled()) {
        return {"Disable", kShellEnabledLabel};
    }
    return {"Enable", kShellDisabledLabel};
}

ShellState EnableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui) {
    for (const char* association : kAssociations) {
        registry.CreateShellAssociation(exePath, association);
    }
    InstallDesktopVerbs(exePath, wine::PrefixInUse());
    ui.messageBox(kShellEnabledMessage, kAppTitle, MsgIcon::Information, MsgButtons::Ok);
    return {"Disable", kShellEnabledLabel};
}

ShellState DisableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui) {
    for (const char* association : kAssociations) {
        registry.RemoveShellAssociation(exePath, association);
    }
    RemoveDesktopVerbs();
    ui.messageBox(kShellDisabledMessage, kAppTitle, MsgIcon::Information, MsgButtons::Ok);
    return {"Enable", kShellDisabledLabel};
}

ShellState ShellButtonClick(clsRegistry& registry, const std::string& caption, const std::string& exePath,
                            Ui& ui) {
    return text::equalsNoCase(caption, "enable") ? EnableShellExtensions(registry, exePath, ui)
                                                 : DisableShellExtensions(registry, exePath, ui);
}

} // namespace sigillo
