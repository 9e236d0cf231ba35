#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Fixtures.h"
#include "TempStore.h"

namespace {

struct CliRun {
    std::string out;
    int status;
    std::string err;
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Runs a shell command line; standard output and standard error apart.
CliRun run(const TempStore& store, const std::string& command) {
    const std::string errFile = store.dir() + "/stderr.txt";
    FILE* p = ::popen((command + " 2>'" + errFile + "'").c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) {
        out.append(buf, n);
    }
    const int status = ::pclose(p);
    const std::string err = fileText(errFile);
    std::filesystem::remove(errFile);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

// Runs sigillo-cli with a store of the test's own, never the user's.
CliRun cli(const TempStore& store, const std::string& args) {
    return run(store, std::string(SIGILLO_CLI) + " --registry '" + store.path() + "' " + args);
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
        std::string out, err;
    } cases[] = {
        {"register " + q(SERVER_REGISTERS), 4, "ActiveX Component registration successful!\n", ""},
        {"unregister " + q(SERVER_REGISTERS), 5, "ActiveX Component unregistration successful!\n", ""},
        {"register " + q(SERVER_NOENTRY), 2, "", "Selected file is not a valid ActiveX!\n"},
        {"register ''", 7, "", "No file provided!\n"},
        {"register " + q(store.dir() + "/none.exe"), 10, "",
         "Selected file could not be started: " + store.dir() + "/none.exe: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(store, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
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
    // The report names each file by its absolute path.
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

TEST(SigilloCli, HelpGoesToStandardOutputAndSucceeds) {
    TempStore store;
    for (const char* flag : {"--help", "-h"}) {
        const CliRun r = cli(store, flag);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.starts_with("usage: sigillo-cli [--registry PATH] COMMAND\n")) << r.out;
        EXPECT_EQ(r.err, "");
    }
    const CliRun wrong = cli(store, "frobnicate");
    EXPECT_EQ(wrong.out, "");
    EXPECT_TRUE(wrong.err.starts_with("usage: ")) << wrong.err;
}

TEST(SigilloCli, UnreadableInputIsNamedWithTheSystemError) {
    TempStore store;
    const std::string missing = store.dir() + "/none.dll";
    const std::string fifo = store.dir() + "/x.dll"; // reading it would wait for a writer forever
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string notAFolder = fixture("font.dll");
    struct Case {
        std::string args;
        std::string err;
    } cases[] = {
        {"info " + q(missing), "sigillo-cli: " + missing + ": No such file or directory\n"},
        {"info " + q(fifo), "sigillo-cli: " + fifo + ": not a regular file\n"},
        {"compare " + q(fixture("demo32.dll")) + " " + q(fifo),
         "sigillo-cli: " + fifo + ": not a regular file\n"},
        {"report " + q(store.dir() + "/none"),
         "sigillo-cli: " + store.dir() + "/none: No such file or directory\n"},
        {"report " + q(notAFolder), "sigillo-cli: " + notAFolder + ": Not a directory\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(store, c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
}

TEST(SigilloCli, FifoAmongReportedFilesDoesNotStallTheReport) {
    TempStore store;
    const std::string folder = store.dir() + "/tree";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(::mkfifo((folder + "/pipe.dll").c_str(), 0600), 0);
    const CliRun r = cli(store, "report " + q(folder) + " --output " + q(store.dir() + "/report.txt"));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(fileText(store.dir() + "/report.txt").starts_with("File: " + folder + "/pipe.dll\r\n"));
}

TEST(SigilloCli, RelativeFolderIsReportedWithAbsolutePaths) {
    TempStore store;
    std::filesystem::create_directories(store.dir() + "/tree");
    std::filesystem::copy_file(fixture("font.dll"), store.dir() + "/tree/font.dll");
    const CliRun r = run(store, "cd " + q(store.dir()) + " && " + SIGILLO_CLI + " --registry " +
                                    q(store.path()) + " report tree");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        fileText(store.dir() + "/output.txt").starts_with("File: " + store.dir() + "/tree/font.dll\r\n"));
}

TEST(SigilloCli, ReportErrorNamesTheTargetFile) {
    TempStore store;
    const std::string target = store.dir() + "/no/such/report.txt";
    const CliRun r = cli(store, "report " + q(store.dir()) + " --output " + q(target));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "CreateReport: error 75: " + target + ": No such file or directory\n");
}

TEST(SigilloCli, UnreadableStoreIsReportedNeverOverwritten) {
    TempStore store;
    const std::string garbage = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_NOWHERE\\x]\r\n";
    std::ofstream(store.path(), std::ios::binary) << garbage;
    const std::string why =
        "the registry store " + store.path() + " cannot be read (line 3: unknown root key)";
    struct Case {
        std::string args;
        int status;
        std::string err;
    } cases[] = {
        {"register " + q(SERVER_REGISTERS), 8, "Nothing was changed: " + why + "\n"},
        {"unregister " + q(SERVER_REGISTERS), 8, "Nothing was changed: " + why + "\n"},
        {"shell enable", 1, "Shell Extensions could not be changed: " + why + "\n"},
        {"shell disable", 1, "Shell Extensions could not be changed: " + why + "\n"},
        {"shell status", 1, "sigillo-cli: " + why + "\n"},
        {"info " + q(fixture("font.dll")), 1, "sigillo-cli: " + why + "\n"},
        {"reg export", 1, "sigillo-cli: " + why + "\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(store, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(fileText(store.path()), garbage) << c.args;
    }
}

TEST(SigilloCli, ReadOnlyStoreIsReportedNeverClaimedWritten) {
    // The store and its folder belong to another user; as root the command
    // runs as "nobody", for whom they are just as read-only.
    TempStore store;
    ASSERT_EQ(cli(store, "shell status").status, 0); // creates nothing, reads the seeded tree
    { std::ofstream(store.path(), std::ios::binary) << "Windows Registry Editor Version 5.00\r\n"; }
    std::filesystem::permissions(
        store.dir(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                         std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                         std::filesystem::perms::others_exec);
    if (::geteuid() != 0) {
        std::filesystem::permissions(store.dir(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    const std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string before = fileText(store.path());
    for (const char* args : {"shell enable", "register"}) {
        std::string command = as + SIGILLO_CLI + " --registry " + q(store.path()) + " " + args;
        if (std::string(args) == "register") {
            command += " " + q(SERVER_REGISTERS);
        }
        const CliRun r = run(store, command);
        EXPECT_NE(r.status, 0) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find(store.path()), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << r.err;
    }
    EXPECT_EQ(fileText(store.path()), before);
    std::filesystem::permissions(store.dir(), std::filesystem::perms::owner_all);
}
