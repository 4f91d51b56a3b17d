#include "editor/undo_buffer.h"

#include <utility>

namespace pavik {

void TUndoBuff::ClearRecords() {
    recs_.clear();
    position_ = 0;
    savedPosition_ = 0;
    tailCount_ = 0;
    discardOp_.reset();
    undoAvailable_ = false;
}

void TUndoBuff::truncateRedo() {
    if (position_ >= recs_.size()) return;
    recs_.erase(recs_.begin() + static_cast<std::ptrdiff_t>(position_), recs_.end());
    tailCount_ = 0;  // counted again from the records that remain
    // The saved state lay among the discarded records: it cannot come back.
    if (savedPosition_ > static_cast<long long>(position_)) savedPosition_ = -1;
}

void TUndoBuff::dropOldestOperation() {
    const std::uint32_t op = recs_.front().opId;
    while (!recs_.empty() && recs_.front().opId == op && recs_.size() > tailCount_) {
        recs_.pop_front();
        --position_;
        if (savedPosition_ >= 0) --savedPosition_;  // 0 becomes -1: no longer reachable
    }
}

void TUndoBuff::AddUndo(std::uint32_t opId, int row, const TRowAttr& oldAttr,
                        const TRowAttr& newAttr, std::string oldText, std::string newText,
                        TUndoKind kind, TextPoint caret) {
    if (discardOp_) {
        if (*discardOp_ == opId) return;
        discardOp_.reset();
    }
    truncateRedo();
    // Records of the operation already at the end of the buffer.
    if (recs_.empty() || recs_.back().opId != opId) {
        tailCount_ = 0;
    } else if (tailCount_ == 0) {
        for (auto it = recs_.rbegin(); it != recs_.rend() && it->opId == opId; ++it) ++tailCount_;
    }

    if (UndoMax >= 0) {
        const std::size_t capacity = UndoMax >= 1 ? static_cast<std::size_t>(UndoMax - 1) : 0;
        if (tailCount_ + 1 > capacity) {
            ClearRecords();
            discardOp_ = opId;
            return;
        }
        while (recs_.size() + 1 > capacity) dropOldestOperation();
    }

    TUndoRec rec;
    rec.opId = opId;
    rec.row = row;
    rec.caret = caret;
    rec.kind = kind;
    rec.oldText = std::move(oldText);
    rec.newText = std::move(newText);
    rec.oldAttr = oldAttr;
    rec.newAttr = newAttr;
    recs_.push_back(std::move(rec));
    ++position_;
    ++tailCount_;
    undoAvailable_ = true;
}

}  // namespace pavik
