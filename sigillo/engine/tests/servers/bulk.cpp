// A server of real size: registration writes 10 000 keys (a class ID each,
// with its server path and threading model), as large servers do.
#include <cstdio>
#include <cstring>

#include "sigillo_registry.h"

namespace {

constexpr int kKeys = 10000;

LONG setText(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
    char path[96];
    for (int i = 0; i < kKeys; ++i) {
        std::snprintf(path, sizeof path, "CLSID\\{B0B0%04X-0000-4000-8000-00000000%04X}\\InprocServer32",
                      i / 65536, i % 65536);
        HKEY key;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return static_cast<int32_t>(0x80004005u);
        }
        const bool written = setText(key, nullptr, "/usr/lib/bulk.so") == ERROR_SUCCESS &&
                             setText(key, "ThreadingModel", "Both") == ERROR_SUCCESS;
        RegCloseKey(key);
        if (!written) {
            return static_cast<int32_t>(0x80004005u);
        }
    }
    return 0;
}

extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    return 0;
}
