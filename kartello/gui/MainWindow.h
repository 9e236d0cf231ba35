#pragma once

#include "runtime/Ui.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QVector>
#include <functional>
#include <optional>

class QAction;
class QGroupBox;
class QGridLayout;

namespace kartello {
class FormModel;
struct Control;
} // namespace kartello

namespace kartello::gui {

class DecimalGuard;
class TitlePreview;

// What the session does for the window's menus and buttons. The window only
// forwards the person's commands; every rule lives behind these calls.
struct MainCommands {
    std::function<void()> menuNew;
    std::function<void()> openFile;
    std::function<void()> saveText;
    std::function<void()> exportGrid;
    std::function<void()> loadOptions;
    std::function<void()> saveOptions;
    std::function<void()> run;
    std::function<void(int index)> rowButton;    // comRow(0..4)
    std::function<void(int index)> filterButton; // ComFilter(0..1)
    // comCustomColor: builds the custom scale; the 256 colours for Picture4,
    // or nothing when it failed (the session has reported why).
    std::function<std::optional<QVector<Rgb>>()> customColor;
    // Titulo: the title image of the two title lines in the title font and
    // colours (read from the form model).
    std::function<QImage()> titleImage;
    // The 256 colours of preset scale 1..7, drawn on Image2(0..6).
    std::function<QVector<Rgb>(int preset)> presetScale;
    // Where the user guide lives; "Help" and the About link open it.
    QString helpPath;
};

// The main window Main: every frame and control of the form model as a widget
// whose object name is the control name, laid out in frames. It mirrors the
// model (visible, enabled, captions, texts, values, lists, colours) whenever
// the model reports a change, and turns the person's clicks into the model's
// handlers or the session's commands. It never decides what to show itself.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // grid is the place table widget (Grid1); the window takes it over.
    MainWindow(FormModel& form, Ui& ui, MainCommands commands, QWidget* grid, QWidget* parent = nullptr);

    // The widget of a control ("Option1_0"), nullptr for an unknown name.
    QWidget* controlWidget(const QString& name) const { return widgets_.value(name); }
    QAction* menuAction(const QString& name) const { return actions_.value(name); }

    // Shutdown: the guard's restore runs first, then every other window closes.
    void setGuard(DecimalGuard* guard) { guard_ = guard; }

    // Mirrors one control from the model (the model's change notification).
    void sync(const QString& name);

    void showHelp();
    void showAbout();
    void previewTitle();

    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createWidgets(QWidget* grid);
    QWidget* createWidget(const Control& c);
    void connectWidget(const Control& c, QWidget* w);
    void buildLayout();
    QWidget* buildTablePanel();
    QWidget* buildOptionsPanel();
    void fillFrame(QStringView frame, const QList<QList<QStringView>>& rows);
    void buildMenus();
    void setTabOrderByLayout();
    std::function<void()> busy(std::function<void()> command);
    void onCommandButton(const QString& name);
    void onImageClick(const QString& name);
    void refreshTitleImage();
    void unloadAllForms();
    QWidget* w(QStringView name) const;

    FormModel& form_;
    Ui& ui_;
    MainCommands commands_;
    DecimalGuard* guard_ = nullptr;
    QWidget* central_ = nullptr;
    TitlePreview* preview_ = nullptr;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QAction*> actions_;
    QStringList tabOrder_;
    bool syncing_ = false;
    bool watchingFocus_ = false;
    QString pendingFocus_;
    QSize optionsWanted_;
};

} // namespace kartello::gui
