/* A server whose entry points write through a null pointer. */
#include <windows.h>

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    *(volatile int*)0 = 1;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    *(volatile int*)0 = 1;
    return S_OK;
}
