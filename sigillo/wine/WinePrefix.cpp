#include "wine/WinePrefix.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "registry/RegistryStore.h"
#include "wine/WineRegistry.h"

namespace sigillo::wine {

namespace {

constexpr const char* kPrefixVariable = "SIGILLO_WINE_PREFIX";
const std::vector<std::string> kSettingsKey = {"Software", "Sigillo", "General"};
constexpr const char* kPrefixValue = "WinePrefix";

} // namespace

std::string PrefixInUse() {
    const char* dir = std::getenv(kPrefixVariable);
    return dir ? dir : "";
}

void UsePrefix(const std::string& dir) {
    StopWineSession();
    if (dir.empty()) {
        ::unsetenv(kPrefixVariable);
        SigilloUseRegistryBackend(nullptr);
        return;
    }
    // Wine takes no relative prefix.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(dir, ec);
    const std::string path = ec ? dir : absolute.lexically_normal().string();
    ::setenv(kPrefixVariable, path.c_str(), 1);
    ::setenv("WINEPREFIX", path.c_str(), 1);
    SigilloUseRegistryBackend(&WineRegistryBackend());
}

std::string ChoosePrefix(const std::optional<std::string>& flag) {
    if (flag) {
        return *flag;
    }
    if (const char* dir = std::getenv("WINEPREFIX"); dir && *dir) {
        return dir;
    }
    return SavedPrefix();
}

std::string SavedPrefix() {
    std::string dir;
    try {
        registry::Store store(registry::Store::defaultPath());
        store.read([&](const registry::Tree& tree) {
            if (const registry::Key* key = tree.find(registry::Hive::CurrentUser, kSettingsKey)) {
                if (const auto* value = key->findValue(kPrefixValue)) {
                    dir.assign(value->data.begin(), value->data.end());
                    dir = dir.substr(0, dir.find('\0'));
                }
            }
        });
    } catch (const std::exception&) {
        // An unreadable store holds no setting.
    }
    return dir;
}

void SavePrefix(const std::string& dir) {
    registry::Store store(registry::Store::defaultPath());
    store.update([&](registry::Tree& tree) {
        std::vector<uint8_t> data(dir.begin(), dir.end());
        data.push_back(0);
        tree.create(registry::Hive::CurrentUser, kSettingsKey)
            .setValue(registry::Value{kPrefixValue, 1, std::move(data)});
        return true;
    });
}

std::string RegistryInUseText() {
    const std::string prefix = PrefixInUse();
    return prefix.empty() ? registry::Store::defaultPath() : "Wine prefix " + prefix;
}

} // namespace sigillo::wine
