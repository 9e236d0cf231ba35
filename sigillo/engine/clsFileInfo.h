// The version resource of a file as sixteen texts: the nine version strings
// and seven texts made from the fixed version information.
#pragma once

#include <string>

namespace sigillo {

class clsFileInfo {
public:
    // Reads sFile's version resource; a file without one leaves every field empty.
    void SelectFile(const std::string& sFile);

    std::string CompanyName;
    std::string FileDescription;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTrademarks;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;
    std::string StrucVerEx;
    std::string FileVerEx;
    std::string ProdVerEx;
    std::string FileFlagsEx;
    std::string FileOSEx;
    std::string FileTypeEx;
    std::string FileSubTypeEx;
    // The version resource ends before the length it declares.
    bool VersionResourceCut = false;
};

} // namespace sigillo
