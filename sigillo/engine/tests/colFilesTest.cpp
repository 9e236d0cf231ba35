#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempStore.h"
#include "engine/colFiles_Vantor.h"

using namespace sigillo;
namespace fs = std::filesystem;

namespace {

class FakeBar : public ProgressBar {
public:
    void setMin(int v) override { min = v; }
    void setMax(int v) override { max = v; }
    void setValue(int v) override { val = v; }
    int value() const override { return val; }
    void refresh() override { ++refreshes; }
    int min = -1, max = -1, val = -1, refreshes = 0;
};

class ColFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* dir : {"sub/deeper", "a.b", "zz"}) {
            fs::create_directories(root() + dir);
        }
        for (const char* file :
             {"b.dll", "A.OCX", "notes", "sub/s.dll", "sub/deeper/d.exe", "a.b/file", "zz/z.txt"}) {
            std::ofstream(root() + file) << "x";
        }
    }
    std::string root() const { return tmp.dir() + "/"; }
    std::vector<std::string> names(const colFiles_Vantor& files) const {
        std::vector<std::string> out;
        for (const clsFile_Vantor* f : files.NewEnum()) {
            out.push_back(f->sFileName().substr(root().size()));
        }
        return out;
    }
    TempStore tmp;
};

} // namespace

TEST_F(ColFiles, RecursiveListingPutsSubfoldersFirst) {
    colFiles_Vantor files;
    files.LoadFiles(root() + "*.*", true);
    EXPECT_EQ(names(files), (std::vector<std::string>{"a.b/file", "sub/deeper/d.exe", "sub/s.dll", "zz/z.txt",
                                                      "A.OCX", "b.dll", "notes"}));
}

TEST_F(ColFiles, ListingOrderIgnoresCaseAsNtfsDoes) {
    // By bytes "C" < "_" < "a"; by upper-case form "a" (A) < "C" < "_".
    const std::string dir = root() + "order/";
    fs::create_directories(dir);
    for (const char* file : {"_x.dll", "C.dll", "a.dll", "b.DLL"}) {
        std::ofstream(dir + file) << "x";
    }
    colFiles_Vantor files;
    files.LoadFiles(dir + "*.*", false);
    EXPECT_EQ(names(files),
              (std::vector<std::string>{"order/a.dll", "order/b.DLL", "order/C.dll", "order/_x.dll"}));
}

TEST_F(ColFiles, FlatListingHoldsOnlyTheFolderOwnMatchingFiles) {
    colFiles_Vantor files;
    struct Case {
        const char* pattern;
        std::vector<std::string> expected;
    } cases[] = {
        {"*.*", {"A.OCX", "b.dll", "notes"}},
        {"*.dll", {"b.dll"}},
        {"*.ocx", {"A.OCX"}},
        {"?.DLL", {"b.dll"}},
        {"no*", {"notes"}},
        {"*.none", {}},
    };
    for (const auto& c : cases) {
        files.LoadFiles(root() + c.pattern, false);
        EXPECT_EQ(names(files), c.expected) << c.pattern;
    }
}

TEST_F(ColFiles, MissingFolderGivesNothing) {
    colFiles_Vantor files;
    files.LoadFiles(root() + "nowhere/*.*", true);
    EXPECT_EQ(files.Count(), 0);
}

TEST_F(ColFiles, ProgressCountsMatchingEntriesPlusOne) {
    colFiles_Vantor files;
    FakeBar bar;
    files.LoadFiles(root() + "*.*", false, &bar);
    // ".", "..", a.b, sub, zz, A.OCX, b.dll, notes match "*.*": 8 entries, plus one.
    EXPECT_EQ(bar.min, 0);
    EXPECT_EQ(bar.max, 9);
    EXPECT_EQ(bar.val, 3);
    EXPECT_EQ(bar.refreshes, 3);
}

TEST_F(ColFiles, KeyedAddRemoveAndItem) {
    colFiles_Vantor files;
    ASSERT_NE(files.Add("/x/one.dll"), nullptr);
    ASSERT_NE(files.Add("/x/two.dll", "second"), nullptr);
    EXPECT_EQ(files.Add("/x/other.dll", "SECOND"), nullptr);
    EXPECT_EQ(files.Add("/X/ONE.DLL"), nullptr);
    EXPECT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Item(2)->sFileName(), "/x/two.dll");
    EXPECT_EQ(files.Item("second")->sFileName(), "/x/two.dll");
    EXPECT_EQ(files.Item(3), nullptr);
    EXPECT_EQ(files.Item(0), nullptr);
    files.Remove("/x/one.dll");
    EXPECT_EQ(files.Count(), 1);
    files.Remove(1);
    EXPECT_EQ(files.Count(), 0);
}

TEST_F(ColFiles, SecondLoadReplacesTheFirst) {
    colFiles_Vantor files;
    files.LoadFiles(root() + "*.*", true);
    files.LoadFiles(root() + "sub/*.*", false);
    EXPECT_EQ(names(files), std::vector<std::string>{"sub/s.dll"});
    files.Clear();
    EXPECT_EQ(files.Count(), 0);
}

TEST(ClsFileVantor, SplitsPathsByTheLastSeparatorAndDot) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
        const char* nameAndExtension;
    } cases[] = {
        {"C:\\dir\\file.dll", "C:\\dir\\", "file", "dll", "file.dll"},
        {"/srv/lib/x.tar.gz", "/srv/lib/", "x.tar", "gz", "x.tar.gz"},
        {"C:\\a.b\\file", "C:\\a.b\\", "file", "", "file"},
        {"/a.b/file", "/a.b/", "file", "", "file"},
        {"/dir/.hidden", "/dir/", "", "hidden", "hidden"},
        {"plain", "", "plain", "", "plain"},
        {"/dir/", "/dir/", "", "", ""},
    };
    for (const auto& c : cases) {
        const clsFile_Vantor f(c.path);
        EXPECT_EQ(f.sPath(), c.folder) << c.path;
        EXPECT_EQ(f.sName(), c.name) << c.path;
        EXPECT_EQ(f.sExtension(), c.extension) << c.path;
        EXPECT_EQ(f.sNameAndExtension(), c.nameAndExtension) << c.path;
        EXPECT_EQ(f.sShortName(), c.path);
        EXPECT_EQ(f.sExpandedName(), c.path);
        EXPECT_EQ(f.sDriveLetter(), "");
    }
}

TEST(ClsFileVantor, NetworkPathTests) {
    struct Case {
        const char* path;
        bool unc, server, serverShare, network;
        const char* root;
    } cases[] = {
        {"//server", true, true, false, true, "//server/"},
        {"//server/share", true, false, true, true, "//server/share/"},
        {"\\\\server\\share\\dir\\f.dll", true, false, false, true, "\\\\server\\share\\"},
        {"/tmp/local.dll", false, false, false, false, "/"},
        {"C:\\x\\y.dll", false, false, false, false, "C:\\"},
    };
    for (const auto& c : cases) {
        const clsFile_Vantor f(c.path);
        EXPECT_EQ(f.bUNC(), c.unc) << c.path;
        EXPECT_EQ(f.bUNCServer(), c.server) << c.path;
        EXPECT_EQ(f.bUNCServerShare(), c.serverShare) << c.path;
        EXPECT_EQ(f.bNetworkPath(), c.network) << c.path;
        EXPECT_EQ(f.sPathRoot(), c.root) << c.path;
    }
}

TEST(ClsFileVantor, FileFactsOfAnExistingAndAMissingFile) {
    TempStore tmp;
    const std::string path = tmp.dir() + "/f.dll";
    std::ofstream(path) << "12345";
    const clsFile_Vantor f(path);
    EXPECT_EQ(f.lSize(), 5);
    EXPECT_EQ(f.eAttributes() & kAttrDirectory, 0u);
    EXPECT_TRUE(f.dLastModified());
    EXPECT_TRUE(f.dCreated());
    EXPECT_TRUE(f.dLastAccessed());
    EXPECT_GE(f.dLastModified()->year, 2020);
    EXPECT_NE(f.lVolumeSerialNo(), 0u);
    clsFile_Vantor writable(path);
    writable.seteAttributes(kAttrReadOnly);
    EXPECT_EQ(writable.eAttributes() & kAttrReadOnly, kAttrReadOnly);
    writable.seteAttributes(kAttrNormal);
    EXPECT_EQ(writable.eAttributes() & kAttrReadOnly, 0u);

    const clsFile_Vantor missing(tmp.dir() + "/none");
    EXPECT_EQ(missing.lSize(), 0);
    EXPECT_EQ(missing.eAttributes(), kInvalidAttributes);
    EXPECT_FALSE(missing.dLastModified());
    EXPECT_EQ(missing.lVolumeSerialNo(), 0u);
    EXPECT_FALSE(missing.bFixedDisk());
    EXPECT_EQ(missing.eVolumeType(), 1u);
}
