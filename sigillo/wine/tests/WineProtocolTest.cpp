// The Wine back-end's own rules that need no Wine: the line protocol's text
// escapes, the export's UTF-16 decoding, the Windows paths of files and the
// choice of the prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "wine/RegistryExport.h"
#include "wine/Wine.h"
#include "wine/WinePrefix.h"
#include "wine/WineRegistration.h"
#include "wine/WineRegistry.h"

namespace {

using namespace sigillo::wine;

TEST(WineProtocol, FieldsEscapeTheirSeparatorsAndComeBackWhole) {
    const struct {
        std::string text, escaped;
    } cases[] = {
        {"plain", "plain"},
        {"a\tb", "a\\tb"},
        {"line\nnext\r", "line\\nnext\\r"},
        {"C:\\windows", "C:\\\\windows"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeField(c.text), c.escaped);
        std::string back;
        ASSERT_TRUE(UnescapeField(c.escaped, back));
        EXPECT_EQ(back, c.text);
    }
    std::string ignored;
    for (const char* bad : {"ends\\", "\\x", "a\\0"}) {
        EXPECT_FALSE(UnescapeField(bad, ignored)) << bad;
    }
}

TEST(WineProtocol, Utf16ExportBecomesUtf8Lines) {
    const struct {
        std::string utf16le, utf8;
    } cases[] = {
        {std::string("\xFF\xFE"
                     "A\0\r\0\n\0",
                     8),
         "A\n"},
        {std::string("\xFC\0", 2), "\xC3\xBC"},                   // ü
        {std::string("\x13\x27", 2), "\xE2\x9C\x93"},             // ✓
        {std::string("\x3D\xD8\x00\xDE", 4), "\xF0\x9F\x98\x80"}, // a surrogate pair
        {std::string("\x3D\xD8"
                     "A\0",
                     4),
         "\xEF\xBF\xBD"
         "A"},                            // a lone high surrogate
        {std::string("B\0\x01", 3), "B"}, // an odd last byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16LeToUtf8Lines(c.utf16le), c.utf8);
    }
}

TEST(WineProtocol, FilesOfTheDriveCAreOnCOthersOnZ) {
    EXPECT_EQ(WindowsPath("/p", "/p/drive_c/windows/system32/a.dll"), "C:\\windows\\system32\\a.dll");
    EXPECT_EQ(WindowsPath("/p", "/tmp/x y/a.dll"), "Z:\\tmp\\x y\\a.dll");
    EXPECT_EQ(WindowsPath("/p", "/p/drive_cx/a.dll"), "Z:\\p\\drive_cx\\a.dll");
    EXPECT_EQ(WindowsPath("/p/", "/p/drive_c/../a.dll"), "Z:\\p\\a.dll");
}

TEST(WineProtocol, OnlyImagesWithBothSignaturesArePe) {
    const std::string folder = ::testing::TempDir();
    auto write = [&](const char* name, const std::string& bytes) {
        const std::string path = folder + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    std::string pe(0x48, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[60] = 0x40;
    std::string dosOnly = pe;
    pe.replace(0x40, 4, std::string("PE\0\0", 4));
    std::string farPointer = pe;
    farPointer[62] = 0x7F; // the header pointer leads past the end
    EXPECT_TRUE(IsPeImage(write("pe.dll", pe)));
    EXPECT_FALSE(IsPeImage(write("dos.exe", dosOnly)));
    EXPECT_FALSE(IsPeImage(write("far.dll", farPointer)));
    EXPECT_FALSE(IsPeImage(write("elf.so", "\x7F"
                                           "ELF")));
    EXPECT_FALSE(IsPeImage(folder + "missing.dll"));
}

class PrefixChoice : public ::testing::Test {
protected:
    void SetUp() override {
        store_ = ::testing::TempDir() + "wine-choice.reg";
        std::remove(store_.c_str());
        saved("SIGILLO_REGISTRY", previousStore_);
        saved("WINEPREFIX", previousPrefix_);
        ::setenv("SIGILLO_REGISTRY", store_.c_str(), 1);
        ::unsetenv("WINEPREFIX");
    }
    void TearDown() override {
        restore("SIGILLO_REGISTRY", previousStore_);
        restore("WINEPREFIX", previousPrefix_);
        std::remove(store_.c_str());
    }

private:
    static void saved(const char* name, std::optional<std::string>& into) {
        if (const char* v = std::getenv(name)) {
            into = v;
        }
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    std::string store_;
    std::optional<std::string> previousStore_, previousPrefix_;
};

TEST_F(PrefixChoice, FlagThenEnvironmentThenSetting) {
    EXPECT_EQ(ChoosePrefix(std::nullopt), "");
    SavePrefix("/saved");
    EXPECT_EQ(SavedPrefix(), "/saved");
    EXPECT_EQ(ChoosePrefix(std::nullopt), "/saved");
    ::setenv("WINEPREFIX", "/environment", 1);
    EXPECT_EQ(ChoosePrefix(std::nullopt), "/environment");
    EXPECT_EQ(ChoosePrefix(std::string("/flag")), "/flag");
    EXPECT_EQ(ChoosePrefix(std::string()), "") << "an empty flag chooses the .reg store";
    SavePrefix("");
    ::unsetenv("WINEPREFIX");
    EXPECT_EQ(ChoosePrefix(std::nullopt), "");
}

TEST_F(PrefixChoice, APrefixInUseIsAbsoluteAndReachesWine) {
    const std::string here = std::filesystem::current_path().string();
    UsePrefix("wine/../prefix");
    EXPECT_EQ(PrefixInUse(), here + "/prefix");
    EXPECT_EQ(std::string(std::getenv("WINEPREFIX")), here + "/prefix");
    UsePrefix("");
    EXPECT_EQ(PrefixInUse(), "");
}

} // namespace
