#include "session/Batch.h"

#include <gtest/gtest.h>

using namespace kartello;

namespace {

struct ArgsCase {
    const char* name;
    QStringList args;
    const char* error; // "" when the arguments are valid
};

class BatchArgsTest : public testing::TestWithParam<ArgsCase> {};

TEST_P(BatchArgsTest, RejectsWhatIsNotABatchCommand) {
    QString error;
    const auto args = parseBatchArgs(GetParam().args, &error);
    EXPECT_EQ(args.has_value(), QByteArray(GetParam().error).isEmpty()) << GetParam().name;
    EXPECT_EQ(error, QString::fromUtf8(GetParam().error)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchArgsTest,
    testing::Values(
        ArgsCase{"complete", {"--batch", "--data", "a.txt", "--out", "a.kmz"}, ""},
        ArgsCase{"no --batch", {"--data", "a.txt", "--out", "a.kmz"}, "--batch is missing"},
        ArgsCase{"no data", {"--batch", "--out", "a.kmz"}, "--data FILE is missing"},
        ArgsCase{"no output", {"--batch", "--data", "a.txt"}, "--out FILE is missing"},
        ArgsCase{"value missing", {"--batch", "--data"}, "--data needs a value"},
        ArgsCase{"fields",
                 {"--batch", "--data", "a.gpkg", "--layer", "t", "--name-field", "n", "--value-field", "v",
                  "--time-field", "y", "--out", "a.kml"},
                 ""},
        ArgsCase{"field missing", {"--batch", "--data", "a.gpkg", "--layer"}, "--layer needs a value"},
        ArgsCase{"latitude alone",
                 {"--batch", "--data", "a.csv", "--lat-field", "lat", "--out", "a.kml"},
                 "--lat-field and --lon-field go together"},
        ArgsCase{"set without =", {"--batch", "--set", "chkGrid"}, "--set needs NAME=VALUE, not chkGrid"},
        ArgsCase{"unknown flag", {"--batch", "--colour", "red"}, "unknown argument --colour"},
        ArgsCase{"classes", {"--batch", "--data", "a.txt", "--classes", "jenks:9", "--out", "a.kml"}, ""},
        ArgsCase{"too many classes",
                 {"--batch", "--classes", "quantile:10"},
                 "--classes needs METHOD:N (equal, quantile or jenks; N 3 to 9), not quantile:10"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(BatchArgs, KeepsSetsInOrderAndTitles) {
    QString error;
    const auto a =
        parseBatchArgs({"--batch", "--data", "p.txt", "--set", "Option4_1=True", "--set", "Text1_0=a=b",
                        "--title1", "Rain", "--title-top", "--yes", "--out", "g.kml"},
                       &error);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->sets.size(), 2u);
    EXPECT_EQ(a->sets[0], (std::pair<QString, QString>{"Option4_1", "True"}));
    EXPECT_EQ(a->sets[1], (std::pair<QString, QString>{"Text1_0", "a=b"}));
    EXPECT_EQ(a->title1, QStringLiteral("Rain"));
    EXPECT_FALSE(a->title2);
    EXPECT_TRUE(a->titleTop);
    EXPECT_TRUE(a->yes);
}

} // namespace
