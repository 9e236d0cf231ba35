#include "engine/DesktopVerbs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "text/AtomicFile.h"

namespace sigillo {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFileEntry = "applications/sigillo-component.desktop";
constexpr const char* kFolderEntry = "applications/sigillo-folder-report.desktop";
constexpr const char* kFileServiceMenu = "kio/servicemenus/sigillo-component.desktop";
constexpr const char* kFolderServiceMenu = "kio/servicemenus/sigillo-folder-report.desktop";
constexpr const char* kScriptsFolder = "nautilus/scripts/Sigillo";

struct Verb {
    const char* action; // the action's identifier
    const char* name;   // what the menu shows
    const char* switchText;
};

constexpr Verb kFileVerbs[] = {
    {"Register", "Register", "-r"},
    {"Unregister", "Unregister", "-u"},
    {"FileInfo", "File Info", ""},
};
constexpr Verb kFolderVerb = {"ActiveXReport", "ActiveX Report", "-f"};

bool needsQuotes(const std::string& argument) {
    return argument.empty() || argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`=%") != std::string::npos;
}

std::string command(const std::string& program, const std::string& prefix, const char* switchText) {
    std::string line = ExecArgument(program);
    if (!prefix.empty()) {
        line += " --wine-prefix " + ExecArgument(prefix);
    }
    if (*switchText) {
        line += std::string(" ") + switchText;
    }
    return line + " %f";
}

// The entry's own command is what opening a file with it does: the window on
// the file's report, never a registration; for a folder, its report.
std::string entry(const char* type, const std::string& program, const std::string& prefix,
                  const char* mimeTypes, const Verb* verbs, size_t count, bool serviceMenu) {
    const char* openSwitch = count == 1 ? verbs[0].switchText : "";
    std::string actions;
    for (size_t i = 0; i < count; ++i) {
        actions += std::string(verbs[i].action) + ";";
    }
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Sigillo\n"
                       "GenericName=Component Registration\n"
                       "Comment=" +
                       std::string(type) +
                       "\n"
                       "Exec=" +
                       command(program, prefix, openSwitch) +
                       "\n"
                       "Terminal=false\n"
                       "NoDisplay=true\n"
                       "MimeType=" +
                       mimeTypes + "\nActions=" + actions + "\n";
    if (serviceMenu) {
        text += "X-KDE-Submenu=Sigillo\n";
    }
    for (size_t i = 0; i < count; ++i) {
        text += std::string("\n[Desktop Action ") + verbs[i].action + "]\nName=" + verbs[i].name +
                "\nExec=" + command(program, prefix, verbs[i].switchText) + "\n";
    }
    return text;
}

// A GNOME Files script: the selected local files arrive one per line in
// NAUTILUS_SCRIPT_SELECTED_FILE_PATHS; without a selection the folder
// report takes the folder the window shows, its working folder.
std::string script(const std::string& program, const std::string& prefix, const Verb& verb, bool folder) {
    std::string call = ShellWord(program);
    if (!prefix.empty()) {
        call += " --wine-prefix " + ShellWord(prefix);
    }
    if (*verb.switchText) {
        call += std::string(" ") + verb.switchText;
    }
    std::string text = "#!/bin/sh\n# Sigillo: " + std::string(verb.name) + "\n";
    text += "selected=\"$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS\"\n";
    if (folder) {
        text += "[ -n \"$selected\" ] || selected=\"$PWD\"\n";
    }
    text += "printf '%s\\n' \"$selected\" | while IFS= read -r file; do\n"
            "  [ -n \"$file\" ] && " +
            call + " \"$file\"\n" + "done\n";
    return text;
}

bool writeAtomically(const DesktopVerbFile& file) {
    std::error_code ec;
    fs::create_directories(fs::path(file.path).parent_path(), ec);
    try {
        text::writeFileAtomically(file.path, file.text);
    } catch (const text::AtomicFileError&) {
        return false;
    }
    // KDE runs only service menus that are executable, GNOME Files only such scripts.
    fs::permissions(file.path,
                    file.executable ? fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec
                                    : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::others_read,
                    ec);
    return !ec;
}

} // namespace

std::string DataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        return data;
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

std::string ExecArgument(const std::string& argument) {
    std::string out;
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    if (needsQuotes(argument)) {
        out = "\"" + out + "\"";
    }
    // The key's value is a string: its own escape doubles every backslash,
    // and a literal percent sign is written twice.
    std::string value;
    for (char c : out) {
        value += c == '\\' ? "\\\\" : c == '%' ? "%%" : std::string(1, c);
    }
    return value;
}

std::string ShellWord(const std::string& word) {
    std::string out = "'";
    for (char c : word) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::vector<DesktopVerbFile> DesktopVerbFiles(const std::string& dataHome, const std::string& program,
                                              const std::string& prefix) {
    const std::string fileComment = "Register and inspect Windows component files";
    const std::string folderComment = "Version report of every component below a folder";
    std::vector<DesktopVerbFile> files = {
        {dataHome + "/" + kFileEntry,
         entry(fileComment.c_str(), program, prefix, kPeMimeTypes, kFileVerbs, 3, false)},
        {dataHome + "/" + kFolderEntry,
         entry(folderComment.c_str(), program, prefix, "inode/directory;", &kFolderVerb, 1, false)},
        {dataHome + "/" + kFileServiceMenu,
         entry(fileComment.c_str(), program, prefix, kPeMimeTypes, kFileVerbs, 3, true), true},
        {dataHome + "/" + kFolderServiceMenu,
         entry(folderComment.c_str(), program, prefix, "inode/directory;", &kFolderVerb, 1, true), true},
    };
    for (const Verb& verb : kFileVerbs) {
        files.push_back(
            {dataHome + "/" + kScriptsFolder + "/" + verb.name, script(program, prefix, verb, false), true});
    }
    files.push_back({dataHome + "/" + kScriptsFolder + "/" + kFolderVerb.name,
                     script(program, prefix, kFolderVerb, true), true});
    return files;
}

bool InstallDesktopVerbs(const std::string& program, const std::string& prefix) {
    if ((program + prefix).find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    bool all = true;
    for (const auto& file : DesktopVerbFiles(DataHome(), program, prefix)) {
        all = writeAtomically(file) && all;
    }
    return all;
}

void RemoveDesktopVerbs() {
    std::error_code ignored;
    for (const auto& file : DesktopVerbFiles(DataHome(), "", "")) {
        fs::remove(file.path, ignored);
    }
    fs::remove(DataHome() + "/" + kScriptsFolder, ignored); // only when empty
}

bool DesktopVerbsInstalled() {
    std::error_code ignored;
    return fs::exists(DataHome() + "/" + kFileEntry, ignored);
}

} // namespace sigillo
