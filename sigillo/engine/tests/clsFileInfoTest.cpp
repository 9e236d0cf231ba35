#include <gtest/gtest.h>

#include "Fixtures.h"
#include "engine/clsFileInfo.h"

using namespace sigillo;

namespace {

// The sixteen fields in declaration order.
std::vector<std::string> fields(const clsFileInfo& f) {
    return {f.CompanyName,     f.FileDescription,  f.InternalName, f.LegalCopyright,
            f.LegalTrademarks, f.OriginalFileName, f.ProductName,  f.ProductVersion,
            f.Comments,        f.StrucVerEx,       f.FileVerEx,    f.ProdVerEx,
            f.FileFlagsEx,     f.FileOSEx,         f.FileTypeEx,   f.FileSubTypeEx};
}

} // namespace

// Expected texts come from the fixtures' .rc sources by the text rules.
TEST(ClsFileInfo, SelectFileFillsTheSixteenTexts) {
    struct Case {
        const char* file;
        std::vector<std::string> expected;
    } cases[] = {
        {"demo32.dll",
         {"Example Co", "Demo component", "demo32", "(c) 2026 Example Co", "", "demo32.dll", "Demo Suite",
          "2.5", "", "1.0", "1.2.-25536.4", "2.5.0.-1", "Debug PreRel Special ", "NT-Win32", "DLL", ""}},
        {"driver.dll",
         {"", "Sound driver", "", "", "", "", "", "", "", "1.0", "5.0.-32768.-1", "5.0.0.0",
          "Debug PreRel Patched Private Info Special ", "DOS-Win32", "Driver", "Sound drv"}},
        {"font.dll",
         {"", "Font resource", "", "", "", "", "", "", "", "1.0", "0.1.0.48", "0.1.0.48", "", "Unknown",
          "Font", "TrueType Font"}},
        {"versiononly.ocx",
         {"Beispiel GmbH M\xC3\xBCller", "English only", "", "", "", "", "Nur Version", "", "Erste Tabelle",
          "1.0", "3.1.0.0", "3.1.0.0", "Patched Private Info ", "DOS-Win16", "App", ""}},
        {"app.exe",
         {"", "", "app", "", "", "", "Demo Server", "", "", "1.0", "4.0.1.2", "4.0.1.2", "", "OS/2-16 PM-32",
          "App", ""}},
        {"plain32.dll", std::vector<std::string>(16)},
        {"missing.dll", std::vector<std::string>(16)},
    };
    for (const auto& c : cases) {
        clsFileInfo info;
        info.CompanyName = "stale";
        info.SelectFile(fixture(c.file));
        EXPECT_EQ(fields(info), c.expected) << c.file;
    }
}
