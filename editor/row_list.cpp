#include "editor/row_list.h"

#include <algorithm>

namespace pavik {

void RowList::moveGapTo(std::size_t i) {
    if (gapLength() == 0) {  // nothing to move (and no row may be moved onto itself)
        gapStart_ = gapEnd_ = i;
    } else if (i < gapStart_) {
        std::size_t n = gapStart_ - i;
        std::move_backward(buf_.begin() + i, buf_.begin() + gapStart_, buf_.begin() + gapEnd_);
        gapStart_ -= n;
        gapEnd_ -= n;
    } else if (i > gapStart_) {
        std::size_t n = i - gapStart_;
        std::move(buf_.begin() + gapEnd_, buf_.begin() + gapEnd_ + n, buf_.begin() + gapStart_);
        gapStart_ += n;
        gapEnd_ += n;
    }
}

void RowList::growGap() {
    // By an eighth: a long text does not take twice its room for one more row.
    std::size_t used = size();
    std::size_t newCap = used + std::max<std::size_t>(16, used / 8);
    std::vector<Row> grown(newCap);
    std::size_t tail = buf_.size() - gapEnd_;
    std::move(buf_.begin(), buf_.begin() + gapStart_, grown.begin());
    std::move(buf_.begin() + gapEnd_, buf_.end(), grown.end() - tail);
    buf_ = std::move(grown);
    gapEnd_ = buf_.size() - tail;
}

void RowList::insert(std::size_t i, Row row) {
    if (gapLength() == 0) growGap();
    moveGapTo(i);
    buf_[gapStart_++] = std::move(row);
}

void RowList::erase(std::size_t i) {
    moveGapTo(i + 1);
    buf_[--gapStart_] = Row{};
}

void RowList::clear() {
    buf_.clear();
    gapStart_ = gapEnd_ = 0;
}

std::vector<Row> RowList::release() {
    std::vector<Row> rows = std::move(buf_);
    clear();
    return rows;
}

void RowList::assign(std::vector<Row>&& rows) {
    std::size_t n = rows.size();
    buf_ = std::move(rows);
    buf_.reserve(n + loadGap(n));  // exactly, when more room is needed
    buf_.resize(n + loadGap(n));
    gapStart_ = n;
    gapEnd_ = buf_.size();
}

}  // namespace pavik
