#pragma once
// Shared enumerations of the component set.
#include <cstdint>

namespace pavik {

enum TFrameStyle {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup
};

// A set of sides as a bit mask.
using TSides = unsigned;
inline constexpr TSides sdLeft = 1;
inline constexpr TSides sdTop = 2;
inline constexpr TSides sdRight = 4;
inline constexpr TSides sdBottom = 8;
inline constexpr TSides sdAll = sdLeft | sdTop | sdRight | sdBottom;

enum TBarStyle { bsTraditional, bsLED };
enum TOrientation { orHorizontal, orVertical };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
using TSegmentRange = std::uint8_t;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };

// Width a frame of this style takes from each drawn side (fsStatus and fsPopup: 1 here;
// panels use their bevel width for them).
constexpr int FrameBorderWidth(TFrameStyle style) {
    switch (style) {
    case fsNone: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
    }
}

}  // namespace pavik
