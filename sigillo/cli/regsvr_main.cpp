// sigillo-regsvr MODE FILE: loads FILE as a shared library and calls its
// DllRegisterServer (MODE "register") or DllUnregisterServer ("unregister").
// It runs as a process of its own so that a server that crashes or hangs
// cannot take Sigillo with it. The whole registration is one transaction on
// the registry store: the server's calls work on the store in memory, and the
// store is written once, when the entry point has returned 0. A crash, a kill
// on time-out or any other result writes nothing.
//
// The exit status tells Sigillo what happened (RegsvrExit): 0 registered, 10
// the file could not be loaded, 11 it has no such entry point, 12 the
// registry store could not be read or written (the reason on stderr), 13 the
// entry point returned an error, 64 wrong arguments.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <dlfcn.h>

#include "engine/clsRegistrator.h"
#include "sigillo_registry_transaction.h"
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
    char reason[1024];
    if (SigilloRegBeginTransaction(reason, sizeof reason) != ERROR_SUCCESS) {
        std::fprintf(stderr, "%s\n", reason);
        return RegsvrStoreFailed;
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
    if (result != 0) {
        std::fprintf(stderr, "sigillo-regsvr: the entry point returned 0x%08X\n",
                     static_cast<uint32_t>(result));
        return RegsvrEntryPointFailed;
    }
    if (SigilloRegCommitTransaction(reason, sizeof reason) != ERROR_SUCCESS) {
        std::fprintf(stderr, "%s\n", reason);
        return RegsvrStoreFailed;
    }
    return RegsvrEntryPointReturned;
}
