#pragma once

// One QApplication for every widget test of a test program: made before the
// first test and deleted after the last, while Qt's own globals still live.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace sigillo::test {

class QtAppEnvironment : public testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "sigillo-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline testing::Environment* const kQtAppEnvironment =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment);

inline QApplication& TestApp() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace sigillo::test
