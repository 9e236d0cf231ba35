#include "session/BatchUi.h"

namespace kartello {

MsgAnswer BatchUi::messageBox(const QString& text, const QString& title, MsgIcon, MsgButtons buttons) {
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    err_ << title << ": " << line << Qt::endl;
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return answerYes_ ? MsgAnswer::Yes : MsgAnswer::No;
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

std::optional<QString> BatchUi::openFileDialog(const QString&, const QString&, const QString&,
                                               const QString&) {
    if (openAnswers.empty())
        return std::nullopt;
    QString path = openAnswers.front();
    openAnswers.pop_front();
    return path;
}

std::optional<QString> BatchUi::saveFileDialog(const QString&, const QString&, const QString&,
                                               const QString&) {
    if (saveAnswer.isEmpty())
        return std::nullopt;
    return saveAnswer;
}

} // namespace kartello
