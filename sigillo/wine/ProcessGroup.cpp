#include "wine/ProcessGroup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sigillo::wine {

namespace {

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged = extra;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        const bool overridden = std::any_of(extra.begin(), extra.end(),
                                            [&](const std::string& x) { return x.starts_with(name); });
        if (!overridden) {
            merged.push_back(entry);
        }
    }
    return merged;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (auto& t : texts) {
        out.push_back(t.data());
    }
    out.push_back(nullptr);
    return out;
}

} // namespace

std::optional<SpawnedProcess> SpawnInOwnGroup(const std::vector<std::string>& argv,
                                              const std::vector<std::string>& extraEnvironment, bool pipes) {
    int toChild[2] = {-1, -1}, fromChild[2] = {-1, -1};
    if (pipes && (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)) {
        for (int fd : {toChild[0], toChild[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipes) {
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    }
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = mergedEnvironment(extraEnvironment);
    auto argp = pointers(args);
    auto envp = pointers(environment);
    SpawnedProcess process;
    const int rc = ::posix_spawn(&process.pid, args[0].c_str(), &actions, &attr, argp.data(), envp.data());
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (pipes) {
        ::close(toChild[0]);
        ::close(fromChild[1]);
        process.input = toChild[1];
        process.output = fromChild[0];
    }
    if (rc != 0) {
        if (pipes) {
            ::close(process.input);
            ::close(process.output);
        }
        return std::nullopt;
    }
    return process;
}

std::optional<int> WaitOrKillGroup(pid_t pid, int timeLimitMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    auto pause = std::chrono::microseconds(200);
    while (true) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            return status;
        }
        if (r < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (Clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
}

} // namespace sigillo::wine
