#pragma once
// Choice of the break position inside a display row: CP932 double-byte characters, the
// Japanese no-break-at-head and no-break-at-end sets, and word boundaries.
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace pavik {

// A set of whole CP932 characters. Membership is tested per character, so a single byte
// never matches the trail byte of one of the set's double-byte characters.
class CharSet {
public:
    CharSet() = default;
    explicit CharSet(std::string_view chars) { assign(chars); }
    void assign(std::string_view chars);
    const std::string& chars() const { return chars_; }
    // `ch` is one character: one byte, or a lead byte and its trail byte.
    bool contains(std::string_view ch) const;

private:
    std::string chars_;
    std::bitset<65536> codes_;
};

struct BreakRules {
    bool jpnBanBreak = false;  // aoJpnBanBreak
    bool wordWrap = false;     // aoWordWrap
    int wrapLeadBytes = 10;    // limit of the backward counter
    int wrapTrailBytes = 4;    // limit of the forward counter
    const CharSet* banHead = nullptr;
    const CharSet* banEnd = nullptr;
    const std::bitset<256>* wordChars = nullptr;
};

// Number of bytes of the display text `s` that stay on the row, for wrap column `pos` and
// lower limit `minPos`. Iterative; its counters are local to the one search.
int findWrapPos(std::string_view s, int pos, int minPos, const BreakRules& rules);

}  // namespace pavik
