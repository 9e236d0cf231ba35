#pragma once

// A private registry store and working folder for one test: the store file
// is named by SIGILLO_REGISTRY for the test's duration, and the desktop
// entries go to a data folder below it (XDG_DATA_HOME).

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sigillo::test {

class TempStore {
public:
    TempStore() {
        const char* old = std::getenv("SIGILLO_REGISTRY");
        if (old != nullptr)
            previous_ = old;
        hadPrevious_ = old != nullptr;
        setenv("SIGILLO_REGISTRY", storePath().c_str(), 1);
        const char* data = std::getenv("XDG_DATA_HOME");
        previousDataHome_ = data ? data : "";
        setenv("XDG_DATA_HOME", (dir() + "data").c_str(), 1);
    }
    ~TempStore() {
        if (hadPrevious_)
            setenv("SIGILLO_REGISTRY", previous_.c_str(), 1);
        else
            unsetenv("SIGILLO_REGISTRY");
        if (previousDataHome_.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", previousDataHome_.c_str(), 1);
    }

    std::string dir() const { return dir_.path().toStdString() + "/"; }
    std::string storePath() const { return dir() + "registry.reg"; }

    // A file of the given content below the folder, parents made.
    std::string write(const std::string& relative, const std::string& content = "not a component") const {
        const std::filesystem::path path = dir() + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

private:
    QTemporaryDir dir_;
    std::string previous_;
    std::string previousDataHome_;
    bool hadPrevious_ = false;
};

} // namespace sigillo::test
