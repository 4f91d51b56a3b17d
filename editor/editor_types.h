#pragma once
// Value types shared by the editor core and its widget: row records, points, options,
// load and save flags, and the fixed CP932 character sets.
#include <compare>
#include <cstdint>
#include <string_view>

#include "platform/colors.h"

namespace pavik {

// Record of one display row. The per-character list of the original record is not kept:
// nothing ever stores a non-zero per-character attribute.
struct TRowAttr {
    TColor textColor = 0;
    TColor backColor = 0;
    std::int16_t indent = 0;      // blank display columns before the row's text
    std::uint16_t wrapPos = 0;    // display column at which the row's paragraph wraps
    std::uint8_t style = 0;
    bool dirty = false;           // the row must be repainted

    friend bool operator==(const TRowAttr&, const TRowAttr&) = default;
    // Equal in everything but the dirty flag.
    bool sameLook(const TRowAttr& o) const {
        return textColor == o.textColor && backColor == o.backColor && indent == o.indent &&
               wrapPos == o.wrapPos && style == o.style;
    }
};

// A position in display coordinates: column counts cells (indent and tab cells included),
// row indexes display rows. Ordered by row, then column.
struct TextPoint {
    int col = 0;
    int row = 0;
    friend bool operator==(const TextPoint&, const TextPoint&) = default;
    friend std::strong_ordering operator<=>(const TextPoint& a, const TextPoint& b) {
        if (auto c = a.row <=> b.row; c != 0) return c;
        return a.col <=> b.col;
    }
};

// Editing options (`Options`), a set of bits.
enum TAFEditOption : std::uint8_t {
    aoFreeCaret = 1 << 0,
    aoAutoIndent = 1 << 1,
    aoAutoJpnIndent = 1 << 2,
    aoAutoFormat = 1 << 3,
    aoWordWrap = 1 << 4,
    aoJpnBanBreak = 1 << 5,
    aoTabToSp = 1 << 6,
};
using TAFEditOptions = std::uint8_t;

enum TUndoKind : std::uint8_t { ukInsertRow = 0, ukDeleteRow = 1, ukChangeRow = 2 };

// What a scroll bar asks for; the same codes serve both bars (back is up or left).
enum class ScrollCode : std::uint8_t {
    LineBack,
    LineForward,
    PageBack,
    PageForward,
    ThumbPosition,  // the thumb was let go at a position
    ThumbTrack,     // the thumb is being dragged
    Top,
    Bottom,
    EndScroll,      // a burst of scroll requests ended
};

// The first visible row and column.
struct ScrollTarget {
    int topRow = 0;
    int leftCol = 0;
    friend bool operator==(const ScrollTarget&, const ScrollTarget&) = default;
};

// Load flags.
inline constexpr std::uint8_t lfOwnFormat = 1;
inline constexpr std::uint8_t lfTabsToSpaces = 2;
inline constexpr std::uint8_t lfTabsToIndent = 4;
inline constexpr std::uint8_t lfRewrap = 64;
// Save flags.
inline constexpr std::uint8_t sfOwnFormat = 1;
inline constexpr std::uint8_t sfTabsToSpaces = 2;
inline constexpr std::uint8_t sfIndentAsTabs = 8;
inline constexpr std::uint8_t sfIndentAsSpaces = 16;
inline constexpr std::uint8_t sfBreakSoftRows = 32;

inline constexpr int kNoWrapColumn = 65535;  // wrap column without aoAutoFormat
inline constexpr std::uint8_t kCR = 13;

// Fixed character sets as CP932 bytes. They are written out here rather than encoded at run
// time: an encoder maps several characters of row 0x87 to their duplicates in row 0x81.
inline constexpr std::string_view kDefaultBanHead =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x48\x81\x49\x81\x4A\x81\x4B"
    "\x81\x63\x81\x64\x81\x66\x81\x68\x81\x6A\x81\x6C\x81\x6E\x81\x70"
    "\x81\x72\x81\x74\x81\x76\x81\x78\x81\x7A\x81\xE2\x82\x9F\x82\xA1"
    "\x82\xA3\x82\xA5\x82\xA7\x82\xC1\x82\xE1\x82\xE3\x82\xE5\x83\x40"
    "\x83\x42\x83\x44\x83\x46\x83\x48\x83\x62\x83\x83\x83\x85\x83\x87"
    "\x29\x5D\x7D\x2C\x2E\x3B\x3A";
inline constexpr std::string_view kDefaultBanEnd =
    "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x6B\x81\x73\x81\x77\x81\x79"
    "\x81\x71\x81\xE1\x81\x65\x81\x67\x28\x7B\x5B";
// The 83 model-dependent characters (all of row 0x87).
inline constexpr std::string_view kDefaultDependenceChar =
    "\x87\x8B\x87\x86\x87\x8C\x87\x85\x87\x88\x87\x8A\x87\x87\x87\x89"
    "\x87\x8F\x87\x8E\x87\x8D\x87\x7E\x87\x6E\x87\x6D\x87\x6C\x87\x6B"
    "\x87\x6A\x87\x69\x87\x68\x87\x67\x87\x66\x87\x65\x87\x64\x87\x63"
    "\x87\x62\x87\x61\x87\x60\x87\x5F\x87\x84\x87\x82\x87\x6F\x87\x72"
    "\x87\x75\x87\x71\x87\x83\x87\x73\x87\x70\x87\x74\x87\x53\x87\x52"
    "\x87\x51\x87\x50\x87\x4F\x87\x4E\x87\x4D\x87\x4C\x87\x4B\x87\x4A"
    "\x87\x5D\x87\x49\x87\x5C\x87\x48\x87\x5B\x87\x47\x87\x5A\x87\x46"
    "\x87\x59\x87\x45\x87\x58\x87\x44\x87\x57\x87\x43\x87\x56\x87\x42"
    "\x87\x55\x87\x41\x87\x54\x87\x40\x87\x99\x87\x96\x87\x91\x87\x90"
    "\x87\x9A\x87\x93\x87\x92\x87\x9C\x87\x9B\x87\x97\x87\x98\x87\x95"
    "\x87\x94\x87\x81\x87\x80";
// Marks drawn by the widget.
inline constexpr std::string_view kFoldMark = "\x81\xA9";        // after a continued row
inline constexpr std::string_view kFullWidthSpace = "\x81\x40";
inline constexpr std::string_view kFullWidthSpaceMark = "\x81\xA0";
inline constexpr std::string_view kIndentMark = ".";
inline constexpr std::string_view kTabFillMark = "-";
inline constexpr std::string_view kTabEndMark = ">";
inline constexpr std::string_view kEndOfTextMark = "< ";

}  // namespace pavik
