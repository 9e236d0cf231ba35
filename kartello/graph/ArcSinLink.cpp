#include "graph/ArcSinLink.h"

#include "runtime/RuntimeError.h"

#include <cfenv>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace kartello {

namespace {

const char* const kLibraryName = "libprobability.so";

std::string besideExecutable() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return (exe.parent_path() / kLibraryName).string();
}

} // namespace

ArcSinLink::ArcSinLink(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}

ArcSinLink& ArcSinLink::standard() {
    static ArcSinLink link([] {
        std::vector<std::string> c;
        const std::string beside = besideExecutable();
        if (!beside.empty())
            c.push_back(beside);
        c.push_back(kLibraryName);
        return c;
    }());
    return link;
}

void ArcSinLink::bind() {
    tried_ = true;
    // The library sets the floating-point control word when it loads; the
    // program's own arithmetic keeps its masked exceptions and checks its
    // results itself, so the environment is put back after loading.
    std::fenv_t env;
    std::fegetenv(&env);
    void* handle = nullptr;
    for (const auto& path : candidates_) {
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
    }
    std::fesetenv(&env);
    if (!handle) {
        failNumber_ = ErrFileNotFound;
        failText_ = std::string("File not found: ") + kLibraryName;
        return;
    }
    const Fn fn = reinterpret_cast<Fn>(dlsym(handle, "ArcSin_Double"));
    fn_.store(fn, std::memory_order_release);
    if (!fn) {
        failNumber_ = 453;
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
