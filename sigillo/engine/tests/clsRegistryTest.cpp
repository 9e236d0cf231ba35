#include <gtest/gtest.h>

#include "TempStore.h"
#include "engine/clsRegistry.h"
#include "sigillo_registry.h"

using namespace sigillo;

namespace {

class ClsRegistry : public ::testing::Test {
protected:
    clsRegistry at(const std::string& section, const std::string& value = "") {
        clsRegistry r;
        r.setClassKey(kClassesRoot);
        r.setSectionKey(section);
        r.setValueKey(value);
        return r;
    }
    // The raw type and bytes as the registry holds them.
    std::pair<DWORD, std::vector<uint8_t>> raw(const std::string& section, const std::string& value) {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, section.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
            return {0, {}};
        }
        DWORD type = 0, size = 0;
        RegQueryValueExA(h, value.c_str(), nullptr, &type, nullptr, &size);
        std::vector<uint8_t> data(size);
        RegQueryValueExA(h, value.c_str(), nullptr, &type, data.data(), &size);
        RegCloseKey(h);
        return {type, data};
    }
    TempStore store;
};

std::vector<uint8_t> sz(const std::string& s) {
    std::vector<uint8_t> v(s.begin(), s.end());
    v.push_back(0);
    return v;
}

} // namespace

TEST_F(ClsRegistry, WritesByValueType) {
    struct Case {
        const char* what;
        int32_t valueType;
        Variant value;
        DWORD storedType;
        std::vector<uint8_t> stored;
    } cases[] = {
        {"text", 1, std::string("plain"), 1, sz("plain")},
        {"single percent stays a string", 1, std::string("100% sure"), 1, sz("100% sure")},
        {"adjacent percents stay a string", 1, std::string("%%"), 1, sz("%%")},
        {"environment reference becomes expandable", 1, std::string("%SystemRoot%\\x"), 2,
         sz("%SystemRoot%\\x")},
        {"expandable without reference is a string", 2, std::string("none"), 1, sz("none")},
        {"number as text", 1, int32_t{42}, 1, sz("42")},
        {"bytes", 3, std::vector<uint8_t>{1, 2, 3}, 3, {1, 2, 3}},
        {"number", 4, int32_t{0x01020304}, 4, {4, 3, 2, 1}},
        {"big-endian number is stored little-endian as type 4", 5, int32_t{7}, 4, {7, 0, 0, 0}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string section = "W\\" + std::to_string(n++);
        auto r = at(section, "v");
        r.setValueType(c.valueType);
        r.setValue(c.value);
        const auto [type, data] = raw(section, "v");
        EXPECT_EQ(type, c.storedType) << c.what;
        EXPECT_EQ(data, c.stored) << c.what;
    }
}

TEST_F(ClsRegistry, WritesNothingWhenTheTypeDoesNotFitTheValue) {
    struct Case {
        const char* what;
        int32_t valueType;
        Variant value;
        bool raisesError;
    } cases[] = {
        {"fresh object without a type", 0, std::string("x"), false},
        {"text for bytes", 3, std::string("x"), true},
        {"text for a number", 4, std::string("12"), false},
        {"unknown type", 9, int32_t{1}, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string section = "N\\" + std::to_string(n++);
        auto r = at(section, "v");
        r.setValueType(c.valueType);
        r.setValue(c.value);
        EXPECT_TRUE(r.KeyExists()) << c.what << ": the key is created all the same";
        EXPECT_EQ(raw(section, "v").first, 0u) << c.what;
        EXPECT_EQ(r.LastError().number, c.raisesError ? 26001 : 0) << c.what;
    }
}

TEST_F(ClsRegistry, ReadsEachTypeAndRemembersIt) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "R", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              0);
    ::setenv("SIGILLO_TEST_DIR", "/opt/x", 1);
    const std::vector<uint8_t> multi = {'a', 0, 'b', 0, 0};
    const std::string exp = "%SIGILLO_TEST_DIR%\\bin";
    RegSetValueExA(h, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>("text"), 5);
    RegSetValueExA(h, "e", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(exp.c_str()),
                   static_cast<DWORD>(exp.size() + 1));
    RegSetValueExA(h, "m", 0, REG_MULTI_SZ, multi.data(), 5);
    const BYTE le[4] = {0x78, 0x56, 0x34, 0x12};
    RegSetValueExA(h, "d", 0, REG_DWORD, le, 4);
    RegSetValueExA(h, "b", 0, REG_DWORD_BIG_ENDIAN, le, 4);
    RegSetValueExA(h, "x", 0, REG_BINARY, le, 3);
    RegCloseKey(h);
    struct Case {
        const char* name;
        Variant expected;
        int32_t type;
    } cases[] = {
        {"s", std::string("text"), 1},      {"e", std::string("/opt/x\\bin"), 2},
        {"m", std::string("a\0b\0", 4), 7}, {"d", int32_t{0x12345678}, 4},
        {"b", int32_t{0x78563412}, 5},      {"x", std::vector<uint8_t>{0x78, 0x56, 0x34}, 3},
    };
    for (const auto& c : cases) {
        auto r = at("R", c.name);
        EXPECT_EQ(r.Value(), c.expected) << c.name;
        EXPECT_EQ(r.ValueType(), c.type) << c.name;
    }
}

TEST_F(ClsRegistry, MissingValueGivesDefaultAndKeepsTheType) {
    auto r = at("Nowhere", "v");
    r.setValueType(3);
    EXPECT_TRUE(IsEmpty(r.Value()));
    r.setDefault(std::string("fallback"));
    EXPECT_EQ(r.Value(), Variant(std::string("fallback")));
    EXPECT_EQ(r.ValueType(), 3);
}

TEST_F(ClsRegistry, KeyMethodsSignalError26001OnFailure) {
    auto r = at("K\\Child");
    EXPECT_TRUE(r.CreateKey());
    EXPECT_TRUE(r.KeyExists());
    auto parent = at("K");
    EXPECT_FALSE(parent.DeleteKey());
    EXPECT_EQ(parent.LastError().number, 26001);
    EXPECT_EQ(parent.LastError().description, "Failed to delete registry Key: '-2147483648',Section: 'K");
    EXPECT_TRUE(parent.LastError().source.ends_with(".cRegistry"));
    auto missingValue = at("K\\Child", "none");
    EXPECT_FALSE(missingValue.DeleteValue());
    EXPECT_EQ(missingValue.LastError().description,
              "Failed to delete registry Key: '-2147483648',Section: 'K\\Child',Key: 'none");
    auto missingKey = at("Absent", "none");
    EXPECT_FALSE(missingKey.DeleteValue());
    EXPECT_EQ(missingKey.LastError().description,
              "Failed to open key '-2147483648',Section: 'Absent' for delete access");
    auto bad = at("\\bad");
    EXPECT_FALSE(bad.CreateKey());
    EXPECT_EQ(bad.LastError().description, "Failed to create registry Key: '\\bad");
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_TRUE(parent.DeleteKey());
    EXPECT_FALSE(parent.KeyExists());
}

TEST_F(ClsRegistry, EnumeratesValuesAndSections) {
    for (const char* sub : {"E\\b", "E\\A", "E\\c"}) {
        at(sub).CreateKey();
    }
    for (const char* v : {"one", "", "three"}) {
        auto r = at("E", v);
        r.setValueType(1);
        r.setValue(std::string("x"));
    }
    std::vector<std::string> names{"stale"};
    int32_t count = 99;
    auto r = at("E");
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"one", "", "three"}));
    EXPECT_EQ(count, 3);
    auto missing = at("Missing");
    EXPECT_FALSE(missing.EnumerateSections(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);
}
