#include "engine/ShellExtensions.h"

#include "engine/DesktopVerbs.h"
#include "sigillo_registry_transaction.h"
#include "text/AsciiCase.h"
#include "wine/WinePrefix.h"

namespace sigillo {

namespace {

constexpr const char* kAssociations[] = {".dll", ".exe", ".ocx", "Folder"};

// Runs change as one transaction on the store; false (with the reason shown)
// when the store could not be read or written.
template <typename Change> bool changeStore(Ui& ui, Change change) {
    char reason[1024];
    bool done = SigilloRegBeginTransaction(reason, sizeof reason) == ERROR_SUCCESS;
    if (done) {
        try {
            change();
        } catch (...) {
            SigilloRegAbortTransaction();
            throw;
        }
        done = SigilloRegCommitTransaction(reason, sizeof reason) == ERROR_SUCCESS;
    }
    if (!done) {
        ui.messageBox(std::string("Shell Extensions could not be changed: ") + reason, kAppTitle,
                      MsgIcon::Critical, MsgButtons::Ok);
    }
    return done;
}

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

bool InstallShellAssociations(clsRegistry& registry, const std::string& exePath, Ui& ui) {
    return changeStore(ui, [&] {
        for (const char* association : kAssociations) {
            registry.CreateShellAssociation(exePath, association);
        }
    });
}

ShellState EnableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui) {
    if (!InstallShellAssociations(registry, exePath, ui)) {
        return {"Enable", kShellDisabledLabel, true};
    }
    InstallDesktopVerbs(exePath, wine::PrefixInUse());
    ui.messageBox(kShellEnabledMessage, kAppTitle, MsgIcon::Information, MsgButtons::Ok);
    return {"Disable", kShellEnabledLabel};
}

ShellState DisableShellExtensions(clsRegistry& registry, const std::string& exePath, Ui& ui) {
    const bool done = changeStore(ui, [&] {
        for (const char* association : kAssociations) {
            registry.RemoveShellAssociation(exePath, association);
        }
    });
    if (!done) {
        return {"Disable", kShellEnabledLabel, true};
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
