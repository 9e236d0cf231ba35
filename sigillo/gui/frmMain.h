#pragma once

// Sigillo's main window: three tabs (file info, file comparison, options and
// help) whose controls mirror the MainWindowModel model and forward their events
// to its handlers.

#include "gui/Command.h"
#include "gui/GridModel.h"
#include "gui/GridView.h"
#include "gui/MainWindowModel.h"
#include "gui/TabIcon.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QGroupBox;
class QTabWidget;

namespace sigillo {

class frmDisplay;

class frmMain : public QWidget {
    Q_OBJECT
public:
    frmMain(MainWindowModel& form, clsGrid& gridInfo, clsGrid& gridComparison, frmDisplay& display,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // The window's load step: caption, the form's registry object and
    // Initialize on every button.
    void Load(const QString& caption);

    // Called when the window unloads (closed by the person).
    std::function<void()> onUnload;

    QTabWidget* XTab1;
    QLineEdit* txtFile;
    QLineEdit* txtFirstFile;
    QLineEdit* txtSecondFile;
    Command* cmdBrowse;
    Command* cmdReg;
    Command* cmdUnReg;
    Command* cmdSelectOne;
    Command* cmdSelectTwo;
    Command* cmdReadme;
    Command* cmdWeb;
    Command* cmdShellEX;
    QLabel* Label2;
    QLabel* lblShell;
    QLabel* lblRegistry;
    QLineEdit* txtWinePrefix;
    Command* cmdWinePrefix;
    GridView* gridinfo;
    GridView* gridcomparison;
    std::vector<TabIcon*> picTabIcon;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* BuildFileInfoTab();
    QWidget* BuildComparisonTab();
    QWidget* BuildOptionsTab();
    QLayout* TabIconRow(int page);
    Command* MakeCommand(const char* name, const char* caption, void (MainWindowModel::*handler)());
    void ShowCell(const GridView& grid, int row, int col);
    void SyncFromForm();

    MainWindowModel& form_;
    frmDisplay& display_;
    GridModel infoModel_;
    GridModel comparisonModel_;
    std::vector<Command*> commands_;
    bool syncing_ = false;
};

} // namespace sigillo
