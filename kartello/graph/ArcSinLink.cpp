#include "graph/ArcSinLink.h"

#include "runtime/RuntimeError.h"
#include "runtime/SharedLibrary.h"

#include <cmath>

namespace kartello {

namespace {

const char* const kLibraryName = "libprobability.so";

} // namespace

ArcSinLink::ArcSinLink(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}

ArcSinLink& ArcSinLink::standard() {
    static ArcSinLink link(besideProgramThenSearchPath(kLibraryName));
    return link;
}

void ArcSinLink::bind() {
    tried_ = true;
    try {
        fn_.store(reinterpret_cast<Fn>(sharedLibrarySymbol(candidates_, kLibraryName, "ArcSin_Double")),
                  std::memory_order_release);
    } catch (const RuntimeError& e) {
        failure_ = e; // every later call fails the same way
    }
}

ArcSinLink::Fn ArcSinLink::bindOrFail() {
    const std::lock_guard lock(bindMutex_);
    if (!tried_)
        bind();
    const Fn fn = fn_.load(std::memory_order_relaxed);
    if (!fn)
        throw *failure_;
    return fn;
}

void ArcSinLink::notANumber() {
    throw RuntimeError(ErrInvalidCall);
}

} // namespace kartello
