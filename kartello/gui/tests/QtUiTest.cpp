#include "gui/QtUi.h"
#include "GuiTestMain.h"
#include "session/OptionsSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kartello;
using kartello::gui::QtUi;

namespace {

// Runs `answer` on the modal window as soon as it is up.
void whenModal(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

} // namespace

TEST(QtUi, MessageBoxShowsTitleIconButtonsAndGivesTheAnswer) {
    kartello::gui::test::app();
    QtUi ui;
    struct Case {
        MsgButtons buttons;
        QMessageBox::StandardButton press;
        MsgAnswer answer;
    } cases[] = {{MsgButtons::YesNo, QMessageBox::No, MsgAnswer::No},
                 {MsgButtons::YesNo, QMessageBox::Yes, MsgAnswer::Yes},
                 {MsgButtons::Ok, QMessageBox::Ok, MsgAnswer::Ok},
                 {MsgButtons::OkCancel, QMessageBox::Cancel, MsgAnswer::Cancel}};
    for (const Case& c : cases) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(c.press)->click();
        });
        EXPECT_EQ(ui.messageBox("Proceed ? <b>", "Kartello Warning", MsgIcon::Exclamation, c.buttons),
                  c.answer);
        EXPECT_EQ(title, "Kartello Warning");
        EXPECT_EQ(text, "Proceed ? <b>");
        EXPECT_EQ(icon, QMessageBox::Warning);
    }
}

TEST(QtUi, SavedNameTakesTheExtensionOfTheChosenType) {
    kartello::gui::test::app();
    QtUi ui;
    QTemporaryDir dir;
    struct Case {
        int typeIndex;
        const char* expected;
    } cases[] = {{0, "rain.kml"}, {1, "rain.kmz"}};
    for (const Case& c : cases) {
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Save");
            EXPECT_EQ(dialog->nameFilters(), (QStringList{"kml (*.kml)", "kmz (*.kmz)"}));
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            types->setCurrentIndex(c.typeIndex);
            emit types->activated(c.typeIndex);
            emit types->textActivated(types->currentText());
            dialog->selectFile(dir.filePath("rain"));
            static_cast<QDialog*>(dialog)->accept();
        });
        const std::optional<QString> chosen =
            ui.saveFileDialog("Save", "kml (*.kml)|*.kml|kmz (*.kmz)|*.kmz", "", "graph");
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(chosen->toStdString(), dir.filePath(c.expected).toStdString());
    }
}

TEST(QtUi, CancelledFileDialogGivesNothing) {
    kartello::gui::test::app();
    QtUi ui;
    whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(ui.openFileDialog("Open", "kml(*.kml)|*.kml|All files(*.*)|*.*|", "*.kml", "").has_value());
}

// The field dialog on a real CSV: the preview follows the time field, OK gives
// the choice and remembers it for the file, the next open offers it again,
// Cancel gives nothing, and a file GDAL cannot list gets no dialog.
TEST(QtUi, FieldDialogChoosesRemembersAndCancels) {
    kartello::gui::test::app();
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("cities.csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("city,lat,lon,pop,year\nLisbon,38.7,-9.1,545,2019\nPorto,41.1,-8.6,232,2020\n");
    f.close();
    QtUi ui;
    const QString settings = dir.filePath(QStringLiteral("Kartello.ini"));
    ui.setSettingsFile(settings);

    QStringList header;
    QString lastCell;
    bool layerShown = true;
    whenModal([&](QWidget* modal) {
        auto* time = modal->findChild<QComboBox*>(QStringLiteral("cboTime"));
        auto* preview = modal->findChild<QTableWidget*>(QStringLiteral("grdPreview"));
        ASSERT_TRUE(time && preview);
        layerShown = modal->findChild<QComboBox*>(QStringLiteral("cboLayer"))->isVisibleTo(modal);
        time->setCurrentText(QStringLiteral("year"));
        for (int c = 0; c < preview->columnCount(); ++c)
            header << preview->horizontalHeaderItem(c)->text();
        lastCell = preview->item(1, preview->columnCount() - 1)->text();
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const FieldChoice chosen{"cities", "city", "pop", "lat", "lon", "year"};
    EXPECT_EQ(ui.chooseFields(csv, {}), chosen);
    EXPECT_FALSE(layerShown);
    EXPECT_EQ(header,
              QStringList({"Name: city", "Value: pop", "Latitude: lat", "Longitude: lon", "Time: year"}));
    EXPECT_EQ(lastCell, "2020");
    EXPECT_EQ(rememberedFields(QFileInfo(csv).absoluteFilePath(), settings), chosen);

    QString offeredTime;
    whenModal([&](QWidget* modal) {
        offeredTime = modal->findChild<QComboBox*>(QStringLiteral("cboTime"))->currentText();
        modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(ui.chooseFields(csv, {}), std::nullopt);
    EXPECT_EQ(offeredTime, "year");

    const FieldChoice preset{"", "", "pop", "", "", ""};
    EXPECT_EQ(ui.chooseFields(dir.filePath(QStringLiteral("Kartello.ini")), preset), preset);
}
