#pragma once
// Value types of the editor's paint planning: view options, font styles, pixel rectangles,
// metrics and the plans the widget renders. No Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/rect.h"

namespace pavik {

// Which marks are drawn (`ViewOpt`), a set of bits in declaration order.
enum TViewOption : std::uint16_t {
    voDependence = 1 << 0,   // model-dependent characters in ColDependence
    voHankana = 1 << 1,      // single bytes above 128 in ColDependence
    voCr = 1 << 2,           // paragraph-end mark
    voAnsiSpace = 1 << 3,    // full-width space shown as a box mark
    voTab = 1 << 4,          // tab cells as "-" fillers ending in ">"
    voIndent = 1 << 5,       // the indent as dots
    voColIndicate = 1 << 6,  // column ruler above the text
    voKeyWord = 1 << 7,      // keywords in the keyword font
    voRowNum = 1 << 8,       // row numbers in the left margin
    voWrapLine = 1 << 9,     // a line at each row's wrap column (with aoAutoFormat)
    voFoldMark = 1 << 10,    // fold mark after a row that continues on the next
};
using TViewOptions = std::uint16_t;
inline constexpr TViewOptions kAllViewOptions = 0x07FF;

enum TFontStyle : std::uint8_t {
    fsBold = 1 << 0,
    fsItalic = 1 << 1,
    fsUnderline = 1 << 2,
    fsStrikeOut = 1 << 3,
};
using TFontStyles = std::uint8_t;

enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

using PaintRect = TRect;

struct PaintMetrics {
    int textHeight = 0;  // height of a full-width character cell
    int halfCell = 0;    // (text height + 1) div 2
    int cellPitch = 1;   // half cell + CharPich, at least 1
    int rowHeight = 1;   // text height + RowPich, at least 1
    int leftMgn = 0;     // the left margin in use, raised to hold the row numbers
    PaintRect textArea;  // right and bottom are the client size
    int visibleRows = 0;
    int visibleCols = 0;
};

// What a run of cells shows.
enum class RunKind : std::uint8_t {
    Text,       // row text in the row's colours
    Mark,       // indent dots, tab marks, the full-width space mark: mark colour
    ParaEnd,    // paragraph-end mark (a bitmap one text height square): ColCr
    Fold,       // fold mark after a continued row: ColCr
    EndOfText,  // "< " after the last row: ColCr
    Special,    // model-dependent character or half-width kana: ColDependence
    Keyword,    // keyword font
};

// Cells of equal colours drawn in one go. Every byte takes one cell; a double-byte
// character two.
struct PaintRun {
    int x = 0;          // left edge of the first cell
    int col = 0;        // display column of the first cell
    int cells = 0;
    std::string bytes;  // CP932 bytes drawn; empty for the paragraph-end bitmap
    RunKind kind = RunKind::Text;
    TColor fore = 0;
    TColor back = 0;
    TFontStyles style = 0;
    bool selected = false;
    // Per-byte advances when they differ from the cell pitch (a bold keyword squeezed into
    // its cells); empty otherwise.
    std::vector<int> advances;

    bool keyword() const { return kind == RunKind::Keyword; }
    int right(int pitch) const { return x + cells * pitch; }
    friend bool operator==(const PaintRun&, const PaintRun&) = default;
};

struct MarginPlan {
    PaintRect rect;          // (0, y, text area left, y + row height)
    TColor fill = 0;         // ColLeftMgn
    std::string text;        // the row number as RowDspFmt formats it
    TColor textColor = 0;    // ColRowNo
    bool drawText = false;   // with voRowNum
};

struct RowPlan {
    int row = 0;
    bool visible = false;          // false: outside the dirty rectangle or the view
    bool pastEnd = false;          // below the last row: only `fill` applies
    PaintRect rowRect;             // (text area left, y, text area right, y + row height)
    PaintRect drawRect;            // rowRect within the dirty rectangle
    PaintRect fillRect;
    TColor fill = 0;
    std::string displayLine;       // indent as 0x01, fillers as 0x0B, tabs, text, CR or LF
    std::vector<PaintRun> runs;
    std::optional<int> wrapLineX;  // vertical line in the mark colour
    MarginPlan margin;
    std::optional<PaintRect> belowFill;  // after the last row: to the client bottom in Color
};

struct RulerPlan {
    bool shown = false;       // false while updating or while a stream selection exists
    PaintRect fillRect;       // (0, 0, client width, text area top - 1)
    TColor fill = 0;
    int y = 0;                // top of the ruler's cells
    std::vector<PaintRun> runs;

    friend bool operator==(const RulerPlan&, const RulerPlan&) = default;
};

}  // namespace pavik
