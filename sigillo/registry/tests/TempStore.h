// A registry store of its own for each test, named by SIGILLO_REGISTRY, and
// a data folder of its own (XDG_DATA_HOME) for the desktop entries Sigillo
// writes: a test never touches the user's.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class TempStore {
public:
    TempStore() {
        char tmpl[] = "/tmp/sigillo-reg-XXXXXX";
        dir_ = ::mkdtemp(tmpl);
        path_ = dir_ + "/registry.reg";
        ::setenv("SIGILLO_REGISTRY", path_.c_str(), 1);
        if (const char* data = std::getenv("XDG_DATA_HOME")) {
            previousDataHome_ = data;
        }
        ::setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
    }
    ~TempStore() {
        ::unsetenv("SIGILLO_REGISTRY");
        if (previousDataHome_.empty()) {
            ::unsetenv("XDG_DATA_HOME");
        } else {
            ::setenv("XDG_DATA_HOME", previousDataHome_.c_str(), 1);
        }
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }
    const std::string& dir() const { return dir_; }
    std::string dataHome() const { return dir_ + "/data"; }

private:
    std::string dir_, path_, previousDataHome_;
};
