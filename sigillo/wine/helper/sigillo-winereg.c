/*
 * sigillo-winereg.exe: Sigillo's agent inside a Wine prefix.
 *
 *   sigillo-winereg.exe serve
 *     Answers registry requests, one line each, on standard input with one
 *     reply line each on standard output, by calling the prefix's own
 *     advapi32. One process serves a whole Sigillo session: starting Wine
 *     costs far more than a request.
 *
 *   sigillo-winereg.exe register|unregister FILE
 *     Loads FILE and calls its DllRegisterServer or DllUnregisterServer. The
 *     exit status: 0 the entry point returned, 10 the file could not be
 *     loaded, 11 it has no such entry point, 12 the entry point crashed,
 *     64 wrong arguments.
 *
 * Lines are fields separated by tabs. Text fields are UTF-8 with "\\", "\t",
 * "\n" and "\r" escaped by a backslash; data fields are hexadecimal bytes;
 * key handles are hexadecimal. Requests and their replies:
 *
 *   open HKEY SUB SAM            -> RC HKEY
 *   create HKEY SUB SAM          -> RC HKEY DISPOSITION
 *   query HKEY NAME              -> RC TYPE DATA
 *   set HKEY NAME TYPE DATA      -> RC
 *   delkey HKEY SUB              -> RC
 *   delvalue HKEY NAME           -> RC
 *   enumkey HKEY INDEX           -> RC NAME
 *   enumvalue HKEY INDEX         -> RC NAME TYPE DATA
 *   info HKEY                    -> RC SUBKEYS MAXSUBKEY VALUES MAXVALUENAME MAXVALUE
 *   close HKEY                   -> RC
 *   expand TEXT                  -> 0 TEXT
 *
 * String data (types 1, 2 and 7) travels as UTF-8 with its terminating NULs,
 * as the 8-bit registry functions give it; the helper stores it as UTF-16.
 */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#define MAX_FIELDS 8
#define LINE_LIMIT (64 * 1024 * 1024)

/* ---- growing byte buffers ---- */

typedef struct {
    char* data;
    size_t size, capacity;
} Buffer;

static void put(Buffer* b, const void* bytes, size_t n) {
    if (b->size + n + 1 > b->capacity) {
        size_t capacity = b->capacity ? b->capacity : 256;
        while (b->size + n + 1 > capacity)
            capacity *= 2;
        char* grown = realloc(b->data, capacity);
        if (!grown)
            ExitProcess(70);
        b->data = grown;
        b->capacity = capacity;
    }
    memcpy(b->data + b->size, bytes, n);
    b->size += n;
    b->data[b->size] = '\0';
}

static void putText(Buffer* b, const char* text) {
    put(b, text, strlen(text));
}

static void putChar(Buffer* b, char c) {
    put(b, &c, 1);
}

/* ---- fields ---- */

static int unescape(char* field) {
    char* out = field;
    for (char* in = field; *in; ++in) {
        if (*in != '\\') {
            *out++ = *in;
            continue;
        }
        switch (*++in) {
        case '\\':
            *out++ = '\\';
            break;
        case 't':
            *out++ = '\t';
            break;
        case 'n':
            *out++ = '\n';
            break;
        case 'r':
            *out++ = '\r';
            break;
        default:
            return 0;
        }
    }
    *out = '\0';
    return 1;
}

static void putEscaped(Buffer* b, const char* text, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        switch (text[i]) {
        case '\\':
            putText(b, "\\\\");
            break;
        case '\t':
            putText(b, "\\t");
            break;
        case '\n':
            putText(b, "\\n");
            break;
        case '\r':
            putText(b, "\\r");
            break;
        default:
            putChar(b, text[i]);
        }
    }
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* Decodes hexadecimal text in place; the byte count, or -1 for bad text. */
static long fromHex(char* text) {
    size_t n = strlen(text);
    if (n % 2)
        return -1;
    for (size_t i = 0; i < n / 2; ++i) {
        int hi = hexDigit(text[2 * i]), lo = hexDigit(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return -1;
        text[i] = (char)(hi * 16 + lo);
    }
    return (long)(n / 2);
}

static void putHex(Buffer* b, const unsigned char* bytes, size_t n) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < n; ++i) {
        putChar(b, digits[bytes[i] >> 4]);
        putChar(b, digits[bytes[i] & 15]);
    }
}

static void putNumber(Buffer* b, unsigned long long n) {
    char text[32];
    snprintf(text, sizeof text, "%llu", n);
    putText(b, text);
}

static void putTab(Buffer* b) {
    putChar(b, '\t');
}

/* The predefined roots arrive as the 32-bit values in either width. */
static HKEY parseKey(const char* text) {
    unsigned long long v = _strtoui64(text, NULL, 16);
    if (v >= 0x80000000ull && v <= 0x8000000Full)
        v |= 0xFFFFFFFF00000000ull;
    return (HKEY)(ULONG_PTR)v;
}

static void putKey(Buffer* b, HKEY key) {
    char text[32];
    snprintf(text, sizeof text, "%llx", (unsigned long long)(ULONG_PTR)key);
    putText(b, text);
}

/* ---- text conversion ---- */

static WCHAR* wide(const char* utf8, size_t n, size_t* outLength) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, (int)n, NULL, 0);
    WCHAR* out = calloc((size_t)length + 1, sizeof(WCHAR));
    if (!out)
        ExitProcess(70);
    MultiByteToWideChar(CP_UTF8, 0, utf8, (int)n, out, length);
    if (outLength)
        *outLength = (size_t)length;
    return out;
}

static WCHAR* wideText(const char* utf8) {
    return wide(utf8, strlen(utf8), NULL);
}

static char* narrow(const WCHAR* text, size_t n, size_t* outLength) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text, (int)n, NULL, 0, NULL, NULL);
    char* out = calloc((size_t)length + 1, 1);
    if (!out)
        ExitProcess(70);
    WideCharToMultiByte(CP_UTF8, 0, text, (int)n, out, length, NULL, NULL);
    *outLength = (size_t)length;
    return out;
}

static int isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

/* Appends value data as the 8-bit functions give it. */
static void putData(Buffer* b, DWORD type, const BYTE* data, DWORD size) {
    if (!isText(type)) {
        putHex(b, data, size);
        return;
    }
    size_t length = 0;
    char* text = narrow((const WCHAR*)data, size / sizeof(WCHAR), &length);
    putHex(b, (const unsigned char*)text, length);
    free(text);
}

/* ---- requests ---- */

static void reply(Buffer* b, LONG rc) {
    putNumber(b, (unsigned long long)(DWORD)rc);
}

static LONG queryValue(HKEY key, const WCHAR* name, DWORD* type, BYTE** data, DWORD* size) {
    *size = 0;
    *data = NULL;
    for (;;) {
        LONG rc = RegQueryValueExW(key, name, NULL, type, *data, size);
        if (rc != ERROR_MORE_DATA && !(rc == ERROR_SUCCESS && !*data && *size))
            return rc;
        free(*data);
        *data = malloc(*size + 2);
        if (!*data)
            ExitProcess(70);
    }
}

static void handle(char** f, int n, Buffer* out) {
    const char* verb = f[0];
    if (!strcmp(verb, "open") && n == 4) {
        HKEY result = NULL;
        WCHAR* sub = wideText(f[2]);
        reply(out, RegOpenKeyExW(parseKey(f[1]), sub, 0, strtoul(f[3], NULL, 10), &result));
        putTab(out);
        putKey(out, result);
        free(sub);
    } else if (!strcmp(verb, "create") && n == 4) {
        HKEY result = NULL;
        DWORD disposition = 0;
        WCHAR* sub = wideText(f[2]);
        reply(out, RegCreateKeyExW(parseKey(f[1]), sub, 0, NULL, REG_OPTION_NON_VOLATILE,
                                   strtoul(f[3], NULL, 10), NULL, &result, &disposition));
        putTab(out);
        putKey(out, result);
        putTab(out);
        putNumber(out, disposition);
        free(sub);
    } else if (!strcmp(verb, "query") && n == 3) {
        DWORD type = 0, size = 0;
        BYTE* data = NULL;
        WCHAR* name = wideText(f[2]);
        LONG rc = queryValue(parseKey(f[1]), name, &type, &data, &size);
        reply(out, rc);
        putTab(out);
        putNumber(out, type);
        putTab(out);
        if (rc == ERROR_SUCCESS)
            putData(out, type, data, size);
        free(data);
        free(name);
    } else if (!strcmp(verb, "set") && n == 5) {
        long size = fromHex(f[4]);
        DWORD type = strtoul(f[3], NULL, 10);
        if (size < 0) {
            reply(out, ERROR_INVALID_PARAMETER);
            return;
        }
        WCHAR* name = wideText(f[2]);
        if (isText(type)) {
            size_t length = 0;
            WCHAR* text = wide(f[4], (size_t)size, &length);
            reply(out, RegSetValueExW(parseKey(f[1]), name, 0, type, (const BYTE*)text,
                                      (DWORD)(length * sizeof(WCHAR))));
            free(text);
        } else {
            reply(out, RegSetValueExW(parseKey(f[1]), name, 0, type, (const BYTE*)f[4], (DWORD)size));
        }
        free(name);
    } else if (!strcmp(verb, "delkey") && n == 3) {
        WCHAR* sub = wideText(f[2]);
        reply(out, RegDeleteKeyW(parseKey(f[1]), sub));
        free(sub);
    } else if (!strcmp(verb, "delvalue") && n == 3) {
        WCHAR* name = wideText(f[2]);
        reply(out, RegDeleteValueW(parseKey(f[1]), name));
        free(name);
    } else if (!strcmp(verb, "enumkey") && n == 3) {
        WCHAR name[256];
        LONG rc = RegEnumKeyW(parseKey(f[1]), strtoul(f[2], NULL, 10), name, 256);
        reply(out, rc);
        putTab(out);
        if (rc == ERROR_SUCCESS) {
            size_t length = 0;
            char* text = narrow(name, wcslen(name), &length);
            putEscaped(out, text, length);
            free(text);
        }
    } else if (!strcmp(verb, "enumvalue") && n == 3) {
        HKEY key = parseKey(f[1]);
        DWORD index = strtoul(f[2], NULL, 10);
        WCHAR name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        LONG rc = RegEnumValueW(key, index, name, &nameLength, NULL, &type, NULL, &size);
        BYTE* data = malloc(size + 2);
        if (!data)
            ExitProcess(70);
        if (rc == ERROR_SUCCESS) {
            nameLength = 16384;
            rc = RegEnumValueW(key, index, name, &nameLength, NULL, &type, data, &size);
        }
        reply(out, rc);
        putTab(out);
        if (rc == ERROR_SUCCESS) {
            size_t length = 0;
            char* text = narrow(name, nameLength, &length);
            putEscaped(out, text, length);
            free(text);
        }
        putTab(out);
        putNumber(out, type);
        putTab(out);
        if (rc == ERROR_SUCCESS)
            putData(out, type, data, size);
        free(data);
    } else if (!strcmp(verb, "info") && n == 2) {
        DWORD subkeys = 0, maxSubkey = 0, values = 0, maxValueName = 0, maxValue = 0;
        reply(out, RegQueryInfoKeyW(parseKey(f[1]), NULL, NULL, NULL, &subkeys, &maxSubkey, NULL, &values,
                                    &maxValueName, &maxValue, NULL, NULL));
        /* Lengths in UTF-16 units become bounds for the UTF-8 text the
         * client sees: at most three bytes for each unit. */
        const unsigned long long fields[] = {subkeys, maxSubkey * 3ull, values, maxValueName * 3ull,
                                             maxValue * 3ull / 2 + 1};
        for (int i = 0; i < 5; ++i) {
            putTab(out);
            putNumber(out, fields[i]);
        }
    } else if (!strcmp(verb, "close") && n == 2) {
        reply(out, RegCloseKey(parseKey(f[1])));
    } else if (!strcmp(verb, "expand") && n == 2) {
        WCHAR* text = wideText(f[1]);
        DWORD needed = ExpandEnvironmentStringsW(text, NULL, 0);
        WCHAR* expanded = calloc(needed + 1, sizeof(WCHAR));
        if (!expanded)
            ExitProcess(70);
        ExpandEnvironmentStringsW(text, expanded, needed + 1);
        size_t length = 0;
        char* result = narrow(expanded, wcslen(expanded), &length);
        reply(out, ERROR_SUCCESS);
        putTab(out);
        putEscaped(out, result, length);
        free(result);
        free(expanded);
        free(text);
    } else {
        reply(out, ERROR_INVALID_PARAMETER);
    }
}

static int serve(void) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    Buffer line = {0}, out = {0};
    int c;
    for (;;) {
        line.size = 0;
        putText(&line, "");
        while ((c = getchar()) != EOF && c != '\n') {
            if (line.size >= LINE_LIMIT)
                return 65;
            putChar(&line, (char)c);
        }
        if (c == EOF)
            return 0;
        char* fields[MAX_FIELDS];
        int n = 0, valid = 1;
        for (char* p = line.data; n < MAX_FIELDS;) {
            fields[n++] = p;
            char* tab = strchr(p, '\t');
            if (!tab)
                break;
            *tab = '\0';
            p = tab + 1;
        }
        for (int i = 0; i < n; ++i)
            valid = valid && unescape(fields[i]);
        out.size = 0;
        putText(&out, "");
        if (valid)
            handle(fields, n, &out);
        else
            reply(&out, ERROR_INVALID_PARAMETER);
        putChar(&out, '\n');
        fwrite(out.data, 1, out.size, stdout);
        fflush(stdout);
    }
}

/* ---- registration ---- */

static LONG WINAPI crashed(EXCEPTION_POINTERS* info) {
    (void)info;
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 12);
    return EXCEPTION_EXECUTE_HANDLER;
}

static int registration(int registering, const WCHAR* file) {
    /* A crashing server ends this process at once, with no debugger. */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(crashed);
    HMODULE module = LoadLibraryExW(file, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) {
        fprintf(stderr, "sigillo-winereg: cannot load %ls (error %lu)\n", file, GetLastError());
        return 10;
    }
    typedef HRESULT(WINAPI * EntryPoint)(void);
    EntryPoint entry = (EntryPoint)(void (*)(void))GetProcAddress(
        module, registering ? "DllRegisterServer" : "DllUnregisterServer");
    if (!entry)
        return 11;
    OleInitialize(NULL);
    HRESULT result = entry();
    if (FAILED(result))
        fprintf(stderr, "sigillo-winereg: the entry point returned 0x%08lX\n", (unsigned long)result);
    return 0;
}

/* Wide arguments, so that a file name outside the ANSI code page arrives whole. */
int wmain(int argc, WCHAR** argv) {
    if (argc == 2 && !wcscmp(argv[1], L"serve"))
        return serve();
    if (argc == 3 && (!wcscmp(argv[1], L"register") || !wcscmp(argv[1], L"unregister")))
        return registration(!wcscmp(argv[1], L"register"), argv[2]);
    fprintf(stderr, "usage: sigillo-winereg.exe serve | register FILE | unregister FILE\n");
    return 64;
}
