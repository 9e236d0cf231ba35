/*
 * The registry functions of the Windows API that component servers and Sigillo
 * use, with the classic names, widths, handle values and result codes, served
 * from Sigillo's registry store (a "Windows Registry Editor Version 5.00" text
 * file). A server built against this header, or loaded with these symbols
 * undefined into a process that has libsigillo_registry.so loaded globally,
 * writes its keys with the same calls it would make on Windows.
 *
 * The store lives in the file named by the environment variable
 * SIGILLO_REGISTRY, else in $XDG_CONFIG_HOME/sigillo/registry.reg
 * (~/.config/sigillo/registry.reg). Text is passed as 8-bit strings in the
 * system code page (UTF-8 here).
 */
#ifndef SIGILLO_REGISTRY_H
#define SIGILLO_REGISTRY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint8_t BYTE;
typedef DWORD REGSAM;
typedef DWORD* LPDWORD;
typedef BYTE* LPBYTE;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef struct SigilloRegKey* HKEY;
typedef HKEY* PHKEY;

/* Predefined roots: the 32-bit handle values widened with their sign, as the
 * Windows headers do, so a LONG 0x80000000 and HKEY_CLASSES_ROOT agree. Both
 * the sign-extended and the zero-extended forms are accepted. */
#define SIGILLO_PREDEFINED_HKEY(v) ((HKEY)(intptr_t)(int32_t)(v))
#define HKEY_CLASSES_ROOT SIGILLO_PREDEFINED_HKEY(0x80000000u)
#define HKEY_CURRENT_USER SIGILLO_PREDEFINED_HKEY(0x80000001u)
#define HKEY_LOCAL_MACHINE SIGILLO_PREDEFINED_HKEY(0x80000002u)
#define HKEY_USERS SIGILLO_PREDEFINED_HKEY(0x80000003u)
#define HKEY_CURRENT_CONFIG SIGILLO_PREDEFINED_HKEY(0x80000005u)

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_KEY_DELETED 1018L
#define ERROR_REGISTRY_IO_FAILED 1016L

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

#if defined(_WIN32)
#define SIGILLO_REGISTRY_API
#else
#define SIGILLO_REGISTRY_API __attribute__((visibility("default")))
#endif

SIGILLO_REGISTRY_API LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                        PHKEY phkResult);
SIGILLO_REGISTRY_API LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass,
                                          DWORD dwOptions, REGSAM samDesired,
                                          const void* lpSecurityAttributes, PHKEY phkResult,
                                          LPDWORD lpdwDisposition);
SIGILLO_REGISTRY_API LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                           LPBYTE lpData, LPDWORD lpcbData);
SIGILLO_REGISTRY_API LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                                         const BYTE* lpData, DWORD cbData);
SIGILLO_REGISTRY_API LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
SIGILLO_REGISTRY_API LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
SIGILLO_REGISTRY_API LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
SIGILLO_REGISTRY_API LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                                        LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
SIGILLO_REGISTRY_API LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                           LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                                           LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                           LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                           LPDWORD lpcbSecurityDescriptor, void* lpftLastWriteTime);
SIGILLO_REGISTRY_API LONG RegCloseKey(HKEY hKey);

/* Replaces every %NAME% whose NAME is set in the environment by its value;
 * unknown references stay as written. Returns the characters needed including
 * the terminating NUL; the result is copied only when nSize is large enough. */
SIGILLO_REGISTRY_API DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);

#ifdef __cplusplus
}
#endif

#endif /* SIGILLO_REGISTRY_H */
