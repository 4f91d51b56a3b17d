#pragma once
// Pixel rectangle with exclusive right and bottom edges, as the drawing arithmetic of the
// components and the editor expects (QRect's right() and bottom() are inclusive).
#include <algorithm>

namespace pavik {

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    TRect shrunk(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    bool intersects(const TRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // An empty result when the two do not meet.
    TRect intersected(const TRect& o) const {
        TRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
        return r.isEmpty() ? TRect{} : r;
    }
    // An empty rectangle adds nothing.
    TRect united(const TRect& o) const {
        if (isEmpty()) return o;
        if (o.isEmpty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace pavik
