// In-memory registry: hives of keys, each with named values and subkeys.
// Key and value names compare without regard to ASCII case but keep the case
// they were created with, as the Windows registry does.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sigillo::registry {

enum class Hive : uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
    CurrentConfig = 0x80000005u,
};

// "HKEY_CLASSES_ROOT" and the short form "HKCR" (and so on) name a hive.
std::optional<Hive> hiveFromName(std::string_view name);
std::string_view hiveName(Hive hive);
std::optional<Hive> hiveFromHandleValue(uint64_t handle);

struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct Value {
    std::string name; // empty = the key's default value
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string name;
    std::vector<Value> values; // in the order they were first set
    std::map<std::string, Key, NoCaseLess> subkeys;

    Value* findValue(std::string_view valueName);
    const Value* findValue(std::string_view valueName) const;
    void setValue(Value value);
    bool removeValue(std::string_view valueName);
    bool operator==(const Key&) const = default;
};

// The registry's own limit on nesting; it also bounds the work of reading a
// .reg file, whose every key line repeats its whole path.
inline constexpr size_t kMaxKeyDepth = 512;

// A key path below a hive, split at backslashes. An empty segment (a leading
// or doubled backslash) makes the path invalid; one trailing backslash is
// tolerated. A path deeper than kMaxKeyDepth is invalid too.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

class Tree {
public:
    Tree(); // every hive exists, empty
    Key* find(Hive hive, const std::vector<std::string>& path);
    const Key* find(Hive hive, const std::vector<std::string>& path) const;
    // Creates the missing keys of the path; sets created when the last one is new.
    Key& create(Hive hive, const std::vector<std::string>& path, bool* created = nullptr);
    // Deletes a key with everything below it (the "[-key]" form of .reg files).
    void removeTree(Hive hive, const std::vector<std::string>& path);

    const std::map<Hive, Key>& hives() const { return hives_; }
    bool operator==(const Tree&) const = default;

private:
    std::map<Hive, Key> hives_;
};

// The keys a fresh store starts with: the classes of the three component file
// extensions.
Tree seededTree();

} // namespace sigillo::registry
