// faZ on a shape set read from a file, with the shape hooks the program
// itself uses (box from the rings' first vertices, label at the ring centre,
// values from the table), checked against a document worked out by hand.
#include "session/MakeGraph.h"
#include "../../graph/tests/GuiEnvironment.h"
#include "graph/ArcSinLink.h"
#include "runtime/testing/FakeUi.h"
#include "session/Main.h"
#include "session/OptionsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kartello;

namespace {

// The title and scale images are drawn with the font database.
const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

// Two counter-clockwise squares; their first vertices (0,0) and (2,2) span
// the box 0..2 by 0..2, as every vertex does.
const char kShapes[] = "[ShapeFile]\r\n"
                       "West\r\n"
                       "0,0,0 1,0,0 1,1,0 0,1,0 0,0,0\r\n"
                       "10\r\n"
                       "East\r\n"
                       "2,2,0 1,2,0 1,1,0 2,1,0 2,2,0\r\n"
                       "30\r\n";

qsizetype indexOf(const QStringList& lines, const QString& line, qsizetype from = 0) {
    return lines.indexOf(line, from);
}

} // namespace

TEST(MakeGraph, ShapeSetThroughTheProgramsOwnShapeHooks) {
    QTemporaryDir dir;
    const QString data = dir.filePath("regions.txt");
    QFile f(data);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kShapes);
    f.close();

    FakeUi ui;
    Main m(ui);
    m.formLoad();
    ui.fileAnswers.push_back(data);
    m.menuOpenFile();
    ASSERT_TRUE(m.places.shapeMode) << ui.lastMessage().toStdString();
    loadOptionsFile(m.form, QStringLiteral(KARTELLO_EXAMPLES_DIR "/flat-constant.ggo"));

    GraphState state;
    ArcSinLink arcSin(std::vector<std::string>{}); // shapes place no polygon corners
    ui.fileAnswers.push_back(dir.filePath("regions.kml"));
    ASSERT_TRUE(faZ(m, state, arcSin)) << ui.lastMessage().toStdString();
    const QStringList& l = state.document.lines();

    // The camera looks at the middle of the box 0..2 by 0..2. Its range
    // follows the 120 nm north-south side (the zero latitude counts as 1e-14,
    // so 119.9999999999994 nm): exp(0.98113607 x ln(119.9999999999994 /
    // 0.5399555) + 7.18472179) = 264751.234701884 m.
    EXPECT_NE(indexOf(l, "    <longitude>1</longitude>"), -1);
    EXPECT_NE(indexOf(l, "    <latitude>1</latitude>"), -1);
    EXPECT_NE(indexOf(l, "    <range>264751.234701884</range>"), -1);

    // Each ring rises to its own whole-metre altitude (height by value plus
    // range / 250), the larger value higher; its vertices are those of the
    // file, read through the hooks.
    const auto raised = [&](const char* firstTuple) -> QString {
        for (const QString& line : l)
            if (line.startsWith(QString::fromUtf8(firstTuple)))
                return line;
        return QString();
    };
    const QString west = raised("0,0,");
    const QString east = raised("2,2,");
    const QString hw = west.section(' ', 0, 0).section(',', 2);
    const QString he = east.section(' ', 0, 0).section(',', 2);
    ASSERT_FALSE(hw.isEmpty());
    ASSERT_FALSE(he.isEmpty());
    EXPECT_LT(hw.toLongLong(), he.toLongLong());
    const auto ring = [](const char* pattern, const QString& h) {
        return QString::fromUtf8(pattern).replace("H", h);
    };
    EXPECT_EQ(west, ring("0,0,H 1,0,H 1,1,H 0,1,H 0,0,H ", hw));
    EXPECT_EQ(east, ring("2,2,H 1,2,H 1,1,H 2,1,H 2,2,H ", he));

    // The label sits at the ring centre the program's hook finds: a quarter
    // of the ring text (29 characters -> 7) is the step between the sampled
    // vertices; West samples (0,0), (1,1), (0,0) -> (0.5,0.5); East samples
    // (2,2), (1,1), (2,2) -> (1.5,1.5). The altitude is that of the raised ring.
    bool westLabel = false, eastLabel = false;
    for (const QString& line : l) {
        westLabel = westLabel || line.contains("0.5,0.5," + hw);
        eastLabel = eastLabel || line.contains("1.5,1.5," + he);
    }
    EXPECT_TRUE(westLabel);
    EXPECT_TRUE(eastLabel);
    EXPECT_TRUE(ui.messages.empty()) << ui.lastMessage().toStdString();
}
