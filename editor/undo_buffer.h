#pragma once
// The undo and redo buffer: row records grouped into operations by their operation number.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "editor/editor_types.h"

namespace pavik {

struct TUndoRec {
    std::uint32_t opId = 0;
    int row = 0;
    TextPoint caret;        // caret before the change
    TUndoKind kind = ukChangeRow;
    std::string oldText;    // empty for ukInsertRow
    std::string newText;    // empty for ukDeleteRow
    TRowAttr oldAttr;       // zero for ukInsertRow
    TRowAttr newAttr;       // zero for ukDeleteRow
};

class TUndoBuff {
public:
    // Size limit in records; negative is unlimited. With a limit N at most N - 1 records are
    // held. Room is made by dropping whole operations from the oldest end; an operation that
    // cannot fit by itself empties the buffer and none of its records is kept, so undo never
    // replays part of an operation.
    int UndoMax = -1;

    void AddUndo(std::uint32_t opId, int row, const TRowAttr& oldAttr, const TRowAttr& newAttr,
                 std::string oldText, std::string newText, TUndoKind kind, TextPoint caret);

    // The record that undo replays next, or null.
    const TUndoRec* LastRecord() const { return position_ > 0 ? &recs_[position_ - 1] : nullptr; }
    // The record that redo replays next, or null.
    const TUndoRec* NextRecord() const {
        return position_ < recs_.size() ? &recs_[position_] : nullptr;
    }
    void StepBack() { if (position_ > 0) --position_; }
    void StepForward() { if (position_ < recs_.size()) ++position_; }

    void ClearRecords();

    // Set by every stored record, cleared when the buffer is emptied or an operation overflows it.
    bool UndoAvailable() const { return undoAvailable_; }

    // True when the text differs from the state at the last save.
    bool Edited() const { return savedPosition_ != static_cast<long long>(position_); }
    void MarkSaved() { savedPosition_ = static_cast<long long>(position_); }
    // Edited := True stores position 0 as the saved one.
    void MarkSavedAtStart() { savedPosition_ = 0; }

    std::size_t Position() const { return position_; }
    std::size_t Count() const { return recs_.size(); }

private:
    void truncateRedo();
    void dropOldestOperation();

    std::deque<TUndoRec> recs_;
    std::size_t position_ = 0;          // records before it can be undone, from it redone
    long long savedPosition_ = 0;       // -1 once the saved state can no longer be reached
    std::size_t tailCount_ = 0;         // records of the current operation at the end
    std::optional<std::uint32_t> discardOp_;  // operation that overflowed the buffer
    bool undoAvailable_ = false;
};

}  // namespace pavik
