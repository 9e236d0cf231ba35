#include "wine/WineRegistration.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include <sys/wait.h>

#include "wine/ProcessGroup.h"
#include "wine/Wine.h"

namespace sigillo::wine {

namespace {

WineRun runInPrefix(const std::string& prefix, std::vector<std::string> args, int timeLimitMs) {
    const std::string loader = LoaderPath();
    if (loader.empty()) {
        return {};
    }
    args.insert(args.begin(), loader);
    const auto process = SpawnInOwnGroup(args, WineEnvironment(prefix), false);
    if (!process) {
        return {};
    }
    const auto status = WaitOrKillGroup(process->pid, timeLimitMs);
    if (!status) {
        return {WineRunEnd::TimedOut};
    }
    if (!WIFEXITED(*status)) {
        return {WineRunEnd::Killed};
    }
    return {WineRunEnd::Exited, WEXITSTATUS(*status)};
}

} // namespace

bool IsPeImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char dos[64] = {};
    if (!in.read(reinterpret_cast<char*>(dos), sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') {
        return false;
    }
    const uint32_t peOffset = dos[60] | dos[61] << 8 | dos[62] << 16 | static_cast<uint32_t>(dos[63]) << 24;
    char signature[4] = {};
    return in.seekg(peOffset) && in.read(signature, 4) && signature[0] == 'P' && signature[1] == 'E' &&
           signature[2] == 0 && signature[3] == 0;
}

WineRun RunWineEntryPoint(const std::string& prefix, const std::string& file, bool registering,
                          int timeLimitMs) {
    return runInPrefix(prefix,
                       {HelperPath(), registering ? "register" : "unregister", WindowsPath(prefix, file)},
                       timeLimitMs);
}

WineRun RunWineExeServer(const std::string& prefix, const std::string& file, bool registering,
                         int timeLimitMs) {
    return runInPrefix(prefix, {file, registering ? "/regserver" : "/unregserver"}, timeLimitMs);
}

} // namespace sigillo::wine
