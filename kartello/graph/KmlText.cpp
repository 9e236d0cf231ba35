#include "graph/KmlText.h"

#include <algorithm>

namespace kartello {

KmlText& KmlText::operator<<(QStringView text) {
    // Nearly every text here is ASCII: copied byte for byte, without an
    // encoder and a temporary per line.
    const qsizetype start = body_.size();
    body_.resize(start + text.size());
    char* out = body_.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            body_.truncate(start + i);
            body_.append(text.mid(i).toUtf8());
            break;
        }
        out[i] = char(c);
    }
    return *this;
}

void KmlText::slotLine(KmlSlot which, QStringView placeholder) {
    const qsizetype at = body_.size();
    *this << placeholder;
    slots_.push_back({which, at, body_.size() - at});
    endLine();
}

bool KmlText::hasSlot(KmlSlot which) const {
    return std::any_of(slots_.begin(), slots_.end(), [which](const Slot& s) { return s.which == which; });
}

void KmlText::fill(KmlSlot which, QStringView text) {
    const auto slot =
        std::find_if(slots_.begin(), slots_.end(), [which](const Slot& s) { return s.which == which; });
    if (slot == slots_.end())
        return;
    const QByteArray utf8 = text.toUtf8();
    body_.replace(slot->at, slot->size, utf8);
    const qsizetype shift = utf8.size() - slot->size;
    for (Slot& later : slots_)
        if (later.at > slot->at)
            later.at += shift;
    slots_.erase(slot);
}

QStringList KmlText::lines() const {
    QStringList out = QString::fromUtf8(body_).split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

} // namespace kartello
