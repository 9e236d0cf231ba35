#include "graph/ArcSinLink.h"

#include "runtime/RuntimeError.h"
#include "runtime/SharedLibrary.h"

#include <cmath>
#include <dlfcn.h>

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
    void* handle = openSharedLibrary(candidates_);
    if (!handle) {
        failNumber_ = ErrFileNotFound;
        failText_ = std::string("File not found: ") + kLibraryName;
        return;
    }
    const Fn fn = reinterpret_cast<Fn>(dlsym(handle, "ArcSin_Double"));
    fn_.store(fn, std::memory_order_release);
    if (!fn) {
        failNumber_ = ErrEntryPointNotFound;
        failText_ = std::string("Can't find DLL entry point ArcSin_Double in ") + kLibraryName;
    }
}

ArcSinLink::Fn ArcSinLink::bindOrFail() {
    const std::lock_guard lock(bindMutex_);
    if (!tried_)
        bind();
    const Fn fn = fn_.load(std::memory_order_relaxed);
    if (!fn)
        throw RuntimeError(failNumber_, QString::fromStdString(failText_));
    return fn;
}

void ArcSinLink::notANumber() {
    throw RuntimeError(ErrInvalidCall);
}

} // namespace kartello
