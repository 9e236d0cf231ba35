#pragma once
// The batch command: what a person does in the window, from the command line.
//   kartello --batch --data FILE [--layer NAME] [--name-field F] [--value-field F]
//            [--lat-field F --lon-field F] [--time-field F] [--options FILE.ggo]
//            [--title1 TEXT] [--title2 TEXT] [--title-top] [--classes METHOD:N]
//            [--set NAME=VALUE]...
//            [--yes] --out FILE.kml|FILE.kmz
#include "runtime/FieldChoice.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>
#include <utility>
#include <vector>

namespace kartello {

struct BatchArgs {
    QString data;
    QString options;
    std::optional<QString> title1, title2;
    bool titleTop = false;
    std::vector<std::pair<QString, QString>> sets; // control name, value text
    bool yes = false;
    QString out;
    FieldChoice fields; // the layer and fields taken from GIS data
};

// Exit statuses.
inline constexpr int kBatchWritten = 0;
inline constexpr int kBatchNoOutput = 1;
inline constexpr int kBatchBadArguments = 2;

// Parses the arguments after the program name; an error text when they are
// not a valid batch command.
std::optional<BatchArgs> parseBatchArgs(const QStringList& args, QString* error);

// Runs the command; messages go to err. Returns one of the exit statuses.
int runBatch(const BatchArgs& args, QTextStream& err);

} // namespace kartello
