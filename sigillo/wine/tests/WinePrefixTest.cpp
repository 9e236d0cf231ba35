// Sigillo against a real Wine prefix, made once for the whole program: the
// registry calls, the registration of Wine's own scrrun.dll and of test
// servers built with mingw-w64, checked with Wine's own reg.exe; the version
// strings of Wine's own files, checked with the Windows version API.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

#include "FakeUi.h"
#include "engine/clsActiveX.h"
#include "engine/clsFileInfo.h"
#include "engine/clsGrid.h"
#include "engine/clsRegistrator.h"
#include "engine/clsRegistry.h"
#include "wine/ProcessGroup.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"

namespace {

using namespace sigillo;

namespace fs = std::filesystem;

constexpr const char* kScrrunGuid = "{420B2830-E718-11CF-893D-00A0C9054228}";

std::string gFolder; // holds the prefix and the test's files
std::string gPrefix;

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun runCommand(const std::string& command) {
    CommandRun run;
    FILE* p = ::popen(command.c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) {
        run.out.append(buf, n);
    }
    const int status = ::pclose(p);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string environmentPrefix() {
    std::string text;
    for (const auto& entry : wine::WineEnvironment(gPrefix)) {
        text += "'" + entry + "' ";
    }
    return "env " + text;
}

// Wine's own reg.exe, the outside reader of the prefix's registry.
CommandRun wineReg(const std::string& args) {
    return runCommand(environmentPrefix() + wine::LoaderPath() + " reg " + args + " 2>/dev/null");
}

CommandRun cli(const std::string& args) {
    return runCommand(std::string(SIGILLO_CLI) + " --wine-prefix '" + gPrefix + "' " + args + " 2>&1");
}

std::string wineserverPath() {
    const fs::path loader = wine::LoaderPath();
    for (const char* name : {"wineserver64", "wineserver"}) {
        if (fs::exists(loader.parent_path() / name)) {
            return (loader.parent_path() / name).string();
        }
    }
    return "wineserver";
}

class FreshPrefix : public ::testing::Environment {
public:
    void SetUp() override {
        char folder[] = "/tmp/sigillo-wine-test-XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        gFolder = folder;
        gPrefix = gFolder + "/prefix";
        ASSERT_FALSE(wine::LoaderPath().empty()) << "no 64-bit Wine loader";
        const auto started = std::chrono::steady_clock::now();
        const auto boot = wine::SpawnInOwnGroup({wine::LoaderPath(), "wineboot", "-i"},
                                                wine::WineEnvironment(gPrefix), false);
        ASSERT_TRUE(boot.has_value());
        const auto status = wine::WaitOrKillGroup(boot->pid, 300000);
        ASSERT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wineboot failed";
        std::printf("prefix created in %.1f s\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        // The settings store stays the test's own.
        ::setenv("SIGILLO_REGISTRY", (gFolder + "/settings.reg").c_str(), 1);
        wine::UsePrefix(gPrefix);
    }

    void TearDown() override {
        wine::UsePrefix("");
        if (!gPrefix.empty()) {
            runCommand("WINEPREFIX='" + gPrefix + "' " + wineserverPath() + " -k");
        }
        std::error_code ignored;
        fs::remove_all(gFolder, ignored);
    }
};

const auto* const kPrefix = ::testing::AddGlobalTestEnvironment(new FreshPrefix);

std::string server(const char* name) {
    return std::string(WINE_SERVERS) + "/" + name;
}

std::string scrrun() {
    return gPrefix + "/drive_c/windows/system32/scrrun.dll";
}

TEST(WinePrefix, RegistryCallsReadAndWriteThePrefixRegistry) {
    clsRegistry r;
    r.setClassKey(kClassesRoot);
    r.setSectionKey("SigilloWineTest\\Values");
    r.setValueKey("text");
    r.setValueType(1);
    r.setValue(std::string("plain words"));
    r.setValueKey("unicode");
    r.setValue(std::string("Grüße ✓"));
    r.setValueKey("number");
    r.setValueType(4);
    r.setValue(int32_t{0x01020304});

    // What Wine itself sees.
    const CommandRun text = wineReg("query 'HKCR\\SigilloWineTest\\Values' /v text");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("REG_SZ    plain words"), std::string::npos) << text.out;
    const CommandRun number = wineReg("query 'HKCR\\SigilloWineTest\\Values' /v number");
    EXPECT_NE(number.out.find("REG_DWORD    0x1020304"), std::string::npos) << number.out;

    // Read back, with the types found.
    const struct {
        const char* name;
        Variant value;
        int32_t type;
    } expected[] = {
        {"text", std::string("plain words"), 1},
        {"unicode", std::string("Grüße ✓"), 1},
        {"number", int32_t{0x01020304}, 4},
    };
    for (const auto& e : expected) {
        r.setValueKey(e.name);
        EXPECT_EQ(r.Value(), e.value) << e.name;
        EXPECT_EQ(r.ValueType(), e.type) << e.name;
    }
    std::vector<std::string> names;
    int32_t count = 0;
    ASSERT_TRUE(r.EnumerateValues(names, count));
    std::sort(names.begin(), names.end()); // Wine keeps its own order
    EXPECT_EQ(names, (std::vector<std::string>{"number", "text", "unicode"}));
    EXPECT_EQ(count, 3);

    // %SystemRoot% is expanded by the prefix's environment.
    r.setValueKey("expanded");
    r.setValueType(1);
    r.setValue(std::string("%SystemRoot%\\x"));
    EXPECT_EQ(VariantText(r.Value()), "C:\\windows\\x");
    EXPECT_EQ(r.ValueType(), 2);

    r.setSectionKey("SigilloWineTest");
    ASSERT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(names, std::vector<std::string>{"Values"});
    EXPECT_FALSE(r.DeleteKey()) << "a key with subkeys stays";
    r.setSectionKey("SigilloWineTest\\Values");
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(r.KeyExists());
    EXPECT_NE(wineReg("query 'HKCR\\SigilloWineTest\\Values'").status, 0);
    r.setSectionKey("SigilloWineTest");
    EXPECT_TRUE(r.DeleteKey());
}

TEST(WinePrefix, RegistersAndUnregistersWinesOwnScrrun) {
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = scrrun();
    const std::string typeLibKey = std::string("'HKCR\\TypeLib\\") + kScrrunGuid + "'";
    const std::string versionKey = std::string("'HKCR\\TypeLib\\") + kScrrunGuid + "\\1.0'";

    ASSERT_EQ(registrator.UnRegisterActiveX(file), StatusUnregistered);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ActiveX Component unregistration successful!");
    EXPECT_EQ(ui.messages[0].caption, "Sigillo - UnRegistering");
    // Wine's UnRegisterTypeLib removes the version's key; the library's
    // own key may stay behind, empty.
    EXPECT_NE(wineReg("query " + versionKey).status, 0);
    const CommandRun unregistered = cli("info '" + scrrun() + "'");
    EXPECT_NE(unregistered.out.find("Registered\tNo\n"), std::string::npos) << unregistered.out;

    ASSERT_EQ(registrator.RegisterActiveX(file), StatusRegistered);
    EXPECT_EQ(ui.messages.back().text, "ActiveX Component registration successful!");
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Information);
    // A 64-bit registration writes the path under 0\win64 only.
    const CommandRun key = wineReg("query " + typeLibKey + " /s");
    EXPECT_NE(key.out.find("\\1.0\\0\\win64"), std::string::npos) << key.out;
    EXPECT_NE(key.out.find("C:\\windows\\system32\\scrrun.dll"), std::string::npos) << key.out;

    const CommandRun info = cli("info '" + scrrun() + "'");
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("GUID:\t" + std::string(kScrrunGuid) +
                            "\nVersion:\t1.0\nRegistered\tYes\n"
                            "Path: \tC:\\windows\\system32\\scrrun.dll\n"),
              std::string::npos)
        << info.out;
}

TEST(WinePrefix, TestServersGiveTheirStatusesAndMessages) {
    const struct {
        const char* file;
        bool registering;
        int32_t status;
        const char* message;
        MsgIcon icon;
    } cases[] = {
        {"wine-server-registers.dll", true, StatusRegistered, "ActiveX Component registration successful!",
         MsgIcon::Information},
        {"wine-server-registers.dll", false, StatusUnregistered,
         "ActiveX Component unregistration successful!", MsgIcon::Information},
        {"wine-server-noentry.dll", true, StatusNotActiveX, "Selected file is not a valid ActiveX!",
         MsgIcon::Exclamation},
        {"wine-server-crashes.dll", true, StatusRegisterFailed, "ActiveX Component registration failed!",
         MsgIcon::Critical},
        {"wine-server-fails.dll", true, StatusRegisterFailed, "ActiveX Component registration failed!",
         MsgIcon::Critical},
        {"wine-server-crashes.dll", false, StatusUnregisterFailed, "ActiveX Component unregistration failed!",
         MsgIcon::Critical},
        {"missing.dll", true, StatusLoadFailed, "Selected file could not be loaded into memory!",
         MsgIcon::Critical},
    };
    for (const auto& c : cases) {
        FakeUi ui;
        clsRegistrator registrator(ui);
        std::string file = server(c.file);
        const auto status =
            c.registering ? registrator.RegisterActiveX(file) : registrator.UnRegisterActiveX(file);
        EXPECT_EQ(status, c.status) << c.file;
        ASSERT_EQ(ui.messages.size(), 1u) << c.file;
        EXPECT_EQ(ui.messages[0].text, c.message) << c.file;
        EXPECT_EQ(ui.messages[0].icon, c.icon) << c.file;
        const bool keyPresent = wineReg("query 'HKCR\\SigilloWineTest\\Server'").status == 0;
        EXPECT_EQ(keyPresent, c.status == StatusRegistered) << c.file;
    }
}

TEST(WinePrefix, AHangingServerIsKilledWhenTheTimeIsUp) {
    FakeUi ui;
    constexpr int limitMs = 3000; // the rule, with a shorter limit
    clsRegistrator registrator(ui, limitMs);
    std::string file = server("wine-server-hangs.dll");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(registrator.RegisterActiveX(file), StatusRegisterFailed);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GE(seconds, limitMs / 1000.0);
    EXPECT_LT(seconds, limitMs / 1000.0 + 5);
    EXPECT_EQ(ui.messages.at(0).text, "ActiveX Component registration failed!");
    // Nothing of the killed group runs on.
    const CommandRun left =
        runCommand("pgrep -f '[s]igillo-winereg.exe register .*wine-server-hangs' || true");
    EXPECT_EQ(left.out, "");
}

TEST(WinePrefix, AnExeServerIsStartedWithItsSwitchAndWaitedFor) {
    FakeUi ui;
    clsRegistrator registrator(ui);
    std::string file = server("wine-server.exe");
    EXPECT_EQ(registrator.RegisterActiveX(file), std::nullopt);
    EXPECT_EQ(wineReg("query 'HKCR\\SigilloWineTest\\ExeServer'").status, 0);
    EXPECT_EQ(registrator.UnRegisterActiveX(file), std::nullopt);
    EXPECT_NE(wineReg("query 'HKCR\\SigilloWineTest\\ExeServer'").status, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(WinePrefix, CliRegistersInThePrefixAndExportsItsRegistry) {
    const CommandRun registered = cli("register '" + server("wine-server-registers.dll") + "'");
    EXPECT_EQ(registered.status, StatusRegistered) << registered.out;
    const CommandRun exported = cli("reg export");
    EXPECT_EQ(exported.status, 0);
    EXPECT_TRUE(exported.out.starts_with("Windows Registry Editor Version 5.00\n"))
        << exported.out.substr(0, 80);
    EXPECT_NE(exported.out.find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\SigilloWineTest\\Server]\n@="
                                "\"registered by its entry point\"\n"),
              std::string::npos);
    EXPECT_EQ(cli("unregister '" + server("wine-server-registers.dll") + "'").status, StatusUnregistered);
}

// The nine version strings as verstrings.exe prints them.
std::string versionLines(const std::string& file) {
    clsFileInfo info;
    info.SelectFile(file);
    const std::pair<const char*, const std::string*> fields[] = {{"CompanyName", &info.CompanyName},
                                                                 {"FileDescription", &info.FileDescription},
                                                                 {"InternalName", &info.InternalName},
                                                                 {"LegalCopyright", &info.LegalCopyright},
                                                                 {"LegalTrademarks", &info.LegalTrademarks},
                                                                 {"OriginalFileName", &info.OriginalFileName},
                                                                 {"ProductName", &info.ProductName},
                                                                 {"ProductVersion", &info.ProductVersion},
                                                                 {"Comments", &info.Comments}};
    std::string lines;
    for (const auto& [name, value] : fields) {
        lines += std::string(name) + "\t";
        for (const char c : *value) {
            lines += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
        }
        lines += "\n";
    }
    return lines;
}

// Wine's kernel32.dll holds 36 version resources, one per language; the
// Windows API's GetFileVersionInfo takes the neutral, then the English one,
// whatever the user's language (here German), and so must Sigillo. Every
// program file of the prefix, and the fixture with four languages, is read
// both ways. (Fixtures whose strings lie outside the first translation's
// table are left out: Sigillo's scan takes a key from any table.)
TEST(WinePrefix, VersionStringsAreThoseTheWindowsApiReads) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(gPrefix + "/drive_c/windows/system32")) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".dll" || extension == ".exe")) {
            files.push_back(entry.path().string());
        }
    }
    ASSERT_GT(files.size(), 100u);
    for (const char* fixture : {"multilang.dll", "demo32.dll", "demo64.dll"}) {
        files.push_back(std::string(SIGILLO_FIXTURES) + "/" + fixture);
    }
    const std::string list = gFolder + "/version-files.txt";
    {
        std::ofstream out(list);
        for (const std::string& file : files) {
            out << wine::WindowsPath(gPrefix, file) << "\n";
        }
    }
    const CommandRun windows = runCommand("LC_ALL=de_DE.UTF-8 " + environmentPrefix() + wine::LoaderPath() +
                                          " '" + server("verstrings.exe") + "' < '" + list + "' 2>/dev/null");
    ASSERT_EQ(windows.status, 0);
    size_t at = 0, withStrings = 0;
    for (const std::string& file : files) {
        // Nine lines of the program's output belong to each file.
        size_t end = at;
        for (int line = 0; line < 9 && end != std::string::npos; ++line) {
            end = windows.out.find('\n', end);
            end = end == std::string::npos ? end : end + 1;
        }
        ASSERT_NE(end, std::string::npos) << "the output ends before " << file;
        const std::string read = windows.out.substr(at, end - at);
        EXPECT_EQ(versionLines(file), read) << file;
        withStrings += read.find("\tWine") != std::string::npos;
        at = end;
    }
    EXPECT_GT(withStrings, 100u) << "too few files with version strings to compare";
    const std::string kernel32 = versionLines(gPrefix + "/drive_c/windows/system32/kernel32.dll");
    EXPECT_NE(kernel32.find("ProductName\tWine\n"), std::string::npos) << kernel32;
    EXPECT_NE(versionLines(std::string(SIGILLO_FIXTURES) + "/multilang.dll").find("ProductName\tWine\n"),
              std::string::npos);
}

} // namespace
