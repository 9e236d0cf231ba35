// Property-driven access to the registry: set ClassKey (the root), SectionKey
// (the key path) and ValueKey (the value name, "" for the default value), then
// read or write Value, test KeyExists, create or delete keys and values, or
// enumerate. Failures never throw: reads give Default, methods give false, and
// the error 26001 that a method signals is kept in LastError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/SigilloError.h"
#include "engine/Variant.h"

namespace sigillo {

inline constexpr int32_t kClassesRoot = static_cast<int32_t>(0x80000000u);
inline constexpr long kRegistryErrorNumber = 26001;

class clsRegistry {
public:
    int32_t ClassKey() const { return classKey_; }
    void setClassKey(int32_t v) { classKey_ = v; }
    const std::string& SectionKey() const { return sectionKey_; }
    void setSectionKey(std::string v) { sectionKey_ = std::move(v); }
    const std::string& ValueKey() const { return valueKey_; }
    void setValueKey(std::string v) { valueKey_ = std::move(v); }
    int32_t ValueType() const { return valueType_; }
    void setValueType(int32_t v) { valueType_ = v; }
    const Variant& Default() const { return default_; }
    void setDefault(Variant v) { default_ = std::move(v); }

    // Reads ValueKey of SectionKey; Default when it cannot be read. A
    // successful read sets ValueType to the type found.
    Variant Value();
    // Writes by ValueType (1 or 2 text, 3 bytes, 4 or 5 number); any other
    // ValueType writes nothing, though the key is created.
    void setValue(const Variant& v);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    // Fill names with the value (or subkey) names in registry order and set
    // count to their number; names[0] is the first (the 1-based element 1).
    bool EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount);

    // The context-menu verbs that call Sigillo's command line: for "Folder"
    // (any case) the "ActiveX Report" verb, otherwise "Register",
    // "UnRegister" and "Sigillo" under the file type that the extension key
    // sAssociation names.
    void CreateShellAssociation(std::string sExePath, std::string sAssociation);
    void RemoveShellAssociation(std::string sExePath, std::string sAssociation);

    // The last error 26001 signalled (number 0 when none yet).
    const ErrorInfo& LastError() const { return lastError_; }

private:
    void raise(const std::string& description);

    int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    Variant default_;
    int32_t valueType_ = 0;
    ErrorInfo lastError_;
};

} // namespace sigillo
