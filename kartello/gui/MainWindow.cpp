#include "MainWindow.h"

#include "AboutWindow.h"
#include "ColorSwatch.h"
#include "DecimalGuard.h"
#include "ScaleStrip.h"
#include "TitlePreview.h"

#include "form/FormModel.h"
#include "runtime/OpenFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace kartello::gui {
namespace {

// Frame contents, row by row. "" leaves a cell empty; "=Text" is a caption
// without a control of its own (the classic window drew those as plain labels).
using Rows = QList<QStringList>;

const QList<std::pair<QString, Rows>>& frameContents() {
    static const QList<std::pair<QString, Rows>> frames = {
        {"Frame5", {{"Option1_0", "Option1_1"}, {"Label5", "Combo1"}}},
        {"Frame8", {{"Option3_0", "Option3_1"}}},
        {"Frame10",
         {{"chKAutoCircleSize", ""},
          {"Label1_5", "TxtCircRaio"},
          {"Label1_7", "txtRaio"},
          {"Label1_8", "Combo3"}}},
        {"Frame13", {{"Option5_0", "Option5_1"}}},
        {"Frame12",
         {{"chkAutom", ""},
          {"Label1_13", "txtHeightPoly"},
          {"Label1_0", "txtHeightFixed"},
          {"Label1_12", "txtHeight"},
          {"Label1_11", "Combo4"}}},
        {"Frame11", {{"chkSqr", "chkLog"}}},
        {"Frame9", {{"Option4_0", "Option4_1"}}},
        {"Frame6", {{"chkOutlineCS", "Label1_6", "Picture1_7"}, {"chkFillCS", "Label1_4", "Picture1_6"}}},
        {"Frame7",
         {{"Image2_0", "Image2_1"},
          {"Image2_2", "Image2_3"},
          {"Image2_4", "Image2_5"},
          {"Image2_6", "lblSelected"},
          {"Label12", ""},
          {"Label11_0", "Image1_0"},
          {"Label11_1", "Image1_1"},
          {"comCustomColor", "Picture4"},
          {"=Max", "txtcsMAX"},
          {"=Min", "txtcsMIN"},
          {"autoColoScale", ""},
          {"chKCScale", ""},
          {"Option7_0", "Option7_1"},
          {"lblClassMethod", "cboClassMethod"},
          {"lblClassCount", "cboClassCount"},
          {"chkClassHeight", ""}}},
        {"Frame3",
         {{"Option2_0", "Option2_1"},
          {"Option2_2", "Option2_3"},
          {"Label10", "Combo2"},
          {"Label2_1", "Picture1_4"}}},
        {"Frame1", {{"chkGrid", ""}, {"Label2_0", "Picture1_1"}}},
        {"Frame2",
         {{"chkSTitle", ""},
          {"=First line", "Text1_0"},
          {"=Second line", "Text1_1"},
          {"comFont", "comPreviewTitle"},
          {"=Font color", "Picture1_2"},
          {"=Back color", "Picture1_3"},
          {"Option6_0", "Option6_1"}}},
    };
    return frames;
}

// The option frames in three columns; within a column, the order of the frames
// is the tab order.
const QList<QStringList>& optionColumns() {
    static const QList<QStringList> columns = {
        {"Frame5", "Frame8", "Frame10", "Frame13", "Frame12", "Frame11"},
        {"Frame9", "Frame6", "Frame7"},
        {"Frame3", "Frame1", "Frame2", "chkOpen", "chkNothing", "chkFix", "chkBmp"},
    };
    return columns;
}

bool isComboWithTyping(const QString& name) {
    return name == u"Combo1" || name == u"Combo2";
}

} // namespace

MainWindow::MainWindow(FormModel& form, Ui& ui, MainCommands commands, QWidget* grid, QWidget* parent)
    : QMainWindow(parent), form_(form), ui_(ui), commands_(std::move(commands)) {
    setObjectName("MainWindow");
    setWindowTitle(QStringLiteral("Kartello"));
    central_ = new QWidget(this);
    central_->setObjectName("Main");
    setCentralWidget(central_);

    createWidgets(grid);
    buildLayout();
    buildMenus();
    setTabOrderByLayout();

    // The title preview appears only on request ("Preview Title").
    if (form_.isVisible(u"Picture2"))
        form_.setVisible(u"Picture2", false);
    form_.subscribe([this](const QString& name) { sync(name); });
    for (const QString& name : form_.controlNames())
        sync(name);
}

QWidget* MainWindow::w(const QString& name) const {
    return widgets_.value(name);
}

// --- widgets ------------------------------------------------------------------

void MainWindow::createWidgets(QWidget* grid) {
    preview_ = new TitlePreview(central_);
    preview_->setDropTargets({"Main", "Frame1", "Frame2", "Frame3", "Grid1"});
    connect(preview_, &TitlePreview::closeClicked, this, [this] { form_.clickControl(u"Label8"); });

    grid->setParent(central_);
    grid->setObjectName("Grid1");

    for (const QString& name : form_.controlNames()) {
        const Control& c = form_.control(name);
        QWidget* widget = nullptr;
        if (name == u"Grid1")
            widget = grid;
        else if (name == u"Picture2")
            widget = preview_;
        else if (name == u"Label8")
            widget = preview_->closeLabel();
        else
            widget = createWidget(c);
        widgets_.insert(name, widget);
        connectWidget(c, widget);
    }
    preview_->raise();
}

QWidget* MainWindow::createWidget(const Control& c) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::Frame:
        widget = new QGroupBox(c.caption, central_);
        break;
    case ControlKind::Label:
        widget = new QLabel(c.caption, central_);
        static_cast<QLabel*>(widget)->setTextFormat(Qt::PlainText);
        break;
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(central_);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 8);
        widget = edit;
        break;
    }
    case ControlKind::CheckBox:
        widget = new QCheckBox(c.caption, central_);
        break;
    case ControlKind::OptionButton: {
        auto* radio = new QRadioButton(c.caption, central_);
        // The model keeps the groups: no graph type is chosen at start, and the
        // options file may clear a button.
        radio->setAutoExclusive(false);
        widget = radio;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(central_);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setReadOnly(!isComboWithTyping(c.name));
        widget = combo;
        break;
    }
    case ControlKind::PictureBox:
        if (c.name == u"Picture4")
            widget = new ScaleStrip(c.name, central_);
        else
            widget = new ColorSwatch(c.name, central_);
        break;
    case ControlKind::Image:
        if (c.name.startsWith(u"Image2_")) {
            auto* strip = new ScaleStrip(c.name, central_);
            if (commands_.presetScale)
                strip->setColors(commands_.presetScale(c.name.mid(7).toInt() + 1));
            widget = strip;
        } else {
            widget = new ColorSwatch(c.name, central_);
        }
        break;
    case ControlKind::CommandButton:
        widget = new QPushButton(c.caption, central_);
        break;
    case ControlKind::Shape: {
        auto* line = new QFrame(central_);
        line->setFrameShape(QFrame::HLine);
        widget = line;
        break;
    }
    case ControlKind::Grid:
        widget = new QWidget(central_);
        break;
    }
    widget->setObjectName(c.name);
    return widget;
}

void MainWindow::connectWidget(const Control& c, QWidget* widget) {
    const QString name = c.name;
    // After every action the widget is mirrored again: a handler may refuse
    // the change (an empty title clears "Show title in GE" again).
    auto after = [this, name] {
        sync(name);
    };
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::clicked, this, [this, name, after](bool ticked) {
            form_.setCheck(name, ticked ? 1 : 0);
            after();
        });
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        connect(radio, &QRadioButton::clicked, this, [this, name, after] {
            form_.clickOption(name);
            after();
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (isComboWithTyping(name)) {
            // The text is taken when the typing is finished, not per keystroke:
            // typing "10" must not first warn about a one-sided polygon.
            connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, name, combo, after] {
                if (!syncing_ && combo->currentText() != form_.text(name))
                    form_.editText(name, combo->currentText());
                after();
            });
            connect(combo, &QComboBox::activated, this, [this, name, combo, after](int index) {
                form_.editText(name, combo->itemText(index));
                after();
            });
        } else {
            connect(combo, &QComboBox::activated, this, [this, name, after](int index) {
                form_.pickListItem(name, index);
                after();
            });
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { form_.setText(name, text); });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, name] { onCommandButton(name); });
    } else if (auto* swatch = qobject_cast<ColorSwatch*>(widget)) {
        connect(swatch, &ColorSwatch::clicked, this, [this, name] {
            if (name.startsWith(u"Image1_"))
                onImageClick(name);
            else
                form_.clickControl(name);
        });
    } else if (auto* strip = qobject_cast<ScaleStrip*>(widget)) {
        connect(strip, &ScaleStrip::clicked, this, [this, name] { form_.clickControl(name); });
    }
}

// --- mirroring ----------------------------------------------------------------

void MainWindow::sync(const QString& name) {
    QWidget* widget = w(name);
    if (!widget || !form_.has(name))
        return;
    const Control& c = form_.control(name);
    if (watchingFocus_ && form_.focusRequest() == name)
        pendingFocus_ = name;
    const bool wasSyncing = syncing_;
    syncing_ = true;
    const QSignalBlocker block(widget);

    widget->setVisible(c.visible);
    widget->setEnabled(c.enabled);
    if (!c.toolTip.isEmpty())
        widget->setToolTip(c.toolTip);

    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(c.caption);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setText(c.caption);
        check->setTristate(c.value == 2);
        check->setCheckState(c.value == 2 ? Qt::PartiallyChecked : c.value ? Qt::Checked : Qt::Unchecked);
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        radio->setText(c.caption);
        radio->setChecked(c.value != 0);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        if (items != c.list) {
            combo->clear();
            combo->addItems(c.list);
        }
        combo->setCurrentIndex(c.listIndex);
        if (combo->currentText() != c.text)
            combo->setEditText(c.text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != c.text)
            edit->setText(c.text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(c.caption);
    } else if (auto* swatch = qobject_cast<ColorSwatch*>(widget)) {
        swatch->setColor(colorFromValue(c.backColor));
    } else if (auto* strip = qobject_cast<ScaleStrip*>(widget)) {
        strip->setSelected(c.borderStyle != 0);
    } else if (widget == preview_) {
        if (c.visible)
            refreshTitleImage();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != c.caption)
            label->setText(c.caption);
    }
    syncing_ = wasSyncing;
}

// --- layout -------------------------------------------------------------------

void MainWindow::fillFrame(const QString& frame, const QList<QStringList>& rows) {
    auto* box = static_cast<QGroupBox*>(w(frame));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(grid->verticalSpacing() / 2);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        for (int col = 0; col < row.size(); ++col) {
            const QString& name = row[col];
            if (name.isEmpty())
                continue;
            QWidget* widget = nullptr;
            if (name.startsWith(u'=')) {
                widget = new QLabel(name.mid(1), box);
            } else {
                widget = w(name);
                widget->setParent(box);
                tabOrder_ << name;
            }
            // A cell followed by empty cells spans them.
            int span = 1;
            while (col + span < row.size() && row[col + span].isEmpty())
                ++span;
            grid->addWidget(widget, r, col, 1, span);
        }
    }
}

QWidget* MainWindow::buildTablePanel() {
    auto* panel = new QWidget(central_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(w("Label4"));
    layout->addWidget(w("Shape1"));
    layout->addWidget(w("Grid1"), 1);
    tabOrder_ << "Grid1";

    auto* status = new QHBoxLayout;
    for (const char* n : {"lblNPlaces", "lblProg", "lblShape"})
        status->addWidget(w(n));
    status->addStretch();
    layout->addLayout(status);

    auto* rowButtons = new QGridLayout;
    const char* buttons[] = {"comRow_0", "comRow_1", "comRow_4", "comRow_2", "comRow_3"};
    for (int i = 0; i < 5; ++i) {
        rowButtons->addWidget(w(buttons[i]), i / 3, i % 3);
        tabOrder_ << buttons[i];
    }
    layout->addLayout(rowButtons);

    auto* filter = new QGridLayout;
    filter->addWidget(w("Label6_0"), 0, 0, 1, 4);
    filter->addWidget(new QLabel(QStringLiteral("Latitude"), panel), 1, 1);
    filter->addWidget(new QLabel(QStringLiteral("Longitude"), panel), 1, 2);
    filter->addWidget(new QLabel(QStringLiteral("Value"), panel), 1, 3);
    filter->addWidget(w("Label6_1"), 2, 0);
    filter->addWidget(w("Label6_2"), 3, 0);
    const char* boxes[2][3] = {{"txtLat_0", "txtLon_0", "txtVal_0"}, {"txtLat_1", "txtLon_1", "txtVal_1"}};
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 3; ++k) {
            filter->addWidget(w(boxes[r][k]), 2 + r, 1 + k);
            tabOrder_ << boxes[r][k];
        }
    filter->addWidget(w("ComFilter_0"), 2, 4);
    filter->addWidget(w("ComFilter_1"), 3, 4);
    tabOrder_ << "ComFilter_0"
              << "ComFilter_1";
    layout->addLayout(filter);
    return panel;
}

QWidget* MainWindow::buildOptionsPanel() {
    for (const auto& [frame, rows] : frameContents())
        fillFrame(frame, rows);

    auto* inner = new QWidget;
    auto* columns = new QHBoxLayout(inner);
    columns->setContentsMargins(0, 0, 0, 0);
    for (const QStringList& column : optionColumns()) {
        auto* stack = new QVBoxLayout;
        for (const QString& name : column) {
            stack->addWidget(w(name));
            if (!name.startsWith(u"Frame"))
                tabOrder_ << name;
        }
        stack->addStretch();
        columns->addLayout(stack);
    }
    // The panel scrolls when a large font or a small screen needs it; it never
    // squeezes the frames.
    auto* scroll = new QScrollArea(central_);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(inner);
    optionsWanted_ = inner->sizeHint() + QSize(scroll->verticalScrollBar()->sizeHint().width(), 0);
    // At least one column of frames stays in view.
    int widestColumn = 0;
    for (int i = 0; i < columns->count(); ++i)
        widestColumn = qMax(widestColumn, columns->itemAt(i)->sizeHint().width());
    scroll->setMinimumWidth(widestColumn + scroll->verticalScrollBar()->sizeHint().width());
    return scroll;
}

void MainWindow::buildLayout() {
    auto* layout = new QHBoxLayout(central_);
    layout->addWidget(buildTablePanel(), 2);
    layout->addWidget(buildOptionsPanel(), 3);
}

QSize MainWindow::sizeHint() const {
    // Room for the table panel and every option frame side by side; the
    // program bounds it by the screen.
    const QSize base = QMainWindow::sizeHint();
    return QSize(w("Label4")->parentWidget()->sizeHint().width() + optionsWanted_.width() +
                     3 * style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) + 24,
                 qMax(base.height(), optionsWanted_.height() + menuBar()->sizeHint().height() + 24));
}

void MainWindow::setTabOrderByLayout() {
    QWidget* previous = nullptr;
    for (const QString& name : tabOrder_) {
        QWidget* widget = w(name);
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                      const std::function<void()>& action) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, [action] {
            if (action)
                action();
        });
        actions_.insert(name, a);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName("menuFile");
    add(file, "menuNew", QStringLiteral("New"), QKeySequence::New, busy(commands_.menuNew));
    add(file, "menuOpen", QStringLiteral("Open file"), QKeySequence::Open, busy(commands_.openFile));
    file->addSeparator();
    add(file, "menuSaveTxt", QStringLiteral("Save txt  (csv)"), {}, busy(commands_.saveText));
    add(file, "menuExport", QStringLiteral("Export Grid to Excel"), {}, busy(commands_.exportGrid));
    file->addSeparator();
    add(file, "menuLoadOptions", QStringLiteral("Load options"), {}, busy(commands_.loadOptions));
    add(file, "menuSaveOptions", QStringLiteral("Save options"), {}, busy(commands_.saveOptions));
    file->addSeparator();
    add(file, "menuExit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

    QAction* run = menuBar()->addAction(QStringLiteral("Run"));
    run->setObjectName("menuRun");
    run->setShortcut(Qt::Key_F5);
    // A top-level menu entry only fires its shortcut while it lives on the window.
    addAction(run);
    connect(run, &QAction::triggered, this, [this] {
        // A failed check asks for the focus on the control to correct; only a
        // request made during this run counts.
        pendingFocus_.clear();
        watchingFocus_ = true;
        busy(commands_.run)();
        watchingFocus_ = false;
        if (QWidget* target = pendingFocus_.isEmpty() ? nullptr : w(pendingFocus_))
            target->setFocus(Qt::OtherFocusReason);
    });
    actions_.insert("menuRun", run);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName("menuHelp");
    add(help, "menuHelpItem", QStringLiteral("Help"), QKeySequence::HelpContents, [this] { showHelp(); });
    add(help, "menuAbout", QStringLiteral("About"), {}, [this] { showAbout(); });
}

// --- commands -----------------------------------------------------------------

std::function<void()> MainWindow::busy(std::function<void()> command) {
    return [this, command = std::move(command)] {
        if (!command)
            return;
        // The hourglass for the whole command; the pointer comes back even when
        // the command ends by an exception the session did not trap.
        struct Busy {
            Ui& ui;
            explicit Busy(Ui& u) : ui(u) { ui.setBusy(true); }
            ~Busy() { ui.setBusy(false); }
        } hourglass(ui_);
        command();
    };
}

void MainWindow::onCommandButton(const QString& name) {
    if (name.startsWith(u"comRow_") && commands_.rowButton)
        busy([this, name] { commands_.rowButton(name.mid(7).toInt()); })();
    else if (name.startsWith(u"ComFilter_") && commands_.filterButton)
        busy([this, name] { commands_.filterButton(name.mid(10).toInt()); })();
    else if (name == u"comFont")
        form_.clickFont();
    else if (name == u"comPreviewTitle")
        previewTitle();
    else if (name == u"comCustomColor" && commands_.customColor) {
        if (const auto colors = commands_.customColor())
            static_cast<ScaleStrip*>(w("Picture4"))->setColors(*colors);
    }
}

void MainWindow::onImageClick(const QString& name) {
    if (const std::optional<Rgb> color = ui_.colorDialog(form_.backColor(name)))
        form_.setBackColor(name, *color);
}

void MainWindow::refreshTitleImage() {
    if (commands_.titleImage)
        preview_->setTitleImage(commands_.titleImage());
}

void MainWindow::previewTitle() {
    runProcedure(ui_, Procedure{QStringLiteral("comPreviewTitle_Click")}, [&] {
        if (form_.isVisible(u"Picture2")) {
            form_.setVisible(u"Picture2", false);
            return;
        }
        if (form_.text(u"Text1_0").isEmpty() && form_.text(u"Text1_1").isEmpty()) {
            ui_.messageBox(QStringLiteral("Enter the title of the graph "), QStringLiteral("Pilastro"),
                           MsgIcon::Information);
            return;
        }
        refreshTitleImage();
        form_.setVisible(u"Picture2", true);
        preview_->raise();
    });
}

void MainWindow::showHelp() {
    openOrTell(ui_, commands_.helpPath);
}

void MainWindow::showAbout() {
    AboutWindow about(
        commands_.helpPath, [this](const QString& target) { openOrTell(ui_, target); }, this);
    about.exec();
}

// --- shutdown -------------------------------------------------------------------

void MainWindow::unloadAllForms() {
    if (guard_)
        guard_->restoreSettings();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != this && top->isVisible())
            top->close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    unloadAllForms();
    event->accept();
}

} // namespace kartello::gui
