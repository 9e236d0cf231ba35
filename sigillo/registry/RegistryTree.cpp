#include "registry/RegistryTree.h"

#include <algorithm>
#include <array>
#include <utility>

#include "text/AsciiCase.h"

namespace sigillo::registry {

namespace {

struct HiveName {
    Hive hive;
    std::string_view longName;
    std::string_view shortName;
};

constexpr std::array<HiveName, 5> kHiveNames{{
    {Hive::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {Hive::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {Hive::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {Hive::Users, "HKEY_USERS", "HKU"},
    {Hive::CurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
}};

} // namespace

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return text::lessNoCase(a, b);
}

std::optional<Hive> hiveFromName(std::string_view name) {
    for (const auto& h : kHiveNames) {
        if (text::equalsNoCase(name, h.longName) || text::equalsNoCase(name, h.shortName)) {
            return h.hive;
        }
    }
    return std::nullopt;
}

std::string_view hiveName(Hive hive) {
    for (const auto& h : kHiveNames) {
        if (h.hive == hive) {
            return h.longName;
        }
    }
    return {};
}

std::optional<Hive> hiveFromHandleValue(uint64_t handle) {
    // Accept the value widened with or without its sign.
    if ((handle >> 32) != 0 && (handle >> 32) != 0xFFFFFFFFu) {
        return std::nullopt;
    }
    const auto low = static_cast<uint32_t>(handle);
    for (const auto& h : kHiveNames) {
        if (static_cast<uint32_t>(h.hive) == low) {
            return h.hive;
        }
    }
    return std::nullopt;
}

Value* Key::findValue(std::string_view valueName) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const Value& v) { return text::equalsNoCase(v.name, valueName); });
    return it == values.end() ? nullptr : &*it;
}

const Value* Key::findValue(std::string_view valueName) const {
    return const_cast<Key*>(this)->findValue(valueName);
}

void Key::setValue(Value value) {
    if (Value* existing = findValue(value.name)) {
        existing->type = value.type;
        existing->data = std::move(value.data);
    } else {
        values.push_back(std::move(value));
    }
}

bool Key::removeValue(std::string_view valueName) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const Value& v) { return text::equalsNoCase(v.name, valueName); });
    if (it == values.end()) {
        return false;
    }
    values.erase(it);
    return true;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    if (path.empty()) {
        return parts;
    }
    size_t start = 0;
    while (true) {
        const size_t end = path.find('\\', start);
        const std::string_view part =
            path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        if (part.empty()) {
            return std::nullopt;
        }
        parts.emplace_back(part);
        if (parts.size() > kMaxKeyDepth) {
            return std::nullopt;
        }
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

Tree::Tree() {
    for (const auto& h : kHiveNames) {
        hives_.emplace(h.hive, Key{std::string(h.longName), {}, {}});
    }
}

Key* Tree::find(Hive hive, const std::vector<std::string>& path) {
    return const_cast<Key*>(std::as_const(*this).find(hive, path));
}

const Key* Tree::find(Hive hive, const std::vector<std::string>& path) const {
    auto root = hives_.find(hive);
    if (root == hives_.end()) {
        return nullptr;
    }
    const Key* key = &root->second;
    for (const auto& part : path) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) {
            return nullptr;
        }
        key = &it->second;
    }
    return key;
}

Key& Tree::create(Hive hive, const std::vector<std::string>& path, bool* created) {
    Key* key = &hives_[hive];
    bool isNew = false;
    for (const auto& part : path) {
        auto it = key->subkeys.find(part);
        isNew = it == key->subkeys.end();
        if (isNew) {
            it = key->subkeys.emplace(part, Key{part, {}, {}}).first;
        }
        key = &it->second;
    }
    if (created) {
        *created = isNew;
    }
    return *key;
}

void Tree::removeTree(Hive hive, const std::vector<std::string>& path) {
    if (path.empty()) {
        hives_[hive] = Key{std::string(hiveName(hive)), {}, {}};
        return;
    }
    std::vector<std::string> parentPath(path.begin(), path.end() - 1);
    if (Key* parent = find(hive, parentPath)) {
        auto it = parent->subkeys.find(path.back());
        if (it != parent->subkeys.end()) {
            parent->subkeys.erase(it);
        }
    }
}

Tree seededTree() {
    Tree tree;
    const std::pair<const char*, const char*> classes[] = {
        {".dll", "dllfile"}, {".exe", "exefile"}, {".ocx", "ocxfile"}};
    for (const auto& [extension, type] : classes) {
        const std::string typeName = type;
        std::vector<uint8_t> data(typeName.begin(), typeName.end());
        data.push_back(0);
        tree.create(Hive::ClassesRoot, {extension}).setValue(Value{"", 1, data});
        tree.create(Hive::ClassesRoot, {typeName});
    }
    return tree;
}

} // namespace sigillo::registry
