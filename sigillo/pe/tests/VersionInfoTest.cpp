#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "Fixtures.h"
#include "pe/VersionInfo.h"

using namespace sigillo::pe;

// Expected values come from the fixtures' .rc sources (fixtures/src).
TEST(VersionInfo, ReadsTheFixedRecord) {
    struct Case {
        const char* file;
        uint32_t fvMS, fvLS, pvMS, pvLS, flags, os, type, subtype;
    } cases[] = {
        {"demo32.dll", 0x00010002, 0x9C400004, 0x00020005, 0x0000FFFF, 0x23, 0x40004, 2, 0},
        {"demo64.dll", 0x00010000, 0x00000007, 0x00010000, 0, 0, 0x40004, 2, 0},
        {"versiononly.ocx", 0x00030001, 0, 0x00030001, 0, 0x1C, 0x10001, 1, 0},
        {"font.dll", 0x00000001, 0x00000030, 0x00000001, 0x00000030, 0, 0x4, 4, 3},
        {"driver.dll", 0x00050000, 0x8000FFFF, 0x00050000, 0, 0x3F, 0x10004, 3, 9},
        {"app.exe", 0x00040000, 0x00010002, 0x00040000, 0x00010002, 0, 0x30003, 1, 0},
    };
    for (const auto& c : cases) {
        const auto block = GetFileVersionInfo(fixture(c.file));
        ASSERT_GT(block.size(), 92u) << c.file;
        EXPECT_EQ(GetFileVersionInfoSize(fixture(c.file)), block.size());
        const auto fixed = QueryFixedFileInfo(block);
        ASSERT_TRUE(fixed) << c.file;
        EXPECT_EQ(fixed->strucVersion, 0x00010000u);
        EXPECT_EQ(fixed->fileVersionMS, c.fvMS) << c.file;
        EXPECT_EQ(fixed->fileVersionLS, c.fvLS) << c.file;
        EXPECT_EQ(fixed->productVersionMS, c.pvMS) << c.file;
        EXPECT_EQ(fixed->productVersionLS, c.pvLS) << c.file;
        EXPECT_EQ(fixed->fileFlags, c.flags) << c.file;
        EXPECT_EQ(fixed->fileOS, c.os) << c.file;
        EXPECT_EQ(fixed->fileType, c.type) << c.file;
        EXPECT_EQ(fixed->fileSubtype, c.subtype) << c.file;
    }
}

TEST(VersionInfo, FilesWithoutAVersionResourceGiveNothing) {
    for (const char* f : {"plain32.dll", "demo.tlb", "no-such-file.dll", "src"}) {
        EXPECT_EQ(GetFileVersionInfoSize(fixture(f)), 0u) << f;
        EXPECT_FALSE(QueryFixedFileInfo(GetFileVersionInfo(fixture(f)))) << f;
    }
}

TEST(VersionInfo, ScanFindsTheFirstOccurrenceOfAKeyInAnyTable) {
    struct Case {
        const char* file;
        const char* key;
        const char* value;
    } cases[] = {
        {"demo32.dll", "CompanyName", "Example Co"},
        {"demo32.dll", "companyname", "Example Co"},
        {"demo32.dll", "ProductVersion", "2.5"},
        {"demo32.dll", "OriginalFilename", "demo32.dll"},
        {"demo32.dll", "OriginalFileName", "demo32.dll"},
        {"demo32.dll", "Comments", ""},
        {"demo64.dll", "LegalTrademarks", "Demo\xE2\x84\xA2"},
        {"demo64.dll", "Comments", "64-bit build"},
        {"versiononly.ocx", "CompanyName", "Beispiel GmbH M\xC3\xBCller"},
        {"versiononly.ocx", "Comments", "Erste Tabelle"},
        {"versiononly.ocx", "FileDescription", "English only"},
        {"versiononly.ocx", "LegalTrademarks", ""},
        {"versiononly.ocx", "InternalName", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScanVersionString(GetFileVersionInfo(fixture(c.file)), c.key), c.value)
            << c.file << " " << c.key;
    }
}

TEST(VersionInfo, ScanStopsAtTheEndOfAShortBlock) {
    // "Ab" NUL "xy" with no terminating NUL: the value runs to the block's end.
    const std::vector<uint8_t> block = {'A', 0, 'b', 0, 0, 0, 'x', 0, 'y', 0};
    EXPECT_EQ(ScanVersionString(block, "ab"), "xy");
    const std::vector<uint8_t> odd = {'A', 0, 'b'};
    EXPECT_EQ(ScanVersionString(odd, "ab"), "");
}

TEST(VersionInfo, OfSeveralLanguagesTheEnglishUnitedStatesResourceIsRead) {
    // multilang.dll lists Arabic, German, English (UK) and English (US), in
    // this order; each carries its own build number and product name.
    const auto block = GetFileVersionInfo(fixture("multilang.dll"));
    const auto fixed = QueryFixedFileInfo(block);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->fileVersionLS, 0x00000004u);
    EXPECT_EQ(ScanVersionString(block, "ProductName"), "Wine");
    EXPECT_EQ(ScanVersionString(block, "FileDescription"), "Library");
}

TEST(VersionInfo, FifoIsNotOpenedForReading) {
    // Opening a FIFO for reading waits for a writer: the reader must not.
    const std::string fifo = testing::TempDir() + "/fifo-" + std::to_string(::getpid()) + ".dll";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(GetFileVersionInfoSize(fifo), 0u);
    ::unlink(fifo.c_str());
}
