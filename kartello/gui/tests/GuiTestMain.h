#pragma once
// One QApplication for every widget test of the program; the tests run on the
// offscreen platform that the test environment selects.
#include <QApplication>

namespace kartello::gui::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "kartello_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

} // namespace kartello::gui::test
