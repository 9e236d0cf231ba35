#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "FakeUi.h"
#include "Fixtures.h"
#include "TempStore.h"
#include "engine/clsRegistrator.h"
#include "engine/clsRegistry.h"

using namespace sigillo;

namespace {

constexpr const char* kVersionKey = "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}\\2.5";

bool keyExists(const std::string& section) {
    clsRegistry r;
    r.setClassKey(kClassesRoot);
    r.setSectionKey(section);
    return r.KeyExists();
}

} // namespace

TEST(Registrator, ReportsEachOutcomeWithItsMessageAndIcon) {
    TempStore store;
    const std::string textFile = store.dir() + "/notes.txt";
    std::ofstream(textFile) << "not a library\n";
    struct Case {
        const char* what;
        std::string file;
        bool registering;
        int32_t status;
        const char* message;
        MsgIcon icon;
    } cases[] = {
        {"empty name", "", true, 7, "No file provided!", MsgIcon::Exclamation},
        {"empty name, unregistering", "", false, 7, "No file provided!", MsgIcon::Exclamation},
        {"missing file", store.dir() + "/none.dll", true, 1, "Selected file could not be loaded into memory!",
         MsgIcon::Critical},
        {"text file", textFile, true, 1, "Selected file could not be loaded into memory!", MsgIcon::Critical},
        {"Windows DLL", fixture("demo32.dll"), true, 1, "Selected file could not be loaded into memory!",
         MsgIcon::Critical},
        {"no entry point", SERVER_NOENTRY, true, 2, "Selected file is not a valid ActiveX!",
         MsgIcon::Exclamation},
        {"no entry point, unregistering", SERVER_NOENTRY, false, 2, "Selected file is not a valid ActiveX!",
         MsgIcon::Exclamation},
        // A result other than 0 commits nothing, so it cannot be called a success.
        {"entry point failing at once", SERVER_ERROR, true, 3, "ActiveX Component registration failed!",
         MsgIcon::Critical},
        {"entry point failing at once, unregistering", SERVER_ERROR, false, 6,
         "ActiveX Component unregistration failed!", MsgIcon::Critical},
        {"crashing server", SERVER_CRASHES, true, 3, "ActiveX Component registration failed!",
         MsgIcon::Critical},
        {"crashing server, unregistering", SERVER_CRASHES, false, 6,
         "ActiveX Component unregistration failed!", MsgIcon::Critical},
    };
    for (const auto& c : cases) {
        FakeUi ui;
        clsRegistrator registrator(ui);
        std::string file = c.file;
        const auto status =
            c.registering ? registrator.RegisterActiveX(file) : registrator.UnRegisterActiveX(file);
        EXPECT_EQ(status, c.status) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].text, c.message) << c.what;
        EXPECT_EQ(ui.messages[0].caption,
                  c.registering ? "Sigillo - Registering" : "Sigillo - UnRegistering");
        EXPECT_EQ(ui.messages[0].icon, c.icon) << c.what;
        EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
    }
}

TEST(Registrator, ServerWritesItsKeysThroughTheRegistryFunctions) {
    TempStore store;
    FakeUi ui;
    clsRegistrator registrator(ui);
    EXPECT_EQ(registrator.Register(SERVER_REGISTERS), StatusRegistered);
    EXPECT_TRUE(keyExists(kVersionKey));
    clsRegistry r;
    r.setClassKey(kClassesRoot);
    r.setSectionKey(std::string(kVersionKey) + "\\0\\win32");
    EXPECT_EQ(r.Value(), Variant(std::string("C:\\Windows\\demo32.dll")));
    EXPECT_EQ(registrator.UnRegister(SERVER_REGISTERS), StatusUnregistered);
    EXPECT_FALSE(keyExists("TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}"));
    EXPECT_EQ(RegisterServer(SERVER_REGISTERS), StatusRegistered);
    EXPECT_TRUE(keyExists(kVersionKey));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Registrator, HangingRegistrationFailsAfterTenSeconds) {
    TempStore store;
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = SERVER_SLEEPS;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(registrator.RegisterActiveX(file), StatusRegisterFailed);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(10000));
    EXPECT_LT(elapsed, std::chrono::milliseconds(12000));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ActiveX Component registration failed!");
    // Still responsive: the next call works at once.
    EXPECT_EQ(registrator.Register(SERVER_REGISTERS), StatusRegistered);
}

TEST(Registrator, HangingUnregistrationFailsAtTheTimeLimit) {
    TempStore store;
    FakeUi ui;
    clsRegistrator registrator(ui, 300); // a shorter limit keeps the suite quick
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(registrator.UnRegister(SERVER_SLEEPS), StatusUnregisterFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));
}

TEST(Registrator, LowerCaseExePathStartsTheServerWithASwitch) {
    TempStore store;
    const std::string app = store.dir() + "/app.exe";
    const std::string inExeFolder = store.dir() + "/tools.exe/server.dll";
    std::filesystem::create_directory(store.dir() + "/tools.exe");
    for (const std::string& f : {app, inExeFolder}) {
        std::ofstream(f) << "#!/bin/sh\n";
        std::filesystem::permissions(f, std::filesystem::perms::owner_all);
    }
    struct Case {
        std::string file;
        bool registering;
        std::string started;
    } cases[] = {
        {app, true, app + " /regserver"},
        {app, false, app + " /unregserver"},
        {inExeFolder, true, inExeFolder + " /regserver"},
    };
    for (const auto& c : cases) {
        FakeUi ui;
        clsRegistrator registrator(ui);
        std::string file = c.file;
        const auto status =
            c.registering ? registrator.RegisterActiveX(file) : registrator.UnRegisterActiveX(file);
        EXPECT_FALSE(status) << c.file;
        EXPECT_EQ(ui.started, std::vector<std::string>{c.started});
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(Registrator, ExeServerThatCannotRunHereIsReportedNotStarted) {
    TempStore store;
    const std::string noExecuteBit = store.dir() + "/script.exe";
    std::ofstream(noExecuteBit) << "#!/bin/sh\n";
    std::filesystem::permissions(noExecuteBit,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::string windowsProgram = store.dir() + "/app.exe";
    std::filesystem::copy_file(fixture("app.exe"), windowsProgram);
    std::filesystem::permissions(windowsProgram, std::filesystem::perms::owner_all);
    struct Case {
        std::string file;
        std::string message;
    } cases[] = {
        {noExecuteBit, "Selected file could not be started: " + noExecuteBit +
                           ": Permission denied (no permission to execute it)"},
        {windowsProgram,
         "Selected file could not be started: " + windowsProgram + ": not an executable for this system"},
        {store.dir() + "/none.exe",
         "Selected file could not be started: " + store.dir() + "/none.exe: No such file or directory"},
    };
    for (const auto& c : cases) {
        FakeUi ui;
        clsRegistrator registrator(ui);
        std::string file = c.file;
        EXPECT_EQ(registrator.RegisterActiveX(file), StatusNotExecutable) << c.file;
        EXPECT_TRUE(ui.started.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Critical);
    }
}

TEST(Registrator, UpperCaseExePathGoesTheInProcessWay) {
    TempStore store;
    const std::string upper = store.dir() + "/APP.EXE";
    std::filesystem::copy_file(fixture("app.exe"), upper);
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = upper;
    EXPECT_EQ(registrator.RegisterActiveX(file), StatusLoadFailed);
    EXPECT_TRUE(ui.started.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Selected file could not be loaded into memory!");
}

TEST(Registrator, MissingHelperIsReported) {
    TempStore store;
    ::setenv("SIGILLO_REGSVR", "/nonexistent/sigillo-regsvr", 1);
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = SERVER_REGISTERS;
    EXPECT_EQ(registrator.RegisterActiveX(file), StatusHelperMissing);
    ::unsetenv("SIGILLO_REGSVR");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The registration helper could not be started: /nonexistent/sigillo-regsvr: No "
              "such file or directory");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(keyExists(kVersionKey));
}

TEST(Registrator, UnreadableStoreIsReportedAndLeftAsItWas) {
    TempStore store;
    const std::string garbage = "this is not a registry file\n";
    std::ofstream(store.path(), std::ios::binary) << garbage;
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = SERVER_REGISTERS;
    EXPECT_EQ(registrator.RegisterActiveX(file), StatusStoreFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Nothing was changed: the registry store " + store.path() +
                  " cannot be read (line 1: not a registry file: the first line is no known "
                  "header)");
    std::ifstream in(store.path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

TEST(Registrator, FailedOrKilledRegistrationLeavesNoKeys) {
    // Each server writes keys, then fails: by its result, by a crash, or by
    // running past the time limit.
    TempStore store;
    FakeUi ui;
    clsRegistrator registrator(ui, 2000);
    const std::string before = [&] {
        clsRegistry r;
        r.setClassKey(kClassesRoot);
        r.setSectionKey(".dll");
        r.KeyExists(); // creates the seeded store
        std::ifstream in(store.path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    for (const std::string mode : {"result", "crash", "hang"}) {
        ::setenv("SIGILLO_TEST_SERVER_FAILS", mode.c_str(), 1);
        EXPECT_EQ(registrator.Register(SERVER_REGISTERS), StatusRegisterFailed) << mode;
        std::ifstream in(store.path(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before) << mode;
    }
    ::unsetenv("SIGILLO_TEST_SERVER_FAILS");
}
