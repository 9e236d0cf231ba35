#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TempStore.h"
#include "sigillo_registry.h"

namespace {

class RegistryApi : public ::testing::Test {
protected:
    HKEY create(HKEY root, const char* path) {
        HKEY h = nullptr;
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &h, nullptr),
                  ERROR_SUCCESS)
            << path;
        return h;
    }
    void setString(HKEY h, const char* name, const std::string& text, DWORD type = REG_SZ) {
        ASSERT_EQ(RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }
    TempStore store;
};

} // namespace

TEST_F(RegistryApi, KeepsTheWindowsWidthsAndValues) {
    static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(HKEY) == sizeof(void*));
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT)), 0x80000000u);
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(HKEY_CURRENT_USER)), 0x80000001u);
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE)), 0x80000002u);
    EXPECT_EQ(ERROR_MORE_DATA, 234);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, 259);
    // A 32-bit handle value widened without its sign names the same root.
    HKEY zeroExtended = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
    HKEY h;
    EXPECT_EQ(RegOpenKeyExA(zeroExtended, ".dll", 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST_F(RegistryApi, CreateReportsNewOrExistingAndOpenFindsIt) {
    HKEY h;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "A\\B\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(h);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "a\\b\\c", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(h);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "A\\b", 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "A\\missing", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "\\shell\\Register", 0, KEY_READ, &h), ERROR_BAD_PATHNAME);
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CLASSES_ROOT, "\\shell", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_BAD_PATHNAME);
}

TEST_F(RegistryApi, QueryFollowsTheSizeProtocol) {
    HKEY h = create(HKEY_CURRENT_USER, "Q");
    setString(h, "", "hello");
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(h, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6u);
    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(h, nullptr, nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    char buf[16];
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(h, "", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(RegQueryValueExA(h, "absent", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(h);
}

TEST_F(RegistryApi, AccessRightsOfTheHandleAreEnforced) {
    RegCloseKey(create(HKEY_CURRENT_USER, "R"));
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "R", 0, KEY_QUERY_VALUE, &h), ERROR_SUCCESS);
    const BYTE data[4] = {1, 0, 0, 0};
    char name[8];
    EXPECT_EQ(RegSetValueExA(h, "x", 0, REG_DWORD, data, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(h, "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegEnumKeyA(h, 0, name, sizeof name), ERROR_ACCESS_DENIED);
    RegCloseKey(h);
}

TEST_F(RegistryApi, DeleteKeyRefusesKeysWithSubkeysAndRoots) {
    RegCloseKey(create(HKEY_CLASSES_ROOT, "P\\Child"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "P"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "P\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "P"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, "P"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryApi, HandleOfADeletedKeyAnswersKeyDeleted) {
    HKEY h = create(HKEY_CURRENT_USER, "Gone");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_SUCCESS);
    const BYTE data[1] = {0};
    EXPECT_EQ(RegSetValueExA(h, "x", 0, REG_BINARY, data, 1), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, EnumeratesSubkeysSortedAndValuesInOrderSet) {
    HKEY h = create(HKEY_CURRENT_USER, "E");
    for (const char* sub : {"zeta", "Alpha", "mid"}) {
        RegCloseKey(create(h, sub));
    }
    for (const char* v : {"second", "first", ""}) {
        setString(h, v, "x");
    }
    std::vector<std::string> keys, values;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(h, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        keys.emplace_back(name);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "mid", "zeta"}));
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof name;
        const LONG rc = RegEnumValueA(h, i, name, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
            break;
        }
        EXPECT_EQ(len, std::strlen(name));
        values.emplace_back(name);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"second", "first", ""}));
    DWORD subkeys = 0, maxSub = 0, count = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &subkeys, &maxSub, nullptr, &count, &maxName,
                               &maxData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 3u);
    EXPECT_EQ(maxSub, 5u);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(maxName, 6u);
    EXPECT_EQ(maxData, 2u);
    char tiny[3];
    EXPECT_EQ(RegEnumKeyA(h, 0, tiny, sizeof tiny), ERROR_MORE_DATA);
    RegCloseKey(h);
}

TEST_F(RegistryApi, RejectsNamesALineOfTextCannotHold) {
    HKEY h;
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, "bad\nname", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_INVALID_PARAMETER);
    h = create(HKEY_CURRENT_USER, "V");
    const BYTE data[1] = {0};
    EXPECT_EQ(RegSetValueExA(h, "a\rb", 0, REG_BINARY, data, 1), ERROR_INVALID_PARAMETER);
    RegCloseKey(h);
}

TEST(ExpandEnvironmentStrings, ReplacesKnownReferencesOnly) {
    ::setenv("SIGILLO_T1", "one", 1);
    ::unsetenv("SIGILLO_UNSET");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a%SIGILLO_T1%b", "aoneb"},
        {"%SIGILLO_UNSET%x", "%SIGILLO_UNSET%x"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"%SIGILLO_T1%%SIGILLO_T1%", "oneone"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char buf[64];
        const DWORD n = ExpandEnvironmentStringsA(c.in, buf, sizeof buf);
        EXPECT_EQ(n, std::strlen(c.out) + 1) << c.in;
        EXPECT_STREQ(buf, c.out);
    }
    char small[2] = {'z', 0};
    EXPECT_EQ(ExpandEnvironmentStringsA("%SIGILLO_T1%", small, sizeof small), 4u);
    EXPECT_EQ(small[0], 'z');
}

TEST_F(RegistryApi, RefusesPathsDeeperThanTheRegistryAllows) {
    std::string path = "k";
    for (int i = 1; i < 512; ++i) {
        path += "\\k";
    }
    HKEY h;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyExA(h, "one-more", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_BAD_PATHNAME);
    RegCloseKey(h);
}
