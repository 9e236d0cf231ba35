#include "engine/clsActiveX.h"

#include <cstdio>
#include <optional>

#include "registry/RegistryStore.h"
#include "text/AsciiCase.h"

namespace sigillo {

struct clsActiveX::LibFacts {
    bool registered = false;
    std::string path;
    std::string version;
    std::string guid;
    std::string name;
};

namespace {

std::string decimalVersion(const typelib::TypeLibInfo& lib) {
    return std::to_string(lib.major) + "." + std::to_string(lib.minor);
}

// COM itself writes the version key in hexadecimal ("a.0" for 10.0); for
// versions below 10 both spellings agree.
std::string hexVersion(const typelib::TypeLibInfo& lib) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%x.%x", lib.major, lib.minor);
    return buf;
}

std::string nameText(const typelib::TypeLibInfo& lib) {
    return lib.name + " (" + lib.helpString + ")";
}

// The key of the library's version as registered: the decimal spelling the
// report has always used, else COM's hexadecimal one.
std::string registeredVersionKey(clsRegistry& registry, const std::string& libKey,
                                 const typelib::TypeLibInfo& lib, bool& found) {
    for (const std::string& version : {decimalVersion(lib), hexVersion(lib)}) {
        registry.setSectionKey(libKey + "\\" + version);
        if (registry.KeyExists()) {
            found = true;
            return libKey + "\\" + version;
        }
    }
    found = false;
    return libKey + "\\" + decimalVersion(lib);
}

} // namespace

clsActiveX::clsActiveX(Ui& ui) : ui_(ui) {}

void clsActiveX::Init(clsGrid& mGrid, clsGrid& mGridComp) {
    mGrid_ = &mGrid;
    mGridComp_ = &mGridComp;
}

void clsActiveX::setFirstFilename(std::string vData) {
    firstFilename_ = std::move(vData);
    if (!secondFilename_.empty()) {
        bothSelected_ = true;
    }
}

void clsActiveX::setSecondFilename(std::string vData) {
    secondFilename_ = std::move(vData);
    if (!firstFilename_.empty()) {
        bothSelected_ = true;
    }
}

// Where a registered version's file is: "0\\win32" as the report has always
// read it; else "0\\win64", all that a 64-bit registration writes; else
// either one under another locale, for libraries registered per language.
std::string clsActiveX::registeredPath(const std::string& versionKey) {
    std::vector<std::string> locales = {"0"};
    std::vector<std::string> subkeys;
    int32_t count = 0;
    registry_.setClassKey(kClassesRoot);
    registry_.setSectionKey(versionKey);
    if (registry_.EnumerateSections(subkeys, count)) {
        for (const auto& key : subkeys) {
            const bool locale = !key.empty() && key.size() <= 8 &&
                                key.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
            if (locale && key != "0") {
                locales.push_back(key);
            }
        }
    }
    for (const auto& locale : locales) {
        for (const char* platform : {"win32", "win64"}) {
            const std::string key = versionKey + "\\" + locale + "\\" + platform;
            registry_.setSectionKey(key);
            if (registry_.KeyExists()) {
                return registryDefault(key);
            }
        }
    }
    return registryDefault(versionKey + "\\0\\win32");
}

std::string clsActiveX::registryDefault(const std::string& section) {
    registry_.setClassKey(kClassesRoot);
    registry_.setSectionKey(section);
    registry_.setValueKey("");
    return VariantText(registry_.Value());
}

void clsActiveX::DisplayInfo() {
    if (!mGrid_) {
        return;
    }
    mGrid_->Clear();
    fileInfo_ = clsFileInfo{};
    if (const auto lib = typelib::OpenTypeLib(fileName_)) {
        addTypeLibSection(*lib);
    }
    addFileInfoSections();
}

void clsActiveX::addTypeLibSection(const typelib::TypeLibInfo& lib) {
    const std::string libKey = "TypeLib\\" + lib.guid;
    registry_.setClassKey(kClassesRoot);
    registry_.setSectionKey(libKey);
    const bool libraryKnown = registry_.KeyExists();
    bool versionRegistered = false;
    const std::string versionKey = registeredVersionKey(registry_, libKey, lib, versionRegistered);

    mGrid_->AddRow("TypeLib Info", "", true);
    mGrid_->AddRow("TypeLib Name:", nameText(lib));
    mGrid_->AddRow("GUID:", lib.guid);
    mGrid_->AddRow("Version:", decimalVersion(lib));
    if (auto why = registry::unreadableStore()) {
        mGrid_->AddRow("Registered", "Unknown: " + *why);
        return;
    }
    if (!libraryKnown) {
        mGrid_->AddRow("Registered", "No");
        return;
    }
    if (!versionRegistered) {
        mGrid_->AddRow("Registered", "No");
    } else {
        mGrid_->AddRow("Registered", "Yes");
        mGrid_->AddRow("Path: ", registeredPath(versionKey));
    }
    addOtherVersions(lib, versionRegistered);
}

void clsActiveX::addOtherVersions(const typelib::TypeLibInfo& lib, bool versionRegistered) {
    const std::string libKey = "TypeLib\\" + lib.guid;
    registry_.setClassKey(kClassesRoot);
    registry_.setSectionKey(libKey);
    std::vector<std::string> versions;
    int32_t count = 0;
    if (!registry_.EnumerateSections(versions, count) || (count < 2 && versionRegistered)) {
        return;
    }
    mGrid_->AddRow("Other Versions Found!", "", true);
    for (const auto& v : versions) {
        if (text::equalsNoCase(v, decimalVersion(lib)) || text::equalsNoCase(v, hexVersion(lib))) {
            continue;
        }
        mGrid_->AddRow("TypeLib Name:", registryDefault(libKey + "\\" + v));
        mGrid_->AddRow("Version:", v);
        mGrid_->AddRow("Path: ", registeredPath(libKey + "\\" + v));
    }
}

void clsActiveX::addFileInfoSections() {
    fileInfo_.SelectFile(fileName_);
    const clsFileInfo& f = fileInfo_;
    mGrid_->AddRow("File Info", "", true);
    if (f.VersionResourceCut) {
        mGrid_->AddRow("Warning: ", kVersionResourceCut);
    }
    const std::pair<const char*, const std::string*> strings[] = {
        {"CompanyName: ", &f.CompanyName},
        {"FileDescription: ", &f.FileDescription},
        {"InternalName: ", &f.InternalName},
        {"LegalCopyright: ", &f.LegalCopyright},
        {"LegalTrademarks: ", &f.LegalTrademarks},
        {"OriginalFileName: ", &f.OriginalFileName},
        {"ProductName: ", &f.ProductName},
        {"ProductVersion: ", &f.ProductVersion},
        {"Comments: ", &f.Comments},
    };
    for (const auto& [caption, text] : strings) {
        mGrid_->AddRow(caption, *text);
    }
    mGrid_->AddRow("Extended File Info", "", true);
    const std::pair<const char*, const std::string*> fixed[] = {
        {"Type: ", &f.FileTypeEx},   {"SubType: ", &f.FileSubTypeEx},
        {"Version: ", &f.FileVerEx}, {"Product Version: ", &f.ProdVerEx},
        {"OS: ", &f.FileOSEx},       {"Structure Version: ", &f.StrucVerEx},
        {"Flags: ", &f.FileFlagsEx},
    };
    for (const auto& [caption, text] : fixed) {
        mGrid_->AddRow(caption, *text);
    }
}

clsActiveX::LibFacts clsActiveX::libFacts(const typelib::TypeLibInfo& lib) {
    LibFacts facts;
    const std::string libKey = "TypeLib\\" + lib.guid;
    registry_.setClassKey(kClassesRoot);
    const std::string versionKey = registeredVersionKey(registry_, libKey, lib, facts.registered);
    if (facts.registered) {
        facts.path = registeredPath(versionKey);
    }
    facts.version = decimalVersion(lib);
    facts.guid = lib.guid;
    facts.name = nameText(lib);
    return facts;
}

void clsActiveX::addComparisonSide(const char* header, const LibFacts& facts) {
    mGridComp_->AddRow(header, "", true);
    mGridComp_->AddRow("TypeLib Name:", facts.name);
    mGridComp_->AddRow("GUID:", facts.guid);
    mGridComp_->AddRow("Version:", facts.version);
    if (facts.registered) {
        mGridComp_->AddRow("Registered", "Yes");
        mGridComp_->AddRow("Registered Path:", facts.path);
    } else {
        mGridComp_->AddRow("Registered", "No");
    }
}

void clsActiveX::DoComparison() {
    if (firstFilename_.empty() || secondFilename_.empty()) {
        ui_.messageBox("You must select two files!", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (!mGridComp_) {
        return;
    }
    mGridComp_->Clear();
    const auto first = typelib::OpenTypeLib(firstFilename_);
    const auto second = first ? typelib::OpenTypeLib(secondFilename_) : std::nullopt;
    if (!first || !second) {
        mGridComp_->ShowMsg(kNotActiveXMessage);
        return;
    }
    const LibFacts firstFacts = libFacts(*first);
    const LibFacts secondFacts = libFacts(*second);
    mGridComp_->AddRow("Comparison Result", "", true);
    mGridComp_->AddRow(typelib::IsSameTypeLib(*first, *second) ? "The Files Are Identically!"
                                                               : "The Files Are Diferent!",
                       "");
    addComparisonSide("First File TypeLib Info", firstFacts);
    addComparisonSide("Second File TypeLib Info", secondFacts);
}

} // namespace sigillo
