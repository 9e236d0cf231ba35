#include "graph/Shapes.h"
#include "GraphFixture.h"
#include "GuiEnvironment.h"

#include <gtest/gtest.h>

using namespace kartello;
using namespace kartello::testing_support;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

QString field(const QString& tuple, int n) {
    return tuple.section(QLatin1Char(','), n, n);
}

void shapeHooks(GraphFixture& f, QStringList tableValues) {
    f.shapeMode = true;
    f.hooks.tableValues = std::move(tableValues);
    f.hooks.lonField = [](const QString& t) {
        return field(t, 0);
    };
    f.hooks.latField = [](const QString& t) {
        return field(t, 1);
    };
    f.hooks.centre = [](const QString&, const QString&) {
        return QStringLiteral("0.5,0.5,0 ");
    };
}

void ring(GraphFixture& f, int i, const char* coords, const char* name) {
    f.store.at(i, ColLatitude) = Cell(QString::fromUtf8(coords));
    f.store.at(i, ColName) = Cell(QString::fromUtf8(name));
    f.lastPlace = i;
}

TEST(Shapes, SignedAreaIsNegativeForAClockwiseRing) {
    // (0,0) -> (0,1) -> (1,1) -> (1,0) -> (0,0): north, east, south.
    EXPECT_EQ(signedAreaSum({0, 0, 1, 1, 0}, {0, 1, 1, 0, 0}), -2);
    EXPECT_EQ(signedAreaSum({0, 1, 1, 0, 0}, {0, 0, 1, 1, 0}), 2);
}

TEST(Shapes, ClockwiseRingIsReversedCounterClockwiseOneIsKept) {
    GraphFixture f;
    shapeHooks(f, {"7", "9"});
    ring(f, 0, "0,0,5 0,1,5 1,1,5 1,0,5 0,0,5", "North");
    ring(f, 1, " 2,0,0 3,0,0 3,1,0 2,0,0</coordinates>", "South");
    PlaceRange range{f.store, f.lastPlace};
    MontaShape(range, f.state, f.hooks, f.ui, [](const QString&) {});
    EXPECT_EQ(f.store.at(0, ColLatitude).toText(), QStringLiteral("0,0,0 1,0,0 1,1,0 0,1,0 0,0,0 "));
    EXPECT_EQ(f.store.at(1, ColLatitude).toText(), QStringLiteral(" 2,0,0 3,0,0 3,1,0 2,0,0</coordinates>"));
    EXPECT_EQ(f.store.at(0, ColValue).toNumber(), 7);
    EXPECT_EQ(f.store.at(1, ColValue).toNumber(), 9);
    EXPECT_EQ(f.state.lonMin, 0);
    EXPECT_EQ(f.state.lonMax, 3);
    EXPECT_EQ(f.state.latMax, 1);
    EXPECT_EQ(f.state.valueMin, 7);
    EXPECT_EQ(f.state.valueMax, 9);
}

TEST(Shapes, RingsOfOneAreaShareTheirValue) {
    GraphFixture f;
    shapeHooks(f, {"4", "8"});
    ring(f, 0, "0,0,0 1,0,0 1,1,0 0,0,0", "Isles");
    ring(f, 1, "5,5,0 6,5,0 6,6,0 5,5,0", "Isles");
    ring(f, 2, "9,9,0 8,9,0 8,8,0 9,9,0", "Main");
    PlaceRange range{f.store, f.lastPlace};
    MontaShape(range, f.state, f.hooks, f.ui, [](const QString&) {});
    EXPECT_EQ(f.store.at(1, ColValue).toNumber(), 4);
    EXPECT_EQ(f.store.at(2, ColValue).toNumber(), 8);
}

TEST(Shapes, MissingTableRowIsReportedByMontaShape) {
    GraphFixture f;
    shapeHooks(f, {"4"});
    ring(f, 0, "0,0,0 1,0,0 1,1,0 0,0,0", "A");
    ring(f, 1, "5,5,0 6,5,0 6,6,0 5,5,0", "B");
    QStringList messages;
    PlaceRange range{f.store, f.lastPlace};
    MontaShape(range, f.state, f.hooks, f.ui, [&](const QString& m) { messages << m; });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QStringLiteral("Error 9 (Subscript out of range) in procedure MontaShape of form Main. It "
                             "seems there is a problem with the data. Review your input file."));
}

TEST(Shapes, RaisingReplacesTheFirstAltitudeWhereverItRecurs) {
    FakeUi ui;
    EXPECT_EQ(raiseRing(QStringLiteral("1,2,0 3,4,0 5,6,7 1,2,0"), 250, ui),
              QStringLiteral("1,2,250 3,4,250 5,6,7 1,2,0"));
}

TEST(Shapes, RingWithoutAltitudesAsksAndNoStops) {
    FakeUi ui;
    ui.answers = {MsgAnswer::No};
    EXPECT_THROW(raiseRing(QStringLiteral("1,2 3,4 5,6"), 9, ui), GenerationStopped);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("I don't understand the data in your your file.\r\n"
                                                  "Proceed ? (Procedure faz: calcula alturas)"));
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("Kartello Warning"));
}

TEST(Shapes, ShapeSetWithAClockwiseRingMakesAWholeDocument) {
    GraphFixture f;
    shapeHooks(f, {"5"});
    ring(f, 0, "0,0,0 0,1,0 1,1,0 1,0,0 0,0,0", "Square");
    f.options.threeD = true;
    f.options.colorConstant = true;
    f.options.fillColor = 0xFF0000; // blue
    f.options.heightConstant = true;
    f.options.heightText = QStringLiteral("100");
    f.options.heightUnitFactor = 1;
    f.options.autoHeightVisible = false;
    f.options.fixShapes = true;
    ASSERT_TRUE(f.generate()) << f.ui.lastMessage().toStdString();
    // Box 0..1 by 0..1: 60 nm north-south, camera range
    // exp(0.98113607 x ln(60 / 0.5399555) + 7.18472179) = 134117.86 m (the
    // zero latitude counts as 1e-14, so 59.9999999999994 nm); the
    // ring rises 100 + range / 250 = 636 m and the camera takes 3D's x 1.3.
    const QStringList& l = f.state.document.lines();
    EXPECT_EQ(l[7], QStringLiteral("    <longitude>0.5</longitude>"));
    EXPECT_EQ(l[8], QStringLiteral("    <latitude>0.5</latitude>"));
    EXPECT_EQ(l[11], QStringLiteral("    <range>174353.214834831</range>"));
    EXPECT_EQ(l[16], QStringLiteral("         <color>afff0000</color>"));
    EXPECT_EQ(l[24], QStringLiteral(" <name>Square</name>"));
    EXPECT_EQ(l[25], QStringLiteral(" <styleUrl>#fill_afff0000</styleUrl>"));
    EXPECT_EQ(l[28], QStringLiteral("    <extrude>1</extrude>"));
    EXPECT_EQ(l[33], QStringLiteral("0,0,636 1,0,636 1,1,636 0,1,636 0,0,636 "));
    EXPECT_EQ(l[34], QStringLiteral("       </coordinates>"));
}

} // namespace
