// Registers and unregisters component servers. An in-process server (a shared
// library exporting DllRegisterServer / DllUnregisterServer) is loaded by the
// helper program sigillo-regsvr, so a server that crashes or hangs cannot take
// Sigillo down: the helper is killed when the entry point has not finished
// within the time limit. An out-of-process server (a path containing ".exe")
// is started with "/regserver" or "/unregserver". When a Wine prefix is in
// use, a Windows file's own entry point (or EXE server) runs there instead,
// under Wine, with the same limit (wine/WineRegistration.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Ui.h"

namespace sigillo {

enum RegistrationStatus : int32_t {
    StatusNotStarted = 0,
    StatusLoadFailed = 1,
    StatusNotActiveX = 2,
    StatusRegisterFailed = 3,
    StatusRegistered = 4,
    StatusUnregistered = 5,
    StatusUnregisterFailed = 6,
    StatusNoFile = 7,
    // Beyond the classic table: failures that used to pass silently.
    StatusStoreFailed = 8,    // the registry store could not be read or written: nothing changed
    StatusHelperMissing = 9,  // sigillo-regsvr could not be started
    StatusNotExecutable = 10, // an EXE server that cannot be run here
};

inline constexpr int kRegistrationTimeLimitMs = 10000;

// The outcome message and icon of a status; status 0 has none (empty text).
// detail (the store's error, the missing helper, why the EXE cannot run) is
// added to the message of statuses 8 to 10.
std::string RegistrationMessage(int32_t status, const std::string& detail = {});
MsgIcon RegistrationIcon(int32_t status);

// Exit codes of sigillo-regsvr. Any other ending (a signal, or the exit
// status 1 that a sanitizer gives a crashing server) counts as a failure.
enum RegsvrExit : int {
    RegsvrEntryPointReturned = 0,
    RegsvrLoadFailed = 10,
    RegsvrNoEntryPoint = 11,
    RegsvrStoreFailed = 12,
    RegsvrEntryPointFailed = 13,
    RegsvrUsage = 64,
};

class clsRegistrator {
public:
    explicit clsRegistrator(Ui& ui, int timeLimitMs = kRegistrationTimeLimitMs);

    int32_t Register(std::string p_sFileName);
    int32_t UnRegister(std::string p_sFileName);
    // Register (or unregister) and tell the user the outcome. The status is
    // returned for callers that want it (sigillo-cli's exit status); an EXE
    // server that was started gives none, since its outcome is not observed.
    std::optional<int32_t> RegisterActiveX(std::string& sFile);
    std::optional<int32_t> UnRegisterActiveX(std::string& sFile);

    // The helper program: SIGILLO_REGSVR when set, else sigillo-regsvr beside
    // the running executable.
    static std::string HelperPath();

    // The reason behind the last status 8 to 10 (empty otherwise).
    const std::string& FailureDetail() const { return detail_; }

private:
    std::optional<int32_t> report(std::string& sFile, bool registering);

    Ui& ui_;
    int timeLimitMs_;
    std::string detail_;
};

// Runs the entry point of sFile in sigillo-regsvr and waits at most
// timeLimitMs. The reason behind status 8 or 9 goes to detail when given.
int32_t RunEntryPoint(const std::string& sFile, bool registering, int timeLimitMs = kRegistrationTimeLimitMs,
                      std::string* detail = nullptr);

// Why an EXE server cannot be started here ("PATH: <reason>"), or nullopt
// when it can: it must be a regular file with execute permission, and an
// executable of this system (an ELF file of this machine, or a script).
std::optional<std::string> WhyNotExecutable(const std::string& path);

// Registers without showing anything, like Register (start-up installation).
int32_t RegisterServer(const std::string& sFile);

} // namespace sigillo
