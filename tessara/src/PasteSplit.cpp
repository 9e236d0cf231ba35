#include "PasteSplit.h"

namespace tessara {

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringView LineSplitter::nextLine() {
    qsizetype at = -1;
    qsizetype length = 0;
    if (mayHoldPair_) {
        at = rest_.indexOf(u"\r\n");
        length = 2;
        mayHoldPair_ = at >= 0;
    }
    if (at < 0 && mayHoldReturn_) {
        at = rest_.indexOf(u'\r');
        length = 1;
        mayHoldReturn_ = at >= 0;
    }
    if (at < 0) {
        at = rest_.indexOf(u'\n');
        length = 1;
    }
    if (at < 0) {
        const QStringView line = rest_;
        rest_ = QStringView();
        return line;
    }
    const QStringView line = trimBlanks(rest_.left(at));
    rest_ = trimBlanks(rest_.mid(at + length));
    return line;
}

QStringView nextField(QStringView& line) {
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0) {
        const QStringView field = line;
        line = QStringView();
        return field;
    }
    const QStringView field = trimBlanks(line.left(tab));
    line = trimBlanks(line.mid(tab + 1));
    return field;
}

} // namespace tessara
