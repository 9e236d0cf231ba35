// The verbs as the Linux desktop's file managers read them: a desktop entry
// with Register, Unregister and File Info actions for Windows executables and
// one with an ActiveX Report action for folders (in the applications folder,
// where every file manager finds them), the same pair as a KDE service menu,
// and GNOME Files scripts. Each calls the window program's command line.
#pragma once

#include <string>
#include <vector>

namespace sigillo {

// The MIME types of Windows component files that the file actions apply to.
inline constexpr const char* kPeMimeTypes =
    "application/x-msdownload;application/x-ms-dos-executable;application/vnd.microsoft.portable-executable;";

struct DesktopVerbFile {
    std::string path;
    std::string text;
    bool executable = false;
};

// $XDG_DATA_HOME, else ~/.local/share.
std::string DataHome();

// The files that calling program (an absolute path) needs below dataHome;
// with a prefix the commands carry --wine-prefix, so that the verbs register
// in the registry that was in use when they were enabled.
std::vector<DesktopVerbFile> DesktopVerbFiles(const std::string& dataHome, const std::string& program,
                                              const std::string& prefix);

// Writes the files (each atomically); false when a path cannot be written
// into a command (a line break) or a file could not be written.
bool InstallDesktopVerbs(const std::string& program, const std::string& prefix);
// Removes every file that InstallDesktopVerbs writes, whatever program it named.
void RemoveDesktopVerbs();
// True when the file action entry is installed.
bool DesktopVerbsInstalled();

// One argument of a desktop entry's Exec key, quoted and escaped as that key
// needs: the text as written in the file.
std::string ExecArgument(const std::string& argument);
// One word for the POSIX shell.
std::string ShellWord(const std::string& word);

} // namespace sigillo
