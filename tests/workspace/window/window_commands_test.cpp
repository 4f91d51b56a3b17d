// The source panes' commands in the shown main window, with real key and wheel events: the
// shortcuts of each pane, the saved state through edits, undo and redo, the wheel, the web
// and mail items, and the action states applied to the window's controls.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <array>

#include "workspace/window/pane_commands.h"
#include "window_support.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; }\r\nP { margin: 0; }\r\n";

class Commands : public WindowTest {
protected:
    // A page of the user's is the preview: the HTML page shows its pane.
    static void showHtmlPage(TfrmMain& w) {
        w.CmbBoxPreviewHTML->addItem(QStringLiteral("/pages/page.html"));
        w.CmbBoxPreviewHTML->setCurrentIndex(1);
        w.Refresh_Status();
        w.PageControlDown->setCurrentIndex(1);
        settle();
    }
    // A shown, active window with the style sheet open and its source page in front.
    std::unique_ptr<TfrmMain> openOnSourcePage() {
        auto w = openSheet(kSheet);
        QApplication::setActiveWindow(w.get());
        w->PageControlSrc->setCurrentIndex(1);
        settle();
        return w;
    }
    // The status line's saved-state pane once the queued refresh ran.
    static QString savedPane(TfrmMain& w) {
        settle();
        return w.StatusBar->savedState();
    }
    static void wheel(TAFEdit* pane, int delta) {
        QWheelEvent e(QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane->viewport(), &e);
    }
};

TEST_F(Commands, EachPanesShortcutsRunItsOwnCommandsOnce) {
    auto w = openOnSourcePage();
    ASSERT_TRUE(w->RichEditSrc->hasFocus());  // the source page takes the focus to its pane
    showHtmlPage(*w);

    using Actions = std::array<QAction*, 5>;  // cut, copy, paste, undo, redo
    const Actions src{w->EditCut1, w->EditCopy1, w->EditPaste1, w->EditUndo1, w->EditRedo1};
    const Actions html{w->EditCut2, w->EditCopy2, w->EditPaste2, w->EditUndo2, w->EditRedo2};
    const struct {
        TAFEdit* pane;
        Actions own, other;
    } panes[] = {{w->RichEditSrc, src, html}, {w->EditHTML, html, src}};

    for (const auto& p : panes) {
        SCOPED_TRACE(p.pane->objectName().toStdString());
        p.pane->setFocus();
        settle();
        ASSERT_TRUE(p.pane->hasFocus());
        p.pane->SetText("abc");
        std::vector<std::unique_ptr<QSignalSpy>> own, other;
        for (QAction* a : p.own) own.push_back(std::make_unique<QSignalSpy>(a, &QAction::triggered));
        for (QAction* a : p.other) other.push_back(std::make_unique<QSignalSpy>(a, &QAction::triggered));
        auto counts = [&](const std::vector<std::unique_ptr<QSignalSpy>>& spies) {
            std::string out;
            for (const auto& s : spies) out += std::to_string(s->count());
            return out;
        };

        QTest::keyClick(p.pane, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(p.pane, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
        QTest::keyClick(p.pane, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "");
        QTest::keyClick(p.pane, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "abc");
        QTest::keyClick(p.pane, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "");
        QTest::keyClick(p.pane, Qt::Key_R, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "abc");
        EXPECT_EQ(counts(own), "11111");
        EXPECT_EQ(counts(other), "00000");

        // Read-only: only copying is offered; the keys change nothing.
        p.pane->SetReadOnly(true);
        w->UpdateActionStates();
        QTest::keyClick(p.pane, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(p.pane, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
        for (int i : {0, 2, 3, 4}) EXPECT_FALSE(p.own[i]->isEnabled()) << i;
        EXPECT_TRUE(p.own[1]->isEnabled());
        for (Qt::Key key : {Qt::Key_X, Qt::Key_V, Qt::Key_Z, Qt::Key_R, Qt::Key_C})
            QTest::keyClick(p.pane, key, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "abc");
        EXPECT_EQ(counts(own), "12111");
        p.pane->SetReadOnly(false);
    }
}

TEST_F(Commands, SavedStateFollowsTypingUndoAndRedo) {
    auto w = openOnSourcePage();
    TAFEdit* pane = w->RichEditSrc;
    EXPECT_EQ(savedPane(*w), QStringLiteral("保存済み"));
    EXPECT_FALSE(w->EditUndo1->isEnabled());

    QTest::keyClicks(pane, "xy");
    EXPECT_EQ(savedPane(*w), QStringLiteral("未保存"));
    EXPECT_TRUE(w->EditUndo1->isEnabled());
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);  // the y
    EXPECT_EQ(savedPane(*w), QStringLiteral("未保存"));
    w->EditUndo1->trigger();  // the Edit menu's item: the x, back to the text as opened
    EXPECT_EQ(savedPane(*w), QStringLiteral("保存済み"));
    EXPECT_FALSE(w->EditUndo1->isEnabled());
    EXPECT_TRUE(w->EditRedo1->isEnabled());
    QTest::keyClick(pane, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(savedPane(*w), QStringLiteral("未保存"));
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(savedPane(*w), QStringLiteral("保存済み"));

    // Copying changes nothing.
    QTest::keyClick(pane, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(savedPane(*w), QStringLiteral("保存済み"));
    EXPECT_TRUE(w->bCSSSaved);
}

// The pane regenerated from rules with unsaved changes starts a history whose beginning is
// not the file's text: undoing an edit there must not mark the changes saved, or the close
// would not offer to save them.
TEST_F(Commands, UndoingBackToARegeneratedPaneKeepsItUnsaved) {
    auto w = openOnSourcePage();
    w->bCSSSaved = false;  // a rule was changed
    w->RefreshExecute();
    QTest::keyClicks(w->RichEditSrc, "x");
    QTest::keyClick(w->RichEditSrc, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(w->RichEditSrc->CanUndo());
    EXPECT_EQ(savedPane(*w), QStringLiteral("未保存"));

    // The HTML pane rewrapped with unsaved edits, the same way.
    showHtmlPage(*w);
    w->EditHTML->SetText("<p>page</p>");
    w->bHTMLSaved = false;
    const int column = w->EditHTML->DefWrapPos();
    w->resize(w->width() - 200, w->height());
    settle();
    ASSERT_NE(w->EditHTML->DefWrapPos(), column);
    w->EditHTML->InsertString("y");
    w->EditUndo2->trigger();
    EXPECT_FALSE(w->EditHTML->CanUndo());
    EXPECT_FALSE(w->bHTMLSaved);

    messages->answer = false;
    w->close();
    EXPECT_EQ(messages->confirms.size(), 2);
}

TEST(WheelNotches, WholeNotchesScrollAndSmallerDeltasAddUpInOneDirection) {
    const struct {
        std::vector<int> deltas;
        std::vector<int> notches;
    } cases[] = {
        {{240}, {2}},
        {{-360}, {-3}},
        {{60}, {0}},
        {{30, 30, 30, 30, 30}, {0, 0, 0, 1, 0}},   // a touchpad's stream
        {{-100, -100, -100}, {0, -1, -1}},
        {{60, -60, -60}, {0, 0, -1}},             // a turn drops what was kept
        {{180, 60}, {1, 1}},
    };
    for (const auto& c : cases) {
        WheelNotches n;
        std::vector<int> got;
        for (int d : c.deltas) got.push_back(n.add(d));
        EXPECT_EQ(got, c.notches);
    }
}

TEST_F(Commands, WheelScrollsOneRowPerNotch) {
    auto w = openOnSourcePage();
    TAFEdit* pane = w->RichEditSrc;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    pane->SetText(text);
    pane->core().VScroll(ScrollCode::ThumbPosition, 50);
    pane->core().VScroll(ScrollCode::EndScroll);
    ASSERT_EQ(pane->core().TopRow, 50);
    ASSERT_EQ(pane->AccelRate(), 2);

    wheel(pane, 240);
    EXPECT_EQ(pane->core().TopRow, 48);
    wheel(pane, -360);  // three rows, not accelerated
    EXPECT_EQ(pane->core().TopRow, 51);
    wheel(pane, 60);
    EXPECT_EQ(pane->core().TopRow, 51);
    wheel(pane, 60);
    EXPECT_EQ(pane->core().TopRow, 50);
    EXPECT_EQ(pane->AccelRate(), 2);
}

TEST_F(Commands, WebAndMailItemsOpenTheirAddressesOrStayDisabled) {
    auto none = makeWindow();
    for (QAction* a : {none->GoHomePage, none->GoBBS, none->ToMail}) {
        EXPECT_FALSE(a->isEnabled());
        a->trigger();
    }
    none.reset();
    EXPECT_TRUE(shellCalls.isEmpty());

    addresses = {QStringLiteral("https://example.org/pavik/"), QString(),
                 WebAddresses::mailLink(QStringLiteral("author@example.org"))};
    EXPECT_EQ(addresses.mail, QStringLiteral("mailto:author@example.org?subject="
                                             "%E3%80%8CPavik%E3%80%8D%E3%81%AB%E3%81%A4%E3%81%84%E3%81%A6"));
    auto w = makeWindow();
    EXPECT_FALSE(w->GoBBS->isEnabled());
    w->GoHomePage->trigger();
    w->ToMail->trigger();
    EXPECT_EQ(shellCalls, QStringList({addresses.homePage, addresses.mail}));
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("操作を待っています :)"));
}

TEST_F(Commands, EveryStateBoundControlExistsOnceAndFollowsTheState) {
    auto w = makeWindow();
    for (std::size_t i = 0; i < UiItemCount; ++i) {
        const std::string_view name = uiItemName(static_cast<UiItem>(i));
        EXPECT_EQ(w->findChildren<QObject*>(QString::fromLatin1(name.data(), qsizetype(name.size()))).size(), 1)
            << name;
    }
    // No style sheet: the source page and the pages' combos are not offered.
    EXPECT_FALSE(w->PageControlSrc->isTabVisible(1));
    EXPECT_FALSE(w->PageControlDown->isTabVisible(1));
    EXPECT_FALSE(w->CmbBoxExDoctype->isEnabled());
    EXPECT_FALSE(w->mnuFileResent->menuAction()->isEnabled());
    EXPECT_TRUE(w->EditPaste1->isEnabled());
    EXPECT_FALSE(w->Refresh->isEnabled());
}

}  // namespace
}  // namespace pavik::test
