#include "gui/Program.h"
#include "Fakes.h"
#include "TempStore.h"
#include "engine/ShellExtensions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sigillo {
namespace {

using test::FakeUi;
using test::FakeWindows;
using test::ScriptedDialog;
using test::TempStore;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string StoredText(int32_t root, const std::string& section, const std::string& value = {}) {
    clsRegistry registry;
    registry.setClassKey(root);
    registry.setSectionKey(section);
    registry.setValueKey(value);
    return VariantText(registry.Value());
}

class ProgramTest : public testing::Test {
protected:
    ProgramTest() : program(ui, dialog, windows, store.dir() + "app/") {
        program.sleep = [this](int ms) {
            sleeps.push_back(ms);
        };
    }

    TempStore store;
    FakeUi ui;
    ScriptedDialog dialog;
    FakeWindows windows;
    Program program;
    std::vector<int> sleeps;
};

TEST(MainCaption, JoinsProductVersionAndBuild) {
    EXPECT_EQ(MainCaption("Sigillo", 0, 1, 48), "Sigillo v0.1 Build 48");
    EXPECT_EQ(MainCaption("Sigillo", 2, 10, 0), "Sigillo v2.10 Build 0");
}

TEST(AppPathOf, EndsInOneSlash) {
    EXPECT_EQ(AppPathOf("/opt/sigillo"), "/opt/sigillo/");
    EXPECT_EQ(AppPathOf("/opt/sigillo/"), "/opt/sigillo/");
}

TEST(InstallComponent, CopiesMissingComponentIntoSystemFolderOnly) {
    TempStore store;
    const std::string appPath = store.dir() + "app/";
    store.write("app/prjXTab.ocx", "new copy");
    store.write("system/MSFLXGRD.OCX", "already there");
    store.write("app/MSFLXGRD.OCX", "new copy");
    InstallComponent(store.dir() + "system", appPath, "prjXTab.ocx");
    InstallComponent(store.dir() + "system", appPath, "MSFLXGRD.OCX");
    EXPECT_EQ(ReadFile(store.dir() + "system/prjXTab.ocx"), "new copy");
    EXPECT_EQ(ReadFile(store.dir() + "system/MSFLXGRD.OCX"), "already there");
}

TEST(InstallComponent, EmptySystemFolderDoesNothing) {
    TempStore store;
    store.write("app/comdlg32.ocx");
    InstallComponent("", store.dir() + "app/", "comdlg32.ocx");
    EXPECT_TRUE(SystemDirectory().empty());
}

TEST_F(ProgramTest, FirstRunMarksInstallationDoneAndWaitsOnce) {
    EXPECT_FALSE(program.Main(""));
    EXPECT_EQ(StoredText(kCurrentUserRoot, kSettingsSection, kSelfInstallKey), "true");
    EXPECT_EQ(sleeps, std::vector<int>{500});
    Program second(ui, dialog, windows, store.dir() + "app/");
    second.sleep = [this](int ms) {
        sleeps.push_back(ms);
    };
    second.Main("");
    EXPECT_EQ(sleeps.size(), 1u);
}

TEST_F(ProgramTest, StartupErrorIsShownAndEndsTheRun) {
    windows.failLoad = true;
    EXPECT_EQ(program.Main(""), kExitFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Main: error 5: no display");
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(windows.shown);
    EXPECT_EQ(windows.quitStatus, kExitFailed);
}

TEST_F(ProgramTest, NoArgumentShowsWindowOnFirstTab) {
    EXPECT_FALSE(program.Main("").has_value());
    EXPECT_TRUE(windows.loaded);
    EXPECT_TRUE(windows.shown);
    EXPECT_EQ(program.form().XTab1, 0);
    EXPECT_FALSE(windows.quitStatus);
}

TEST_F(ProgramTest, PlainFileOpensWindowOnItsReport) {
    const std::string file = store.write("lib.dll");
    EXPECT_FALSE(program.Main(file).has_value());
    EXPECT_TRUE(windows.shown);
    EXPECT_EQ(program.form().txtFile, file);
    EXPECT_EQ(program.activeX().FileName(), file);
    EXPECT_EQ(program.gridInfo().TextMatrix(0, 0), "File Info");
}

TEST_F(ProgramTest, CapitalSwitchOpensFileOfThatNameInProgramFolder) {
    EXPECT_FALSE(program.Main("-R " + store.dir() + "x.dll").has_value());
    EXPECT_EQ(program.form().txtFile, store.dir() + "app/-R");
    EXPECT_TRUE(windows.shown);
}

TEST_F(ProgramTest, QuotedPathWithSpacesOpensWholePath) {
    const std::string file = store.write("my files/a b.dll");
    program.Main("\"" + file + "\"");
    EXPECT_EQ(program.form().txtFile, file);
}

struct OneShotCase {
    const char* name;
    const char* line;
    MsgAnswer answer;
    const char* question; // caption of "Are You Sure?", or "" for none
    const char* outcome;  // message after the question, or "" for none
    const char* outcomeCaption;
    int exitStatus = kExitDone; // a registration that failed ends with kExitFailed
};

class OneShotSwitch : public ProgramTest, public testing::WithParamInterface<OneShotCase> {};

TEST_P(OneShotSwitch, AsksThenEndsWithoutWindow) {
    const OneShotCase& c = GetParam();
    ui.answers.push_back(c.answer);
    const auto status = program.Main(c.line);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, c.exitStatus);
    EXPECT_FALSE(windows.shown);
    EXPECT_TRUE(windows.mainUnloaded);
    EXPECT_TRUE(windows.displayUnloaded);
    EXPECT_EQ(windows.quitStatus, c.exitStatus);
    std::size_t next = 0;
    if (*c.question != '\0') {
        ASSERT_GT(ui.messages.size(), next);
        EXPECT_EQ(ui.messages[next].text, "Are You Sure?");
        EXPECT_EQ(ui.messages[next].caption, c.question);
        EXPECT_EQ(ui.messages[next].icon, MsgIcon::Question);
        EXPECT_EQ(ui.messages[next].buttons, MsgButtons::YesNo);
        ++next;
    }
    if (*c.outcome != '\0') {
        ASSERT_GT(ui.messages.size(), next);
        EXPECT_EQ(ui.messages[next].text, c.outcome);
        EXPECT_EQ(ui.messages[next].caption, c.outcomeCaption);
        ++next;
    }
    EXPECT_EQ(ui.messages.size(), next);
}

const OneShotCase kOneShots[] = {
    {"RegisterWithoutFileSaysNoFile", "-r", MsgAnswer::Yes, "Sigillo - Registering ActiveX",
     "No file provided!", "Sigillo - Registering", kExitFailed},
    {"RegisterDeclinedDoesNothing", "-r /tmp/x.dll", MsgAnswer::No, "Sigillo - Registering ActiveX", "", ""},
    {"UnregisterWithoutFileSaysNoFile", "-u", MsgAnswer::Yes, "Sigillo - UnRegistering ActiveX",
     "No file provided!", "Sigillo - UnRegistering", kExitFailed},
    {"UnregisterDeclinedDoesNothing", "-u x.ocx", MsgAnswer::No, "Sigillo - UnRegistering ActiveX", "", ""},
    {"RegisterMissingFileCannotLoad", "-r missing.dll", MsgAnswer::Yes, "Sigillo - Registering ActiveX",
     "Selected file could not be loaded into memory!", "Sigillo - Registering", kExitFailed},
    {"ReportDeclinedDoesNothing", "-f /tmp", MsgAnswer::No, "Sigillo - ActiveX Report", "", ""},
    {"ShellInstallAsksNothing", "-s", MsgAnswer::Yes, "", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Switches, OneShotSwitch, testing::ValuesIn(kOneShots),
                         [](const testing::TestParamInfo<OneShotCase>& info) { return info.param.name; });

TEST_F(ProgramTest, ShellSwitchInstallsTheFourAssociations) {
    ASSERT_EQ(program.Main("-s"), kExitDone);
    const std::string exe = store.dir() + "app/sigillo";
    EXPECT_EQ(StoredText(kClassesRoot, "dllfile\\shell\\Register\\command"), exe + " -r \"%1\"");
    EXPECT_EQ(StoredText(kClassesRoot, "exefile\\shell\\UnRegister\\command"), exe + " -u \"%1\"");
    EXPECT_EQ(StoredText(kClassesRoot, "ocxfile\\shell\\Sigillo\\command"), exe + " \"%1\"");
    EXPECT_EQ(StoredText(kClassesRoot, "Folder\\shell\\ActiveX Report\\command"), exe + " -f \"%1\"");
}

class ReportSwitch : public ProgramTest {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::create_directories(store.dir() + "work");
        std::filesystem::current_path(store.dir() + "work");
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST_F(ReportSwitch, WritesOutputInWorkingFolderAndOpensIt) {
    store.write("components/a.dll");
    store.write("components/b.txt");
    store.write("components/c.ocx");
    ASSERT_EQ(program.Main("-f " + store.dir() + "components"), kExitDone);
    const std::string output = store.dir() + "work/output.txt";
    const std::string report = ReadFile(output);
    EXPECT_NE(report.find("File: " + store.dir() + "components/a.dll"), std::string::npos);
    EXPECT_NE(report.find("File: " + store.dir() + "components/c.ocx"), std::string::npos);
    EXPECT_EQ(report.find("b.txt"), std::string::npos);
    ASSERT_EQ(ui.shellCalls.size(), 1u);
    EXPECT_EQ(ui.shellCalls[0].file, output);
}

TEST_F(ReportSwitch, CancelledReportIsNotOpened) {
    store.write("components/a.dll");
    program.cancel() = true;
    ASSERT_EQ(program.Main("-f " + store.dir() + "components"), kExitDone);
    EXPECT_TRUE(ui.shellCalls.empty());
}

} // namespace
} // namespace sigillo
