/* An out-of-process server: "/regserver" writes HKCR\SigilloWineTest\ExeServer,
 * "/unregserver" removes it. */
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc == 2 && !strcmp(argv[1], "/regserver")) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, "SigilloWineTest\\ExeServer", 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                            &key, NULL) != ERROR_SUCCESS)
            return 1;
        RegCloseKey(key);
        return 0;
    }
    if (argc == 2 && !strcmp(argv[1], "/unregserver")) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "SigilloWineTest\\ExeServer");
        return 0;
    }
    return 2;
}
