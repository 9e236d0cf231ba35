#include "gui/MainWindowModel.h"
#include "Fakes.h"
#include "TempStore.h"
#include "wine/WinePrefix.h"

#include <gtest/gtest.h>

namespace sigillo {
namespace {

using test::FakeUi;
using test::ScriptedDialog;
using test::TempStore;

// The report of a file without type library or version resource, by the
// rules of the report: two sections, every text empty.
const std::vector<std::pair<std::string, bool>> kPlainFileRows = {
    {"File Info", true},
    {"CompanyName: ", false},
    {"FileDescription: ", false},
    {"InternalName: ", false},
    {"LegalCopyright: ", false},
    {"LegalTrademarks: ", false},
    {"OriginalFileName: ", false},
    {"ProductName: ", false},
    {"ProductVersion: ", false},
    {"Comments: ", false},
    {"Extended File Info", true},
    {"Type: ", false},
    {"SubType: ", false},
    {"Version: ", false},
    {"Product Version: ", false},
    {"OS: ", false},
    {"Structure Version: ", false},
    {"Flags: ", false},
};

class MainWindowModelTest : public testing::Test {
protected:
    MainWindowModelTest()
        : registrator(ui), activeX(ui), form(ui, dialog, registrator, activeX, store.dir()) {
        gridInfo.Init();
        gridComparison.Init();
        activeX.Init(gridInfo, gridComparison);
        form.Form_Load();
        form.onChanged = [this] {
            ++changes;
        };
    }

    void ExpectPlainFileReport() {
        ASSERT_EQ(gridInfo.Rows(), static_cast<int>(kPlainFileRows.size()));
        for (std::size_t i = 0; i < kPlainFileRows.size(); ++i) {
            const GridRow& row = gridInfo.RowData()[i];
            EXPECT_EQ(row.cells[0].text, kPlainFileRows[i].first) << "row " << i;
            EXPECT_EQ(row.cells[1].text, "") << "row " << i;
            EXPECT_EQ(row.header, kPlainFileRows[i].second) << "row " << i;
        }
    }

    TempStore store;
    FakeUi ui;
    ScriptedDialog dialog;
    clsRegistrator registrator;
    clsGrid gridInfo;
    clsGrid gridComparison;
    clsActiveX activeX;
    MainWindowModel form;
    int changes = 0;
};

TEST_F(MainWindowModelTest, BrowseShowsChosenFileAndItsReport) {
    const std::string file = store.write("plain.dll");
    dialog.choices.push_back(file);
    form.cmdBrowse_Click();
    EXPECT_EQ(form.txtFile, file);
    EXPECT_EQ(activeX.FileName(), file);
    ExpectPlainFileReport();
    EXPECT_GT(changes, 0);
}

TEST_F(MainWindowModelTest, CancelledBrowseChangesNothing) {
    form.txtFile = "typed";
    dialog.choices.push_back(std::nullopt);
    form.cmdBrowse_Click();
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_EQ(form.txtFile, "typed");
    EXPECT_EQ(gridInfo.Rows(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(MainWindowModelTest, RegisterWithEmptyFileBoxSaysNoFileAndRebuildsReport) {
    form.cmdReg_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No file provided!");
    EXPECT_EQ(ui.messages[0].caption, "Sigillo - Registering");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
    ExpectPlainFileReport();
}

TEST_F(MainWindowModelTest, UnregisterWithEmptyFileBoxSaysNoFile) {
    form.cmdUnReg_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No file provided!");
    EXPECT_EQ(ui.messages[0].caption, "Sigillo - UnRegistering");
}

TEST_F(MainWindowModelTest, RegisterUsesTypedPathButReportFollowsBrowsedFile) {
    const std::string browsed = store.write("browsed.dll");
    dialog.choices.push_back(browsed);
    form.cmdBrowse_Click();
    form.txtFile = store.dir() + "missing.dll";
    form.cmdReg_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Selected file could not be loaded into memory!");
    EXPECT_EQ(activeX.FileName(), browsed);
    ExpectPlainFileReport();
}

TEST_F(MainWindowModelTest, FirstComparisonFileAloneLeavesComparisonGrid) {
    dialog.choices.push_back(store.write("one.dll"));
    form.cmdSelectOne_Click();
    EXPECT_EQ(form.txtFirstFile, store.dir() + "one.dll");
    EXPECT_EQ(gridComparison.Rows(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowModelTest, BothComparisonFilesRunTheComparison) {
    dialog.choices.push_back(store.write("one.dll"));
    dialog.choices.push_back(store.write("two.dll"));
    form.cmdSelectOne_Click();
    form.cmdSelectTwo_Click();
    EXPECT_EQ(form.txtSecondFile, store.dir() + "two.dll");
    // Neither file holds a type library: one message row replaces the view.
    ASSERT_EQ(gridComparison.Rows(), 1);
    EXPECT_EQ(gridComparison.TextMatrix(0, 0), "One of the selected files are not a valid ActiveX files!");
}

TEST_F(MainWindowModelTest, NewFirstFileAfterBothRerunsComparisonAtOnce) {
    dialog.choices.push_back(store.write("one.dll"));
    dialog.choices.push_back(store.write("two.dll"));
    dialog.choices.push_back(store.write("three.dll"));
    form.cmdSelectOne_Click();
    form.cmdSelectTwo_Click();
    gridComparison.Clear();
    form.cmdSelectOne_Click();
    EXPECT_EQ(form.txtFirstFile, store.dir() + "three.dll");
    EXPECT_EQ(gridComparison.Rows(), 1);
}

TEST_F(MainWindowModelTest, OptionsTabSaysWhichRegistryIsInUseAndRemembersTheChoice) {
    wine::UsePrefix("");
    form.XTab1_Switch(2);
    EXPECT_EQ(form.lblRegistry, "Registry in use: " + store.storePath());
    EXPECT_EQ(form.txtWinePrefix, "");

    // An empty box keeps the .reg store and is remembered as the choice.
    wine::SavePrefix("/an/earlier/prefix");
    form.txtWinePrefix = "";
    form.cmdWinePrefix_Click();
    EXPECT_EQ(form.lblRegistry, "Registry in use: " + store.storePath());
    EXPECT_EQ(wine::SavedPrefix(), "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowModelTest, ShellExtensionButtonFollowsTheStore) {
    form.XTab1_Switch(2);
    EXPECT_EQ(form.cmdShellEX, "Enable");
    EXPECT_EQ(form.lblShell, "Extensions are Disabled. Click Enable to create Shell Extensions");

    form.cmdShellEX_Click();
    EXPECT_EQ(form.cmdShellEX, "Disable");
    EXPECT_EQ(form.lblShell, "Extensions are Enabled. Click Disable to remove Shell Extensions");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Shell Extensions Enabled!");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);

    clsRegistry registry;
    registry.setClassKey(kClassesRoot);
    registry.setSectionKey("dllfile\\shell\\Register\\command");
    EXPECT_EQ(VariantText(registry.Value()), store.dir() + "sigillo -r \"%1\"");
    registry.setSectionKey("Folder\\shell\\ActiveX Report\\command");
    EXPECT_EQ(VariantText(registry.Value()), store.dir() + "sigillo -f \"%1\"");

    form.XTab1_Switch(0);
    form.XTab1_Switch(2);
    EXPECT_EQ(form.cmdShellEX, "Disable");

    form.cmdShellEX_Click();
    EXPECT_EQ(form.cmdShellEX, "Enable");
    EXPECT_EQ(form.lblShell, "Extensions are Disabled. Click Enable to create Shell Extensions");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Shell Extensions Disabled!");
    registry.setSectionKey("dllfile\\shell\\Register");
    EXPECT_FALSE(registry.KeyExists());
}

TEST_F(MainWindowModelTest, ShellStateIsNotReadOnOtherTabs) {
    form.XTab1_Switch(1);
    EXPECT_EQ(form.XTab1, 1);
    EXPECT_EQ(form.cmdShellEX, "Enable");
    EXPECT_EQ(form.lblShell, kShellLabelAtLoad);
}

TEST_F(MainWindowModelTest, PictureButtonsSelectTabByFirstDigit) {
    const std::pair<int, int> cases[] = {{1, 0},   {11, 0}, {111, 0}, {2, 1},  {22, 1},
                                         {222, 1}, {3, 2},  {33, 2},  {333, 2}};
    for (const auto& [index, tab] : cases) {
        form.XTab1_Switch(tab == 0 ? 1 : 0);
        form.picTabIcon_Click(index);
        EXPECT_EQ(form.XTab1, tab) << "index " << index;
    }
}

TEST_F(MainWindowModelTest, ReadmeAndWebButtonsOpenTheirDocuments) {
    form.cmdReadme_Click();
    form.cmdWeb_Click();
    ASSERT_EQ(ui.shellCalls.size(), 2u);
    EXPECT_EQ(ui.shellCalls[0].file, store.dir() + "readme.txt");
    EXPECT_EQ(ui.shellCalls[0].parameters, "");
    EXPECT_EQ(ui.shellCalls[1].file, kWebPage);
}

const std::string kDemo32 = std::string(SIGILLO_FIXTURES) + "/demo32.dll";
const std::string kDemo64 = std::string(SIGILLO_FIXTURES) + "/demo64.dll";

TEST_F(MainWindowModelTest, BrowsedComponentReportsItsTypeLibraryFirst) {
    dialog.choices.push_back(kDemo32);
    form.cmdBrowse_Click();
    ASSERT_GE(gridInfo.Rows(), 6);
    const std::pair<const char*, const char*> expected[] = {
        {"TypeLib Info", ""},
        {"TypeLib Name:", "DemoLib (Demo Type Library for fixtures)"},
        {"GUID:", "{12345678-9ABC-DEF0-1234-56789ABCDEF0}"},
        {"Version:", "2.5"},
        {"Registered", "No"},
        {"File Info", ""},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(gridInfo.TextMatrix(i, 0), expected[i].first) << "row " << i;
        EXPECT_EQ(gridInfo.TextMatrix(i, 1), expected[i].second) << "row " << i;
    }
}

struct ComparisonCase {
    const char* name;
    std::string first;
    std::string second;
    const char* verdict;
};

class ComparisonTest : public MainWindowModelTest, public testing::WithParamInterface<ComparisonCase> {};

TEST_P(ComparisonTest, ShowsVerdictUnderItsHeader) {
    dialog.choices.push_back(GetParam().first);
    dialog.choices.push_back(GetParam().second);
    form.cmdSelectOne_Click();
    form.cmdSelectTwo_Click();
    ASSERT_GE(gridComparison.Rows(), 3);
    EXPECT_EQ(gridComparison.TextMatrix(0, 0), "Comparison Result");
    EXPECT_EQ(gridComparison.TextMatrix(1, 0), GetParam().verdict);
    EXPECT_EQ(gridComparison.TextMatrix(2, 0), "First File TypeLib Info");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ComparisonTest,
    testing::Values(ComparisonCase{"SameFile", kDemo32, kDemo32, "The Files Are Identically!"},
                    ComparisonCase{"OtherVersionOfSameLibrary", kDemo32, kDemo64, "The Files Are Diferent!"}),
    [](const testing::TestParamInfo<ComparisonCase>& info) { return info.param.name; });

} // namespace
} // namespace sigillo
