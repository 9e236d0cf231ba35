// Prints the control's version and a cell written through it.
#include <QApplication>
#include <cstdio>
#include <tessara/Tessara.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tessara::Tessara grid;
    grid.setRows(3);
    grid.setCols(2);
    grid.setTextMatrix(1, 1, QStringLiteral("host"));
    std::printf("%s %s\n", qPrintable(grid.Version()), qPrintable(grid.TextMatrix(1, 1)));
    return 0;
}
