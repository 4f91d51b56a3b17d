#pragma once
// Cell and row metrics of the editor, the mark colour and the paragraph-end mark's size.
#include <string_view>
#include <vector>

#include "editor/view/paint_types.h"
#include "platform/colors.h"

namespace pavik {

struct MetricsInput {
    int textHeight = 0;  // measured from the editor font
    int charPich = 0;    // CharPich
    int rowPich = 2;     // RowPich
    int leftMgn = 0;     // LeftMgn
    int topMgn = 0;      // TopMgn
    TViewOptions viewOpt = kAllViewOptions;
    std::string_view rowDspFmt = "%5d:";
    long long rowCount = 0;  // the rows held; numbers up to it must fit the margin
    int clientWidth = 0;
    int clientHeight = 0;
};

// Metrics for a font and the settings. The cell pitch and the row height are at least one
// pixel and the margins never negative, so nothing divides by zero or draws backwards.
// With voRowNum the left margin is raised to hold the number 100 as RowDspFmt formats it,
// or the row count when that is longer, so that no row's number is cut short.
PaintMetrics computeMetrics(const MetricsInput& in);

// The text area's right and bottom follow a new client size; the visible row and column
// counts follow them.
void resizeMetrics(PaintMetrics& m, int clientWidth, int clientHeight);

// The mark colour: the window colour (as red, green, blue) less 0x40 in each channel, each
// channel stopping at 0 instead of borrowing from the next.
TColor markColorFrom(TColor windowRgb);

// Which paragraph-end mark image fits a text height.
enum class ParaMarkImage { Small, Medium, Large };
ParaMarkImage paraMarkImageFor(int textHeight);

// Advances for a keyword of `length` bytes whose last character is `lastWidth` pixels wide
// in the keyword font: when that is wider than a cell, the first advances are lowered so
// that the word ends inside its cells. Empty when every advance stays at the pitch.
std::vector<int> keywordAdvances(int length, int pitch, int lastWidth);

}  // namespace pavik
