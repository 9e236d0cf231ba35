#include "gui/QtUi.h"
#include "GuiTestMain.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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
