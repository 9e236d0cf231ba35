// Paste of tab- and line-separated text from the current cell on.
#include "tessara/GridModel.h"

#include "Int16.h"
#include "ModelGuards.h"
#include "PasteSplit.h"

namespace tessara {

namespace {

// Hands the unread rest back to the caller's string however the paste ends.
class ConsumeOnExit {
public:
    ConsumeOnExit(QString& target, const LineSplitter& splitter) : target_(target), splitter_(splitter) {}
    ~ConsumeOnExit() { target_ = splitter_.rest().toString(); }
    ConsumeOnExit(const ConsumeOnExit&) = delete;
    ConsumeOnExit& operator=(const ConsumeOnExit&) = delete;

private:
    QString& target_;
    const LineSplitter& splitter_;
};

} // namespace

// The grid never grows: fields past the last column and lines past the last row
// are dropped; a cell that may not be edited keeps its text but uses up its column.
void GridModel::Paste(QString& s) {
    trapped(QStringLiteral("Paste"), [&] {
        const QString source = s;
        LineSplitter lines(source);
        const ConsumeOnExit consume(s, lines);
        const Restructure restructure(*this);
        const SuspendedRedraw redraw(*this);
        const int r0 = Row();
        // The start column is held in a 16-bit integer.
        const int c0 = checkInt16(Col());
        int r = r0;
        while (!lines.atEnd()) {
            QStringView line = lines.nextLine();
            int col = c0;
            while (!line.isEmpty()) {
                const QStringView field = nextField(line);
                checkRow(r);
                checkCol(col);
                Cell& cell = cellRef(r, col);
                if (cell.back != CellNoEdit)
                    cell.text = field.toString();
                if (++col >= Cols())
                    line = QStringView();
            }
            if (++r >= Rows())
                lines.dropRest();
        }
        setCurrentCell(r0, c0);
    });
}

} // namespace tessara
