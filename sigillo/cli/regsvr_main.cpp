// sigillo-regsvr MODE FILE: loads FILE as a shared library and calls its
// DllRegisterServer (MODE "register") or DllUnregisterServer ("unregister").
// It runs as a process of its own so that a server that crashes or hangs
// cannot take Sigillo with it. The exit status tells Sigillo what happened:
// 0 the entry point returned, 10 the file could not be loaded, 11 it has no
// such entry point, 64 wrong arguments. The entry point's own result is
// written to stderr when it reports a failure, but counts as returned.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <dlfcn.h>

#include "engine/clsRegistrator.h"
#include "wine/WinePrefix.h"

int main(int argc, char** argv) {
    using namespace sigillo;
    if (argc != 3 || (std::strcmp(argv[1], "register") != 0 && std::strcmp(argv[1], "unregister") != 0)) {
        std::fprintf(stderr, "usage: sigillo-regsvr register|unregister FILE\n");
        return RegsvrUsage;
    }
    // The server writes to the registry that Sigillo has in use.
    wine::UsePrefix(wine::PrefixInUse());
    const bool registering = std::strcmp(argv[1], "register") == 0;
    std::string path = argv[2];
    // A bare name means the file in the working folder, not a search of the library path.
    if (path.find('/') == std::string::npos) {
        path = "./" + path;
    }
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "sigillo-regsvr: %s\n", ::dlerror());
        return RegsvrLoadFailed;
    }
    using EntryPoint = int32_t (*)();
    auto* entry = reinterpret_cast<EntryPoint>(
        ::dlsym(module, registering ? "DllRegisterServer" : "DllUnregisterServer"));
    if (!entry) {
        return RegsvrNoEntryPoint;
    }
    const int32_t result = entry();
    if (result < 0) {
        std::fprintf(stderr, "sigillo-regsvr: the entry point returned 0x%08X\n",
                     static_cast<uint32_t>(result));
    }
    return RegsvrEntryPointReturned;
}
