// Child processes that run in a process group of their own, so that a program
// that hangs is ended together with every process it started (a Wine program
// runs as several).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace sigillo::wine {

struct SpawnedProcess {
    pid_t pid = -1;
    int input = -1;  // the child's standard input, when asked for
    int output = -1; // the child's standard output, when asked for
};

// Starts argv[0] (a path) with the environment of this process plus extra
// ("NAME=value" entries override). With pipes the child's standard input and
// output are pipes to this process. nullopt when it could not be started.
std::optional<SpawnedProcess> SpawnInOwnGroup(const std::vector<std::string>& argv,
                                              const std::vector<std::string>& extraEnvironment, bool pipes);

// Waits for the process at most timeLimitMs; when the time is up, kills its
// whole group. The wait status, or nullopt on time-out.
std::optional<int> WaitOrKillGroup(pid_t pid, int timeLimitMs);

} // namespace sigillo::wine
