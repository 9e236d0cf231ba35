// The file managers' entries: their texts, the quoting of the commands as the
// desktop's own tools read it (desktop-file-validate, gio, sh), and their
// installation and removal.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>

#include "FakeUi.h"
#include "TempStore.h"
#include "engine/DesktopVerbs.h"
#include "engine/ShellExtensions.h"

namespace {

using namespace sigillo;
namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun run(const std::string& command) {
    CommandRun r;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) {
        r.out.append(buf, n);
    }
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A stand-in for the window program that writes each argument on a line.
std::string recordingProgram(const std::string& folder) {
    const std::string path = folder + "/my programs/sigillo";
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$0.args\"\n";
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

TEST(DesktopVerbs, ExecArgumentsAreQuotedThenEscapedAsAStringValue) {
    const struct {
        const char* argument;
        const char* written;
    } cases[] = {
        {"/usr/bin/sigillo", "/usr/bin/sigillo"},
        {"/opt/my apps/sigillo", "\"/opt/my apps/sigillo\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/a\\b", "\"/a\\\\\\\\b\""},
        {"/$HOME/`x`", "\"/\\\\$HOME/\\\\`x\\\\`\""},
        {"/100%", "\"/100%%\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExecArgument(c.argument), c.written) << c.argument;
    }
    EXPECT_EQ(ShellWord("it's"), "'it'\\''s'");
}

TEST(DesktopVerbs, FileEntryCarriesTheThreeActionsForPeTypes) {
    const auto files = DesktopVerbFiles("/d", "/opt/my apps/sigillo", "/home/u/.wine");
    ASSERT_EQ(files.size(), 8u);
    EXPECT_EQ(files[0].path, "/d/applications/sigillo-component.desktop");
    EXPECT_EQ(files[0].text, "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Sigillo\n"
                             "GenericName=Component Registration\n"
                             "Comment=Register and inspect Windows component files\n"
                             "Exec=\"/opt/my apps/sigillo\" --wine-prefix /home/u/.wine %f\n"
                             "Terminal=false\n"
                             "NoDisplay=true\n"
                             "MimeType=application/x-msdownload;application/x-ms-dos-executable;"
                             "application/vnd.microsoft.portable-executable;\n"
                             "Actions=Register;Unregister;FileInfo;\n"
                             "\n[Desktop Action Register]\nName=Register\n"
                             "Exec=\"/opt/my apps/sigillo\" --wine-prefix /home/u/.wine -r %f\n"
                             "\n[Desktop Action Unregister]\nName=Unregister\n"
                             "Exec=\"/opt/my apps/sigillo\" --wine-prefix /home/u/.wine -u %f\n"
                             "\n[Desktop Action FileInfo]\nName=File Info\n"
                             "Exec=\"/opt/my apps/sigillo\" --wine-prefix /home/u/.wine %f\n");
    EXPECT_EQ(files[1].path, "/d/applications/sigillo-folder-report.desktop");
    EXPECT_NE(files[1].text.find("MimeType=inode/directory;\nActions=ActiveXReport;\n"), std::string::npos);
    EXPECT_NE(files[1].text.find("[Desktop Action ActiveXReport]\nName=ActiveX Report\n"
                                 "Exec=\"/opt/my apps/sigillo\" --wine-prefix /home/u/.wine -f %f\n"),
              std::string::npos);
    EXPECT_EQ(files[2].path, "/d/kio/servicemenus/sigillo-component.desktop");
    EXPECT_NE(files[2].text.find("X-KDE-Submenu=Sigillo\n"), std::string::npos);
    EXPECT_EQ(files[4].path, "/d/nautilus/scripts/Sigillo/Register");
    EXPECT_EQ(files[7].path, "/d/nautilus/scripts/Sigillo/ActiveX Report");
    // Without a prefix the commands name none.
    const auto plain = DesktopVerbFiles("/d", "/usr/bin/sigillo", "");
    EXPECT_NE(plain[0].text.find("\nExec=/usr/bin/sigillo -u %f\n"), std::string::npos);
}

TEST(DesktopVerbs, EnableWritesValidEntriesThatTheDesktopRunsAndDisableRemovesThem) {
    TempStore store;
    FakeUi ui;
    clsRegistry registry;
    const std::string program = recordingProgram(store.dir());
    EXPECT_FALSE(DesktopVerbsInstalled());
    EnableShellExtensions(registry, program, ui);
    EXPECT_TRUE(DesktopVerbsInstalled());
    EXPECT_EQ(RefreshShellState(registry).caption, "Disable");

    const auto files = DesktopVerbFiles(store.dataHome(), program, "");
    for (const auto& file : files) {
        ASSERT_TRUE(fs::exists(file.path)) << file.path;
        EXPECT_EQ(readFile(file.path), file.text);
        const bool executable =
            (fs::status(file.path).permissions() & fs::perms::owner_exec) != fs::perms::none;
        EXPECT_EQ(executable, file.executable) << file.path;
        if (file.path.ends_with(".desktop")) {
            const CommandRun check = run("desktop-file-validate '" + file.path + "'");
            EXPECT_EQ(check.status, 0) << file.path << "\n" << check.out;
            EXPECT_EQ(check.out, "") << file.path;
        } else {
            EXPECT_EQ(run("sh -n '" + file.path + "'").status, 0) << file.path;
        }
    }
    EXPECT_EQ(fs::remove_all(store.dataHome() + "/applications") > 0, true);
    EnableShellExtensions(registry, program, ui); // written again, over what is there

    // GNOME Files runs a script with the selection, one path a line.
    const CommandRun script =
        run("cd '" + store.dir() +
            "' && NAUTILUS_SCRIPT_SELECTED_FILE_PATHS=\"$(printf '/tmp/a b.dll\\n/tmp/c.ocx\\n')\" '" +
            store.dataHome() + "/nautilus/scripts/Sigillo/Unregister'");
    EXPECT_EQ(script.status, 0) << script.out;
    EXPECT_EQ(readFile(program + ".args"), "-u\n/tmp/a b.dll\n-u\n/tmp/c.ocx\n");
    fs::remove(program + ".args");
    // Without a selection the report is on the folder the window shows.
    run("cd '" + store.dir() + "' && NAUTILUS_SCRIPT_SELECTED_FILE_PATHS= '" + store.dataHome() +
        "/nautilus/scripts/Sigillo/ActiveX Report'");
    EXPECT_EQ(readFile(program + ".args"), "-f\n" + fs::canonical(store.dir()).string() + "\n");
    fs::remove(program + ".args");

    // GLib's launcher reads the entry's command as file managers do.
    const CommandRun launch = run("gio launch '" + files[0].path + "' '/tmp/x y.dll'");
    EXPECT_EQ(launch.status, 0) << launch.out;
    for (int i = 0; i < 100 && !fs::exists(program + ".args"); ++i) {
        run("sleep 0.05");
    }
    EXPECT_EQ(readFile(program + ".args"), "/tmp/x y.dll\n");

    DisableShellExtensions(registry, program, ui);
    for (const auto& file : files) {
        EXPECT_FALSE(fs::exists(file.path)) << file.path;
    }
    EXPECT_FALSE(fs::exists(store.dataHome() + "/nautilus/scripts/Sigillo"));
    EXPECT_FALSE(DesktopVerbsInstalled());
    EXPECT_EQ(RefreshShellState(registry).caption, "Enable");
}

TEST(DesktopVerbs, APathWithALineBreakInstallsNothing) {
    TempStore store;
    EXPECT_FALSE(InstallDesktopVerbs("/opt/odd\nname/sigillo", ""));
    EXPECT_FALSE(DesktopVerbsInstalled());
}

} // namespace
