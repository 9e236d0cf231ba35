#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

#include "Fixtures.h"
#include "TempStore.h"

namespace {

struct CliRun {
    std::string out;
    int status;
};

// Runs sigillo-cli with a store of the test's own, never the user's.
CliRun cli(const TempStore& store, const std::string& args) {
    const std::string command = std::string(SIGILLO_CLI) + " --registry '" + store.path() + "' " + args;
    FILE* p = ::popen(command.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) {
        out.append(buf, n);
    }
    const int status = ::pclose(p);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

std::string q(const std::string& s) {
    return "'" + s + "'";
}

} // namespace

TEST(SigilloCli, InfoPrintsHeadersInBracketsAndRowsWithATab) {
    TempStore store;
    const CliRun r = cli(store, "info " + q(fixture("demo32.dll")));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("[TypeLib Info]\n"
                                  "TypeLib Name:\tDemoLib (Demo Type Library for fixtures)\n"
                                  "GUID:\t{12345678-9ABC-DEF0-1234-56789ABCDEF0}\n"
                                  "Version:\t2.5\n"
                                  "Registered\tNo\n"
                                  "[File Info]\n"
                                  "CompanyName: \tExample Co\n"))
        << r.out;
    EXPECT_TRUE(r.out.ends_with("Flags: \tDebug PreRel Special \n")) << r.out;
}

TEST(SigilloCli, CompareShowsTheResultOrTheSingleMessage) {
    TempStore store;
    CliRun r = cli(store, "compare " + q(fixture("demo32.dll")) + " " + q(fixture("demo.tlb")));
    EXPECT_TRUE(
        r.out.starts_with("[Comparison Result]\nThe Files Are Identically!\t\n[First File TypeLib Info]\n"))
        << r.out;
    r = cli(store, "compare " + q(fixture("demo32.dll")) + " " + q(fixture("font.dll")));
    EXPECT_EQ(r.out, "[One of the selected files are not a valid ActiveX files!]\n");
}

TEST(SigilloCli, RegisterPrintsTheOutcomeAndExitsWithTheStatus) {
    TempStore store;
    struct Case {
        std::string args;
        int status;
        std::string out;
    } cases[] = {
        {"register " + q(SERVER_REGISTERS), 4, "ActiveX Component registration successful!\n"},
        {"unregister " + q(SERVER_REGISTERS), 5, "ActiveX Component unregistration successful!\n"},
        {"register " + q(SERVER_NOENTRY), 2, "Selected file is not a valid ActiveX!\n"},
        {"register ''", 7, "No file provided!\n"},
        {"register " + q(store.dir() + "/none.exe"), 0, ""},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(store, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

TEST(SigilloCli, RegisteredServerShowsInTheInfoReportAndTheExport) {
    TempStore store;
    ASSERT_EQ(cli(store, "register " + q(SERVER_REGISTERS)).status, 4);
    EXPECT_NE(cli(store, "info " + q(fixture("demo32.dll")))
                  .out.find("Registered\tYes\nPath: \tC:\\Windows\\demo32.dll\n"),
              std::string::npos);
    const CliRun exported = cli(store, "reg export");
    EXPECT_EQ(exported.status, 0);
    EXPECT_TRUE(exported.out.starts_with("Windows Registry Editor Version 5.00\r\n"));
    EXPECT_NE(exported.out.find(
                  "[HKEY_CLASSES_ROOT\\TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}\\2.5\\0\\win32]"
                  "\r\n@=\"C:\\\\Windows\\\\demo32.dll\"\r\n"),
              std::string::npos)
        << exported.out;
}

TEST(SigilloCli, ShellEnableStatusDisable) {
    TempStore store;
    EXPECT_EQ(cli(store, "shell status").out,
              "Extensions are Disabled. Click Enable to create Shell Extensions\n");
    EXPECT_EQ(cli(store, "shell enable").out, "Shell Extensions Enabled!\n");
    EXPECT_EQ(cli(store, "shell status").out,
              "Extensions are Enabled. Click Disable to remove Shell Extensions\n");
    EXPECT_EQ(cli(store, "shell disable").out, "Shell Extensions Disabled!\n");
    EXPECT_EQ(cli(store, "shell status").out,
              "Extensions are Disabled. Click Enable to create Shell Extensions\n");
}

TEST(SigilloCli, ReportWritesTheFolderReportWhereAsked) {
    TempStore store;
    const std::string folder = store.dir() + "/tree";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(fixture("font.dll"), folder + "/font.dll");
    std::ofstream(folder + "/readme.txt") << "x";
    const std::string output = store.dir() + "/report.txt";
    const CliRun r = cli(store, "report " + q(folder) + " --output " + q(output));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    std::ifstream in(output, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_TRUE(ss.str().starts_with("File: " + folder +
                                     "/font.dll\r\n\r\nCompany Name: \r\nFile Description: "
                                     "Font resource\r\n"));
    EXPECT_NE(ss.str().find("SubType: TrueType Font\r\n"), std::string::npos);
}

TEST(SigilloCli, WrongArgumentsGiveTheUsage) {
    TempStore store;
    for (const char* args :
         {"", "info", "compare one", "shell sideways", "reg import", "info a --output b", "frobnicate x"}) {
        EXPECT_EQ(cli(store, std::string(args) + " 2>/dev/null").status, 64) << args;
    }
}
