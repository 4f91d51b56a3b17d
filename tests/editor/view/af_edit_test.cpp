// TAFEdit as a widget: published defaults, property effects, the panes' presets.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QScrollBar>

#include "editor/view/edit_presets.h"
#include "platform/cp932.h"
#include "widget_support.h"

namespace pavik::test {
namespace {

TEST(AFEditTest, FreshEditorHasThePublishedDefaults) {
    TAFEdit e;
    EXPECT_EQ(e.AccelRate(), 2);
    EXPECT_EQ(e.BanEnd(), kDefaultBanEnd);
    EXPECT_EQ(e.BanHead(), kDefaultBanHead);
    EXPECT_EQ(e.CharPich(), 0);
    EXPECT_EQ(e.ColColumnIndi(), clBtnFace);
    EXPECT_EQ(e.ColColumnNo(), clWindowText);
    EXPECT_EQ(e.ColCr(), clMaroon);
    EXPECT_EQ(e.ColDependence(), clFuchsia);
    EXPECT_EQ(e.ColKeyWord(), clWindowText);
    EXPECT_EQ(e.ColLeftMgn(), clWindow);
    EXPECT_EQ(e.ColRowNo(), clWindowText);
    EXPECT_EQ(e.ColSelBrush(), clHighlight);
    EXPECT_EQ(e.ColSelText(), clHighlightText);
    EXPECT_EQ(e.Color(), clWindow);
    EXPECT_EQ(e.FontColor(), clWindowText);
    EXPECT_EQ(e.DefWrapPos(), 60);
    EXPECT_EQ(e.DependenceChar(), kDefaultDependenceChar);
    EXPECT_FALSE(e.Edited());
    EXPECT_TRUE(e.Keywords().empty());
    EXPECT_EQ(e.KeywordStyle(), 0);
    // The row numbers widen the margin from 0 to "  100:".
    EXPECT_EQ(e.LeftMgn(), 6 * e.Metrics().cellPitch);
    EXPECT_EQ(e.Options(), aoAutoFormat);
    EXPECT_FALSE(e.ReadOnly());
    EXPECT_EQ(e.RowDspFmt(), "%5d:");
    EXPECT_EQ(e.RowPich(), 2);
    EXPECT_EQ(e.ScrollBars(), TScrollStyle::ssBoth);
    EXPECT_EQ(e.TabSize(), 4);
    EXPECT_EQ(e.Text(), "");
    EXPECT_EQ(e.TopMgn(), 0);
    EXPECT_EQ(e.UndoMax(), -1);
    EXPECT_EQ(e.ViewOpt(), kAllViewOptions);
    EXPECT_EQ(e.WrapLeadBytes(), 10);
    EXPECT_EQ(e.WrapTrailBytes(), 4);
    EXPECT_EQ(e.core().RowCount(), 1);
    EXPECT_EQ(e.core().Caret, (TextPoint{0, 0}));
    EXPECT_TRUE(e.core().InsertMode);
    EXPECT_EQ(e.size(), QSize(200, 100));
    EXPECT_EQ(QFontInfo(e.font()).family(), QStringLiteral("Noto Sans Mono CJK JP"));
    const PaintMetrics& m = e.Metrics();
    EXPECT_EQ(m.rowHeight, m.textHeight + 2);
    EXPECT_EQ(m.textArea.top, m.rowHeight);
    // Edited := True with nothing to undo still reads false.
    e.SetEdited(true);
    EXPECT_FALSE(e.Edited());
}

TEST(AFEditTest, ColourAndWrapDefaultsReachOnlyRowsThatStillCarryTheOldValue) {
    TAFEdit e;
    e.SetText("ab\r\ncd\r\n");
    TRowAttr own = e.core().RowAttr(1);
    own.backColor = clYellow;
    own.wrapPos = 30;
    e.core().ChangeRowAttr(1, own);
    e.SetColor(clAqua);
    e.SetDefWrapPos(40);
    EXPECT_EQ(e.core().RowAttr(0).backColor, clAqua);
    EXPECT_EQ(e.core().RowAttr(1).backColor, clYellow);
    EXPECT_EQ(e.core().RowAttr(0).wrapPos, 40);
    EXPECT_EQ(e.core().RowAttr(1).wrapPos, 30);
    EXPECT_EQ(e.core().RowCount(), 3);  // nothing was re-flowed
}

TEST(AFEditTest, EachPaneRemembersItsOwnTextColour) {
    TAFEdit a;
    TAFEdit b;
    a.SetText("x\r\n");
    b.SetText("y\r\n");
    a.SetFontColor(clRed);
    EXPECT_EQ(a.core().RowAttr(0).textColor, clRed);
    EXPECT_EQ(b.core().RowAttr(0).textColor, clWindowText);
    // The second pane taking the same colour recolours its own rows too.
    b.SetFontColor(clRed);
    EXPECT_EQ(b.core().RowAttr(0).textColor, clRed);
    a.SetFontColor(clBlue);
    EXPECT_EQ(a.core().RowAttr(0).textColor, clBlue);
    EXPECT_EQ(b.core().RowAttr(0).textColor, clRed);
}

TEST(AFEditTest, RowNumbersWidenTheMarginAndViewOptWaitsWhileUpdating) {
    RecordingEdit e;
    e.SetLeftMgn(36);
    e.SetCharPich(7 - e.Metrics().halfCell);  // a cell pitch of 7 pixels
    EXPECT_EQ(e.Metrics().cellPitch, 7);
    EXPECT_EQ(e.LeftMgn(), 42);
    EXPECT_EQ(e.Metrics().textArea.left, 42);
    e.SetViewOpt(kAllViewOptions & ~voRowNum);
    e.SetLeftMgn(10);
    EXPECT_EQ(e.LeftMgn(), 10);
    e.BeginUpdate();
    e.requests.clear();
    e.SetViewOpt(kAllViewOptions);
    EXPECT_EQ(e.LeftMgn(), 10);
    EXPECT_TRUE(e.requests.empty());
    e.EndUpdate();
    EXPECT_FALSE(e.requests.empty());
    EXPECT_EQ(e.ViewOpt(), kAllViewOptions);
}

// A margin sized for "  100:" would cut "100000:" short; it widens as the rows pass 99,999,
// whether they are loaded or typed.
TEST(AFEditTest, TheMarginWidensForRowNumbersLongerThanItsWidth) {
    RecordingEdit e;
    std::string text;
    for (int i = 1; i < 99999; ++i) text += "x\r\n";
    e.SetText(text);
    const int pitch = e.Metrics().cellPitch;
    ASSERT_EQ(e.core().RowCount(), 99999);
    EXPECT_EQ(e.LeftMgn(), 6 * pitch);
    e.InsertString("\r\n");
    ASSERT_EQ(e.core().RowCount(), 100000);
    EXPECT_EQ(e.LeftMgn(), 7 * pitch);
    EXPECT_EQ(e.Metrics().textArea.left, 7 * pitch);
    e.SetText(text + text);
    EXPECT_EQ(e.LeftMgn(), 7 * pitch);
}

TEST(AFEditTest, PresetsGiveThePanesTheirSettings) {
    TAFEdit src;
    src.InsertString("abc");
    TRowAttr indented = src.core().RowAttr(0);
    indented.indent = 4;
    src.core().ChangeRowAttr(0, indented);
    ASSERT_TRUE(src.CanUndo());
    applyRichEditSrcPreset(src);
    // The settings in place, the undo history is gone and the rows stay as they were.
    EXPECT_FALSE(src.CanUndo());
    EXPECT_EQ(src.Text(), "abc");
    EXPECT_EQ(src.core().RowIndent(0), 4);
    EXPECT_EQ(src.core().Caret, (TextPoint{0, 0}));
    EXPECT_EQ(src.Keywords(), (std::vector<std::string>{"{", "}"}));
    EXPECT_EQ(src.KeywordStyle(), 0);
    EXPECT_EQ(src.ColKeyWord(), clWindowText);
    EXPECT_EQ(src.Options(), aoAutoIndent | aoAutoFormat | aoWordWrap);
    EXPECT_EQ(src.ViewOpt(), kAllViewOptions);
    EXPECT_EQ(src.RowDspFmt(), "%5d:");
    EXPECT_EQ(src.LeftMgn(), std::max(36, 6 * src.Metrics().cellPitch));
    EXPECT_EQ(QFontInfo(src.font()).pixelSize(), 12);

    TAFEdit html;
    bool reported = false;
    html.OnUndoChange = [&](TAFEdit& sender, bool canUndo, bool canRedo) {
        reported = &sender == &html && !canUndo && !canRedo;
    };
    applyEditHTMLPreset(html);
    EXPECT_TRUE(reported);
    EXPECT_EQ(html.Keywords(), (std::vector<std::string>{"!important", "class"}));
    EXPECT_EQ(html.KeywordStyle(), fsBold);
    EXPECT_EQ(html.ColKeyWord(), clLime);
    EXPECT_EQ(html.ViewOpt(), kAllViewOptions & ~voFoldMark);
    EXPECT_EQ(html.RowDspFmt(), "%4d:");
    EXPECT_EQ(html.Text(), " ");
    EXPECT_EQ(html.DefWrapPos(), 60);
    EXPECT_EQ(html.UndoMax(), -1);
    EXPECT_FALSE(html.Edited());
    EXPECT_FALSE(html.CanUndo());
}

TEST(AFEditTest, EventsForwardWithTheEditorAsSender) {
    TAFEdit e;
    e.SetText("ab\r\n");
    TAFEdit* sender = nullptr;
    e.OnChange = [&](TAFEdit& s) { sender = &s; };
    size_t before = e.core().UndoBuffer().Position();
    e.core().ChangeRow(0, "xy\r", true);
    EXPECT_EQ(sender, &e);
    // While OnChange is set the core stores two records per row change.
    EXPECT_EQ(e.core().UndoBuffer().Position(), before + 2);
    e.OnChange = nullptr;
    before = e.core().UndoBuffer().Position();
    e.core().ChangeRow(0, "zz\r", true);
    EXPECT_EQ(e.core().UndoBuffer().Position(), before + 1);

    int selects = 0;
    e.OnSelect = [&](TAFEdit& s) { selects += &s == &e; };
    e.core().Sel.AnchorPoint = {0, 0};
    e.core().Sel.MovingEnd = {1, 0};
    e.core().CheckSelection();
    EXPECT_EQ(selects, 1);

    e.OnBeforeChange = [](TAFEdit&, int, std::string&, bool& ok) { ok = false; };
    e.core().ChangeRow(0, "vetoed\r", true);
    EXPECT_EQ(e.core().RowText(0), "zz\r");
}

TEST(AFEditTest, ScrollBarsFollowTheTextAndMoveTheView) {
    RecordingEdit e;
    e.resize(300, 200);
    e.show();
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row " + std::to_string(i) + "\r\n";
    e.SetText(text);
    QScrollBar* v = e.verticalScrollBar();
    EXPECT_EQ(e.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(v->maximum(), 200 - e.Metrics().visibleRows + 1);
    EXPECT_EQ(v->pageStep(), e.Metrics().visibleRows);
    e.requests.clear();
    v->setValue(50);
    EXPECT_EQ(e.core().TopRow, 50);
    ASSERT_FALSE(e.requests.empty());
    EXPECT_EQ(e.requests.front(), e.viewport()->rect());
    // The horizontal bar shows once the wrap column passes the view.
    EXPECT_EQ(e.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    e.SetScrollBars(TScrollStyle::ssNone);
    EXPECT_EQ(e.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(e.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // A short text hides the bars again.
    e.SetScrollBars(TScrollStyle::ssBoth);
    e.resize(900, 300);
    e.SetText("a\r\n");
    EXPECT_EQ(e.core().TopRow, 0);
    EXPECT_EQ(e.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(e.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace
}  // namespace pavik::test
