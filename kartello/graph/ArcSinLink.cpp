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
    fn_ = reinterpret_cast<Fn>(dlsym(handle, "ArcSin_Double"));
    if (!fn_) {
        failNumber_ = ErrEntryPointNotFound;
        failText_ = std::string("Can't find DLL entry point ArcSin_Double in ") + kLibraryName;
    }
}

double ArcSinLink::operator()(double x) {
    if (!tried_)
        bind();
    if (!fn_)
        throw RuntimeError(failNumber_, QString::fromStdString(failText_));
    const double r = fn_(x);
    if (!std::isfinite(r))
        throw RuntimeError(ErrInvalidCall);
    return r;
}

} // namespace kartello
