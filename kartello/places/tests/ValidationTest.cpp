#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/ClipboardReader.h"
#include "places/Validation.h"

using namespace kartello;
using namespace kartello::test;

namespace {

class Validation : public PlaceFixture {
protected:
    // Rows as "name|lat|lon|value" put straight into the table.
    void table(std::initializer_list<const char*> rows) {
        grid.setRows(static_cast<int>(rows.size()) + 1);
        int r = 1;
        for (const char* row : rows) {
            const QStringList f = QString::fromUtf8(row).split(u'|');
            grid.setTextMatrix(r, 2, f[0]);
            grid.setTextMatrix(r, 0, f[1]);
            grid.setTextMatrix(r, 1, f[2]);
            grid.setTextMatrix(r, 3, f[3]);
            ++r;
        }
        set.lastPlace = static_cast<int>(rows.size()) - 1;
    }
    QString verdict() {
        ui.messages.clear();
        const bool ok = validaGrid(ctx);
        if (ok)
            return QStringLiteral("ok");
        return ui.messages.empty() ? QStringLiteral("false without message") : ui.messages.back().text;
    }
};

} // namespace

TEST_F(Validation, ChecksInOrder) {
    struct Case {
        std::initializer_list<const char*> rows;
        const char* expected;
    } cases[] = {
        {{"A|1|2|3", "B|4|5|6"}, "ok"},
        {{"A|1|2|3"}, "For color or size varying is necessary, at least, two place marks"},
        {{"A|90|-180|1", "B|-90|180|2"}, "ok"},
        {{"A|90.0001|0|1", "B|0|0|1"}, "90.0001: invalid latitude for A"},
        {{"A|1|2|3", "B||0|1"}, "Please enter latitude for B"},
        {{"A|north|2|3", "B|0|0|1"}, "Please enter latitude for A"},
        {{"A|1|-180.5|3", "B|0|0|1"}, "-180.5: invalid longitude for A"},
        {{"A|1|east|3", "B|0|0|1"}, "Please enter the longitude for A"},
        {{"A|1|2|", "B|0|0|1"}, "Please enter the value for A"},
        {{"A|1|2|3", "B|0|0|x"}, "Please enter the value for B"},
        {{"A|north|2|", "B|0|0|1"}, "Please enter latitude for A"}, // the first failing check wins
    };
    for (const Case& c : cases) {
        table(c.rows);
        EXPECT_EQ(verdict(), QString::fromUtf8(c.expected)) << *c.rows.begin();
    }
    EXPECT_EQ(ui.messages.back().title, "Kartello");
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Exclamation);
}

TEST_F(Validation, OnePlaceWithConstantSizeAndColourPasses) {
    form.clickOption(ctl::Option3_1);
    form.clickOption(ctl::Option4_1);
    table({"A|1|2|"});
    EXPECT_EQ(verdict(), "ok"); // and no value is needed
}

TEST_F(Validation, DoNothingNeedsNoValue) {
    form.setCheck(ctl::chkNothing, 1);
    table({"A|1|2|", "B|3|4|"});
    EXPECT_EQ(verdict(), "ok");
}

TEST_F(Validation, RewritesThePlaceCount) {
    table({"A|1|2|3", "B|4|5|6"});
    verdict();
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 2");
}
