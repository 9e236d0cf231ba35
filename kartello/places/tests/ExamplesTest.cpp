#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/KmlReader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace kartello;
using namespace kartello::test;

namespace {

class Examples : public PlaceFixture {
protected:
    void openExample(const char* name) {
        open(QStringLiteral(KARTELLO_EXAMPLES "/") + QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(Examples, EveryExampleLoads) {
    struct Case {
        const char* file;
        int lastPlace;
        bool shapes;
        const char* firstRow;
        const char* label;
    } cases[] = {
        {"portugal-cities.txt", 5, false, "38.7167|-9.1333|Lisbon|547", "N.places: 6"},
        {"world-capitals.txt", 8, false, "35.6895|139.6917|Tokyo|37.4", "N.places: 9"},
        {"lighthouses.kml", 3, false, "38.780556|-9.498611|Cabo da Roca|", "N.places: 4"},
        {"regions.kml", 3, true, "Shape|Shape|Alentejo|0", "4 polygons - 3 places"},
        {"regions-shapes.txt", 3, true, "Shape|Shape|Alentejo|12", "N.places: 4 polygons - 4 places"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        openExample(c.file);
        EXPECT_TRUE(ui.messages.empty()) << c.file << ": " << ui.lastMessage().toStdString();
        EXPECT_EQ(set.lastPlace, c.lastPlace) << c.file;
        EXPECT_EQ(set.shapeMode, c.shapes) << c.file;
        EXPECT_EQ(tableRow(1), QString::fromUtf8(c.firstRow)) << c.file;
        EXPECT_EQ(form.caption(ctl::lblNPlaces), QString::fromUtf8(c.label)) << c.file;
    }
}

TEST_F(Examples, NamesWithCommasAndAccentsSurvive) {
    openExample("portugal-cities.txt");
    EXPECT_EQ(grid.TextMatrix(6, 2), "Funchal, Madeira");
    openExample("lighthouses.kml");
    EXPECT_EQ(grid.TextMatrix(2, 2), QString::fromUtf8("Cabo de São Vicente"));
    EXPECT_EQ(grid.TextMatrix(4, 2), QString::fromUtf8("Farol de Leça"));
    EXPECT_EQ(set.graphBaseName, "Lighthouses-Graph");
}

// The user guide points people at example files: each one it names exists.
TEST(HelpPage, NamesOnlyExampleFilesThatExist) {
    QFile page(QStringLiteral(KARTELLO_EXAMPLES "/../kartello/gui/help/kartello-help.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QRegularExpression named(QStringLiteral("<code>examples/([^<]+)</code>"));
    int files = 0;
    for (auto it = named.globalMatch(html); it.hasNext();) {
        const QString name = it.next().captured(1);
        ++files;
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(KARTELLO_EXAMPLES "/") + name)) << name.toStdString();
    }
    EXPECT_GE(files, 3);
}
