#pragma once
// Paint planning: what each display row, its left-margin cell and the column ruler show,
// as runs of cells with their colours. Reads the editor core; draws nothing. The widget
// renders the plans; tests check them with fixed metrics.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/editor_core.h"
#include "editor/line_break.h"
#include "editor/view/paint_types.h"

namespace pavik {

// Colours and switches of the view that the core does not hold. The background (`Color`)
// and the font colour are the core's.
struct PaintSettings {
    TViewOptions viewOpt = kAllViewOptions;
    TColor colCr = clMaroon;
    TColor colDependence = clFuchsia;
    TColor colKeyWord = clWindowText;
    TColor colSelBrush = clHighlight;
    TColor colSelText = clHighlightText;
    TColor colLeftMgn = clWindow;
    TColor colRowNo = clWindowText;
    TColor colColumnIndi = clBtnFace;
    TColor colColumnNo = clWindowText;
    TColor markColor = 0xBFBFBF;  // markColorFrom(the window colour)
    TFontStyles fontStyle = 0;    // style of the editor font
    TFontStyles keywordStyle = 0;
    const CharSet* dependence = nullptr;  // DependenceChar
    std::string rowDspFmt = "%5d:";
    // System colours to red, green and blue, for colour arithmetic; identity when unset.
    std::function<TColor(TColor)> resolve;
    // Advance of each single byte in the keyword font; unset: every advance is the pitch.
    const std::array<int, 256>* keywordWidths = nullptr;
};

struct ScreenPlan {
    PaintRect client;
    TColor background = 0;  // Color, under everything
    std::vector<RowPlan> rows;
    RulerPlan ruler;
};

// The ruler's character for 1-based column c: the last digit of c div 10 at every tenth,
// "+" at every fifth, else ".".
char rulerChar(int c);

class PaintPlanner {
public:
    PaintPlanner(const EditorCore& core, const PaintSettings& settings, const PaintMetrics& metrics)
        : core_(core), s_(settings), m_(metrics) {}

    int rowY(int row) const { return (row - core_.TopRow) * m_.rowHeight + m_.textArea.top; }
    int colX(int col) const { return (col - core_.LeftCol) * m_.cellPitch + m_.textArea.left; }
    // The row across the whole client width, margin included.
    PaintRect fullRowRect(int row) const;
    PaintRect rulerRect() const;

    // A row within the dirty rectangle; visible is false when it is outside it or the view.
    RowPlan planRow(int row, const PaintRect& dirty) const;
    RulerPlan planRuler() const;
    // Every row in view (one partial row more) and the ruler.
    ScreenPlan planScreen(const PaintRect& dirty) const;

    // The cell is inside the stream selection, at or after the indent and before the end of
    // the display line, or its row is in the row range.
    bool cellSelected(int row, int col) const;

private:
    struct Colors {
        TColor fore;
        TColor back;
        TFontStyles style;
    };
    Colors colorsFor(RunKind kind, bool selected, const TRowAttr& attr) const;
    TColor rgb(TColor c) const { return s_.resolve ? s_.resolve(c) : c; }
    bool fillSelected(int row) const;

    const EditorCore& core_;
    const PaintSettings& s_;
    const PaintMetrics& m_;
};

}  // namespace pavik
