#pragma once
// One QApplication for every widget test of the program; the tests run on the
// offscreen platform that the test environment selects. And the one place
// file the window tests open.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kartello::gui::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "kartello_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// Three Portuguese places as a text file in dir; returns its path.
inline QString writePlaces(const QTemporaryDir& dir) {
    const QString path = dir.filePath("portugal.txt");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Lisbon\",38.7167,-9.1333,547\r\nPorto,41.15,-8.6167,237.5\r\nFaro,37.0167,-7.9333,64\r\n");
    return path;
}

} // namespace kartello::gui::test
