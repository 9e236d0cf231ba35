/* A server whose entry points write and remove HKCR\SigilloWineTest\Server. */
#include <windows.h>

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"SigilloWineTest\\Server", 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return E_FAIL;
    static const WCHAR text[] = L"registered by its entry point";
    RegSetValueExW(key, NULL, 0, REG_SZ, (const BYTE*)text, sizeof text);
    RegCloseKey(key);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"SigilloWineTest\\Server");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"SigilloWineTest");
    return S_OK;
}
