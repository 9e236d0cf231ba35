// A server whose entry points never finish within the time limit.
#include <cstdint>

#include <unistd.h>

extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
    ::sleep(60);
    return 0;
}
extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    ::sleep(60);
    return 0;
}
