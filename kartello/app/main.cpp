// The kartello program. With --batch it makes a graph without a window (see
// Batch.h); no display is needed, as the overlay images are drawn offscreen.
// --help and --version answer without a display too. Otherwise it opens the
// main window (gui/Desktop.h).
#include "gui/Desktop.h"
#include "runtime/Staging.h"
#include "session/Batch.h"
#include "session/CommandLine.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

// Stderr carries the message boxes, one line each; the toolkit's own notes
// (about the runtime folder, fonts and the like) would only muddle it.
void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kartello: %s\n", qPrintable(text));
}

int batchMain(int argc, char** argv) {
    qInstallMessageHandler(quietToolkit);
    // Fonts for the title and scale images come from the offscreen platform,
    // so the command runs on machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QString error;
    const auto args = kartello::parseBatchArgs(app.arguments().mid(1), &error);
    if (!args) {
        err << "kartello: " << error << '\n' << kartello::batchUsage();
        return kartello::kBatchBadArguments;
    }
    return kartello::runBatch(*args, err);
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const kartello::ProgramCommand command = kartello::programCommand(args);
    switch (command.mode) {
    case kartello::ProgramCommand::Help:
        QTextStream(stdout) << kartello::programUsage();
        return 0;
    case kartello::ProgramCommand::Version:
        QTextStream(stdout) << kartello::programVersion() << '\n';
        return 0;
    case kartello::ProgramCommand::BadUsage:
        QTextStream(stderr) << "kartello: " << command.error << '\n' << kartello::programUsage();
        return kartello::kBatchBadArguments;
    case kartello::ProgramCommand::Batch:
    case kartello::ProgramCommand::Window:
        break;
    }
    // What a killed or finished run staged in the temporary directory goes now.
    kartello::removeLeftStaging();
    if (command.mode == kartello::ProgramCommand::Batch)
        return batchMain(argc, argv);
    return kartello::gui::runDesktop(argc, argv);
}
