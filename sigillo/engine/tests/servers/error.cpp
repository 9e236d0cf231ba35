// A server whose entry points fail at once with E_FAIL.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
    return static_cast<int32_t>(0x80004005u);
}
extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    return static_cast<int32_t>(0x80004005u);
}
