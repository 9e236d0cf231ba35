// A registry store of its own for each test, named by SIGILLO_REGISTRY.
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
    }
    ~TempStore() {
        ::unsetenv("SIGILLO_REGISTRY");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_, path_;
};
