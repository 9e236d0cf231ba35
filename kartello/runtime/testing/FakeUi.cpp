#include "runtime/testing/FakeUi.h"

namespace kartello {

namespace {
template <typename T> std::optional<T> takeFront(std::deque<std::optional<T>>& q) {
    if (q.empty())
        return std::nullopt;
    std::optional<T> v;
    v.swap(q.front());
    q.pop_front();
    return v;
}
} // namespace

MsgAnswer FakeUi::messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (answers.empty())
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::No
                                                                                  : MsgAnswer::Ok;
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> FakeUi::openFileDialog(const QString& title, const QString& filter,
                                              const QString& defaultExt, const QString& presetName) {
    dialogs.push_back({false, title, filter, defaultExt, presetName});
    return takeFront(fileAnswers);
}

std::optional<QString> FakeUi::saveFileDialog(const QString& title, const QString& filter,
                                              const QString& defaultExt, const QString& presetName) {
    dialogs.push_back({true, title, filter, defaultExt, presetName});
    return takeFront(fileAnswers);
}

std::optional<Rgb> FakeUi::colorDialog(Rgb) {
    return takeFront(colorAnswers);
}

std::optional<FontChoice> FakeUi::fontDialog(const QString&, const FontChoice&) {
    return takeFront(fontAnswers);
}

std::optional<FieldChoice> FakeUi::chooseFields(const QString& path, const FieldChoice& preset) {
    fieldRequests.push_back({path, preset});
    if (fieldAnswers.empty())
        return preset;
    return takeFront(fieldAnswers);
}

void FakeUi::setBusy(bool b) {
    busy = b;
    busyChanges.push_back(b);
}

} // namespace kartello
