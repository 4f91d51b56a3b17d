#pragma once
// The display rows with their records, in one container so the two never get out of step.
// A gap buffer: inserts and deletes near the previous edit cost O(1), so a re-flow that
// adds thousands of rows in the middle of a long text stays linear.
#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "editor/editor_types.h"

namespace pavik {

struct Row {
    std::string text;
    TRowAttr attr;
};

class RowList {
public:
    std::size_t size() const { return buf_.size() - gapLength(); }
    bool empty() const { return size() == 0; }

    Row& operator[](std::size_t i) { return buf_[physical(i)]; }
    const Row& operator[](std::size_t i) const { return buf_[physical(i)]; }
    Row& back() { return (*this)[size() - 1]; }
    const Row& back() const { return (*this)[size() - 1]; }

    void insert(std::size_t i, Row row);
    void erase(std::size_t i);
    void push_back(Row row) { insert(size(), std::move(row)); }
    void clear();
    // Replaces the whole content, leaving loadGap(rows.size()) rows of room for edits: reserve
    // that much more beforehand and the rows stay where they are.
    void assign(std::vector<Row>&& rows);
    static std::size_t loadGap(std::size_t rows) { return std::clamp<std::size_t>(rows / 8, 16, 65536); }
    // Takes the rows out as they lie, empty ones of the gap among them, to be freed elsewhere;
    // the list is left empty.
    std::vector<Row> release();

private:
    std::size_t gapLength() const { return gapEnd_ - gapStart_; }
    std::size_t physical(std::size_t i) const { return i < gapStart_ ? i : i + gapLength(); }
    void moveGapTo(std::size_t i);
    void growGap();

    std::vector<Row> buf_;  // rows inside [gapStart_, gapEnd_) are unused
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
};

}  // namespace pavik
