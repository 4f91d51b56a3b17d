// Seeded random inserts, deletes, pastes and selections against a plain string model.
#include <gtest/gtest.h>

#include <random>

#include "platform/sjis.h"
#include "support.h"

namespace pavik {
namespace {

std::string randomPiece(std::mt19937& rng) {
    static const std::string pieces[] = {"a", "bc", "word ", " ", "\t", "\x82\xA0", "\x81\x42",
                                         "\x81\x69", "x\ry", "\r", "\x01", "\n", "(", "zz"};
    std::string s;
    const int n = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < n; ++i) s += pieces[rng() % std::size(pieces)];
    return s;
}

std::string filtered(std::string_view s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 32 || c == '\t' || c == '\r') out.push_back(c);
    return out;
}

// What a paste inserts: lines joined by CR, control characters dropped.
std::string pastedBytes(std::string_view clip) {
    std::string out;
    for (size_t i = 0; i < clip.size(); ++i) {
        const char c = clip[i];
        if (c == '\r' || c == '\n') {
            out.push_back('\r');
            if (c == '\r' && i + 1 < clip.size() && clip[i + 1] == '\n') ++i;
        } else if (static_cast<unsigned char>(c) >= 32 || c == '\t') {
            out.push_back(c);
        }
    }
    return out;
}

// A caret position on a character boundary, with its offset in the joined rows.
struct Spot {
    TextPoint point;
    size_t offset;
};

Spot randomSpot(std::mt19937& rng, const EditorCore& e) {
    const int row = static_cast<int>(rng() % static_cast<unsigned>(e.RowCount()));
    const std::string& t = e.RowText(row);
    std::vector<size_t> bounds;
    const size_t limit = e.IsParaEnd(row) ? t.size() - 1 : t.size();
    for (size_t i = 0; i <= limit; i = i < t.size() ? i + sjis::charLength(t, i) : i + 1)
        if (i <= limit) bounds.push_back(i);
    const size_t idx = bounds[rng() % bounds.size()];
    size_t offset = 0;
    for (int r = 0; r < row; ++r) offset += e.RowText(r).size();
    return {{e.CharIndexToCol(static_cast<int>(idx), row), row}, offset + idx};
}

void checkRows(const EditorCore& e) {
    for (int i = 0; i < e.RowCount(); ++i) {
        const std::string& t = e.RowText(i);
        const size_t cr = t.find('\r');
        ASSERT_TRUE(cr == std::string::npos || cr + 1 == t.size()) << "row " << i;
    }
    ASSERT_FALSE(e.IsParaEnd(e.RowCount() - 1));
    ASSERT_GE(e.Caret.row, 0);
    ASSERT_LT(e.Caret.row, e.RowCount());
}

void runEdits(unsigned seed, TAFEditOptions options) {
    std::mt19937 rng(seed);
    EditorCore e;
    test::FakeClipboard clip;
    e.SetClipboard(&clip);
    e.Options = options;
    e.SetDefWrapPos(14);
    e.LoadFromBytes("body { margin: 0 }\r\np\t{ color: red }\r\n\x82\xA0\x82\xA2\r\nend", lfRewrap);
    std::string model = test::joinedRows(e);
    const std::string start = model;

    for (int step = 0; step < 300; ++step) {
        const Spot a = randomSpot(rng, e);
        switch (rng() % 4) {
        case 0: {  // type at the caret
            const std::string s = randomPiece(rng);
            e.ClearSelections();
            e.Caret = a.point;
            e.InsertString(s);
            model.insert(a.offset, filtered(s));
            break;
        }
        case 1:    // delete a selection
        case 2: {  // or replace it by pasting
            const Spot b = randomSpot(rng, e);
            e.Sel.AnchorPoint = a.point;
            e.Sel.MovingEnd = b.point;
            e.Caret = b.point;
            const size_t from = std::min(a.offset, b.offset);
            const size_t to = std::max(a.offset, b.offset);
            model.erase(from, to - from);
            if (rng() % 2) {
                e.DeleteSelection();
            } else {
                clip.bytes = randomPiece(rng) + randomPiece(rng);
                e.PasteFromClipboard();
                model.insert(from, pastedBytes(clip.bytes));
            }
            break;
        }
        default: {  // paste at the caret
            clip.bytes = randomPiece(rng);
            e.ClearSelections();
            e.Caret = a.point;
            e.PasteFromClipboard();
            model.insert(a.offset, pastedBytes(clip.bytes));
            break;
        }
        }
        ASSERT_EQ(test::joinedRows(e), model) << "seed " << seed << " step " << step;
        checkRows(e);
    }
    const std::string end = model;
    while (e.CanUndo()) e.Undo();
    ASSERT_EQ(test::joinedRows(e), start) << "seed " << seed;
    while (e.CanRedo()) e.Redo();
    ASSERT_EQ(test::joinedRows(e), end) << "seed " << seed;
}

TEST(EditorRandomEdits, CoreMatchesAStringModelAndUndoesToTheStart) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        runEdits(seed, aoAutoFormat);
        runEdits(seed, aoAutoFormat | aoWordWrap | aoJpnBanBreak);
    }
}

}  // namespace
}  // namespace pavik
