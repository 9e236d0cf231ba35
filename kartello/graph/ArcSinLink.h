#pragma once
// The arc sine that the polygon geometry takes from the Probability library.
// The library is loaded by name at the first call, beside the executable
// first, then through the ordinary library search path.
#include "runtime/RuntimeError.h"

#include <atomic>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kartello {

class ArcSinLink {
public:
    using Fn = double (*)(double);

    // candidates: library files tried in order at the first call.
    explicit ArcSinLink(std::vector<std::string> candidates);

    // The arc sine of x in radians. Throws RuntimeError 53 when no candidate
    // library can be loaded, 453 when it lacks the entry point, and 5 when the
    // result is not a number (an argument outside [-1, 1]).
    // Threads may share a link: it is bound once, by the first caller.
    double operator()(double x) {
        // Half a million calls for a large graph: once bound, the library is
        // called straight.
        Fn fn = fn_.load(std::memory_order_acquire);
        if (!fn)
            fn = bindOrFail();
        const double r = fn(x);
        if (!std::isfinite(r))
            notANumber();
        return r;
    }

    // The process-wide link used by graph generation.
    static ArcSinLink& standard();

private:
    void bind();
    // Binds at the first call; throws when no library can be bound.
    Fn bindOrFail();
    [[noreturn]] static void notANumber();

    std::vector<std::string> candidates_;
    std::mutex bindMutex_; // guards the three below but fn_'s reading
    bool tried_ = false;
    std::atomic<Fn> fn_ = nullptr;
    std::optional<RuntimeError> failure_;
};

} // namespace kartello
