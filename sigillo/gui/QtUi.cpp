#include "gui/QtUi.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace sigillo {
namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QUrl UrlOf(const QString& file) {
    const QUrl url(file);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(file);
}

} // namespace

MsgAnswer QtUi::messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                           MsgButtons buttons) {
    QMessageBox box(IconOf(icon), QString::fromStdString(caption.empty() ? kAppTitle : caption),
                    QString::fromStdString(text),
                    buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    owner_);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void QtUi::doEvents() {
    QCoreApplication::processEvents();
}

void QtUi::shellExecute(const std::string& file, const std::string& parameters) {
    const QString path = QString::fromStdString(file);
    if (parameters.empty()) {
        QDesktopServices::openUrl(UrlOf(path));
        return;
    }
    QProcess::startDetached(path, QProcess::splitCommand(QString::fromStdString(parameters)));
}

std::optional<std::string> QtOpenFileDialog::OpenFile() {
    const QString chosen =
        QFileDialog::getOpenFileName(owner_, QString(), QString(), QStringLiteral("All files(*.*) (*)"));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

} // namespace sigillo
