#include "gui/frmMain.h"

#include "gui/frmDisplay.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace sigillo {
namespace {

QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
    auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

QLineEdit* TextBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

frmMain::frmMain(MainWindowModel& form, clsGrid& gridInfo, clsGrid& gridComparison, frmDisplay& display,
                 QWidget* parent)
    : QWidget(parent), form_(form), display_(display), infoModel_(gridInfo),
      comparisonModel_(gridComparison) {
    setObjectName(QStringLiteral("frmMain"));
    XTab1 = new QTabWidget(this);
    XTab1->setObjectName(QStringLiteral("XTab1"));
    // The captions as stored: "&&" shows as a single "&".
    XTab1->addTab(BuildFileInfoTab(), QStringLiteral("Sigillo && File Info"));
    XTab1->addTab(BuildComparisonTab(), QStringLiteral("File Comparison"));
    XTab1->addTab(BuildOptionsTab(), QStringLiteral("Options && Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(XTab1);
    resize(760, 560);

    connect(XTab1, &QTabWidget::currentChanged, this, [this](int tab) {
        if (!syncing_)
            form_.XTab1_Switch(tab);
    });
    connect(txtFile, &QLineEdit::textEdited, this,
            [this](const QString& t) { form_.txtFile = t.toStdString(); });
    connect(txtFirstFile, &QLineEdit::textEdited, this,
            [this](const QString& t) { form_.txtFirstFile = t.toStdString(); });
    connect(txtSecondFile, &QLineEdit::textEdited, this,
            [this](const QString& t) { form_.txtSecondFile = t.toStdString(); });
    connect(txtWinePrefix, &QLineEdit::textEdited, this,
            [this](const QString& t) { form_.txtWinePrefix = t.toStdString(); });
    for (GridView* grid : {gridinfo, gridcomparison}) {
        connect(grid, &GridView::CellDoubleClicked, this,
                [this, grid](int row, int col) { ShowCell(*grid, row, col); });
    }
    form_.onChanged = [this] {
        SyncFromForm();
    };
    SyncFromForm();
}

frmMain::~frmMain() {
    form_.onChanged = nullptr;
}

Command* frmMain::MakeCommand(const char* name, const char* caption, void (MainWindowModel::*handler)()) {
    MainWindowModel* form = &form_;
    auto* button = new Command(this);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(QString::fromLatin1(caption));
    button->setMinimumSize(110, 28);
    connect(button, &Command::Click, this, std::bind(handler, form));
    commands_.push_back(button);
    return button;
}

QLayout* frmMain::TabIconRow(int page) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    // Page 0 carries 1, 2, 3; page 1 carries 11, 22, 33; page 2 111, 222, 333.
    const int unit = page == 0 ? 1 : page == 1 ? 11 : 111;
    for (int tab = 1; tab <= 3; ++tab) {
        auto* icon = new TabIcon(tab * unit, this);
        connect(icon, &TabIcon::Clicked, this, [this](int index) { form_.picTabIcon_Click(index); });
        connect(icon, &TabIcon::GotFocus, this, [this] { XTab1->setFocus(Qt::OtherFocusReason); });
        picTabIcon.push_back(icon);
        row->addWidget(icon);
    }
    row->addStretch();
    return row;
}

QWidget* frmMain::BuildFileInfoTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(TabIconRow(0));

    auto* frmFile = Frame("frmFile", "Select file (dll, ocx, exe)", page);
    auto* fileRow = new QHBoxLayout(frmFile);
    fileRow->addWidget(new QLabel(QStringLiteral("Select File:"), frmFile));
    txtFile = TextBox("txtFile", frmFile);
    fileRow->addWidget(txtFile, 1);
    cmdBrowse = MakeCommand("cmdBrowse", "&Browse", &MainWindowModel::cmdBrowse_Click);
    fileRow->addWidget(cmdBrowse);
    layout->addWidget(frmFile);

    auto* buttons = new QHBoxLayout;
    cmdReg = MakeCommand("cmdReg", "&Register ActiveX", &MainWindowModel::cmdReg_Click);
    cmdUnReg = MakeCommand("cmdUnReg", "&Unregister ActiveX", &MainWindowModel::cmdUnReg_Click);
    cmdReg->setMinimumWidth(150);
    cmdUnReg->setMinimumWidth(150);
    buttons->addWidget(cmdReg);
    buttons->addWidget(cmdUnReg);
    buttons->addStretch();
    layout->addLayout(buttons);

    auto* Frame1 = Frame("Frame1", "File Info / ActiveX Info", page);
    auto* gridBox = new QVBoxLayout(Frame1);
    gridinfo = new GridView(infoModel_, Frame1);
    gridinfo->setObjectName(QStringLiteral("gridinfo"));
    gridBox->addWidget(gridinfo);
    layout->addWidget(Frame1, 1);
    return page;
}

QWidget* frmMain::BuildComparisonTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(TabIconRow(1));

    auto* files = new QHBoxLayout;
    auto* frmFileOne = Frame("frmFileOne", "First File", page);
    auto* one = new QHBoxLayout(frmFileOne);
    txtFirstFile = TextBox("txtFirstFile", frmFileOne);
    cmdSelectOne = MakeCommand("cmdSelectOne", "...", &MainWindowModel::cmdSelectOne_Click);
    cmdSelectOne->setMinimumWidth(40);
    cmdSelectOne->setMaximumWidth(40);
    one->addWidget(txtFirstFile, 1);
    one->addWidget(cmdSelectOne);
    auto* frmFileTwo = Frame("frmFileTwo", "Second File", page);
    auto* two = new QHBoxLayout(frmFileTwo);
    txtSecondFile = TextBox("txtSecondFile", frmFileTwo);
    cmdSelectTwo = MakeCommand("cmdSelectTwo", "...", &MainWindowModel::cmdSelectTwo_Click);
    cmdSelectTwo->setMinimumWidth(40);
    cmdSelectTwo->setMaximumWidth(40);
    two->addWidget(txtSecondFile, 1);
    two->addWidget(cmdSelectTwo);
    files->addWidget(frmFileOne);
    files->addWidget(frmFileTwo);
    layout->addLayout(files);

    auto* frmComparison = Frame("frmComparison", "Comparison Result", page);
    auto* gridBox = new QVBoxLayout(frmComparison);
    gridcomparison = new GridView(comparisonModel_, frmComparison);
    gridcomparison->setObjectName(QStringLiteral("gridcomparison"));
    gridBox->addWidget(gridcomparison);
    layout->addWidget(frmComparison, 1);
    return page;
}

QWidget* frmMain::BuildOptionsTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(TabIconRow(2));

    auto* body = new QGridLayout;
    auto* Picture1 = new SealPicture(page);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(96, 96);
    body->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    cmdReadme = MakeCommand("cmdReadme", "Rea&dme.txt", &MainWindowModel::cmdReadme_Click);
    cmdWeb = MakeCommand("cmdWeb", "&Visit Website", &MainWindowModel::cmdWeb_Click);
    auto* helpButtons = new QHBoxLayout;
    helpButtons->addWidget(cmdReadme);
    helpButtons->addWidget(cmdWeb);
    helpButtons->addStretch();
    body->addLayout(helpButtons, 0, 1);

    Label2 =
        new QLabel(QStringLiteral("Tip: For a full report on ActiveX files right click a folder and select "
                                  "'ActiveX Report'. Note: Shell Extensions must be enabled."),
                   page);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    body->addWidget(Label2, 1, 1);

    lblShell = new QLabel(page);
    lblShell->setObjectName(QStringLiteral("lblShell"));
    lblShell->setWordWrap(true);
    cmdShellEX = MakeCommand("cmdShellEX", "&Enable", &MainWindowModel::cmdShellEX_Click);
    auto* shellRow = new QHBoxLayout;
    shellRow->addWidget(lblShell, 1);
    shellRow->addWidget(cmdShellEX);
    body->addLayout(shellRow, 2, 1);

    // The registry Sigillo reads and writes: a Wine prefix, or the .reg store.
    lblRegistry = new QLabel(page);
    lblRegistry->setObjectName(QStringLiteral("lblRegistry"));
    lblRegistry->setWordWrap(true);
    body->addWidget(lblRegistry, 3, 1);
    auto* prefixRow = new QHBoxLayout;
    prefixRow->addWidget(new QLabel(QStringLiteral("Wine prefix:"), page));
    txtWinePrefix = TextBox("txtWinePrefix", page);
    txtWinePrefix->setPlaceholderText(QStringLiteral("empty: the .reg store"));
    prefixRow->addWidget(txtWinePrefix, 1);
    cmdWinePrefix = MakeCommand("cmdWinePrefix", "Use Prefix", &MainWindowModel::cmdWinePrefix_Click);
    prefixRow->addWidget(cmdWinePrefix);
    body->addLayout(prefixRow, 4, 1);
    body->setColumnStretch(1, 1);
    layout->addLayout(body);
    layout->addStretch();
    return page;
}

void frmMain::Load(const QString& caption) {
    setWindowTitle(caption);
    form_.Form_Load();
    for (Command* button : commands_)
        button->Initialize();
}

void frmMain::SyncFromForm() {
    syncing_ = true;
    txtFile->setText(QString::fromStdString(form_.txtFile));
    txtFirstFile->setText(QString::fromStdString(form_.txtFirstFile));
    txtSecondFile->setText(QString::fromStdString(form_.txtSecondFile));
    // The model holds "Enable" or "Disable"; the button shows it with its access key.
    const QString shellCaption = QStringLiteral("&") + QString::fromStdString(form_.cmdShellEX);
    if (cmdShellEX->Caption() != shellCaption)
        cmdShellEX->SetCaption(shellCaption);
    lblShell->setText(QString::fromStdString(form_.lblShell));
    lblRegistry->setText(QString::fromStdString(form_.lblRegistry));
    txtWinePrefix->setText(QString::fromStdString(form_.txtWinePrefix));
    XTab1->setCurrentIndex(form_.XTab1);
    syncing_ = false;
}

void frmMain::ShowCell(const GridView& grid, int row, int col) {
    display_.txtinfo->setPlainText(grid.CellText(row, col));
    display_.exec();
}

void frmMain::closeEvent(QCloseEvent* e) {
    form_.Form_Unload();
    e->accept();
    if (onUnload)
        onUnload();
}

} // namespace sigillo
