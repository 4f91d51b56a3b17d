#include "workspace/document/selector_nesting.h"

#include "platform/sjis.h"

namespace pavik {

namespace {

using css::TextSpan;

// A selector split into parts, with the positions of its "&" outside opaque spans.
struct Split {
    struct Part {
        TextSpan span;  // trimmed
        size_t firstAmp, ampEnd;  // its "&" in amps
    };
    std::vector<Part> parts;
    std::vector<size_t> amps;
};

// "(", ")", ",", "&" lie below 0x40 and are never trail bytes; "[" and "]" may be, so the
// scan steps by whole characters.
Split split(std::string_view text, std::span<const TextSpan> opaque) {
    Split r;
    size_t partStart = 0, firstAmp = 0, g = 0;
    int depth = 0;
    auto finish = [&](size_t end) {
        std::string_view raw = text.substr(partStart, end - partStart);
        std::string_view t = sjis::trim(raw);
        size_t b = t.empty() ? partStart : partStart + static_cast<size_t>(t.data() - raw.data());
        r.parts.push_back({{b, b + t.size()}, firstAmp, r.amps.size()});
        firstAmp = r.amps.size();
    };
    for (size_t k = 0; k < text.size();) {
        while (g < opaque.size() && opaque[g].begin < k) ++g;
        if (g < opaque.size() && opaque[g].begin == k) {
            k = opaque[g++].end;
            continue;
        }
        const char c = text[k];
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (c == ',' && depth == 0) {
            finish(k);
            partStart = k + 1;
        } else if (c == '&') {
            r.amps.push_back(k);
        }
        k += sjis::charLength(text, k);
    }
    finish(text.size());
    return r;
}

size_t length(TextSpan s) { return s.end - s.begin; }

// Whether text (whole characters from its start) ends in a lead byte without its trail byte.
bool endsInLoneLead(std::string_view text) {
    size_t k = 0;
    while (k < text.size() && k + sjis::charLength(text, k) < text.size()) k += sjis::charLength(text, k);
    return k < text.size() && sjis::charLength(text, k) == 1 && sjis::isLeadByte(static_cast<unsigned char>(text[k]));
}

// Appends `piece` after a piece whose last character was a lone lead byte (`loneLead`), with
// a blank between them where they would make "/*" and so open a comment when the selector is
// read again, or where that byte would take the piece's first byte as its trail byte and so
// split or join a double-byte character. Returns whether `piece` ends in a lone lead byte.
bool appendJoined(std::string& out, std::string_view piece, bool loneLead) {
    if (piece.empty()) return loneLead;
    if ((piece.front() == '*' && !out.empty() && out.back() == '/') ||
        (loneLead && sjis::isTrailByte(static_cast<unsigned char>(piece.front()))))
        out += ' ';
    out += piece;
    return endsInLoneLead(piece);
}

// Appends part s of `text` with each of its "&" replaced by `with`, or `with` + " " + s when
// it has none, trimmed, and records it as the next part of `out`.
void appendPart(SelectorList& out, std::string_view text, const Split& sel, const Split::Part& s,
                std::string_view with) {
    if (!out.Parts.empty()) out.Text += ", ";
    const size_t start = out.Text.size();
    if (s.firstAmp == s.ampEnd) {
        out.Text += with;
        out.Text += ' ';
        out.Text += text.substr(s.span.begin, length(s.span));
    } else {
        size_t from = s.span.begin;
        bool loneLead = false;
        for (size_t a = s.firstAmp; a < s.ampEnd; ++a) {
            loneLead = appendJoined(out.Text, text.substr(from, sel.amps[a] - from), loneLead);
            loneLead = appendJoined(out.Text, with, loneLead);
            from = sel.amps[a] + 1;
        }
        appendJoined(out.Text, text.substr(from, s.span.end - from), loneLead);
    }
    // An empty parent or nested part leaves a blank at one end.
    std::string_view made = std::string_view(out.Text).substr(start);
    std::string_view t = sjis::trim(made);
    const size_t lead = t.empty() ? 0 : static_cast<size_t>(t.data() - made.data());
    out.Text.erase(start + lead + t.size());
    out.Text.erase(start, lead);
    out.Parts.push_back({start, out.Text.size()});
}

}  // namespace

SelectorList splitSelectorList(std::string_view text, std::span<const TextSpan> opaque) {
    SelectorList list;
    list.Text = text;
    for (const Split::Part& p : split(text, opaque).parts) list.Parts.push_back(p.span);
    return list;
}

std::optional<SelectorList> nestSelector(const SelectorList& parent, std::string_view nested,
                                         std::span<const TextSpan> opaque, size_t& budget) {
    const Split sel = split(nested, opaque);
    const size_t n = parent.Parts.size(), m = sel.parts.size();
    size_t parentBytes = 0;
    for (TextSpan p : parent.Parts) parentBytes += length(p);

    // Sizes before trimming, which only shortens, with room for a blank at each side of "&".
    bool useIs = n * m > MaxCombinedParts;
    size_t bytes = 0;
    if (!useIs) {
        for (const Split::Part& s : sel.parts) {
            const size_t amps = s.ampEnd - s.firstAmp, len = length(s.span);
            bytes += amps ? n * (len + amps) + amps * parentBytes : parentBytes + n * (len + 1);
        }
        bytes += 2 * (n * m - 1);
        useIs = bytes > MaxCombinedBytes;
    }
    const std::string is = useIs ? ":is(" + parent.Text + ")" : std::string();
    if (useIs) {
        bytes = 2 * (m - 1);
        for (const Split::Part& s : sel.parts) {
            const size_t amps = s.ampEnd - s.firstAmp, len = length(s.span);
            bytes += amps ? len + amps + amps * is.size() : is.size() + 1 + len;
        }
    }
    if (bytes > budget) return std::nullopt;
    budget -= bytes;

    SelectorList out;
    out.Text.reserve(bytes);
    if (useIs) {
        out.Parts.reserve(m);
        for (const Split::Part& s : sel.parts) appendPart(out, nested, sel, s, is);
    } else {
        out.Parts.reserve(n * m);
        for (TextSpan p : parent.Parts) {
            const std::string_view with = std::string_view(parent.Text).substr(p.begin, length(p));
            for (const Split::Part& s : sel.parts) appendPart(out, nested, sel, s, with);
        }
    }
    // Empty parts leave a separator at an end (", " from ",{{"), which reading trims.
    const std::string_view t = sjis::trim(out.Text);
    const size_t lead = t.empty() ? 0 : static_cast<size_t>(t.data() - out.Text.data());
    out.Text = std::string(t);
    for (TextSpan& p : out.Parts) {
        p.begin = std::min(p.begin > lead ? p.begin - lead : 0, out.Text.size());
        p.end = std::min(p.end > lead ? p.end - lead : 0, out.Text.size());
    }
    return out;
}

}  // namespace pavik
