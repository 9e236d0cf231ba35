#include "places/TextReader.h"
#include "form/ControlNames.h"

#include "places/PlaceTable.h"
#include "places/ShapeReader.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextCodec.h"

#include <QFile>

namespace kartello {

namespace {

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Reads fields the way the classic sequential "Input" statement does.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : t_(text) {}

    // False at the end of the text. Empty lines between records are skipped;
    // a comma right before a line break or the end gives an empty field.
    bool next(QString& field, bool& quoted) {
        while (true) {
            while (pos_ < t_.size() && isBlank(t_[pos_]))
                ++pos_;
            if (pos_ < t_.size() && isBreak(t_[pos_]) && !afterComma_) {
                skipBreak();
                continue;
            }
            break;
        }
        if (pos_ >= t_.size() && !afterComma_)
            return false;
        quoted = pos_ < t_.size() && t_[pos_] == u'"';
        if (quoted) {
            const qsizetype close = t_.indexOf(u'"', pos_ + 1);
            const qsizetype end = close < 0 ? t_.size() : close;
            field = t_.mid(pos_ + 1, end - pos_ - 1).toString();
            pos_ = close < 0 ? t_.size() : close + 1;
            while (pos_ < t_.size() && t_[pos_] != u',' && !isBreak(t_[pos_]))
                ++pos_;
        } else {
            const qsizetype start = pos_;
            while (pos_ < t_.size() && t_[pos_] != u',' && !isBreak(t_[pos_]))
                ++pos_;
            qsizetype end = pos_;
            while (end > start && isBlank(t_[end - 1]))
                --end;
            field = t_.mid(start, end - start).toString();
        }
        afterComma_ = pos_ < t_.size() && t_[pos_] == u',';
        if (afterComma_)
            ++pos_;
        else if (pos_ < t_.size())
            skipBreak();
        return true;
    }

    // After a record's last field: a comma that only ends the line (a
    // spreadsheet export with an empty last column) opens no field.
    void skipEmptyLastColumn() {
        if (!afterComma_)
            return;
        qsizetype p = pos_;
        while (p < t_.size() && isBlank(t_[p]))
            ++p;
        if (p < t_.size() && !isBreak(t_[p]))
            return;
        pos_ = p;
        afterComma_ = false;
        if (pos_ < t_.size())
            skipBreak();
    }

    // What follows the current position (for the shape text hand-over).
    qsizetype position() const { return pos_; }

private:
    void skipBreak() {
        if (t_[pos_] == u'\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == u'\n')
            ++pos_;
        ++pos_;
    }

    QStringView t_;
    qsizetype pos_ = 0;
    bool afterComma_ = false;
};

Cell fieldCell(const QString& field) {
    return isNumber(field) ? Cell(readNumber(field)) : Cell(field);
}

} // namespace

PlaceTextParse parsePlaceText(QStringView text) {
    PlaceTextParse result;
    FieldReader reader(text);
    QString field;
    bool quoted = false;
    while (reader.next(field, quoted)) {
        if (field == u"[ShapeFile]") {
            result.outcome = PlaceTextParse::ShapeFile;
            return result;
        }
        if (field == u"[Options]")
            return result;
        StoreRow row;
        row[ColName] = fieldCell(field);
        for (int col : {ColLatitude, ColLongitude, ColValue}) {
            if (!reader.next(field, quoted)) {
                result.outcome = PlaceTextParse::Truncated;
                return result;
            }
            row[static_cast<size_t>(col)] = fieldCell(field);
        }
        reader.skipEmptyLastColumn();
        result.rows.push_back(std::move(row));
        if (static_cast<int>(result.rows.size()) > kMaxTextPlaces) {
            result.outcome = PlaceTextParse::TooLarge;
            result.rows.clear();
            return result;
        }
    }
    return result;
}

QString parseArq(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const qsizetype dot = path.lastIndexOf(u'.');
    // A name without extension (or a dot only in a folder name) keeps its whole file name.
    if (dot <= slash)
        return path.mid(slash + 1);
    return path.mid(slash + 1, dot - slash - 1);
}

QString readTextFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(ErrFileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrPathFileAccess);
    return decodeText(file.readAll());
}

namespace {
const Procedure kCarrega{QStringLiteral("Carrega"), QStringLiteral(". Review your input data")};
} // namespace

void carrega(PlaceContext& ctx) {
    QString text;
    if (runProcedure(ctx.ui, kCarrega, [&] { text = readTextFile(ctx.set.currentFile); }))
        carregaText(ctx, text);
}

void carregaText(PlaceContext& ctx, QStringView text) {
    runProcedure(ctx.ui, kCarrega, [&] {
        const PlaceTextParse parsed = parsePlaceText(text);
        switch (parsed.outcome) {
        case PlaceTextParse::ShapeFile:
            carregaTxtPolygon(ctx, text);
            return;
        case PlaceTextParse::TooLarge:
            ctx.ui.messageBox(
                QStringLiteral("Sorry, the file is too large (> 5000 lines). You can split it in "
                               "smaller parts."),
                QStringLiteral("Kartello"), MsgIcon::Critical);
            return;
        case PlaceTextParse::Truncated:
            throw RuntimeError(ErrInputPastEnd);
        case PlaceTextParse::Places:
            break;
        }
        // A set needs two places at least; an empty file is refused the same way.
        if (parsed.rows.size() < 2) {
            ctx.ui.messageBox(QStringLiteral("Invalid File. Review your input data"),
                              QStringLiteral("Kartello"), MsgIcon::Critical);
            return;
        }
        ctx.set.graphBaseName = parseArq(ctx.set.currentFile);
        ctx.form.setCaption(ctl::lblProg, QStringLiteral("0"));
        loadPlaceRows(ctx, parsed.rows, u"###.0000");
    });
}

} // namespace kartello
