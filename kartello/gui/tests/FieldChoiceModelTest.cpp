// The field dialog's state without its widgets, on a catalog written by hand.
#include "gui/FieldChoiceModel.h"

#include <gtest/gtest.h>

using namespace kartello;
using kartello::gui::FieldChoiceModel;

namespace {

FieldCatalog twoLayers() {
    FieldCatalog c;
    c.layers = {{"regions", {"name", "pop"}, {{"Lagoa", "12"}}, {"regions", "name", "pop", "", "", ""}},
                {"towns",
                 {"code", "name", "pop", "year"},
                 {{"LX", "Lisbon", "545", "2019"}, {"PO", "Porto", "232", "2020"}},
                 {"towns", "name", "pop", "", "", ""}}};
    c.defaultLayer = 1;
    return c;
}

// What is offered (a remembered choice) is kept where the file still has it;
// the rest falls back to the reader's defaults, coordinates only for a CSV.
TEST(FieldChoiceModel, OfferedChoiceIsKeptWhereTheFileHasIt) {
    struct Case {
        FieldChoice offered;
        FieldChoice expected;
    } cases[] = {
        {{}, {"towns", "name", "pop", "", "", ""}},
        {{"towns", "code", "year", "x", "y", "year"}, {"towns", "code", "year", "", "", "year"}},
        {{"regions", "code", "", "", "", "year"}, {"regions", "name", "pop", "", "", ""}},
        {{"gone", "code", "pop", "", "", ""}, {"towns", "code", "pop", "", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldChoiceModel(twoLayers(), c.offered).choice(), c.expected)
            << c.offered.layer.toStdString();
}

TEST(FieldChoiceModel, ChoicesChangeThePreviewAndAnotherLayerStartsOver) {
    FieldChoiceModel m(twoLayers(), {});
    EXPECT_EQ(m.layerNames(), QStringList({"regions", "towns"}));
    EXPECT_FALSE(m.hasRole(FieldChoiceModel::Latitude));
    EXPECT_EQ(m.options(FieldChoiceModel::Time), QStringList({"none", "code", "name", "pop", "year"}));
    EXPECT_EQ(m.selected(FieldChoiceModel::Time), 0);
    EXPECT_EQ(m.selected(FieldChoiceModel::Value), 2);

    m.select(FieldChoiceModel::Time, 4);
    m.select(FieldChoiceModel::Name, 0);
    EXPECT_EQ(m.previewHeader(), QStringList({"Name: code", "Value: pop", "Time: year"}));
    ASSERT_EQ(m.previewRows().size(), 2u);
    EXPECT_EQ(m.previewRows()[1], QStringList({"PO", "232", "2020"}));
    EXPECT_EQ(m.choice(), (FieldChoice{"towns", "code", "pop", "", "", "year"}));

    m.select(FieldChoiceModel::Time, 0);
    EXPECT_EQ(m.choice().timeField, "");
    m.setLayer(0);
    EXPECT_EQ(m.choice(), (FieldChoice{"regions", "name", "pop", "", "", ""}));
    EXPECT_EQ(m.previewRows()[0], QStringList({"Lagoa", "12"}));
}

TEST(FieldChoiceModel, CsvCoordinateColumnsAreChosenToo) {
    FieldCatalog c;
    c.layers = {
        {"sites", {"site", "breite", "laenge"}, {{"A", "38.5", "-9.25"}}, {"sites", "site", "", "", "", ""}}};
    c.coordinateColumns = true;
    FieldChoiceModel m(std::move(c), {});
    EXPECT_EQ(m.selected(FieldChoiceModel::Latitude), 0); // "none": the reader looks for the usual names
    m.select(FieldChoiceModel::Latitude, 2);
    m.select(FieldChoiceModel::Longitude, 3);
    EXPECT_EQ(m.previewHeader(), QStringList({"Name: site", "Latitude: breite", "Longitude: laenge"}));
    EXPECT_EQ(m.previewRows()[0], QStringList({"A", "38.5", "-9.25"}));
    EXPECT_EQ(m.choice(), (FieldChoice{"sites", "site", "", "breite", "laenge", ""}));
}

} // namespace
