// Failures without an answer, reported to each caller the way it can take
// them: a C++ caller catches ProbabilityError; a caller that cannot (C, or
// any frames the unwinder cannot pass) gets errno and a NaN result instead of
// the end of its process.
//
// Whether a handler exists is what the C++ runtime itself finds out: it
// searches the whole stack for one before it unwinds anything, and calls the
// terminate handler, with the stack intact, when there is none. For that one
// case the library's terminate handler jumps back to the throw site, which
// ends the runtime's catch of the exception and returns normally. Every
// other termination goes on to the handler that was installed before.
#include "frame.h"

#include <cerrno>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>

namespace prob {
namespace {

// The compiler's own setjmp buffer: its jump restores the frame without
// unwinding anything, also where the system longjmp would unwind (Windows).
using JumpBuffer = void* [5];

thread_local JumpBuffer* escape = nullptr;
std::terminate_handler chained = nullptr;

[[noreturn]] void onTerminate() {
    if (JumpBuffer* target = escape) {
        escape = nullptr;
        __builtin_longjmp(*target, 1);
    }
    if (chained != nullptr) {
        chained();
    }
    std::abort();
}

// Clears the escape when a handler catches the failure after all.
struct EscapeClearer {
    EscapeClearer() = default;
    EscapeClearer(const EscapeClearer&) = delete;
    EscapeClearer& operator=(const EscapeClearer&) = delete;
    ~EscapeClearer() { escape = nullptr; }
};

[[gnu::noinline]] void throwFailure(const std::string& message) {
    const EscapeClearer clearer;
    throw ProbabilityError(message);
}

} // namespace

void raiseFailure(const std::string& message, int code) {
    static const bool installed = [] {
        chained = std::set_terminate(onTerminate);
        return true;
    }();
    (void)installed;
    JumpBuffer target;
    if (__builtin_setjmp(target) == 0) {
        escape = &target;
        throwFailure(message);
    }
    // No handler: the runtime had begun a catch of the exception before it
    // called terminate; ending it frees the exception.
    abi::__cxa_end_catch();
    errno = code;
}

Ext noAnswer(const char* message) {
    raiseFailure(message, EDOM);
    return kNanExt;
}

} // namespace prob
