/* A server whose entry points report failure (E_FAIL) at once. */
#include <windows.h>

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    return E_FAIL;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    return E_FAIL;
}
