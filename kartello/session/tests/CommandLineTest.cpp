#include "session/CommandLine.h"

#include <gtest/gtest.h>

using namespace kartello;

TEST(CommandLine, DecidesTheModeBeforeAnyWindowExists) {
    using M = ProgramCommand;
    struct Case {
        QStringList args;
        ProgramCommand::Mode mode;
        const char* error;
    } cases[] = {
        {{}, M::Window, ""},
        {{"-platform", "offscreen"}, M::Window, ""},
        {{"-reverse", "-style", "Fusion"}, M::Window, ""},
        {{"--help"}, M::Help, ""},
        {{"-h"}, M::Help, ""},
        {{"--batch", "--data", "x.txt", "--help"}, M::Help, ""},
        {{"--version"}, M::Version, ""},
        {{"--bogus", "--version"}, M::Version, ""},
        {{"--batch", "--data", "x.txt", "--out", "x.kml"}, M::Batch, ""},
        {{"--data", "x.txt", "--batch"}, M::Batch, ""},
        {{"--bogus"}, M::BadUsage, "unknown option --bogus"},
        {{"--data", "x.txt"}, M::BadUsage, "unknown option --data"},
        {{"places.txt"}, M::BadUsage, "unexpected argument places.txt"},
        {{"-platform"}, M::BadUsage, "unknown option -platform"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ProgramCommand command = programCommand(c.args);
        EXPECT_EQ(command.mode, c.mode);
        EXPECT_EQ(command.error, QString::fromUtf8(c.error));
    }
}

TEST(CommandLine, UsageNamesBothFormsAndEveryBatchFlag) {
    const QString usage = programUsage();
    EXPECT_TRUE(usage.startsWith("usage: kartello [toolkit options]"));
    EXPECT_TRUE(usage.contains("       kartello --batch --data FILE --out FILE.kml|FILE.kmz [flags]\n"));
    for (const char* line :
         {"  --data FILE ", "  --options FILE.ggo ", "  --title1 TEXT ", "  --title2 TEXT ", "  --title-top ",
          "  --set NAME=VALUE ", "  --yes ", "  --out FILE.kml|FILE.kmz ", "  --help ", "  --version "})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(line)) ||
                    usage.contains(QString::fromUtf8(line).trimmed()))
            << line;
    EXPECT_TRUE(batchUsage().startsWith("usage: kartello --batch"));
    EXPECT_EQ(programVersion(), "kartello 2.2.2");
}
