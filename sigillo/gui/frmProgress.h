#pragma once

// The progress window of the folder report: the current file, a progress bar
// and a Cancel button that sets the program's cancel flag. Closing it from
// the title bar is refused, so the report ends only by finishing or by Cancel.

#include "engine/CreateReport.h"
#include "gui/Command.h"

#include <QDialog>

#include <atomic>

class QLabel;
class QProgressBar;

namespace sigillo {

class frmProgress : public QDialog, public ReportProgressView, private ProgressBar {
    Q_OBJECT
public:
    frmProgress(std::atomic<bool>& cancelFlag, QWidget* parent = nullptr);

    void show() override;
    void hide() override;
    sigillo::ProgressBar& progressBar() override { return *this; }
    void setCurrentFile(const std::string& nameAndExtension) override;

    QLabel* lblFile;
    QProgressBar* ProgressBar1;
    Command* cmdCancel;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override {}

private:
    void setMin(int v) override;
    void setMax(int v) override;
    void setValue(int v) override;
    int value() const override;
    void refresh() override;

    std::atomic<bool>& cancel_;
};

} // namespace sigillo
