#pragma once
// The selection: a stream selection between an anchor and a moving end (half-open, display
// coordinates), and a row-range selection of whole rows.
#include "editor/editor_types.h"

namespace pavik {

class TSelArea {
public:
    bool Selected = false;       // state last reported by Check()
    TextPoint MovingEnd;         // the end that follows the caret
    int RowMoving = -1;          // moving row of the row range
    TextPoint AnchorPoint;       // fixed end of the stream selection
    int RowAnchor = -1;          // anchor row of the row range; -1: no row range
    int DragCol = 0;             // wrap column or indent being dragged
    int RangeMaxIndent = 0;      // over the rows of the range
    int RangeMinWrap = 100000;

    // The smaller and the larger of anchor and moving end.
    TextPoint StartPoint() const { return AnchorPoint < MovingEnd ? AnchorPoint : MovingEnd; }
    TextPoint EndPoint() const { return AnchorPoint < MovingEnd ? MovingEnd : AnchorPoint; }
    bool HasStream() const { return AnchorPoint != MovingEnd; }
    bool HasRowRange() const { return RowAnchor >= 0; }
    int FirstRangeRow() const { return RowAnchor < RowMoving ? RowAnchor : RowMoving; }
    int LastRangeRow() const { return RowAnchor < RowMoving ? RowMoving : RowAnchor; }
    bool RowInRange(int row) const {
        return HasRowRange() && row >= FirstRangeRow() && row <= LastRangeRow();
    }
    bool PointInSpan(TextPoint p) const {
        return HasStream() && StartPoint() <= p && p < EndPoint();
    }

    void Collapse() { AnchorPoint = MovingEnd; }
    void ClearRange() { RowAnchor = RowMoving = -1; }
    // Both ends of the stream selection at `p`.
    void CollapseTo(TextPoint p) { AnchorPoint = MovingEnd = p; }

    // A row inserted inside the range widens it; a row deleted inside it narrows it.
    void RowInserted(int row);
    void RowDeleted(int row);

    // 1 when something is selected now and nothing was at the last check, 2 for the
    // reverse, else 0; remembers the state.
    int Check();
};

}  // namespace pavik
