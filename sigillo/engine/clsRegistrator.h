// Registers and unregisters component servers. An in-process server (a shared
// library exporting DllRegisterServer / DllUnregisterServer) is loaded by the
// helper program sigillo-regsvr, so a server that crashes or hangs cannot take
// Sigillo down: the helper is killed when the entry point has not finished
// within the time limit. An out-of-process server (a path containing ".exe")
// is started with "/regserver" or "/unregserver".
#pragma once

#include <cstdint>
#include <string>

#include "Ui.h"

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
};

inline constexpr int kRegistrationTimeLimitMs = 10000;

// The outcome message and icon of a status; status 0 has none (empty text).
std::string RegistrationMessage(int32_t status);
MsgIcon RegistrationIcon(int32_t status);

// Exit codes of sigillo-regsvr.
enum RegsvrExit : int {
    RegsvrEntryPointReturned = 0,
    RegsvrLoadFailed = 1,
    RegsvrNoEntryPoint = 2,
    RegsvrUsage = 64,
};

class clsRegistrator {
public:
    explicit clsRegistrator(Ui& ui, int timeLimitMs = kRegistrationTimeLimitMs);

    int32_t Register(std::string p_sFileName);
    int32_t UnRegister(std::string p_sFileName);
    void RegisterActiveX(std::string& sFile);
    void UnRegisterActiveX(std::string& sFile);

    // The helper program: SIGILLO_REGSVR when set, else sigillo-regsvr beside
    // the running executable.
    static std::string HelperPath();

private:
    int32_t run(const std::string& file, bool registering);
    void report(std::string& sFile, bool registering);

    Ui& ui_;
    int timeLimitMs_;
};

// Registers without showing anything, like Register (start-up installation).
int32_t RegisterServer(const std::string& sFile);

} // namespace sigillo
