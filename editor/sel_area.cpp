#include "editor/sel_area.h"

namespace pavik {

void TSelArea::RowInserted(int row) {
    if (!RowInRange(row)) return;
    if (RowAnchor > RowMoving)
        ++RowAnchor;
    else
        ++RowMoving;
}

void TSelArea::RowDeleted(int row) {
    if (!RowInRange(row) || RowAnchor == RowMoving) return;
    if (RowAnchor > RowMoving)
        --RowAnchor;
    else
        --RowMoving;
}

int TSelArea::Check() {
    const bool now = HasRowRange() || HasStream();
    int result = 0;
    if (now && !Selected) result = 1;
    if (!now && Selected) result = 2;
    Selected = now;
    return result;
}

}  // namespace pavik
