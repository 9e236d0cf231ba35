// The data side of a two-column result grid: rows of a caption cell and a
// text cell, section headers drawn in alternating colours, column widths and
// alignments. The window program draws a table view over it and listens to
// onChanged; sigillo-cli prints its rows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sigillo {

// Colours as the grid stores them: 0x00BBGGRR, or 0x800000nn for system colour nn.
inline constexpr uint32_t kHeaderColorAlternate = 0x1B9CFC;
inline constexpr uint32_t kSystemColorActiveCaption = 0x80000001u;
inline constexpr uint32_t kColorWhite = 0xFFFFFF;
inline constexpr int kCaptionColumnWidth = 2000; // twips
inline constexpr int kTextColumnWidth = 4200;
inline constexpr int kMessageColumnWidth = 20000;
inline constexpr int kAlignLeftCenter = 1;

struct GridCell {
    std::string text;
    std::optional<uint32_t> backColor; // none = the grid's own colours
    std::optional<uint32_t> foreColor;
};

struct GridRow {
    std::array<GridCell, 2> cells;
    bool header = false; // a coloured section header (bRevCol)
};

class clsGrid {
public:
    // Binds the wrapper to its grid: no rows, two columns.
    void Init();
    void Clear();
    void AddRow(const std::string& sCaption, const std::string& sText, bool bRevCol = false);
    void ShowMsg(const std::string& sMsg);

    int Rows() const { return static_cast<int>(rows_.size()); }
    int Cols() const { return 2; }
    const std::vector<GridRow>& RowData() const { return rows_; }
    const std::string& TextMatrix(int row, int col) const;
    int ColWidth(int col) const { return colWidth_.at(col); }         // twips, 0 = grid default
    int ColAlignment(int col) const { return colAlignment_.at(col); } // 0 = grid default
    bool ColorToggle() const { return toggle_; }

    // Called after every change (Init, Clear, AddRow, ShowMsg).
    std::function<void()> onChanged;

private:
    void changed();

    std::vector<GridRow> rows_;
    std::array<int, 2> colWidth_{0, 0};
    std::array<int, 2> colAlignment_{0, 0};
    bool toggle_ = false;
};

} // namespace sigillo
