// A server that registers its type library the way COM servers do, through
// the registry functions, and removes the keys again when unregistered.
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <unistd.h>

#include "sigillo_registry.h"

namespace {

constexpr const char* kLibKey = "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}";
constexpr const char* kVersionKey = "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}\\2.5";
constexpr const char* kWin32Key = "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}\\2.5\\0\\win32";

LONG setDefault(const char* path, const char* text) {
    HKEY key;
    LONG rc = RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) {
        return rc;
    }
    rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return rc;
}

} // namespace

// SIGILLO_TEST_SERVER_FAILS makes registration fail after the keys are
// written: "result" returns E_FAIL, "crash" ends the process, "hang" sleeps
// past any time limit.
extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
    if (setDefault(kVersionKey, "DemoLib") != ERROR_SUCCESS ||
        setDefault(kWin32Key, "C:\\Windows\\demo32.dll") != ERROR_SUCCESS) {
        return static_cast<int32_t>(0x80004005u);
    }
    const char* fails = std::getenv("SIGILLO_TEST_SERVER_FAILS");
    const std::string_view mode = fails ? fails : "";
    if (mode == "crash") {
        std::abort();
    }
    if (mode == "hang") {
        ::sleep(60);
    }
    return mode == "result" ? static_cast<int32_t>(0x80004005u) : 0;
}

extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    const char* keys[] = {kWin32Key, "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}\\2.5\\0", kVersionKey,
                          kLibKey};
    for (const char* k : keys) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, k);
    }
    return 0;
}
