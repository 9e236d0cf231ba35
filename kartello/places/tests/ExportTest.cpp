#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/KmlReader.h"
#include "places/SpreadsheetExport.h"
#include "places/TextExport.h"
#include "places/TextReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace kartello;
using namespace kartello::test;

namespace {

class Export : public PlaceFixture {
protected:
    void loadCities(const QByteArray& bytes = kThreeCities) {
        set.currentFile = writeFile("cities.txt", bytes);
        carrega(ctx);
        ASSERT_TRUE(set.dataLoaded);
    }
    QByteArray save(const char* name) {
        const QString path = scratch.filePath(QString::fromLatin1(name));
        ui.fileAnswers.push_back(path);
        menuSaveTxt(ctx);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST(QuotedName, QuotesOnlyWhatWouldNotReadBack) {
    struct Case {
        const char* name;
        const char* field;
    } cases[] = {{"Lisbon", "Lisbon"},
                 {"Funchal, Madeira", "\"Funchal, Madeira\""},
                 {" padded", "\" padded\""},
                 {"say \"hi\", ok", "\"say 'hi', ok\""},
                 {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(quotedName(QString::fromUtf8(c.name)), QString::fromUtf8(c.field));
}

TEST_F(Export, SaveBeforeAnyFileWarns) {
    menuSaveTxt(ctx);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please open a txt or kml file");
    EXPECT_EQ(ui.messages[0].title, "Warning");
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(Export, SavedTextReadsBackToTheSamePlaces) {
    loadCities("\"Funchal, Madeira\",32.6333,-16.9,111\r\nPorto,41.15,-8.6167,237.5\r\n");
    const QByteArray text = save("out.txt");
    EXPECT_EQ(text, "\"Funchal, Madeira\",32.6333,-16.9,111\r\nPorto,41.15,-8.6167,237.5\r\n");
    EXPECT_EQ(ui.dialogs.back().title, "Open");
    EXPECT_EQ(ui.dialogs.back().filter, "txt(*.txt)|*.txt|All files(*.*)|*.*|");
    EXPECT_EQ(ui.dialogs.back().presetName, "cities.txt");
    EXPECT_EQ(set.currentFile, scratch.filePath("out.txt"));

    set.currentFile = scratch.filePath("out.txt");
    carrega(ctx);
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(tableRow(1), "32.6333|-16.9000|Funchal, Madeira|111");
}

TEST_F(Export, CommasInTextNumbersBecomePeriodsInFileAndStore) {
    loadCities();
    grid.setCurrentCell(1, 3);
    grid.setTextMatrix(1, 3, "5,5");
    gridCellEdited(ctx);
    const QByteArray text = save("c.txt");
    EXPECT_TRUE(text.startsWith("Lisbon,38.7167,-9.1333,5.5\r\n"));
    EXPECT_EQ(set.placeData.at(0, ColValue), Cell("5.5"));
    EXPECT_TRUE(set.placeData.at(1, ColValue).isNumber()); // numbers stay numbers
}

TEST_F(Export, NamesAreWrittenAsUtf8) {
    loadCities("S\xC3\xA3o Paulo,-23.55,-46.63,22\r\nB,1,2,3\r\n");
    EXPECT_TRUE(save("u.txt").startsWith("S\xC3\xA3o Paulo,"));
}

TEST_F(Export, CancelledSaveWritesNothingAndAFailedSaveKeepsTheOldFile) {
    loadCities();
    ui.fileAnswers.push_back(std::nullopt);
    menuSaveTxt(ctx);
    EXPECT_TRUE(ui.messages.empty());

    const QString folderPath = scratch.filePath("no/such/folder/x.txt");
    ui.fileAnswers.push_back(folderPath);
    menuSaveTxt(ctx);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error 76 (Path not found) in procedure guardaCSV of form Main");
}

TEST_F(Export, WorkbookHoldsEveryCellWithNumbersAsNumbers) {
    loadCities();
    const QString path = scratch.filePath("grid.xlsx");
    writeWorkbook(ctx, path);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".part"));
    if (QStandardPaths::findExecutable("unzip").isEmpty())
        GTEST_SKIP() << "unzip is needed to look inside the workbook";
    QProcess unzip;
    unzip.start("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
    ASSERT_TRUE(unzip.waitForFinished());
    const QByteArray sheet = unzip.readAllStandardOutput();
    // 4 rows x 4 columns: the header as (shared) strings, coordinates and values as numbers.
    EXPECT_EQ(sheet.count("<row "), 4);
    EXPECT_EQ(sheet.count("<c "), 16);
    EXPECT_TRUE(sheet.contains("<c r=\"A2\" s=\"0\"><v>38.7167</v></c>") ||
                sheet.contains("<c r=\"A2\"><v>38.7167</v>"))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<v>237.5</v>"));
    EXPECT_TRUE(sheet.contains("<c r=\"A1\" t=\"s\">"));
    EXPECT_TRUE(sheet.contains("<c r=\"C2\" t=\"s\">")); // names stay text
}

TEST_F(Export, ExportOpensATemporaryWorkbookNamedAfterTheGraph) {
    loadCities();
    form.setCaption(ctl::Label4, "Current file: x");
    exportFlexGrid(ctx);
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_TRUE(ui.opened[0].endsWith("/cities.xlsx"));
    EXPECT_TRUE(QFile::exists(ui.opened[0]));
    EXPECT_EQ(form.caption(ctl::Label4), "Current file: x");
    EXPECT_FALSE(ui.busy);
    QFile::remove(ui.opened[0]);
    QDir().rmdir(QFileInfo(ui.opened[0]).path());
}

TEST_F(Export, AWorkbookNoApplicationTakesIsReportedAndItsFolderRemoved) {
    loadCities();
    ui.openSucceeds = false;
    exportFlexGrid(ctx);
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.lastMessage(), "Can't open " + ui.opened[0] +
                                    ". There is no application for this kind of file on this desktop.");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(ui.opened[0]).path()));
    EXPECT_FALSE(ui.busy);
}
