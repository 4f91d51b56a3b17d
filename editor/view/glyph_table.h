#pragma once
// CP932 characters to Unicode code points, for painting only. Built once by decoding every
// single byte and every lead/trail pair alone; a character that does not decode, and a
// control character, has no code point and is drawn as a placeholder of its width.
#include <cstdint>
#include <string_view>
#include <vector>

namespace pavik {

class Cp932GlyphTable {
public:
    // The shared table, built on first use.
    static const Cp932GlyphTable& instance();

    // Code point of a single byte, or 0.
    char32_t single(unsigned char b) const { return singles_[b]; }
    // Code point of a lead and trail byte, or 0.
    char32_t pair(unsigned char lead, unsigned char trail) const {
        return pairs_[(static_cast<unsigned>(lead) << 8) | trail];
    }
    // Code point of the character at the start of `ch` (one or two bytes), or 0.
    char32_t decode(std::string_view ch) const;

private:
    Cp932GlyphTable();
    char32_t singles_[256] = {};
    std::vector<char32_t> pairs_;  // indexed by lead << 8 | trail
};

}  // namespace pavik
