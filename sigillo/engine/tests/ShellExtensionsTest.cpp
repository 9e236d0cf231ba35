#include <gtest/gtest.h>

#include "FakeUi.h"
#include "TempStore.h"
#include "engine/ShellExtensions.h"
#include "registry/RegistryStore.h"
#include "registry/RegistryTree.h"
#include "text/AsciiCase.h"

using namespace sigillo;
using registry::Hive;

namespace {

std::string defaultValue(const registry::Tree& t, const std::vector<std::string>& path) {
    const registry::Key* k = t.find(Hive::ClassesRoot, path);
    const registry::Value* v = k ? k->findValue("") : nullptr;
    return v && !v->data.empty() ? std::string(v->data.begin(), v->data.end() - 1) : "<none>";
}

registry::Tree current() {
    registry::Tree tree;
    registry::processStore().read([&](const registry::Tree& t) { tree = t; });
    return tree;
}

// Removes the "shell" keys left empty, to compare the rest of the tree.
void dropEmptyShellKeys(registry::Key& key) {
    for (auto it = key.subkeys.begin(); it != key.subkeys.end();) {
        dropEmptyShellKeys(it->second);
        if (text::equalsNoCase(it->first, "shell") && it->second.subkeys.empty() &&
            it->second.values.empty()) {
            it = key.subkeys.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

TEST(ShellExtensions, EnableWritesTheFourAssociations) {
    TempStore store;
    FakeUi ui;
    clsRegistry registry;
    const ShellState state = EnableShellExtensions(registry, "/opt/sigillo/sigillo", ui);
    EXPECT_EQ(state.caption, "Disable");
    EXPECT_EQ(state.label, "Extensions are Enabled. Click Disable to remove Shell Extensions");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Shell Extensions Enabled!");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    const auto t = current();
    struct Case {
        std::vector<std::string> key;
        std::string command;
    } cases[] = {
        {{"dllfile", "shell", "Register", "command"}, "/opt/sigillo/sigillo -r \"%1\""},
        {{"dllfile", "shell", "UnRegister", "command"}, "/opt/sigillo/sigillo -u \"%1\""},
        {{"dllfile", "shell", "Sigillo", "command"}, "/opt/sigillo/sigillo \"%1\""},
        {{"exefile", "shell", "Register", "command"}, "/opt/sigillo/sigillo -r \"%1\""},
        {{"ocxfile", "shell", "Sigillo", "command"}, "/opt/sigillo/sigillo \"%1\""},
        {{"Folder", "shell", "ActiveX Report", "command"}, "/opt/sigillo/sigillo -f \"%1\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(defaultValue(t, c.key), c.command) << c.key[0] << "\\" << c.key[2];
    }
    EXPECT_EQ(RefreshShellState(registry).caption, "Disable");
}

TEST(ShellExtensions, DisableAfterEnableLeavesOnlyEmptyShellKeys) {
    TempStore store;
    FakeUi ui;
    clsRegistry registry;
    registry::Tree before = current();
    EXPECT_EQ(RefreshShellState(registry).caption, "Enable");
    ShellButtonClick(registry, "Enable", "/x/sigillo", ui);
    const ShellState after = ShellButtonClick(registry, "Disable", "/x/sigillo", ui);
    EXPECT_EQ(after.caption, "Enable");
    EXPECT_EQ(after.label, "Extensions are Disabled. Click Enable to create Shell Extensions");
    EXPECT_EQ(ui.messages.back().text, "Shell Extensions Disabled!");
    registry::Tree t = current();
    // Folder itself stays too: only its verb keys are removed.
    registry::Key* root = t.find(Hive::ClassesRoot, {});
    root->subkeys.erase("Folder");
    dropEmptyShellKeys(*root);
    EXPECT_EQ(t, before);
    EXPECT_EQ(RefreshShellState(registry).caption, "Enable");
}

TEST(ShellExtensions, ButtonCaptionIsComparedIgnoringCase) {
    TempStore store;
    FakeUi ui;
    clsRegistry registry;
    EXPECT_EQ(ShellButtonClick(registry, "ENABLE", "/x/sigillo", ui).caption, "Disable");
    EXPECT_EQ(ShellButtonClick(registry, "anything else", "/x/sigillo", ui).caption, "Enable");
}

TEST(ShellExtensions, WithoutAFileTypeTheVerbsCannotBeWrittenAndStayDisabled) {
    TempStore store;
    FakeUi ui;
    registry::processStore().update([](registry::Tree& t) {
        t.find(Hive::ClassesRoot, {".dll"})->removeValue("");
        return true;
    });
    clsRegistry registry;
    EnableShellExtensions(registry, "/x/sigillo", ui);
    EXPECT_EQ(registry.LastError().number, 26001); // "\shell\Register\command" is no valid key path
    // No verb is in the store; the file managers' entries are written all
    // the same (a Wine prefix has no ".dll" type), so the switch can undo them.
    EXPECT_EQ(RefreshShellState(registry).caption, "Disable");
    DisableShellExtensions(registry, "/x/sigillo", ui);
    EXPECT_EQ(RefreshShellState(registry).caption, "Enable");
}

TEST(ShellExtensions, UndottedNamesFindNoFileTypeAndWriteNoVerb) {
    TempStore store;
    clsRegistry registry;
    for (const char* name : {"dll", "exe", "ocx"}) {
        registry.CreateShellAssociation("/x/sigillo", name);
    }
    const auto t = current();
    EXPECT_EQ(t.find(Hive::ClassesRoot, {"dllfile", "shell"}), nullptr);
    EXPECT_EQ(RefreshShellState(registry).caption, "Enable");
}
