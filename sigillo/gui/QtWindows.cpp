#include "gui/QtWindows.h"

#include <QCoreApplication>

namespace sigillo {

QtWindows::QtWindows(QtUi& ui, QtOpenFileDialog& dialog, ProgramVersion version)
    : ui_(ui), dialog_(dialog), version_(version) {}

QtWindows::~QtWindows() {
    ui_.setOwner(nullptr);
    dialog_.setOwner(nullptr);
}

void QtWindows::LoadWindows(MainWindowModel& form) {
    display_ = std::make_unique<frmDisplay>();
    main_ = std::make_unique<frmMain>(form, program_->gridInfo(), program_->gridComparison(), *display_);
    main_->Load(
        QString::fromStdString(MainCaption("Sigillo", version_.major, version_.minor, version_.revision)));
    main_->onUnload = [this] {
        program_->Shutdown(true);
    };
    ui_.setOwner(main_.get());
    dialog_.setOwner(main_.get());
}

void QtWindows::ShowMain() {
    if (main_)
        main_->show();
}

void QtWindows::UnloadMain() {
    if (!main_)
        return;
    main_->hide();
    ui_.setOwner(nullptr);
    dialog_.setOwner(nullptr);
}

void QtWindows::UnloadDisplay() {
    if (display_)
        display_->hide();
}

ReportProgressView* QtWindows::Progress() {
    if (!progress_)
        progress_ = std::make_unique<frmProgress>(program_->cancel());
    return progress_.get();
}

void QtWindows::Quit(int status) {
    QCoreApplication::exit(status);
}

} // namespace sigillo
