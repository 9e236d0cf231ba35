#pragma once

// One QApplication for every widget test of a test program, made on first use.

#include <QApplication>

namespace sigillo::test {

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "sigillo-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace sigillo::test
