/* A server whose entry points never return. */
#include <windows.h>

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    Sleep(INFINITE);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    Sleep(INFINITE);
    return S_OK;
}
