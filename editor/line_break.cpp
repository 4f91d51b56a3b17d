#include "editor/line_break.h"

#include <vector>

#include "platform/sjis.h"

namespace pavik {

namespace {

std::uint16_t charCode(std::string_view ch) {
    auto b0 = static_cast<unsigned char>(ch[0]);
    if (ch.size() < 2) return b0;
    return static_cast<std::uint16_t>(b0 << 8 | static_cast<unsigned char>(ch[1]));
}

enum : std::uint8_t { kSingle, kLead, kTrail };

}  // namespace

void CharSet::assign(std::string_view chars) {
    chars_.assign(chars);
    codes_.reset();
    for (size_t i = 0; i < chars.size();) {
        size_t n = sjis::charLength(chars, i);
        codes_.set(charCode(chars.substr(i, n)));
        i += n;
    }
}

bool CharSet::contains(std::string_view ch) const {
    return !ch.empty() && ch.size() <= 2 && codes_.test(charCode(ch));
}

int findWrapPos(std::string_view s, int pos, int minPos, const BreakRules& rules) {
    const int len = static_cast<int>(s.size());
    if (pos < 0 || len <= pos || minPos >= pos) return pos;

    // Byte types read from the start of the text; a lead byte pairs only with a valid trail.
    std::vector<std::uint8_t> type(s.size(), kSingle);
    for (size_t i = 0; i < s.size();) {
        size_t n = sjis::charLength(s, i);
        if (n == 2) {
            type[i] = kLead;
            type[i + 1] = kTrail;
        }
        i += n;
    }
    auto isWord = [&](char c) {
        return rules.wordChars && rules.wordChars->test(static_cast<unsigned char>(c));
    };

    int forward = 0;
    int backward = 0;
    for (;;) {
        if (pos < 0 || len <= pos || minPos >= pos) return pos;
        int adjust = 0;
        int headStart = pos;
        int headLen = 1;
        if (type[pos] == kLead) {
            headLen = 2;
        } else if (type[pos] == kTrail) {
            headStart = pos - 1;
            headLen = 2;
            adjust = -1;
        }
        const int brk = pos + adjust;
        int tailStart = -1;
        int tailLen = 0;
        if (brk > 0) {
            tailLen = type[brk - 1] == kTrail ? 2 : 1;
            tailStart = brk - tailLen;
        }
        std::string_view head = s.substr(headStart, headLen);
        std::string_view tail = tailLen ? s.substr(tailStart, tailLen) : std::string_view{};

        if (rules.jpnBanBreak) {
            if ((rules.banHead && rules.banHead->contains(head)) || head == "\r") {
                if (forward <= rules.wrapTrailBytes) {
                    forward += 2;
                    pos = pos + adjust + 2;
                    continue;
                }
                if (backward <= rules.wrapLeadBytes) {
                    backward += 1;
                    pos = pos + adjust - 1;
                    continue;
                }
                return brk;
            }
            if (!tail.empty() && rules.banEnd && rules.banEnd->contains(tail)) {
                if (backward <= rules.wrapLeadBytes) {
                    backward += 2;
                    pos -= 2;
                    continue;
                }
                return brk;
            }
        }
        if (rules.wordWrap && !tail.empty() && isWord(head[0]) && isWord(tail[0])) {
            if (backward <= rules.wrapLeadBytes) {
                backward += 1;
                pos -= 1;
                continue;
            }
            return brk;
        }
        return brk;
    }
}

}  // namespace pavik
