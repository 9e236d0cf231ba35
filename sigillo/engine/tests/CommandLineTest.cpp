#include "engine/CommandLine.h"

#include <gtest/gtest.h>

namespace sigillo {
namespace {

constexpr const char* kAppPath = "/opt/sigillo/";

struct ParseCase {
    const char* name;
    const char* line;
    CommandAction action;
    const char* file;
    std::size_t argumentCount;
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesActionFileAndArguments) {
    const ParseCase& c = GetParam();
    const ParsedCommandLine parsed = ParseCommandLine(c.line, kAppPath);
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.file, c.file);
    EXPECT_EQ(parsed.arguments.size(), c.argumentCount);
}

// Expected values follow the rules by hand: split at single spaces, the quoted
// text from after the first quote to before the last character, switches
// compared case-sensitively, non-absolute names put below the program folder.
const ParseCase kParseCases[] = {
    {"EmptyLineDoesNothing", "", CommandAction::None, "", 0},
    {"RegisterAbsolutePath", "-r /tmp/a.dll", CommandAction::Register, "/tmp/a.dll", 2},
    {"RegisterQuotedPathWithSpaces", "-r \"/tmp/my files/a.dll\"", CommandAction::Register,
     "/tmp/my files/a.dll", 2},
    {"RegisterUnquotedPathKeepsPartBeforeSpace", "-r /tmp/my files/a.dll", CommandAction::Register, "/tmp/my",
     3},
    {"RegisterWithoutFileLeavesFileEmpty", "-r", CommandAction::Register, "", 1},
    {"UnregisterRelativeNameGoesBelowProgramFolder", "-u lib/x.ocx", CommandAction::Unregister,
     "/opt/sigillo/lib/x.ocx", 2},
    {"ReportQuotedFolder", "-f \"/srv/com objects\"", CommandAction::Report, "/srv/com objects", 2},
    {"ReportAbsoluteFolder", "-f /data", CommandAction::Report, "/data", 2},
    {"ShellInstallAlone", "-s", CommandAction::ShellInstall, "", 1},
    {"ShellInstallIgnoresItsArgument", "-s /tmp/x", CommandAction::ShellInstall, "", 2},
    {"CapitalSwitchIsAFileName", "-R /tmp/a.dll", CommandAction::OpenFile, "/opt/sigillo/-R", 2},
    {"BareNameIsLookedUpInProgramFolder", "a.dll", CommandAction::OpenFile, "/opt/sigillo/a.dll", 1},
    {"QuotedPathWithoutSwitchOpensIt", "\"/tmp/my files/a.dll\"", CommandAction::OpenFile,
     "/tmp/my files/a.dll", 2},
    {"QuotedRelativeNameWithoutSwitch", "\"my lib.dll\"", CommandAction::OpenFile, "/opt/sigillo/my lib.dll",
     2},
    {"UnknownSwitchTakesQuotedTextAsFirstElement", "-x \"/tmp/a b\"", CommandAction::OpenFile, "/tmp/a b", 2},
    {"DoubleSpaceLeavesEmptySecondElement", "-r  /tmp/a.dll", CommandAction::Register, "", 3},
    {"LoneQuoteAtEndGivesEmptyFile", "-r \"", CommandAction::Register, "", 2},
    {"LeadingSpaceMakesEmptyFirstElement", " -r x", CommandAction::OpenFile, "", 3},
    {"QuotedTextEndsBeforeLastCharacterWhateverItIs", "-r \"/tmp/a.dll\"x", CommandAction::Register,
     "/tmp/a.dll\"", 2},
};

INSTANTIATE_TEST_SUITE_P(Rules, ParseCommandLineTest, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ParseCommandLine, QuotedSwitchLineKeepsSwitchAndWholePath) {
    const ParsedCommandLine parsed = ParseCommandLine("-u \"/a b/c d.ocx\"", kAppPath);
    ASSERT_EQ(parsed.arguments.size(), 2u);
    EXPECT_EQ(parsed.arguments[0], "-u");
    EXPECT_EQ(parsed.arguments[1], "/a b/c d.ocx");
}

struct JoinCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* line;
};

class JoinArgumentsTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinArgumentsTest, RebuildsTheOneLine) {
    EXPECT_EQ(JoinArguments(GetParam().arguments), GetParam().line);
}

const JoinCase kJoinCases[] = {
    {"NoArguments", {}, ""},
    {"PlainArguments", {"-r", "/tmp/a.dll"}, "-r /tmp/a.dll"},
    {"ArgumentWithSpaceIsQuoted", {"-r", "/tmp/my files/a.dll"}, "-r \"/tmp/my files/a.dll\""},
    {"EmptyArgumentIsQuoted", {""}, "\"\""},
    {"LonePathWithSpace", {"/x y/z.dll"}, "\"/x y/z.dll\""},
};

INSTANTIATE_TEST_SUITE_P(Forms, JoinArgumentsTest, testing::ValuesIn(kJoinCases),
                         [](const testing::TestParamInfo<JoinCase>& info) { return info.param.name; });

TEST(JoinArguments, JoinedPathWithSpacesParsesBackWhole) {
    const std::string line = JoinArguments({"-f", "/srv/my components"});
    const ParsedCommandLine parsed = ParseCommandLine(line, kAppPath);
    EXPECT_EQ(parsed.action, CommandAction::Report);
    EXPECT_EQ(parsed.file, "/srv/my components");
}

} // namespace
} // namespace sigillo
