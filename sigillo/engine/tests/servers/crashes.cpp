// A server whose entry points crash the process that runs them.
#include <csignal>
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
    std::raise(SIGSEGV);
    return 0;
}
extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    std::raise(SIGSEGV);
    return 0;
}
