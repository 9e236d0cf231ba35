// The `sigillo` program: inspects, registers and compares component files and
// switches the desktop verbs that call it on and off.

#include "engine/CommandLine.h"
#include "gui/Program.h"
#include "gui/QtUi.h"
#include "gui/QtWindows.h"
#include "wine/WinePrefix.h"

#include <QApplication>

#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sigillo"));

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    // "--wine-prefix DIR" leads the command line (the desktop entries put it
    // there); what follows is the classic command line.
    std::optional<std::string> prefixFlag;
    if (arguments.size() >= 2 && arguments[0] == "--wine-prefix") {
        prefixFlag = arguments[1];
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    sigillo::wine::UsePrefix(sigillo::wine::ChoosePrefix(prefixFlag));

    sigillo::QtUi ui;
    sigillo::QtOpenFileDialog dialog;
    sigillo::QtWindows windows(ui, dialog,
                               {SIGILLO_VERSION_MAJOR, SIGILLO_VERSION_MINOR, SIGILLO_VERSION_PATCH});
    sigillo::Program program(ui, dialog, windows,
                             sigillo::AppPathOf(QApplication::applicationDirPath().toStdString()));
    windows.attach(program);

    if (const auto status = program.Main(sigillo::JoinArguments(arguments)))
        return *status;
    return QApplication::exec();
}
