// The source panes' commands in the shown main window, with real key and wheel events: the
// shortcuts of each pane, the saved state through edits, undo and redo, the wheel; and the
// web and mail items.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <functional>

#include "workspace/window/pane_commands.h"
#include "window_support.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; }\r\nP { margin: 0; }\r\n";

class Commands : public WindowTest {
protected:
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
    // A page of the user's is the preview: the HTML page shows its pane.
    w->CmbBoxPreviewHTML->addItem(QStringLiteral("/pages/page.html"));
    w->CmbBoxPreviewHTML->setCurrentIndex(1);
    w->Refresh_Status();
    w->PageControlDown->setCurrentIndex(1);

    using Actions = std::array<QAction*, 5>;  // cut, copy, paste, undo, redo
    const Actions src{w->EditCut1, w->EditCopy1, w->EditPaste1, w->EditUndo1, w->EditRedo1};
    const Actions html{w->EditCut2, w->EditCopy2, w->EditPaste2, w->EditUndo2, w->EditRedo2};
    // Undo and redo are the Edit menu's pair in either pane: it acts on the focused pane.
    const struct {
        TAFEdit* pane;
        Actions own, other;
        const char *runs, *readOnlyRuns;
    } panes[] = {{w->RichEditSrc, src, html, "1111100000", "1211100000"},
                 {w->EditHTML, html, src, "1110000011", "1210000011"}};

    for (const auto& p : panes) {
        SCOPED_TRACE(p.pane->objectName().toStdString());
        p.pane->setFocus();
        settle();
        ASSERT_TRUE(p.pane->hasFocus());
        p.pane->SetText("abc");
        // Runs of each action: cut, copy, paste, undo, redo of this pane, then of the other.
        std::string runs(10, '0');
        QObject counting;  // the counts end with this pass
        for (int i = 0; i < 10; ++i)
            QObject::connect(i < 5 ? p.own[i] : p.other[i - 5], &QAction::triggered, &counting, [&runs, i] { ++runs[i]; });
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
        EXPECT_EQ(runs, p.runs);

        // Read-only: only copying is offered; the keys change nothing.
        p.pane->SetReadOnly(true);
        w->UpdateActionStates();
        QTest::keyClick(p.pane, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(p.pane, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
        for (Qt::Key key : {Qt::Key_X, Qt::Key_V, Qt::Key_Z, Qt::Key_R, Qt::Key_C})
            QTest::keyClick(p.pane, key, Qt::ControlModifier);
        EXPECT_EQ(p.pane->Text(), "abc");
        EXPECT_EQ(runs, p.readOnlyRuns);
        p.pane->SetReadOnly(false);
    }
}

// Saved after undo and redo exactly when the text is back as opened. A pane regenerated
// from rules with unsaved changes starts a history whose beginning is not the file's text:
// undoing back to it keeps the pane unsaved, so that the close still offers to save.
TEST_F(Commands, SavedStateFollowsUndoAndRedoButNotPastAnUnsavedReload) {
    auto w = openOnSourcePage();
    TAFEdit* pane = w->RichEditSrc;
    std::string seen;  // the saved-state pane after each step: S saved, U unsaved
    auto step = [&](const std::function<void()>& action) {
        action();
        seen += savedPane(*w) == QStringLiteral("保存済み") ? 'S' : 'U';
    };
    step([&] { QTest::keyClicks(pane, "xy"); });
    step([&] { QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier); });
    step([&] { w->EditUndo1->trigger(); });  // the Edit menu's item
    step([&] { QTest::keyClick(pane, Qt::Key_R, Qt::ControlModifier); });
    step([&] { QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier); });
    step([&] {
        QTest::keyClick(pane, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    });
    step([&] {
        w->bCSSSaved = false;  // a rule was changed
        w->RefreshExecute();
        QTest::keyClicks(pane, "x");
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    });
    EXPECT_EQ(seen, "UUSUSSU");
    EXPECT_FALSE(pane->CanUndo());

    w->close();
    EXPECT_EQ(messages->confirms.size(), 1);
}

TEST_F(Commands, PaneCommandsAreOffWhileThePaneHoldsNoFile) {
    auto w = makeWindow();
    showAndSettle(*w);
    QApplication::clipboard()->setText(QStringLiteral("P { margin: 0; }"));
    for (QAction* a : {w->EditCut1, w->EditCopy1, w->EditPaste1, w->EditUndo1, w->EditRedo1, w->EditCut2,
                       w->EditCopy2, w->EditPaste2, w->EditUndo2, w->EditRedo2})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    // Edit > Paste, clicked.
    auto* edit = w->findChild<QMenu*>(QStringLiteral("mnuEdit"));
    edit->popup(w->mapToGlobal(QPoint(10, 10)));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(w->EditPaste1).center());
    EXPECT_EQ(w->RichEditSrc->Text(), "");
    EXPECT_EQ(savedPane(*w), QStringLiteral("保存済み"));
}

TEST(WheelNotches, SmallerDeltasAddUpInOneDirection) {
    WheelNotches n;
    std::vector<int> notches;
    // A touchpad's stream; a turn drops what was kept; what is left joins the next delta.
    for (int delta : {30, 30, 30, 30, 30, -60, -60, 180, 60}) notches.push_back(n.add(delta));
    EXPECT_EQ(notches, (std::vector<int>{0, 0, 0, 1, 0, 0, -1, 1, 1}));
}

TEST_F(Commands, WheelScrollsOneRowPerNotch) {
    auto w = openOnSourcePage();
    TAFEdit* pane = w->RichEditSrc;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    pane->SetText(text);
    pane->core().VScroll(ScrollCode::ThumbPosition, 50);
    pane->core().VScroll(ScrollCode::EndScroll);
    std::vector<int> tops;
    for (int delta : {240, -360, 60, 60}) {  // three rows down, not accelerated; half a notch twice
        wheel(pane, delta);
        tops.push_back(pane->core().TopRow);
    }
    EXPECT_EQ(tops, (std::vector<int>{48, 51, 51, 50}));
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

}  // namespace
}  // namespace pavik::test
