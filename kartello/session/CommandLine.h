#pragma once
// What the kartello command line asks for, and its usage text. The batch
// flags are listed once, in CommandLine.cpp; the usage is built from that list.
#include <QString>
#include <QStringList>

namespace kartello {

struct ProgramCommand {
    enum Mode { Window, Batch, Help, Version, BadUsage } mode = Window;
    QString error; // for BadUsage: what was wrong
};

// Decides from the arguments after the program name, before any window or
// display exists. --help and --version win wherever they stand; with --batch
// the batch parser judges the rest; without it, only the toolkit's own
// options (-platform NAME, -style NAME ...) are accepted.
ProgramCommand programCommand(const QStringList& args);

// The whole usage: the window form, the batch form and every batch flag.
QString programUsage();
// The batch form alone, shown after a batch argument error.
QString batchUsage();
// "kartello 2.2.2".
QString programVersion();

} // namespace kartello
