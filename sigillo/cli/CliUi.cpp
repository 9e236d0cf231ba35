#include "cli/CliUi.h"

#include <cstdio>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sigillo {

MsgAnswer CliUi::messageBox(const std::string& text, const std::string&, MsgIcon icon, MsgButtons buttons) {
    // Outcomes (information) and questions are results; everything else
    // reports a failure, including the iconless error report.
    FILE* stream = (icon == MsgIcon::Information || icon == MsgIcon::Question) ? stdout : stderr;
    std::fprintf(stream, "%s\n", text.c_str());
    std::fflush(stream);
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

void CliUi::shellExecute(const std::string& file, const std::string& parameters) {
    // Started in a grandchild, so it is never left as a zombie of ours.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        char* argv[] = {const_cast<char*>(file.c_str()), const_cast<char*>(parameters.c_str()), nullptr};
        pid_t grandchild = 0;
        ::posix_spawnp(&grandchild, file.c_str(), nullptr, nullptr, argv, environ);
        ::_exit(0);
    }
    if (child > 0) {
        ::waitpid(child, nullptr, 0);
    }
}

} // namespace sigillo
