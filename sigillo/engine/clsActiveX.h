// The report on one component file (its type library, where and in which
// versions that library is registered, and its version resource) and the
// side-by-side comparison of two files, written into two grid wrappers.
#pragma once

#include <string>

#include "engine/Ui.h"
#include "engine/clsFileInfo.h"
#include "engine/clsGrid.h"
#include "engine/clsRegistry.h"
#include "typelib/TypeLib.h"

namespace sigillo {

inline constexpr const char* kVersionResourceCut =
    "The version resource is cut: it ends before its declared length, so some values may be missing.";

inline constexpr const char* kNotActiveXMessage = "One of the selected files are not a valid ActiveX files!";

class clsActiveX {
public:
    explicit clsActiveX(Ui& ui);

    void Init(clsGrid& mGrid, clsGrid& mGridComp);

    const std::string& FileName() const { return fileName_; }
    void setFileName(std::string vData) { fileName_ = std::move(vData); }
    const std::string& FirstFilename() const { return firstFilename_; }
    void setFirstFilename(std::string vData);
    const std::string& SecondFilename() const { return secondFilename_; }
    void setSecondFilename(std::string vData);
    bool BothSelected() const { return bothSelected_; }

    void DisplayInfo();
    void DoComparison();

private:
    struct LibFacts;
    void addTypeLibSection(const typelib::TypeLibInfo& lib);
    void addOtherVersions(const typelib::TypeLibInfo& lib, bool versionRegistered);
    void addFileInfoSections();
    LibFacts libFacts(const typelib::TypeLibInfo& lib);
    void addComparisonSide(const char* header, const LibFacts& facts);
    std::string registryDefault(const std::string& section);
    std::string registeredPath(const std::string& versionKey);

    Ui& ui_;
    clsGrid* mGrid_ = nullptr;
    clsGrid* mGridComp_ = nullptr;
    clsRegistry registry_;
    clsFileInfo fileInfo_;
    std::string fileName_;
    std::string firstFilename_;
    std::string secondFilename_;
    bool bothSelected_ = false;
};

} // namespace sigillo
