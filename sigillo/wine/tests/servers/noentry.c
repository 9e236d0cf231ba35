/* A library with an export, but no registration entry point. */
#include <windows.h>

__declspec(dllexport) int WINAPI SomethingElse(void) {
    return 1;
}
