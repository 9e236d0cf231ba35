#include "runtime/SharedLibrary.h"

#include "runtime/RuntimeError.h"

#include <cfenv>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace kartello {

std::vector<std::string> besideProgramThenSearchPath(const char* fileName) {
    std::vector<std::string> candidates;
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        candidates.push_back((program.parent_path() / fileName).string());
    candidates.emplace_back(fileName);
    return candidates;
}

void* openSharedLibrary(const std::vector<std::string>& candidates) {
    std::fenv_t env;
    std::fegetenv(&env);
    void* handle = nullptr;
    for (const auto& path : candidates) {
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
    }
    std::fesetenv(&env);
    return handle;
}

void* sharedLibrarySymbol(const std::vector<std::string>& candidates, const char* fileName,
                          const char* symbol) {
    void* library = openSharedLibrary(candidates);
    if (!library)
        throw RuntimeError(ErrFileNotFound, QStringLiteral("File not found: ") + QLatin1String(fileName));
    void* entry = dlsym(library, symbol);
    if (!entry)
        throw RuntimeError(ErrEntryPointNotFound, QStringLiteral("Can't find DLL entry point %1 in %2")
                                                      .arg(QLatin1String(symbol), QLatin1String(fileName)));
    return entry;
}

} // namespace kartello
