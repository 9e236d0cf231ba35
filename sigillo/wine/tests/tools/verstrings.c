/* Prints the version strings of files as a Windows program reads them:
 * GetFileVersionInfoW, the first language and code page of
 * "\VarFileInfo\Translation", then "\StringFileInfo\<lang><codepage>\<name>"
 * for the nine standard names. The files' paths come on standard input, one
 * per line, in UTF-8; for each file nine lines "<name>\t<value>" follow on
 * standard output in UTF-8 (a line break in a value as \n or \r; every value
 * empty when the file has no version information). With /localised the
 * block is read with GetFileVersionInfoExW(FILE_VER_GET_LOCALISED), which
 * follows the user's language, instead. */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static const wchar_t* const names[] = {L"CompanyName",    L"FileDescription", L"InternalName",
                                       L"LegalCopyright", L"LegalTrademarks", L"OriginalFileName",
                                       L"ProductName",    L"ProductVersion",  L"Comments"};

static void put(const wchar_t* text) {
    for (; *text; ++text) {
        wchar_t one[3] = {text[0], 0, 0};
        char out[8];
        if (*text == L'\n' || *text == L'\r') {
            fputs(*text == L'\n' ? "\\n" : "\\r", stdout);
            continue;
        }
        if (*text >= 0xD800 && *text < 0xDC00 && text[1]) {
            one[1] = *++text;
        }
        const int n = WideCharToMultiByte(CP_UTF8, 0, one, -1, out, sizeof out, NULL, NULL);
        if (n > 1) {
            fwrite(out, 1, (size_t)n - 1, stdout);
        }
    }
}

static void report(const wchar_t* file, DWORD flags) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeExW(flags, file, &ignored);
    void* block = size ? malloc(size) : NULL;
    WORD* translation = NULL;
    UINT length = 0;
    const int found = block && GetFileVersionInfoExW(flags, file, 0, size, block) &&
                      VerQueryValueW(block, L"\\VarFileInfo\\Translation", (void**)&translation, &length) &&
                      length >= 4;
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
        wchar_t path[128];
        wchar_t* value = NULL;
        put(names[i]);
        fputs("\t", stdout);
        if (found) {
            swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], names[i]);
            if (VerQueryValueW(block, path, (void**)&value, &length) && length > 0) {
                put(value);
            }
        }
        fputs("\n", stdout);
    }
    free(block);
}

int wmain(int argc, wchar_t** argv) {
    const DWORD flags =
        argc > 1 && wcscmp(argv[1], L"/localised") == 0 ? FILE_VER_GET_LOCALISED : FILE_VER_GET_NEUTRAL;
    char line[4096];
    wchar_t file[4096];
    _setmode(_fileno(stdout), _O_BINARY);
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\r\n")] = 0;
        if (MultiByteToWideChar(CP_UTF8, 0, line, -1, file, 4096) > 0) {
            report(file, flags);
        }
    }
    return 0;
}
