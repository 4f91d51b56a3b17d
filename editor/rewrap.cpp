// Paragraph re-flow. The rows from the changed row to the end of its paragraph are read as
// one byte sequence, laid out again row by row (each row costs about its wrap column), and
// only the rows whose text changes go through the row primitives. So a long paragraph is
// wrapped in linear time, and the undo buffer holds each row once.
#include <algorithm>
#include <optional>

#include "editor/display_text.h"
#include "editor/editor_core.h"
#include "platform/sjis.h"

namespace pavik {

class EditorCore::Paragraph {
public:
    struct Window {
        std::string raw;        // the bytes read
        bool complete = false;  // nothing of the paragraph follows them
        bool endsCR = false;    // they end with the paragraph's CR
    };

    // Rows first..last of a RowList or a vector of rows.
    template <class Rows>
    Paragraph(const Rows& rows, size_t first, size_t last) {
        texts_.reserve(last - first + 1);
        starts_.reserve(last - first + 2);
        size_t off = 0;
        for (size_t i = first; i <= last; ++i) {
            texts_.push_back(&rows[i].text);
            starts_.push_back(off);
            off += rows[i].text.size();
        }
        starts_.push_back(off);
    }

    size_t size() const { return starts_.back(); }
    int rowCount() const { return static_cast<int>(starts_.size()) - 1; }
    size_t rowStart(int k) const { return starts_[static_cast<size_t>(k)]; }
    size_t rowEnd(int k) const { return starts_[static_cast<size_t>(k) + 1]; }

    std::string substr(size_t from, size_t to) const {
        std::string out;
        out.reserve(to - from);
        for (int k = rowOf(from); k < rowCount() && from < to; ++k) {
            const std::string& t = text(k);
            size_t a = from - rowStart(k);
            size_t n = std::min(t.size() - a, to - from);
            out.append(t, a, n);
            from += n;
        }
        return out;
    }

    // Last byte, or 0 when the paragraph is empty.
    unsigned char back() const {
        for (int k = rowCount() - 1; k >= 0; --k)
            if (!text(k).empty()) return static_cast<unsigned char>(text(k).back());
        return 0;
    }

    // Bytes from `pos` through the first CR, or until `cellLimit` cells of expanded text
    // have been read (a double-byte character is finished), or to the end.
    Window read(size_t pos, int cellLimit, int tabSize) const {
        Window w;
        w.raw.reserve(std::min(size() - pos, static_cast<size_t>(std::max(cellLimit, 0)) + 4));
        int cells = 0;
        bool expectTrail = false;
        bool finishPair = false;
        for (int k = rowOf(pos); k < rowCount(); ++k) {
            const std::string& t = text(k);
            for (size_t i = pos > rowStart(k) ? pos - rowStart(k) : 0; i < t.size(); ++i) {
                auto c = static_cast<unsigned char>(t[i]);
                if (finishPair) {
                    if (sjis::isTrailByte(c)) w.raw.push_back(static_cast<char>(c));
                    w.complete = pos + w.raw.size() == size();
                    return w;
                }
                w.raw.push_back(static_cast<char>(c));
                if (c == kCR) {
                    w.complete = w.endsCR = true;
                    return w;
                }
                bool second = expectTrail && sjis::isTrailByte(c);
                expectTrail = !second && sjis::isLeadByte(c);
                cells += c == '\t' ? tabWidthAt(cells, tabSize) : 1;
                if (cells >= cellLimit) {
                    if (!expectTrail) {
                        w.complete = pos + w.raw.size() == size();
                        return w;
                    }
                    finishPair = true;
                }
            }
        }
        w.complete = true;
        return w;
    }

private:
    const std::string& text(int k) const { return *texts_[static_cast<size_t>(k)]; }
    // Row holding byte `off` (off < size()); empty rows are passed over.
    int rowOf(size_t off) const {
        auto it = std::upper_bound(starts_.begin(), starts_.end() - 1, off);
        return static_cast<int>(it - starts_.begin()) - 1;
    }

    std::vector<const std::string*> texts_;
    std::vector<size_t> starts_;
};

namespace {

// Display text for the break search: the indent as blanks, tab cells as filler bytes 11
// ending in the tab itself (the fillers are never read back as text).
std::string wrapDisplay(std::string_view raw, int indent, int tabSize) {
    std::string d(static_cast<size_t>(indent), ' ');
    int cells = 0;
    for (char c : raw) {
        if (c == '\t') {
            int n = tabWidthAt(cells, tabSize);
            d.append(static_cast<size_t>(n - 1), '\v');
            d.push_back('\t');
            cells += n;
        } else {
            d.push_back(c);
            ++cells;
        }
    }
    return d;
}

// A byte count at a character boundary that keeps at least one whole character.
size_t wholeChars(std::string_view raw, int count) {
    if (raw.empty()) return 0;
    if (count <= 0) return sjis::charLength(raw, 0);
    if (static_cast<size_t>(count) >= raw.size()) return raw.size();
    size_t c = static_cast<size_t>(count);
    size_t start = sjis::charStart(raw, c);
    if (start == c) return c;
    return start > 0 ? start : start + sjis::charLength(raw, start);
}

}  // namespace

BreakRules EditorCore::breakRules() const {
    BreakRules r;
    r.jpnBanBreak = Options & aoJpnBanBreak;
    r.wordWrap = Options & aoWordWrap;
    r.wrapLeadBytes = WrapLeadBytes;
    r.wrapTrailBytes = WrapTrailBytes;
    r.banHead = &banHead_;
    r.banEnd = &banEnd_;
    r.wordChars = &wordChars_;
    return r;
}

int EditorCore::GetWrapPos(std::string_view s, int pos, int minPos) {
    if (static_cast<int>(s.size()) <= pos || minPos >= pos) return pos;
    if (OnWordBreak) {
        OnWordBreak(*this, s, pos);
        return pos;
    }
    return findWrapPos(s, pos, minPos, breakRules());
}

EditorCore::BreakResult EditorCore::breakRow(const Paragraph& para, size_t pos,
                                             const TRowAttr& attr) {
    const int indent = std::max<int>(attr.indent, 0);
    const int wrap = (Options & aoAutoFormat) ? attr.wrapPos : kNoWrapColumn;
    // Enough of the text for every position the break search can look at.
    const int margin = std::clamp(WrapTrailBytes, 0, 1024) + 8;
    const Paragraph::Window w = para.read(pos, std::max(1, wrap + margin - indent), TabSize);
    // Without an indent or a tab the display text is the text itself.
    const bool plain = indent == 0 && w.raw.find('\t') == std::string::npos;
    const std::string display = plain ? std::string() : wrapDisplay(w.raw, indent, TabSize);
    const std::string_view d = plain ? std::string_view(w.raw) : std::string_view(display);
    const int lenD = static_cast<int>(d.size());
    const BreakResult all{w.raw.size(), false};

    int b;
    if (w.complete && w.endsCR) {
        if (GetWrapPos(d, wrap, indent + 2) >= lenD) return all;
        b = std::min(GetWrapPos(d, wrap, indent + 1), lenD);
        if (b >= lenD) return all;
    } else if (w.complete) {
        if (lenD < wrap) return all;
        b = GetWrapPos(d, wrap, indent + 1);
        // The caret needs a cell after the last character: an empty row follows.
        if (b >= lenD) return {w.raw.size(), true};
    } else {
        b = GetWrapPos(d, wrap, indent + 1);
        if (b >= lenD) return all;
    }
    return {wholeChars(w.raw, colToCharIndex(w.raw, indent, TabSize, b)), false};
}

int EditorCore::RewrapRow(int r) {
    const int n = RowCount();
    if (r < 0 || r >= n) return r;
    if (RowText(r).empty()) {
        if (r == n - 1) return r;
        DeleteRow(r);
        Sel.RowDeleted(r);
        markDirtyFrom(r);
        return r - 1;
    }
    int e = r;
    while (e < n - 1 && !IsParaEnd(e)) ++e;
    const Paragraph para(rows_, static_cast<size_t>(r), static_cast<size_t>(e));
    const int oldCount = e - r + 1;

    // The caret as an offset into the paragraph.
    const TextPoint caretBefore = Caret;
    std::optional<size_t> caretOff;
    if (Caret.row >= r && Caret.row <= e) {
        const std::string& t = RowText(Caret.row);
        int idx = colToCharIndex(t, RowIndent(Caret.row), TabSize, Caret.col);
        idx = std::clamp(idx, 0, static_cast<int>(t.size()));
        caretOff = para.rowStart(Caret.row - r) + static_cast<size_t>(idx);
    }

    // Lay the rows out.
    std::vector<size_t> starts;
    std::vector<TRowAttr> attrs;
    size_t pos = 0;
    bool emptyAfter = false;
    while (pos < para.size()) {
        const size_t k = starts.size();
        TRowAttr a = static_cast<int>(k) < oldCount ? RowAttr(r + static_cast<int>(k)) : attrs.back();
        BreakResult br = breakRow(para, pos, a);
        starts.push_back(pos);
        attrs.push_back(a);
        pos += br.length;
        emptyAfter = br.emptyAfter;
    }
    const bool endsCR = para.back() == kCR;
    if (e == n - 1 && (emptyAfter || endsCR)) {
        starts.push_back(para.size());
        attrs.push_back(attrs.back());
    }
    const int newCount = static_cast<int>(starts.size());
    auto endOf = [&](int k) {
        return k + 1 < newCount ? starts[static_cast<size_t>(k) + 1] : para.size();
    };

    // Texts of the rows that change, taken before any row is touched.
    std::vector<std::optional<std::string>> texts(static_cast<size_t>(newCount));
    for (int k = 0; k < newCount; ++k) {
        const size_t a = starts[static_cast<size_t>(k)];
        const size_t b = endOf(k);
        if (k < oldCount && a == para.rowStart(k) && b == para.rowEnd(k)) continue;
        texts[static_cast<size_t>(k)] = para.substr(a, b);
    }
    // A caret after the last byte of a row belongs at the start of the next one.
    bool caretRowTouched =
        caretOff && (Caret.row - r >= newCount || *caretOff == para.rowEnd(Caret.row - r));
    for (int k = 0; k < std::min(oldCount, newCount); ++k) {
        auto& t = texts[static_cast<size_t>(k)];
        if (!t) continue;
        if (caretOff && k <= Caret.row - r) caretRowTouched = true;
        raiseLongest(t->size());
        ChangeRow(r + k, std::move(*t), false);
    }
    for (int k = oldCount; k < newCount; ++k) {
        TRowAttr a = RowAttr(r + k - 1);
        InsertRow(r + k, std::move(*texts[static_cast<size_t>(k)]), a);
        Sel.RowInserted(r + k);
    }
    for (int k = oldCount - 1; k >= newCount; --k) {
        DeleteRow(r + k);
        Sel.RowDeleted(r + k);
    }
    if (oldCount != newCount) markDirtyFrom(r);

    // The caret keeps its place in the text.
    // (The rows have changed now: only numbers taken from `para` before remain valid.)
    if (caretOff && caretRowTouched && *caretOff == para.size() && endsCR &&
        starts.back() != para.size()) {
        // After the paragraph end: the first row of the next paragraph.
        Caret = {RowIndent(r + newCount), r + newCount};
    } else if (caretOff && caretRowTouched) {
        auto it = std::upper_bound(starts.begin(), starts.end(), *caretOff);
        int k = std::max(static_cast<int>(it - starts.begin()) - 1, 0);
        const int row = r + k;
        const size_t idx = *caretOff - starts[static_cast<size_t>(k)];
        Caret = {charIndexToCol(RowText(row), RowIndent(row), TabSize, static_cast<int>(idx)), row};
    } else if (caretBefore.row > e) {
        Caret = {caretBefore.col, caretBefore.row + newCount - oldCount};
    } else {
        Caret = caretBefore;
    }
    return r + newCount - 1;
}

std::vector<Row> EditorCore::rewrapLoaded(std::vector<Row> rows) {
    std::vector<Row> out;
    out.reserve(rows.size() + rows.size() / 8);
    std::vector<size_t> starts;
    std::vector<TRowAttr> attrs;
    std::vector<std::optional<std::string>> texts;
    const size_t n = rows.size();
    for (size_t r = 0; r < n;) {
        // As RewrapRow: an empty row goes unless it is the last.
        if (rows[r].text.empty()) {
            if (r == n - 1) out.push_back(std::move(rows[r]));
            ++r;
            continue;
        }
        size_t e = r;
        while (e + 1 < n && static_cast<unsigned char>(rows[e].text.back()) != kCR) ++e;
        const Paragraph para(rows, r, e);
        const size_t oldCount = e - r + 1;

        starts.clear();
        attrs.clear();
        size_t pos = 0;
        bool emptyAfter = false;
        while (pos < para.size()) {
            const TRowAttr a = starts.size() < oldCount ? rows[r + starts.size()].attr : attrs.back();
            const BreakResult br = breakRow(para, pos, a);
            starts.push_back(pos);
            attrs.push_back(a);
            pos += br.length;
            emptyAfter = br.emptyAfter;
        }
        if (e == n - 1 && (emptyAfter || para.back() == kCR)) {
            starts.push_back(para.size());
            attrs.push_back(attrs.back());
        }
        const size_t newCount = starts.size();

        // New texts are cut before any row text is moved out.
        texts.assign(newCount, std::nullopt);
        for (size_t k = 0; k < newCount; ++k) {
            const size_t a = starts[k], b = k + 1 < newCount ? starts[k + 1] : para.size();
            if (k >= oldCount || a != para.rowStart(static_cast<int>(k)) || b != para.rowEnd(static_cast<int>(k)))
                texts[k] = para.substr(a, b);
        }
        for (size_t k = 0; k < newCount; ++k) {
            if (k < oldCount) {
                Row& row = rows[r + k];
                if (texts[k]) {  // a changed row keeps its record and is marked for repainting
                    row.text = std::move(*texts[k]);
                    row.attr.dirty = true;
                }
                out.push_back(std::move(row));
            } else {  // an added row takes the record of the row before it
                TRowAttr a = out.back().attr;
                a.dirty = true;
                out.push_back({std::move(*texts[k]), a});
            }
        }
        r = e + 1;
    }
    return out;
}

}  // namespace pavik
