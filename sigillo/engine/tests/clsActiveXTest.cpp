#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "FakeUi.h"
#include "Fixtures.h"
#include "TempStore.h"
#include "engine/clsActiveX.h"
#include "pe/VersionInfo.h"

using namespace sigillo;

namespace {

constexpr const char* kGuid = "{12345678-9ABC-DEF0-1234-56789ABCDEF0}";
constexpr const char* kLibKey = "TypeLib\\{12345678-9ABC-DEF0-1234-56789ABCDEF0}";

// One line per row: "[caption]" for headers, "caption|text" for data rows.
std::vector<std::string> lines(const clsGrid& grid) {
    std::vector<std::string> out;
    for (const auto& row : grid.RowData()) {
        out.push_back(row.header ? "[" + row.cells[0].text + "]"
                                 : row.cells[0].text + "|" + row.cells[1].text);
    }
    return out;
}

void registerVersion(const std::string& version, const std::string& name, const std::string& path,
                     const std::string& localeAndPlatform = "0\\win32") {
    clsRegistry r;
    r.setClassKey(kClassesRoot);
    r.setValueType(1);
    r.setSectionKey(std::string(kLibKey) + "\\" + version);
    r.setValue(name);
    r.setSectionKey(std::string(kLibKey) + "\\" + version + "\\" + localeAndPlatform);
    r.setValue(path);
}

const std::vector<std::string> kDemo32FileInfo = {
    "[File Info]",
    "CompanyName: |Example Co",
    "FileDescription: |Demo component",
    "InternalName: |demo32",
    "LegalCopyright: |(c) 2026 Example Co",
    "LegalTrademarks: |",
    "OriginalFileName: |demo32.dll",
    "ProductName: |Demo Suite",
    "ProductVersion: |2.5",
    "Comments: |",
    "[Extended File Info]",
    "Type: |DLL",
    "SubType: |",
    "Version: |1.2.-25536.4",
    "Product Version: |2.5.0.-1",
    "OS: |NT-Win32",
    "Structure Version: |1.0",
    "Flags: |Debug PreRel Special ",
};

const std::vector<std::string> kDemo32TypeLib = {
    "[TypeLib Info]",
    "TypeLib Name:|DemoLib (Demo Type Library for fixtures)",
    std::string("GUID:|") + kGuid,
    "Version:|2.5",
};

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

class ClsActiveX : public ::testing::Test {
protected:
    ClsActiveX() : activeX(ui) { activeX.Init(info, comparison); }
    TempStore store;
    FakeUi ui;
    clsGrid info, comparison;
    clsActiveX activeX;
};

} // namespace

TEST_F(ClsActiveX, UnregisteredLibrary) {
    activeX.setFileName(fixture("demo32.dll"));
    activeX.DisplayInfo();
    EXPECT_EQ(lines(info), joined({kDemo32TypeLib, {"Registered|No"}, kDemo32FileInfo}));
}

TEST_F(ClsActiveX, RegisteredInItsOwnVersionOnly) {
    registerVersion("2.5", "DemoLib", "C:\\demo32.dll");
    activeX.setFileName(fixture("demo32.dll"));
    activeX.DisplayInfo();
    EXPECT_EQ(lines(info),
              joined({kDemo32TypeLib, {"Registered|Yes", "Path: |C:\\demo32.dll"}, kDemo32FileInfo}));
}

// A 64-bit registration writes only "0\\win64"; a library registered for one
// language writes under that locale. The path is found either way.
TEST_F(ClsActiveX, PathIsFoundUnderWin64AndOtherLocales) {
    for (const char* where : {"0\\win64", "409\\win32", "409\\win64"}) {
        TempStore own;
        registerVersion("2.5", "DemoLib", "C:\\windows\\system32\\demo.dll", where);
        activeX.setFileName(fixture("demo32.dll"));
        activeX.DisplayInfo();
        EXPECT_EQ(lines(info), joined({kDemo32TypeLib,
                                       {"Registered|Yes", "Path: |C:\\windows\\system32\\demo.dll"},
                                       kDemo32FileInfo}))
            << where;
    }
    // "FLAGS" and "HELPDIR" are no locales.
    TempStore own;
    registerVersion("2.5", "DemoLib", "C:\\flags", "FLAGS\\win32");
    activeX.DisplayInfo();
    EXPECT_EQ(lines(info), joined({kDemo32TypeLib, {"Registered|Yes", "Path: |"}, kDemo32FileInfo}));
}

TEST_F(ClsActiveX, OtherRegisteredVersionsAreListed) {
    registerVersion("1.0", "DemoLib old", "C:\\old\\demo.dll");
    registerVersion("2.5", "DemoLib", "C:\\demo32.dll");
    activeX.setFileName(fixture("demo32.dll"));
    activeX.DisplayInfo();
    EXPECT_EQ(lines(info), joined({kDemo32TypeLib,
                                   {"Registered|Yes", "Path: |C:\\demo32.dll", "[Other Versions Found!]",
                                    "TypeLib Name:|DemoLib old", "Version:|1.0", "Path: |C:\\old\\demo.dll"},
                                   kDemo32FileInfo}));
}

TEST_F(ClsActiveX, OwnVersionMissingButAnotherRegistered) {
    registerVersion("1.0", "DemoLib old", "C:\\old\\demo.dll");
    activeX.setFileName(fixture("demo32.dll"));
    activeX.DisplayInfo();
    EXPECT_EQ(lines(info), joined({kDemo32TypeLib,
                                   {"Registered|No", "[Other Versions Found!]", "TypeLib Name:|DemoLib old",
                                    "Version:|1.0", "Path: |C:\\old\\demo.dll"},
                                   kDemo32FileInfo}));
}

TEST_F(ClsActiveX, VersionKeyInComSpellingIsFoundToo) {
    // HelpLib 10.3 registered as COM writes it: "a.3".
    clsRegistry r;
    r.setClassKey(kClassesRoot);
    r.setValueType(1);
    r.setSectionKey("TypeLib\\{0FEDCBA9-8765-4321-ABCD-0123456789AB}\\a.3\\0\\win32");
    r.setValue(std::string("C:\\help.tlb"));
    activeX.setFileName(fixture("helpdll.tlb"));
    activeX.DisplayInfo();
    const auto rows = lines(info);
    ASSERT_GE(rows.size(), 6u);
    EXPECT_EQ(rows[3], "Version:|10.3");
    EXPECT_EQ(rows[4], "Registered|Yes");
    EXPECT_EQ(rows[5], "Path: |C:\\help.tlb");
    EXPECT_EQ(rows[6], "[File Info]");
}

TEST_F(ClsActiveX, FileWithoutTypeLibraryShowsOnlyFileSections) {
    struct Case {
        const char* file;
        size_t rows;
        const char* firstRow;
    } cases[] = {{"versiononly.ocx", 18, "[File Info]"}, {"missing.dll", 18, "[File Info]"}};
    for (const auto& c : cases) {
        activeX.setFileName(fixture(c.file));
        activeX.DisplayInfo();
        const auto rows = lines(info);
        ASSERT_EQ(rows.size(), c.rows) << c.file;
        EXPECT_EQ(rows[0], c.firstRow);
        EXPECT_EQ(rows[10], "[Extended File Info]");
    }
    EXPECT_EQ(lines(info)[1], "CompanyName: |");
}

TEST_F(ClsActiveX, ComparingAFileWithItselfFindsThemIdentical) {
    registerVersion("2.5", "DemoLib", "C:\\demo32.dll");
    activeX.setFirstFilename(fixture("demo32.dll"));
    EXPECT_FALSE(activeX.BothSelected());
    activeX.setSecondFilename(fixture("demo.tlb"));
    EXPECT_TRUE(activeX.BothSelected());
    activeX.DoComparison();
    const std::vector<std::string> side = {"TypeLib Name:|DemoLib (Demo Type Library for fixtures)",
                                           std::string("GUID:|") + kGuid, "Version:|2.5", "Registered|Yes",
                                           "Registered Path:|C:\\demo32.dll"};
    EXPECT_EQ(lines(comparison),
              joined({{"[Comparison Result]", "The Files Are Identically!|", "[First File TypeLib Info]"},
                      side,
                      {"[Second File TypeLib Info]"},
                      side}));
}

TEST_F(ClsActiveX, DifferentVersionsCompareAsDifferent) {
    activeX.setFirstFilename(fixture("demo32.dll"));
    activeX.setSecondFilename(fixture("demo64.dll"));
    activeX.DoComparison();
    EXPECT_EQ(lines(comparison),
              (std::vector<std::string>{
                  "[Comparison Result]", "The Files Are Diferent!|", "[First File TypeLib Info]",
                  "TypeLib Name:|DemoLib (Demo Type Library for fixtures)", std::string("GUID:|") + kGuid,
                  "Version:|2.5", "Registered|No", "[Second File TypeLib Info]",
                  "TypeLib Name:|DemoLib (Demo Type Library, first release)", std::string("GUID:|") + kGuid,
                  "Version:|1.0", "Registered|No"}));
}

TEST_F(ClsActiveX, ComparisonWithAFileWithoutTypeLibraryShowsOneMessage) {
    for (const auto& [first, second] :
         {std::pair{"demo32.dll", "versiononly.ocx"}, {"plain32.dll", "demo32.dll"}}) {
        activeX.setFirstFilename(fixture(first));
        activeX.setSecondFilename(fixture(second));
        activeX.DoComparison();
        ASSERT_EQ(comparison.Rows(), 1);
        EXPECT_EQ(comparison.TextMatrix(0, 0), "One of the selected files are not a valid ActiveX files!");
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ClsActiveX, ComparisonNeedsTwoFiles) {
    comparison.AddRow("kept", "as it was");
    activeX.setFirstFilename(fixture("demo32.dll"));
    activeX.DoComparison();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "You must select two files!");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(lines(comparison), std::vector<std::string>{"kept|as it was"});
}

TEST_F(ClsActiveX, CutVersionResourceIsSaidToBeCut) {
    // versiononly.ocx cut in the middle of its version block: the strings
    // that remain are shown, with a word that the resource is incomplete.
    const std::vector<uint8_t> whole = fixtureBytes("versiononly.ocx");
    const std::vector<uint8_t> block = pe::VersionBlockOf(whole);
    ASSERT_GT(block.size(), 200u);
    const auto at = std::search(whole.begin(), whole.end(), block.begin(), block.end());
    ASSERT_NE(at, whole.end());
    const std::string cut = store.dir() + "/cut.dll";
    std::ofstream(cut, std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), (at - whole.begin()) + 200);
    activeX.setFileName(cut);
    activeX.DisplayInfo();
    const auto rows = lines(info);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "[File Info]");
    EXPECT_EQ(rows[1], std::string("Warning: |") + kVersionResourceCut);

    activeX.setFileName(fixture("versiononly.ocx"));
    activeX.DisplayInfo();
    for (const auto& row : lines(info)) {
        EXPECT_FALSE(row.starts_with("Warning")) << row;
    }
}
