/*
 * Another registry behind the functions of sigillo_registry.h. Once a program
 * installs a backend, every registry function of the process (its own calls
 * and those of the servers it loads) goes to that backend instead of the
 * registry store; installing NULL returns to the store. Sigillo installs one
 * when a Wine prefix's registry is in use.
 */
#ifndef SIGILLO_REGISTRY_BACKEND_H
#define SIGILLO_REGISTRY_BACKEND_H

#include "sigillo_registry.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SigilloRegistryBackend {
    LONG (*RegOpenKeyExA)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
    LONG (*RegCreateKeyExA)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, const void*, PHKEY, LPDWORD);
    LONG (*RegQueryValueExA)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG (*RegSetValueExA)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG (*RegDeleteKeyA)(HKEY, LPCSTR);
    LONG (*RegDeleteValueA)(HKEY, LPCSTR);
    LONG (*RegEnumKeyA)(HKEY, DWORD, LPSTR, DWORD);
    LONG (*RegEnumValueA)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(*RegQueryInfoKeyA)
    (HKEY, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, void*);
    LONG (*RegCloseKey)(HKEY);
    DWORD (*ExpandEnvironmentStringsA)(LPCSTR, LPSTR, DWORD);
} SigilloRegistryBackend;

/* The backend must stay valid while it is installed. */
SIGILLO_REGISTRY_API void SigilloUseRegistryBackend(const SigilloRegistryBackend* backend);

#ifdef __cplusplus
}
#endif

#endif /* SIGILLO_REGISTRY_BACKEND_H */
