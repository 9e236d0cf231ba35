// Running a Windows component's own registration in a Wine prefix: the entry
// point of a DLL through sigillo-winereg.exe, or an EXE server with its
// switch, each in a process group that is killed when the time is up.
#pragma once

#include <string>

namespace sigillo::wine {

// A Windows image: "MZ", and "PE\0\0" where the DOS header points.
bool IsPeImage(const std::string& path);

enum class WineRunEnd { NotStarted, TimedOut, Exited, Killed };

struct WineRun {
    WineRunEnd end = WineRunEnd::NotStarted;
    int exitCode = 0; // when Exited
};

// Exit codes of "sigillo-winereg.exe register|unregister".
enum WineRegExit : int {
    WineRegEntryPointReturned = 0,
    WineRegLoadFailed = 10,
    WineRegNoEntryPoint = 11,
    WineRegCrashed = 12,
};

// DllRegisterServer (or DllUnregisterServer) of file, run in prefix.
WineRun RunWineEntryPoint(const std::string& prefix, const std::string& file, bool registering,
                          int timeLimitMs);

// The EXE server file started in prefix with "/regserver" (or "/unregserver").
WineRun RunWineExeServer(const std::string& prefix, const std::string& file, bool registering,
                         int timeLimitMs);

} // namespace sigillo::wine
