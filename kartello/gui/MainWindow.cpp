#include "MainWindow.h"
#include "form/ControlNames.h"

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
using Rows = QList<QList<QStringView>>;

const QList<std::pair<QStringView, Rows>>& frameContents() {
    static const QList<std::pair<QStringView, Rows>> frames = {
        {ctl::Frame5, {{ctl::Option1_0, ctl::Option1_1}, {ctl::Label5, ctl::Combo1}}},
        {ctl::Frame8, {{ctl::Option3_0, ctl::Option3_1}}},
        {ctl::Frame10,
         {{ctl::chKAutoCircleSize, u""},
          {ctl::Label1_5, ctl::TxtCircRaio},
          {ctl::Label1_7, ctl::txtRaio},
          {ctl::Label1_8, ctl::Combo3}}},
        {ctl::Frame13, {{ctl::Option5_0, ctl::Option5_1}}},
        {ctl::Frame12,
         {{ctl::chkAutom, u""},
          {ctl::Label1_13, ctl::txtHeightPoly},
          {ctl::Label1_0, ctl::txtHeightFixed},
          {ctl::Label1_12, ctl::txtHeight},
          {ctl::Label1_11, ctl::Combo4}}},
        {ctl::Frame11, {{ctl::chkSqr, ctl::chkLog}}},
        {ctl::Frame9, {{ctl::Option4_0, ctl::Option4_1}}},
        {ctl::Frame6,
         {{ctl::chkOutlineCS, ctl::Label1_6, ctl::Picture1_7},
          {ctl::chkFillCS, ctl::Label1_4, ctl::Picture1_6}}},
        {ctl::Frame7,
         {{ctl::Image2_0, ctl::Image2_1},
          {ctl::Image2_2, ctl::Image2_3},
          {ctl::Image2_4, ctl::Image2_5},
          {ctl::Image2_6, ctl::lblSelected},
          {ctl::Label12, u""},
          {ctl::Label11_0, ctl::Image1_0},
          {ctl::Label11_1, ctl::Image1_1},
          {ctl::comCustomColor, ctl::Picture4},
          {u"=Max", ctl::txtcsMAX},
          {u"=Min", ctl::txtcsMIN},
          {ctl::autoColoScale, u""},
          {ctl::chKCScale, u""},
          {ctl::Option7_0, ctl::Option7_1},
          {ctl::lblClassMethod, ctl::cboClassMethod},
          {ctl::lblClassCount, ctl::cboClassCount},
          {ctl::chkClassHeight, u""}}},
        {ctl::Frame3,
         {{ctl::Option2_0, ctl::Option2_1},
          {ctl::Option2_2, ctl::Option2_3},
          {ctl::Label10, ctl::Combo2},
          {ctl::Label2_1, ctl::Picture1_4}}},
        {ctl::Frame1, {{ctl::chkGrid, u""}, {ctl::Label2_0, ctl::Picture1_1}}},
        {ctl::Frame2,
         {{ctl::chkSTitle, u""},
          {u"=First line", ctl::Text1_0},
          {u"=Second line", ctl::Text1_1},
          {ctl::comFont, ctl::comPreviewTitle},
          {u"=Font color", ctl::Picture1_2},
          {u"=Back color", ctl::Picture1_3},
          {ctl::Option6_0, ctl::Option6_1}}},
    };
    return frames;
}

// The option frames in three columns; within a column, the order of the frames
// is the tab order.
const QList<QList<QStringView>>& optionColumns() {
    static const QList<QList<QStringView>> columns = {
        {ctl::Frame5, ctl::Frame8, ctl::Frame10, ctl::Frame13, ctl::Frame12, ctl::Frame11},
        {ctl::Frame9, ctl::Frame6, ctl::Frame7},
        {ctl::Frame3, ctl::Frame1, ctl::Frame2, ctl::chkOpen, ctl::chkNothing, ctl::chkFix, ctl::chkBmp},
    };
    return columns;
}

bool isComboWithTyping(const QString& name) {
    return name == ctl::Combo1 || name == ctl::Combo2;
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
    if (form_.isVisible(ctl::Picture2))
        form_.setVisible(ctl::Picture2, false);
    form_.subscribe([this](const QString& name) { sync(name); });
    for (const QString& name : form_.controlNames())
        sync(name);
}

QWidget* MainWindow::w(QStringView name) const {
    return widgets_.value(name.toString());
}

// --- widgets ------------------------------------------------------------------

void MainWindow::createWidgets(QWidget* grid) {
    preview_ = new TitlePreview(central_);
    preview_->setDropTargets({QStringLiteral("Main"), ctl::Frame1.toString(), ctl::Frame2.toString(),
                              ctl::Frame3.toString(), ctl::Grid1.toString()});
    connect(preview_, &TitlePreview::closeClicked, this, [this] { form_.clickControl(ctl::Label8); });

    grid->setParent(central_);
    grid->setObjectName(ctl::Grid1);

    for (const QString& name : form_.controlNames()) {
        const Control& c = form_.control(name);
        QWidget* widget = nullptr;
        if (name == ctl::Grid1)
            widget = grid;
        else if (name == ctl::Picture2)
            widget = preview_;
        else if (name == ctl::Label8)
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
        if (c.name == ctl::Picture4)
            widget = new ScaleStrip(c.name, central_);
        else
            widget = new ColorSwatch(c.name, central_);
        break;
    case ControlKind::Image:
        if (ctl::isElementOf(c.name, ctl::Image2)) {
            auto* strip = new ScaleStrip(c.name, central_);
            if (commands_.presetScale)
                strip->setColors(commands_.presetScale(ctl::elementIndex(c.name, ctl::Image2) + 1));
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
            if (ctl::isElementOf(name, ctl::Image1))
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

void MainWindow::fillFrame(QStringView frame, const QList<QList<QStringView>>& rows) {
    auto* box = static_cast<QGroupBox*>(w(frame));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(grid->verticalSpacing() / 2);
    for (int r = 0; r < rows.size(); ++r) {
        const QList<QStringView>& row = rows[r];
        for (int col = 0; col < row.size(); ++col) {
            const QStringView name = row[col];
            if (name.isEmpty())
                continue;
            QWidget* widget = nullptr;
            if (name.startsWith(u'=')) {
                widget = new QLabel(name.mid(1).toString(), box);
            } else {
                widget = w(name);
                widget->setParent(box);
                tabOrder_ << name.toString();
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
    layout->addWidget(w(ctl::Label4));
    layout->addWidget(w(ctl::Shape1));
    layout->addWidget(w(ctl::Grid1), 1);
    tabOrder_ << ctl::Grid1.toString();

    auto* status = new QHBoxLayout;
    for (QStringView n : {ctl::lblNPlaces, ctl::lblProg, ctl::lblShape})
        status->addWidget(w(n));
    status->addStretch();
    layout->addLayout(status);

    auto* rowButtons = new QGridLayout;
    const QStringView buttons[] = {ctl::comRow_0, ctl::comRow_1, ctl::comRow_4, ctl::comRow_2, ctl::comRow_3};
    for (int i = 0; i < 5; ++i) {
        rowButtons->addWidget(w(buttons[i]), i / 3, i % 3);
        tabOrder_ << buttons[i].toString();
    }
    layout->addLayout(rowButtons);

    auto* filter = new QGridLayout;
    filter->addWidget(w(ctl::Label6_0), 0, 0, 1, 4);
    filter->addWidget(new QLabel(QStringLiteral("Latitude"), panel), 1, 1);
    filter->addWidget(new QLabel(QStringLiteral("Longitude"), panel), 1, 2);
    filter->addWidget(new QLabel(QStringLiteral("Value"), panel), 1, 3);
    filter->addWidget(w(ctl::Label6_1), 2, 0);
    filter->addWidget(w(ctl::Label6_2), 3, 0);
    const QStringView boxes[2][3] = {{ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0},
                                     {ctl::txtLat_1, ctl::txtLon_1, ctl::txtVal_1}};
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 3; ++k) {
            filter->addWidget(w(boxes[r][k]), 2 + r, 1 + k);
            tabOrder_ << boxes[r][k].toString();
        }
    filter->addWidget(w(ctl::ComFilter_0), 2, 4);
    filter->addWidget(w(ctl::ComFilter_1), 3, 4);
    tabOrder_ << ctl::ComFilter_0.toString() << ctl::ComFilter_1.toString();
    layout->addLayout(filter);
    return panel;
}

QWidget* MainWindow::buildOptionsPanel() {
    for (const auto& [frame, rows] : frameContents())
        fillFrame(frame, rows);

    auto* inner = new QWidget;
    auto* columns = new QHBoxLayout(inner);
    columns->setContentsMargins(0, 0, 0, 0);
    for (const QList<QStringView>& column : optionColumns()) {
        auto* stack = new QVBoxLayout;
        for (QStringView name : column) {
            stack->addWidget(w(name));
            if (form_.control(name).kind != ControlKind::Frame)
                tabOrder_ << name.toString();
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
    return QSize(w(ctl::Label4)->parentWidget()->sizeHint().width() + optionsWanted_.width() +
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
    if (ctl::isElementOf(name, ctl::comRow) && commands_.rowButton)
        busy([this, name] { commands_.rowButton(ctl::elementIndex(name, ctl::comRow)); })();
    else if (ctl::isElementOf(name, ctl::ComFilter) && commands_.filterButton)
        busy([this, name] { commands_.filterButton(ctl::elementIndex(name, ctl::ComFilter)); })();
    else if (name == ctl::comFont)
        form_.clickFont();
    else if (name == ctl::comPreviewTitle)
        previewTitle();
    else if (name == ctl::comCustomColor && commands_.customColor) {
        if (const auto colors = commands_.customColor())
            static_cast<ScaleStrip*>(w(ctl::Picture4))->setColors(*colors);
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
        if (form_.isVisible(ctl::Picture2)) {
            form_.setVisible(ctl::Picture2, false);
            return;
        }
        if (form_.text(ctl::Text1_0).isEmpty() && form_.text(ctl::Text1_1).isEmpty()) {
            ui_.messageBox(QStringLiteral("Enter the title of the graph "), QStringLiteral("Pilastro"),
                           MsgIcon::Information);
            return;
        }
        refreshTitleImage();
        form_.setVisible(ctl::Picture2, true);
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
