#include <gtest/gtest.h>

#include "registry/RegText.h"

using namespace sigillo::registry;

namespace {

std::vector<uint8_t> bytes(std::string_view s, bool withNul = true) {
    std::vector<uint8_t> v(s.begin(), s.end());
    if (withNul) {
        v.push_back(0);
    }
    return v;
}

const Value* valueAt(const Tree& t, Hive hive, std::vector<std::string> path, std::string_view name) {
    const Key* k = t.find(hive, path);
    return k ? k->findValue(name) : nullptr;
}

} // namespace

TEST(RegText, ReadsEachValueForm) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CLASSES_ROOT\\.dll]\r\n"
                             "@=\"dllfile\"\r\n"
                             "\"Quote\"=\"say \\\"hi\\\" C:\\\\x\"\r\n"
                             "\"Num\"=dword:0000002a\r\n"
                             "\"Bin\"=hex:01,ff,\\\r\n  10\r\n"
                             "\"Exp\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                             "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                             "\"Big\"=hex(5):00,00,00,2a\r\n";
    const Tree t = parseRegText(text);
    struct Case {
        const char* name;
        uint32_t type;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"", 1, bytes("dllfile")},   {"Quote", 1, bytes("say \"hi\" C:\\x")},
        {"Num", 4, {0x2a, 0, 0, 0}}, {"Bin", 3, {0x01, 0xff, 0x10}},
        {"Exp", 2, bytes("%A%")},    {"Multi", 7, {'a', 0, 'b', 0, 0}},
        {"Big", 5, {0, 0, 0, 0x2a}},
    };
    for (const auto& c : cases) {
        const Value* v = valueAt(t, Hive::ClassesRoot, {".dll"}, c.name);
        ASSERT_NE(v, nullptr) << c.name;
        EXPECT_EQ(v->type, c.type) << c.name;
        EXPECT_EQ(v->data, c.data) << c.name;
    }
}

TEST(RegText, DeletesKeysAndValuesWithMinusForms) {
    Tree t = parseRegText("Windows Registry Editor Version 5.00\n[HKCU\\a\\b]\n\"x\"=\"1\"\n\"y\"=\"2\"\n");
    applyRegText("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\a\\b]\n\"x\"=-\n", t);
    EXPECT_EQ(valueAt(t, Hive::CurrentUser, {"a", "b"}, "x"), nullptr);
    EXPECT_NE(valueAt(t, Hive::CurrentUser, {"a", "b"}, "y"), nullptr);
    applyRegText("Windows Registry Editor Version 5.00\n[-HKEY_CURRENT_USER\\a]\n\"z\"=\"ignored\"\n", t);
    EXPECT_EQ(t.find(Hive::CurrentUser, {"a"}), nullptr);
}

TEST(RegText, KeyNamesIgnoreCaseButKeepTheirSpelling) {
    const Tree t = parseRegText(
        "REGEDIT4\n[HKEY_CLASSES_ROOT\\TypeLib\\{AB}]\n[hkey_classes_root\\typelib\\{ab}\\1.0]\n");
    const Key* lib = t.find(Hive::ClassesRoot, {"TYPELIB", "{Ab}"});
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->name, "{AB}");
    EXPECT_EQ(lib->subkeys.size(), 1u);
}

TEST(RegText, AcceptsUtf16WithByteOrderMark) {
    const std::string utf8 = "Windows Registry Editor Version 5.00\r\n[HKCR\\k]\r\n@=\"M\xC3\xBCller\"\r\n";
    std::string utf16 = "\xFF\xFE";
    // Every character of this text is below U+0100 apart from the u-umlaut's two UTF-8 bytes.
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\xC3') {
            utf16 += '\xFC';
            utf16 += '\0';
            ++i;
        } else {
            utf16 += utf8[i];
            utf16 += '\0';
        }
    }
    const Tree t = parseRegText(utf16);
    const Value* v = valueAt(t, Hive::ClassesRoot, {"k"}, "");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->data, bytes("M\xC3\xBCller"));
}

TEST(RegText, RejectsMalformedText) {
    const char* cases[] = {
        "",
        "hello\n",
        "REGEDIT4\n\"x\"=\"outside a key\"\n",
        "REGEDIT4\n[HKEY_NOWHERE\\a]\n",
        "REGEDIT4\n[HKCR\\a\n",
        "REGEDIT4\n[HKCR\\\\a]\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=dword:123456789\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=hex:1,2\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=hex:01,\\\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=\"open\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=\"a\" trailing\n",
        "REGEDIT4\n[HKCR\\a]\nname=\"x\"\n",
        "REGEDIT4\n[HKCR\\a]\n\"x\"=hex(zz):00\n",
    };
    std::string tooDeep = "REGEDIT4\n[HKCR";
    for (size_t i = 0; i <= kMaxKeyDepth; ++i) {
        tooDeep += "\\k";
    }
    EXPECT_THROW(parseRegText(tooDeep + "]\n"), RegParseError);
    for (const char* text : cases) {
        EXPECT_THROW(parseRegText(text), RegParseError) << text;
    }
}

TEST(RegText, WritesRegeditForms) {
    Tree t;
    Key& k = t.create(Hive::ClassesRoot, {"k"});
    k.setValue({"", 1, bytes("a\"b\\c")});
    k.setValue({"n", 4, {0x78, 0x56, 0x34, 0x12}});
    k.setValue({"e", 2, bytes("%X%")});
    k.setValue({"raw", 1, bytes("no nul", false)});
    const std::string expected = "Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_CLASSES_ROOT\\k]\r\n"
                                 "@=\"a\\\"b\\\\c\"\r\n"
                                 "\"n\"=dword:12345678\r\n"
                                 "\"e\"=hex(2):25,00,58,00,25,00,00,00\r\n"
                                 "\"raw\"=hex(1):6e,00,6f,00,20,00,6e,00,75,00,6c,00\r\n"
                                 "\r\n";
    EXPECT_EQ(formatRegText(t), expected);
}

TEST(RegText, WrittenTreeReadsBackEqual) {
    Tree t = seededTree();
    Key& k = t.create(Hive::LocalMachine, {"Software", "Deep", "Er"});
    std::vector<uint8_t> big(300);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<uint8_t>(i);
    }
    k.setValue({"big", 3, big});
    k.setValue({"empty", 3, {}});
    k.setValue({"multi", 7, {'x', 0, 'y', 0, 0}});
    k.setValue({"odd dword", 4, {1, 2}});
    k.setValue({"line\tbreak", 1, bytes("a\r\nb")});
    EXPECT_EQ(parseRegText(formatRegText(t)), t);
}
