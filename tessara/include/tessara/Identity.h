#pragma once
// The control's public identity: library, class and interface identifiers, the
// programmatic identifier and the member identifiers that late-binding hosts use.
#include <array>
#include <cstdint>
#include <string_view>

namespace tessara::identity {

inline constexpr std::string_view kTypeLibraryName = "TessaraOcx";
inline constexpr std::string_view kLibraryId = "{9273CB40-6EF4-4B45-A077-39FEECAC0CBE}";
inline constexpr std::string_view kClassName = "Tessara";
inline constexpr std::string_view kClassId = "{EAAF7467-B3FD-4CA7-8D66-7A4E6C1D2DC6}";
inline constexpr std::string_view kProgId = "TessaraOcx.Tessara";
inline constexpr std::string_view kDefaultInterfaceName = "_Tessara";
inline constexpr std::string_view kDefaultInterfaceId = "{7C99839E-43FA-482A-8E15-6024E06FAAEE}";
inline constexpr std::string_view kEventInterfaceName = "__Tessara";
inline constexpr std::string_view kEventInterfaceId = "{CC71D215-0285-4F55-B3F2-85556F0B8BDA}";
inline constexpr std::string_view kFileName = "Tessara.ocx";

struct Member {
    std::string_view name;
    std::uint32_t dispId;
};

// Methods, properties and fields of _Tessara.
inline constexpr std::array<Member, 65> kMembers{{
    {"AddItem", 0x6003002D},
    {"Clear", 0x6003002E},
    {"Move", 0x6003002F},
    {"Refresh", 0x60030030},
    {"RemoveItem", 0x60030031},
    {"SetFocus", 0x60030032},
    {"ShowWhatsThis", 0x60030033},
    {"ZOrder", 0x60030034},
    {"SetColWidth", 0x60030041},
    {"AutoColWidth", 0x60030042},
    {"LoadCellPic", 0x60030043},
    {"AlignSel", 0x60030044},
    {"AddRowNumbers", 0x60030045},
    {"InsertRows", 0x60030046},
    {"DeleteRows", 0x60030047},
    {"SwapRows", 0x60030048},
    {"MoveRows", 0x60030049},
    {"DeleteSel", 0x6003004A},
    {"Paste", 0x6003004B},
    {"Version", 0x6803002B},
    {"CellNoEdit", 0x40030000},
    {"CellEdit", 0x40030001},
    {"CantEdit", 0x40030002},
    {"AllowUserResizing", 0x68030029},
    {"BackColor", 0x68030028},
    {"BackColorBkg", 0x68030027},
    {"BackColorFixed", 0x68030026},
    {"BackColorSel", 0x68030025},
    {"FillStyle", 0x68030024},
    {"FixedCols", 0x68030023},
    {"FixedRows", 0x68030022},
    {"FocusRect", 0x68030021},
    {"Font", 0x68030020},
    {"ForeColor", 0x6803001F},
    {"ForeColorFixed", 0x6803001E},
    {"ForeColorSel", 0x6803001D},
    {"FormatString", 0x6803001C},
    {"GridColor", 0x6803001B},
    {"GridColorFixed", 0x6803001A},
    {"GridLines", 0x68030019},
    {"GridLinesFixed", 0x68030018},
    {"GridLineWidth", 0x68030017},
    {"HighLight", 0x68030016},
    {"MergeCells", 0x68030015},
    {"PictureType", 0x68030014},
    {"RightToLeft", 0x68030013},
    {"RowHeightMin", 0x68030012},
    {"ScrollBars", 0x68030011},
    {"ScrollTrack", 0x68030010},
    {"SelectionMode", 0x6803000F},
    {"TextStyle", 0x6803000E},
    {"TextStyleFixed", 0x6803000D},
    {"WordWrap", 0x6803000C},
    {"CellBackColor", 0x6803000B},
    {"CellPicture", 0x6803000A},
    {"Clip", 0x68030009},
    {"Col", 0x68030008},
    {"Cols", 0x68030007},
    {"ColSel", 0x68030006},
    {"Redraw", 0x68030005},
    {"Row", 0x68030004},
    {"RowHeight", 0x68030003},
    {"Rows", 0x68030002},
    {"RowSel", 0x68030001},
    {"TextMatrix", 0x68030000},
}};

// Events of __Tessara: the identifier is the position.
inline constexpr std::array<Member, 13> kEvents{{
    {"CellEdited", 1},
    {"Click", 2},
    {"Compare", 3},
    {"EnterCell", 4},
    {"KeyDown", 5},
    {"KeyUp", 6},
    {"MouseDown", 7},
    {"MouseUp", 8},
    {"MouseMove", 9},
    {"RowColChange", 10},
    {"Scroll", 11},
    {"SelChange", 12},
    {"ErrorMsg", 13},
}};

// The identifier of a member or event by name (0 when unknown).
constexpr std::uint32_t dispIdOf(std::string_view name) {
    for (const Member& m : kMembers)
        if (m.name == name)
            return m.dispId;
    for (const Member& m : kEvents)
        if (m.name == name)
            return m.dispId;
    return 0;
}

} // namespace tessara::identity
