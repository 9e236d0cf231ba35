#include "session/CommandLine.h"

namespace kartello {

namespace {

struct Flag {
    const char* flag;
    const char* argument; // "" for a flag that takes none
    const char* meaning;
};

// Every batch flag, in the order the usage lists them. A new flag is one more line here.
constexpr Flag kBatchFlags[] = {
    {"--data", "FILE", "the places: a place text file (.txt), a shape text file, KML or KMZ, or GIS data"},
    {"--layer", "NAME", "the layer of GIS data to read (default: the first with features)"},
    {"--name-field", "F", "the field holding the place name"},
    {"--value-field", "F", "the field holding the value"},
    {"--lat-field", "F", "with --lon-field: the coordinate columns of a CSV file without geometry"},
    {"--lon-field", "F", "with --lat-field: the coordinate columns of a CSV file without geometry"},
    {"--time-field", "F", "the field holding each place's date or time"},
    {"--options", "FILE.ggo", "load an options file first"},
    {"--title1", "TEXT", "first title line (shows the title in the viewer)"},
    {"--title2", "TEXT", "second title line"},
    {"--title-top", "", "put the title at the top"},
    {"--classes", "METHOD:N", "N classes (3-9) for the colours: equal, quantile or jenks (natural breaks)"},
    {"--set", "NAME=VALUE", "set one control as the window names it; repeatable, applied in order"},
    {"--yes", "", "answer Yes to the program's questions (default No)"},
    {"--out", "FILE.kml|FILE.kmz", "the graph; a .kmz packs the document with its images"},
};

// The toolkit's own window options, handed on untouched.
constexpr const char* kToolkitOptionsWithValue[] = {"-platform",        "-platformpluginpath",
                                                    "-platformtheme",   "-plugin",
                                                    "-qwindowgeometry", "-qwindowicon",
                                                    "-qwindowtitle",    "-style",
                                                    "-stylesheet",      "-session",
                                                    "-display",         "-geometry"};
constexpr const char* kToolkitSwitches[] = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};

bool isOneOf(const QString& arg, const auto& list) {
    for (const char* item : list)
        if (arg == QLatin1String(item))
            return true;
    return false;
}

QString flagLine(const Flag& f) {
    QString head = QStringLiteral("  ") + QLatin1String(f.flag);
    if (*f.argument)
        head += QLatin1Char(' ') + QLatin1String(f.argument);
    return head.leftJustified(30) + QLatin1Char(' ') + QLatin1String(f.meaning) + QLatin1Char('\n');
}

} // namespace

ProgramCommand programCommand(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == u"--help" || arg == u"-h")
            return {ProgramCommand::Help, {}};
        if (arg == u"--version")
            return {ProgramCommand::Version, {}};
    }
    if (args.contains(QStringLiteral("--batch")))
        return {ProgramCommand::Batch, {}};
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (isOneOf(args[i], kToolkitSwitches))
            continue;
        if (isOneOf(args[i], kToolkitOptionsWithValue) && i + 1 < args.size()) {
            ++i;
            continue;
        }
        const QString what = args[i].startsWith(u'-') ? QStringLiteral("unknown option ")
                                                      : QStringLiteral("unexpected argument ");
        return {ProgramCommand::BadUsage, what + args[i]};
    }
    return {ProgramCommand::Window, {}};
}

QString batchUsage() {
    QString usage = QStringLiteral("usage: kartello --batch --data FILE --out FILE.kml|FILE.kmz [flags]\n");
    for (const Flag& f : kBatchFlags)
        usage += flagLine(f);
    return usage;
}

QString programUsage() {
    return QStringLiteral("usage: kartello [toolkit options]   open the main window\n"
                          "       kartello --help              show this text\n"
                          "       kartello --version           show the program name and version\n") +
           batchUsage().replace(QStringLiteral("usage: kartello"), QStringLiteral("       kartello")) +
           QStringLiteral("\nThe batch command needs no display. Exit status: 0 when the graph was written, "
                          "1 when the run ended without output, 2 for bad arguments.\n");
}

QString programVersion() {
    return QStringLiteral("kartello " KARTELLO_VERSION);
}

} // namespace kartello
