#include "engine/clsRegistrator.h"

#include "engine/ProgramFolder.h"
#include "wine/ProcessGroup.h"
#include "wine/WinePrefix.h"
#include "wine/WineRegistration.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include <elf.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
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

// The helper's standard error goes to an anonymous file that is read once it
// has ended, so its reason for a failure can be shown.
class CapturedStderr {
public:
    CapturedStderr() : fd_(::memfd_create("sigillo-regsvr-stderr", MFD_CLOEXEC)) {}
    ~CapturedStderr() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    void redirect(posix_spawn_file_actions_t& actions) const {
        if (fd_ >= 0) {
            posix_spawn_file_actions_adddup2(&actions, fd_, STDERR_FILENO);
        }
    }

    // The text written, without its last line end.
    std::string text() const {
        std::string out;
        char buf[4096];
        ssize_t n;
        off_t at = 0;
        while (fd_ >= 0 && out.size() < 65536 && (n = ::pread(fd_, buf, sizeof buf, at)) > 0) {
            out.append(buf, static_cast<size_t>(n));
            at += n;
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) {
            out.pop_back();
        }
        return out;
    }

private:
    int fd_;
};

// The ELF identity of the running program: class and machine.
bool sameMachineAsThisProgram(const unsigned char* header, size_t size) {
    static const auto own = [] {
        std::array<unsigned char, sizeof(Elf64_Ehdr)> h{};
        std::ifstream("/proc/self/exe", std::ios::binary).read(reinterpret_cast<char*>(h.data()), h.size());
        return h;
    }();
    constexpr size_t kMachineOffset = offsetof(Elf64_Ehdr, e_machine); // the same in both classes
    return size >= kMachineOffset + 2 && header[EI_CLASS] == own[EI_CLASS] &&
           std::memcmp(header + kMachineOffset, own.data() + kMachineOffset, 2) == 0;
}

} // namespace

std::optional<std::string> WhyNotExecutable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return path + ": " + std::strerror(errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return path + ": not a regular file";
    }
    if (::access(path.c_str(), X_OK) != 0) {
        return path + ": " + std::strerror(errno) + " (no permission to execute it)";
    }
    unsigned char header[sizeof(Elf64_Ehdr)] = {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return path + ": " + std::strerror(errno);
    }
    const ssize_t n = ::read(fd, header, sizeof header);
    ::close(fd);
    const size_t got = n > 0 ? static_cast<size_t>(n) : 0;
    if (got >= 2 && header[0] == '#' && header[1] == '!') {
        return std::nullopt;
    }
    if (got >= SELFMAG && std::memcmp(header, ELFMAG, SELFMAG) == 0 &&
        sameMachineAsThisProgram(header, got)) {
        return std::nullopt;
    }
    return path + ": not an executable for this system";
}

std::string RegistrationMessage(int32_t status, const std::string& detail) {
    switch (status) {
    case StatusStoreFailed:
        return "Nothing was changed: " + detail;
    case StatusHelperMissing:
        return "The registration helper could not be started: " + detail;
    case StatusNotExecutable:
        return "Selected file could not be started: " + detail;
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
    case StatusStoreFailed:
    case StatusHelperMissing:
    case StatusNotExecutable:
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

int32_t RunEntryPoint(const std::string& sFile, bool registering, int timeLimitMs, std::string* detail) {
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
    const CapturedStderr helperErrors;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    helperErrors.redirect(actions);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, helper.c_str(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        if (detail) {
            *detail = helper + ": " + std::strerror(rc);
        }
        return StatusHelperMissing;
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
    case RegsvrStoreFailed:
        if (detail) {
            *detail = helperErrors.text();
        }
        return StatusStoreFailed;
    default:
        return failed;
    }
}

clsRegistrator::clsRegistrator(Ui& ui, int timeLimitMs) : ui_(ui), timeLimitMs_(timeLimitMs) {}

int32_t clsRegistrator::Register(std::string p_sFileName) {
    detail_.clear();
    return RunEntryPoint(p_sFileName, true, timeLimitMs_, &detail_);
}

int32_t clsRegistrator::UnRegister(std::string p_sFileName) {
    detail_.clear();
    return RunEntryPoint(p_sFileName, false, timeLimitMs_, &detail_);
}

std::optional<int32_t> clsRegistrator::RegisterActiveX(std::string& sFile) {
    return report(sFile, true);
}

std::optional<int32_t> clsRegistrator::UnRegisterActiveX(std::string& sFile) {
    return report(sFile, false);
}

std::optional<int32_t> clsRegistrator::report(std::string& sFile, bool registering) {
    // The out-of-process test looks for ".exe" anywhere, case-sensitively.
    const char* caption = registering ? "Sigillo - Registering" : "Sigillo - UnRegistering";
    if (sFile.find(".exe") != std::string::npos) {
        // In a Wine prefix the server runs there and is waited for, so the
        // report that follows sees its keys; one that hangs is ended.
        if (const std::string prefix = wine::PrefixInUse(); !prefix.empty() && wine::IsPeImage(sFile)) {
            wine::RunWineExeServer(prefix, sFile, registering, timeLimitMs_);
            return std::nullopt;
        }
        detail_.clear();
        if (auto why = WhyNotExecutable(sFile)) {
            detail_ = *why;
            ui_.messageBox(RegistrationMessage(StatusNotExecutable, detail_), caption,
                           RegistrationIcon(StatusNotExecutable), MsgButtons::Ok);
            return StatusNotExecutable;
        }
        ui_.shellExecute(sFile, registering ? "/regserver" : "/unregserver");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ui_.doEvents();
        return std::nullopt;
    }
    const int32_t status = registering ? Register(sFile) : UnRegister(sFile);
    const std::string message = RegistrationMessage(status, detail_);
    if (!message.empty()) {
        ui_.messageBox(message, caption, RegistrationIcon(status), MsgButtons::Ok);
    }
    return status;
}

int32_t RegisterServer(const std::string& sFile) {
    return RunEntryPoint(sFile, true);
}

} // namespace sigillo
