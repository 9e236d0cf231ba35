#include "engine/clsRegistry.h"

#include <cerrno>

#include "registry/RegistryTree.h"
#include "sigillo_registry.h"
#include "text/AsciiCase.h"

namespace sigillo {

namespace {

// The six specific key rights: query, set, create subkey, enumerate, notify, link.
constexpr REGSAM kSpecificRights = 0x3F;

HKEY rootHandle(int32_t classKey) {
    return reinterpret_cast<HKEY>(static_cast<intptr_t>(classKey));
}

// Closes the handle when the scope ends, whatever path leaves it.
class OpenedKey {
public:
    OpenedKey() = default;
    ~OpenedKey() {
        if (h) {
            RegCloseKey(h);
        }
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY h = nullptr;
};

std::string dataText(const std::vector<uint8_t>& data, size_t length) {
    return std::string(data.begin(), data.begin() + static_cast<long>(std::min(length, data.size())));
}

int32_t littleEndian(const std::vector<uint8_t>& d) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4 && i < d.size(); ++i) {
        v |= static_cast<uint32_t>(d[i]) << (8 * i);
    }
    return static_cast<int32_t>(v);
}

std::string expandEnvironment(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string out(needed, '\0');
    ExpandEnvironmentStringsA(text.c_str(), out.data(), needed);
    out.resize(needed > 0 ? needed - 1 : 0);
    return out;
}

// A "%" with a further "%" at least two characters later marks an
// environment reference, which is stored as an expandable string.
bool holdsEnvironmentReference(const std::string& text) {
    const size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

} // namespace

void clsRegistry::raise(const std::string& description) {
    lastError_ = ErrorInfo{kRegistryErrorNumber, std::string(program_invocation_short_name) + ".cRegistry",
                           description};
}

bool clsRegistry::KeyExists() {
    OpenedKey key;
    return RegOpenKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, &key.h) ==
           ERROR_SUCCESS;
}

bool clsRegistry::CreateKey() {
    OpenedKey key;
    if (RegCreateKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kSpecificRights, nullptr, &key.h, nullptr) != ERROR_SUCCESS) {
        raise("Failed to create registry Key: '" + sectionKey_);
        return false;
    }
    return true;
}

bool clsRegistry::DeleteKey() {
    if (RegDeleteKeyA(rootHandle(classKey_), sectionKey_.c_str()) != ERROR_SUCCESS) {
        raise("Failed to delete registry Key: '" + std::to_string(classKey_) + "',Section: '" + sectionKey_);
        return false;
    }
    return true;
}

bool clsRegistry::DeleteValue() {
    OpenedKey key;
    if (RegOpenKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, kSpecificRights, &key.h) !=
        ERROR_SUCCESS) {
        raise("Failed to open key '" + std::to_string(classKey_) + "',Section: '" + sectionKey_ +
              "' for delete access");
        return false;
    }
    if (RegDeleteValueA(key.h, valueKey_.c_str()) != ERROR_SUCCESS) {
        raise("Failed to delete registry Key: '" + std::to_string(classKey_) + "',Section: '" + sectionKey_ +
              "',Key: '" + valueKey_);
        return false;
    }
    return true;
}

Variant clsRegistry::Value() {
    OpenedKey key;
    if (RegOpenKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, &key.h) !=
        ERROR_SUCCESS) {
        return default_;
    }
    DWORD type = 0, size = 0;
    BYTE probe = 0;
    const LONG rc = RegQueryValueExA(key.h, valueKey_.c_str(), nullptr, &type, &probe, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) {
        return default_;
    }
    std::vector<uint8_t> data(size);
    if (size > 0 &&
        RegQueryValueExA(key.h, valueKey_.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        return default_;
    }
    data.resize(size);
    valueType_ = static_cast<int32_t>(type);
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        // Up to the final NUL; a multi-string keeps its inner separators.
        return dataText(data, size > 0 ? size - 1 : 0);
    case REG_EXPAND_SZ:
        return expandEnvironment(dataText(data, size > 0 ? size - 1 : 0));
    case REG_DWORD:
        return littleEndian(data);
    case REG_DWORD_BIG_ENDIAN:
        return littleEndian(std::vector<uint8_t>(data.rbegin(), data.rend()));
    default:
        return data;
    }
}

void clsRegistry::setValue(const Variant& v) {
    OpenedKey key;
    if (RegCreateKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kSpecificRights, nullptr, &key.h, nullptr) != ERROR_SUCCESS) {
        raise("Failed to set registry value Key: '" + std::to_string(classKey_) + "',Section: '" +
              sectionKey_ + "',Key: '" + valueKey_ + "' to value: '" + VariantText(v) + "'");
        return;
    }
    switch (valueType_) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const std::string text = VariantText(v);
        const DWORD type = holdsEnvironmentReference(text) ? REG_EXPAND_SZ : REG_SZ;
        RegSetValueExA(key.h, valueKey_.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        break;
    }
    case REG_BINARY:
        if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&v)) {
            RegSetValueExA(key.h, valueKey_.c_str(), 0, REG_BINARY, bytes->data(),
                           static_cast<DWORD>(bytes->size()));
        } else {
            raise("Failed to set registry value Key: '" + std::to_string(classKey_) + "',Section: '" +
                  sectionKey_ + "',Key: '" + valueKey_ + "' to value: '" + VariantText(v) + "'");
        }
        break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        if (const auto* n = std::get_if<int32_t>(&v)) {
            const auto u = static_cast<uint32_t>(*n);
            const BYTE data[4] = {BYTE(u), BYTE(u >> 8), BYTE(u >> 16), BYTE(u >> 24)};
            RegSetValueExA(key.h, valueKey_.c_str(), 0, REG_DWORD, data, 4);
        }
        break;
    default:
        break; // no type chosen: nothing is written
    }
}

bool clsRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount) {
    sKeyNames.clear();
    iKeyCount = 0;
    OpenedKey key;
    if (RegOpenKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, &key.h) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD longest = 0;
    RegQueryInfoKeyA(key.h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                     nullptr, nullptr);
    std::string buffer(longest + 1, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD length = longest + 1;
        if (RegEnumValueA(key.h, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        sKeyNames.push_back(buffer.substr(0, length));
        ++iKeyCount;
    }
    return true;
}

bool clsRegistry::EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount) {
    sSect.clear();
    iSectCount = 0;
    OpenedKey key;
    if (RegOpenKeyExA(rootHandle(classKey_), sectionKey_.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key.h) !=
        ERROR_SUCCESS) {
        return false;
    }
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key.h, i, name, 255) == ERROR_SUCCESS; ++i) {
        sSect.emplace_back(name);
        ++iSectCount;
    }
    return true;
}

void clsRegistry::CreateShellAssociation(std::string sExePath, std::string sAssociation) {
    classKey_ = kClassesRoot;
    valueKey_.clear();
    const std::string quotedArgument = "\"%1\"";
    if (text::equalsNoCase(sAssociation, "Folder")) {
        sectionKey_ = sAssociation + "\\shell\\ActiveX Report\\command";
        setValue(sExePath + " -f " + quotedArgument);
        return;
    }
    sectionKey_ = sAssociation;
    const std::string fileType = VariantText(Value());
    const std::pair<const char*, std::string> verbs[] = {
        {"\\shell\\Register\\command", sExePath + " -r " + quotedArgument},
        {"\\shell\\UnRegister\\command", sExePath + " -u " + quotedArgument},
        {"\\shell\\Sigillo\\command", sExePath + " " + quotedArgument},
    };
    for (const auto& [key, command] : verbs) {
        sectionKey_ = fileType + key;
        setValue(command);
    }
}

void clsRegistry::RemoveShellAssociation(std::string, std::string sAssociation) {
    classKey_ = kClassesRoot;
    valueKey_.clear();
    std::vector<std::string> keys;
    if (text::equalsNoCase(sAssociation, "Folder")) {
        keys = {sAssociation + "\\shell\\ActiveX Report\\command", sAssociation + "\\shell\\ActiveX Report"};
    } else {
        sectionKey_ = sAssociation;
        const std::string fileType = VariantText(Value());
        for (const char* verb : {"Register", "UnRegister", "Sigillo"}) {
            keys.push_back(fileType + "\\shell\\" + verb + "\\command");
            keys.push_back(fileType + "\\shell\\" + verb);
        }
    }
    for (const auto& key : keys) {
        sectionKey_ = key;
        DeleteKey();
    }
}

} // namespace sigillo
