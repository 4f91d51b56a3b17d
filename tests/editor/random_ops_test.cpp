// Seeded random row operations, undone back to the start and redone to the end.
#include <gtest/gtest.h>

#include <random>

#include "support.h"

namespace pavik {
namespace {

struct Snapshot {
    std::vector<std::string> rows;
    std::vector<TRowAttr> attrs;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot snap(const EditorCore& e) {
    Snapshot s;
    for (int i = 0; i < e.RowCount(); ++i) {
        s.rows.push_back(e.RowText(i));
        TRowAttr a = e.RowAttr(i);
        a.dirty = false;  // repaint state, not content
        s.attrs.push_back(a);
    }
    return s;
}

std::string randomText(std::mt19937& rng, bool paragraphEnd) {
    static const std::string pieces[] = {"a", "b", "word", " ", "\t", "\x82\xA0", "\x81\x42",
                                         "\x81\x69", "\x82", "\x0B", "\x01", "(", "x\ry"};
    std::string s;
    int n = static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) s += pieces[rng() % std::size(pieces)];
    if (paragraphEnd) s += '\r';
    return s;
}

void runRandomOps(unsigned seed, bool withChangeHandler, TAFEditOptions options) {
    std::mt19937 rng(seed);
    EditorCore e;
    e.Options = options;
    if (withChangeHandler) e.OnChange = [](EditorCore&) {};
    e.SetDefWrapPos(12);
    e.SetText("first line\r\nsecond\r\nthird line is longer than twelve\r\n");
    const Snapshot start = snap(e);

    for (int step = 0; step < 400; ++step) {
        ++e.OpId;
        const int n = e.RowCount();
        const int row = static_cast<int>(rng() % static_cast<unsigned>(n));
        switch (rng() % 5) {
        case 0:
            e.InsertRow(row, randomText(rng, true), e.RowAttr(row));
            break;
        case 1:
            if (row < n - 1) e.DeleteRow(row);
            break;
        case 2: {
            const bool end = e.IsParaEnd(row);
            e.ChangeRow(row, randomText(rng, end), false);
            break;
        }
        case 3: {
            TRowAttr a = e.RowAttr(row);
            a.indent = static_cast<std::int16_t>(rng() % 5);
            a.wrapPos = static_cast<std::uint16_t>(rng() % 20);
            e.ChangeRowAttr(row, a);
            break;
        }
        default:
            break;
        }
        e.Caret = {static_cast<int>(rng() % 20), static_cast<int>(rng() % static_cast<unsigned>(e.RowCount()))};
        e.RewrapRow(std::min(row, e.RowCount() - 1));
        ASSERT_GE(e.RowCount(), 1);
        ASSERT_GE(e.Caret.row, 0);
        ASSERT_LT(e.Caret.row, e.RowCount());
    }
    const Snapshot end = snap(e);
    const std::string endText = e.Text();

    while (e.CanUndo()) e.Undo();
    ASSERT_EQ(snap(e), start) << "seed " << seed;
    while (e.CanRedo()) e.Redo();
    ASSERT_EQ(snap(e), end) << "seed " << seed;
    EXPECT_EQ(e.Text(), endText);
}

TEST(EditorRandomRows, UndoAllThenRedoAllRestoresEveryRow) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        runRandomOps(seed, false, aoAutoFormat);
        runRandomOps(seed, true, aoAutoFormat | aoWordWrap | aoJpnBanBreak);
    }
}

TEST(EditorRandomRows, RewrapKeepsTheTextAndTheRowInvariants) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        EditorCore e;
        e.Options = static_cast<TAFEditOptions>(aoAutoFormat | (rng() % 2 ? aoWordWrap : 0) |
                                                (rng() % 2 ? aoJpnBanBreak : 0));
        std::string text;
        for (int i = 0; i < 6; ++i) text += randomText(rng, rng() % 2 == 0);
        test::load(e, text, static_cast<int>(rng() % 16));
        const std::string before = test::joinedRows(e);
        int r = 0;
        while (r < e.RowCount()) r = e.RewrapRow(r) + 1;
        ASSERT_EQ(test::joinedRows(e), before);
        for (int i = 0; i < e.RowCount(); ++i) {
            const std::string& t = e.RowText(i);
            const size_t cr = t.find('\r');
            ASSERT_TRUE(cr == std::string::npos || cr + 1 == t.size()) << "row " << i;
            if (i + 1 < e.RowCount()) {
                ASSERT_FALSE(t.empty()) << "row " << i;
            }
        }
        ASSERT_FALSE(e.IsParaEnd(e.RowCount() - 1));
    }
}

}  // namespace
}  // namespace pavik
