#include "engine/clsGrid.h"

namespace sigillo {

namespace {
const std::string kNoText;
}

void clsGrid::changed() {
    if (onChanged) {
        onChanged();
    }
}

void clsGrid::Init() {
    rows_.clear();
    changed();
}

void clsGrid::Clear() {
    rows_.clear();
    toggle_ = false;
    changed();
}

void clsGrid::AddRow(const std::string& sCaption, const std::string& sText, bool bRevCol) {
    GridRow row;
    row.header = bRevCol;
    const std::string* texts[2] = {&sCaption, &sText};
    const int widths[2] = {kCaptionColumnWidth, kTextColumnWidth};
    for (int col = 0; col < 2; ++col) {
        GridCell& cell = row.cells[col];
        if (bRevCol) {
            // Header rows alternate, the first one in the system colour.
            cell.backColor = toggle_ ? kHeaderColorAlternate : kSystemColorActiveCaption;
            cell.foreColor = kColorWhite;
        }
        colWidth_[col] = widths[col];
        colAlignment_[col] = kAlignLeftCenter;
        cell.text = *texts[col];
    }
    rows_.push_back(std::move(row));
    if (bRevCol) {
        toggle_ = !toggle_;
    }
    changed();
}

void clsGrid::ShowMsg(const std::string& sMsg) {
    rows_.clear();
    toggle_ = false;
    GridRow row;
    row.cells[0] = GridCell{sMsg, kSystemColorActiveCaption, kColorWhite};
    colWidth_[0] = kMessageColumnWidth;
    colAlignment_[0] = kAlignLeftCenter;
    rows_.push_back(std::move(row));
    changed();
}

const std::string& clsGrid::TextMatrix(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col > 1) {
        return kNoText;
    }
    return rows_[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].text;
}

} // namespace sigillo
