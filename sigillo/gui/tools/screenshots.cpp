// Draws the main window for the documentation: each tab after a file has
// been opened and two files compared, saved as PNG pictures.
//
//   sigillo_screenshots OUTPUT_FOLDER FILE [SECOND_FILE]

#include "gui/Program.h"
#include "gui/QtUi.h"
#include "gui/QtWindows.h"

#include <QApplication>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER FILE [SECOND_FILE]\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const std::string first = argv[2];
    const std::string second = argc > 3 ? argv[3] : argv[2];

    sigillo::QtUi ui;
    sigillo::QtOpenFileDialog dialog;
    sigillo::QtWindows windows(ui, dialog,
                               {SIGILLO_VERSION_MAJOR, SIGILLO_VERSION_MINOR, SIGILLO_VERSION_PATCH});
    sigillo::Program program(ui, dialog, windows,
                             sigillo::AppPathOf(QApplication::applicationDirPath().toStdString()));
    windows.attach(program);
    program.Main("\"" + first + "\"");

    sigillo::clsActiveX& report = program.activeX();
    report.setFirstFilename(first);
    report.setSecondFilename(second);
    report.DoComparison();
    program.form().txtFirstFile = first;
    program.form().txtSecondFile = second;

    sigillo::frmMain& window = *windows.main();
    const char* const names[] = {"sigillo-file-info.png", "sigillo-comparison.png", "sigillo-options.png"};
    for (int tab = 0; tab < 3; ++tab) {
        program.form().XTab1_Switch(tab);
        QApplication::processEvents();
        if (!window.grab().save(output + QLatin1Char('/') + QLatin1String(names[tab])))
            return 1;
    }
    return 0;
}
