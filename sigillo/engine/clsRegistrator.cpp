#include "engine/clsRegistrator.h"

#include "engine/ProgramFolder.h"
#include "wine/ProcessGroup.h"
#include "wine/WinePrefix.h"
#include "wine/WineRegistration.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sigillo {

namespace {

// A Windows image in a Wine prefix: its own entry point, run by Wine.
int32_t RunWineEntryPointStatus(const std::string& prefix, const std::string& sFile, bool registering,
                                int timeLimitMs) {
    const int32_t failed = registering ? StatusRegisterFailed : StatusUnregisterFailed;
    const wine::WineRun run = wine::RunWineEntryPoint(prefix, sFile, registering, timeLimitMs);
    switch (run.end) {
    case wine::WineRunEnd::NotStarted:
        return StatusNotStarted;
    case wine::WineRunEnd::TimedOut:
    case wine::WineRunEnd::Killed:
        return failed;
    case wine::WineRunEnd::Exited:
        break;
    }
    switch (run.exitCode) {
    case wine::WineRegEntryPointReturned:
        return registering ? StatusRegistered : StatusUnregistered;
    case wine::WineRegLoadFailed:
        return StatusLoadFailed;
    case wine::WineRegNoEntryPoint:
        return StatusNotActiveX;
    default:
        return failed; // crashed
    }
}

} // namespace

std::string RegistrationMessage(int32_t status) {
    switch (status) {
    case StatusLoadFailed:
        return "Selected file could not be loaded into memory!";
    case StatusNotActiveX:
        return "Selected file is not a valid ActiveX!";
    case StatusRegisterFailed:
        return "ActiveX Component registration failed!";
    case StatusRegistered:
        return "ActiveX Component registration successful!";
    case StatusUnregistered:
        return "ActiveX Component unregistration successful!";
    case StatusUnregisterFailed:
        return "ActiveX Component unregistration failed!";
    case StatusNoFile:
        return "No file provided!";
    default:
        return {};
    }
}

MsgIcon RegistrationIcon(int32_t status) {
    switch (status) {
    case StatusLoadFailed:
    case StatusRegisterFailed:
    case StatusUnregisterFailed:
        return MsgIcon::Critical;
    case StatusNotActiveX:
    case StatusNoFile:
        return MsgIcon::Exclamation;
    case StatusRegistered:
    case StatusUnregistered:
        return MsgIcon::Information;
    default:
        return MsgIcon::None;
    }
}

std::string clsRegistrator::HelperPath() {
    if (const char* p = std::getenv("SIGILLO_REGSVR"); p && *p) {
        return p;
    }
    return ProgramFolder() + "/sigillo-regsvr";
}

int32_t RunEntryPoint(const std::string& sFile, bool registering, int timeLimitMs) {
    if (sFile.empty()) {
        return StatusNoFile;
    }
    if (const std::string prefix = wine::PrefixInUse(); !prefix.empty() && wine::IsPeImage(sFile)) {
        return RunWineEntryPointStatus(prefix, sFile, registering, timeLimitMs);
    }
    const std::string helper = clsRegistrator::HelperPath();
    const std::string mode = registering ? "register" : "unregister";
    char* argv[] = {const_cast<char*>(helper.c_str()), const_cast<char*>(mode.c_str()),
                    const_cast<char*>(sFile.c_str()), nullptr};
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A group of its own, so a server that starts children is ended with them.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, helper.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        return StatusNotStarted; // nothing ran, as when no worker could be started
    }
    const int32_t failed = registering ? StatusRegisterFailed : StatusUnregisterFailed;
    const auto status = wine::WaitOrKillGroup(pid, timeLimitMs);
    if (!status || !WIFEXITED(*status)) {
        return failed; // hung or crashed: never reported as done
    }
    switch (WEXITSTATUS(*status)) {
    case RegsvrEntryPointReturned:
        return registering ? StatusRegistered : StatusUnregistered;
    case RegsvrLoadFailed:
        return StatusLoadFailed;
    case RegsvrNoEntryPoint:
        return StatusNotActiveX;
    default:
        return failed;
    }
}

clsRegistrator::clsRegistrator(Ui& ui, int timeLimitMs) : ui_(ui), timeLimitMs_(timeLimitMs) {}

int32_t clsRegistrator::Register(std::string p_sFileName) {
    return RunEntryPoint(p_sFileName, true, timeLimitMs_);
}

int32_t clsRegistrator::UnRegister(std::string p_sFileName) {
    return RunEntryPoint(p_sFileName, false, timeLimitMs_);
}

std::optional<int32_t> clsRegistrator::RegisterActiveX(std::string& sFile) {
    return report(sFile, true);
}

std::optional<int32_t> clsRegistrator::UnRegisterActiveX(std::string& sFile) {
    return report(sFile, false);
}

std::optional<int32_t> clsRegistrator::report(std::string& sFile, bool registering) {
    // The out-of-process test looks for ".exe" anywhere, case-sensitively.
    if (sFile.find(".exe") != std::string::npos) {
        // In a Wine prefix the server runs there and is waited for, so the
        // report that follows sees its keys; one that hangs is ended.
        if (const std::string prefix = wine::PrefixInUse(); !prefix.empty() && wine::IsPeImage(sFile)) {
            wine::RunWineExeServer(prefix, sFile, registering, timeLimitMs_);
            return std::nullopt;
        }
        ui_.shellExecute(sFile, registering ? "/regserver" : "/unregserver");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ui_.doEvents();
        return std::nullopt;
    }
    const int32_t status = registering ? Register(sFile) : UnRegister(sFile);
    const std::string message = RegistrationMessage(status);
    if (!message.empty()) {
        ui_.messageBox(message, registering ? "Sigillo - Registering" : "Sigillo - UnRegistering",
                       RegistrationIcon(status), MsgButtons::Ok);
    }
    return status;
}

int32_t RegisterServer(const std::string& sFile) {
    return RunEntryPoint(sFile, true);
}

} // namespace sigillo
