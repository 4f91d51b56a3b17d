// TAFEdit with real key, input-method and mouse events (offscreen), the system clipboard,
// and the shortcuts of the panes' actions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include "platform/cp932.h"
#include "widget_support.h"

namespace pavik::test {
namespace {

using V = std::vector<std::string>;

std::vector<std::string> rowsOf(const TAFEdit& e) {
    std::vector<std::string> rows;
    for (int i = 0; i < e.core().RowCount(); ++i) rows.push_back(e.core().RowText(i));
    return rows;
}

// A shown, focused editor in its own window.
struct Shown {
    QWidget window;
    RecordingEdit* edit;
    Shown() : edit(new RecordingEdit) {
        edit->setParent(&window);
        window.resize(500, 300);
        edit->resize(500, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        QApplication::processEvents();
    }
    QPoint cell(int col, int row) const { return cellRect(*edit, col, row).center(); }
};

TEST(AFEditInputTest, TypingMovingAndSelectingWithRealKeys) {
    Shown s;
    TAFEdit& e = *s.edit;
    ASSERT_TRUE(e.hasFocus());
    EXPECT_TRUE(e.testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClicks(&e, "abc");
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClick(&e, Qt::Key_Tab);  // not a focus change: at the row's start it indents
    QTest::keyClicks(&e, "de");
    EXPECT_EQ(rowsOf(e), (V{"abc\r", "de"}));
    EXPECT_EQ(e.core().RowIndent(1), 4);
    EXPECT_TRUE(e.hasFocus());
    QTest::keyClick(&e, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&e, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(e.core().SelText(), "\r\nd");
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(rowsOf(e), (V{"abce"}));
    QTest::keyClick(&e, Qt::Key_Home);
    QTest::keyClick(&e, Qt::Key_Delete);
    QTest::keyClick(&e, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(e.core().Caret, (TextPoint{3, 0}));
    // Function keys and Alt combinations are left to the window.
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(&e, &f5);
    EXPECT_FALSE(f5.isAccepted());
    EXPECT_EQ(rowsOf(e), (V{"bce"}));
}

TEST(AFEditInputTest, TheInputMethodCommitsCp932AndComposesAtTheCaret) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("ab");
    QTest::keyClick(&e, Qt::Key_Right);
    QInputMethodEvent compose(QStringLiteral("にほん"), {});
    QApplication::sendEvent(&e, &compose);
    EXPECT_EQ(e.Preedit(), QStringLiteral("にほん"));
    EXPECT_EQ(e.Text(), "ab");  // nothing entered while composing
    const QRect caret = static_cast<QWidget&>(e).inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(caret.topLeft(), e.CaretRect().topLeft() + e.viewport()->pos());
    EXPECT_EQ(caret.left(), cellRect(e, 1, 0).left());
    // The composition is drawn over the cells after the caret.
    e.SetColor(clWhite);
    e.SetFontColor(clBlack);
    QApplication::processEvents();
    const QImage shown = e.viewport()->grab().toImage();
    EXPECT_GT(countColor(shown, cellRect(e, 3, 0).united(cellRect(e, 5, 0)), Qt::black, 90), 0);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(&e, &commit);
    EXPECT_TRUE(e.Preedit().isEmpty());
    EXPECT_EQ(e.Text(), "a\x93\xFA\x96\x7B\x8C\xEA" "b");
    EXPECT_EQ(e.core().Caret, (TextPoint{7, 0}));
    e.Undo();
    EXPECT_EQ(e.Text(), "ab");
}

TEST(AFEditInputTest, TheMouseClicksDragsAndDoubleClicks) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("hello world\r\nsecond row\r\n");
    QWidget* vp = e.viewport();
    QTest::mouseClick(vp, Qt::LeftButton, {}, s.cell(7, 0));
    EXPECT_EQ(e.core().Caret, (TextPoint{7, 0}));
    QTest::mousePress(vp, Qt::LeftButton, {}, s.cell(2, 0));
    QTest::mouseMove(vp, s.cell(3, 1));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, s.cell(3, 1));
    EXPECT_EQ(e.core().SelText(), "llo world\r\nsec");
    // A double-click comes after the press of its second click.
    QTest::mouseClick(vp, Qt::LeftButton, {}, s.cell(8, 0));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, s.cell(8, 0));
    EXPECT_EQ(e.core().SelText(), "world");
    // The margin selects rows.
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(3, s.cell(0, 1).y()));
    EXPECT_EQ(e.core().SelText(), "second row\r\n");
    EXPECT_EQ(vp->cursor().shape(), Qt::BitmapCursor);
}

TEST(AFEditInputTest, MouseEventsFollowTheEditorsOwnHandling) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("hello world\r\n");
    QWidget* vp = e.viewport();
    std::string log;  // event, "*" for other buttons, cell; then the caret column
    const auto note = [&](const char* what, Qt::MouseButtons b, int x) {
        const int cell = (x - cellRect(e, 0, 0).left()) / e.Metrics().cellPitch;
        log += std::string(" ") + what + (b & Qt::LeftButton ? "" : "*") + std::to_string(cell) + "/" +
               std::to_string(e.core().Caret.col);
    };
    e.OnMouseDown = [&](TAFEdit&, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int) { note("v", b, x); };
    e.OnMouseUp = [&](TAFEdit&, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int) { note("^", b, x); };
    e.OnMouseMove = [&](TAFEdit&, Qt::MouseButtons b, Qt::KeyboardModifiers, int x, int) { note("m", b, x); };
    e.OnDblClick = [&](TAFEdit& sender) { log += " double " + sender.core().SelText(); };
    // The caret hides while a drag selects (a Shift+click leaves it), back where the drag ended.
    QTest::mousePress(vp, Qt::LeftButton, {}, s.cell(2, 0));
    QTest::mouseMove(vp, s.cell(5, 0));
    EXPECT_TRUE(e.CaretRect().isEmpty());
    QTest::mouseRelease(vp, Qt::LeftButton, {}, s.cell(5, 0));
    QTest::mousePress(vp, Qt::LeftButton, Qt::ShiftModifier, s.cell(8, 0));
    EXPECT_EQ(e.CaretRect().left(), cellRect(e, 5, 0).left());
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::ShiftModifier, s.cell(8, 0));
    QTest::mouseClick(vp, Qt::RightButton, {}, s.cell(1, 0));
    QTest::mouseClick(vp, Qt::LeftButton, {}, s.cell(8, 0));  // a double-click's first click
    QTest::mouseDClick(vp, Qt::LeftButton, {}, s.cell(8, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, s.cell(8, 0));
    QTest::mouseMove(vp, s.cell(11, 0));
    EXPECT_EQ(log, " v2/2 m5/5 ^5/5 v8/5 ^8/5 v*1/5 ^*1/5 v8/8 ^8/8 double world ^8/8 m*11/8");
}

TEST(AFEditInputTest, KeyEventsComeFirstAndMayChangeOrTakeTheKey) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("ab");
    std::string log;
    e.OnKeyDown = [&](TAFEdit&, int& key, Qt::KeyboardModifiers) {
        log += " v" + std::to_string(key & 0xFF);
        if (key == Qt::Key_Left || key == Qt::Key_Backspace) key = 0;
        if (key == Qt::Key_Home) key = Qt::Key_End;
    };
    e.OnKeyPress = [&](TAFEdit&, QChar& c) {
        log += " p" + std::to_string(c.unicode());
        c = c == 'x' ? QChar('y') : c == 'q' ? QChar() : c;
    };
    e.OnKeyUp = [&](TAFEdit&, int key, Qt::KeyboardModifiers) { log += " ^" + std::to_string(key & 0xFF); };
    QTest::keyClick(&e, Qt::Key_Home);  // made End
    QTest::keyClick(&e, Qt::Key_Left);  // taken: the caret stays
    QTest::keyClicks(&e, "xq");
    EXPECT_EQ(e.Text(), "aby");
    QTest::keyClick(&e, Qt::Key_Backspace);  // the key is taken, its character still deletes
    EXPECT_EQ(e.Text(), "ab");
    EXPECT_EQ(log, " v16 ^16 v18 ^18 v88 p120 ^88 v81 p113 ^81 v3 p8 ^3");
}

TEST(AFEditInputTest, DraggingBelowTheViewScrollsToTheEndAndStops) {
    Shown s;
    RecordingEdit& e = *s.edit;
    std::string text;
    for (int i = 0; i < 60; ++i) text += "row " + std::to_string(i) + "\r\n";
    e.SetText(text);
    QWidget* vp = e.viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, s.cell(1, 1));
    QTest::mouseMove(vp, QPoint(s.cell(1, 1).x(), vp->height() + 20));
    const int last = e.core().RowCount() - 1;
    QTRY_COMPARE_WITH_TIMEOUT(e.core().Sel.EndPoint().row, last, 5000);
    // The scrolling has ended by itself: nothing but the blinking caret is repainted while
    // the pointer waits.
    QTest::qWait(3 * MouseInput::kAutoScrollMs);
    const int top = e.core().TopRow;
    e.requests.clear();
    QTest::qWait(5 * MouseInput::kAutoScrollMs);
    for (const QRect& r : e.requests) EXPECT_EQ(r, e.CaretRect());
    EXPECT_EQ(e.core().TopRow, top);
    EXPECT_GE(e.core().TopRow + e.Metrics().visibleRows, last);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(s.cell(1, 1).x(), vp->height() + 20));
}

// The exact bytes: 87 90 and ED 40 have duplicates that a Unicode round trip picks instead
// (81 E0, FA 5C), and A0 decodes to nothing.
const std::string kTricky = std::string("x\x87\x90y\xED\x40z\xA0!", 9);

TEST(AFEditInputTest, TheClipboardCarriesTheExactBytesWithinAndBetweenPanes) {
    TAFEdit a;
    TAFEdit b;
    a.SetText(kTricky + "\r\nrest");
    a.core().Sel.AnchorPoint = {0, 0};
    a.core().Sel.MovingEnd = {9, 0};
    a.CutToClipboard();
    EXPECT_EQ(rowsOf(a), (V{"\r", "rest"}));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromStdString(decodeCp932(kTricky)));  // for other programs
    a.PasteFromClipboard();
    EXPECT_EQ(rowsOf(a), (V{kTricky + "\r", "rest"}));
    b.SetText("[]");
    b.core().Caret = {1, 0};
    b.PasteFromClipboard();
    EXPECT_EQ(b.Text(), "[" + kTricky + "]");

    // A row range goes over with its records.
    TRowAttr indented = a.core().RowAttr(0);
    indented.indent = 6;
    a.core().ChangeRowAttr(0, indented);
    a.core().Sel.RowAnchor = a.core().Sel.RowMoving = 0;
    a.CopyToClipboard();
    b.SetText("end");
    b.PasteFromClipboard();
    EXPECT_EQ(rowsOf(b), (V{kTricky + "\r", "end"}));
    EXPECT_EQ(b.core().RowIndent(0), 6);

    // Another program's text: what CP932 lacks becomes its CSS escape, nothing a "?".
    QGuiApplication::clipboard()->setText(QStringLiteral("日本\u2713?"));
    b.SetText("");
    b.PasteFromClipboard();
    EXPECT_EQ(b.Text(), "\x93\xFA\x96\x7B\\2713 ?");
}

TEST(AFEditInputTest, ReadOnlyKeepsTheTextWhateverArrives) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("keep");
    e.InsertString("!");
    e.SetReadOnly(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClicks(&e, "typed");
    QTest::keyClick(&e, Qt::Key_Backspace);
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(&e, &commit);
    e.PasteFromClipboard();
    e.Undo();
    QTest::keyClick(&e, Qt::Key_End, Qt::ShiftModifier);
    e.CutToClipboard();
    e.DeleteSelection();
    EXPECT_EQ(e.Text(), "!keep");
    e.CopyToClipboard();  // copying still works
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("!keep"));
}

// The panes' actions carry Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z and Ctrl+R: the editor leaves
// those keys to them, so each command runs once, by the action while it is enabled.
TEST(AFEditInputTest, ShortcutKeysRunTheirCommandOnce) {
    Shown s;
    TAFEdit& e = *s.edit;
    e.SetText("ab");
    QGuiApplication::clipboard()->setText(QStringLiteral("X"));
    int pastes = 0, undos = 0;
    auto* paste = new QAction(&e);
    paste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
    paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(paste, &QAction::triggered, [&] {
        ++pastes;
        e.PasteFromClipboard();
    });
    auto* undo = new QAction(&e);
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    undo->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(undo, &QAction::triggered, [&] {
        ++undos;
        e.Undo();
    });
    e.addActions({paste, undo});

    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(e.Text(), "Xab");
    QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(e.Text(), "ab");
    // Keys the editor handles itself are not taken by a window shortcut.
    auto* del = new QAction(&s.window);
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    int deletes = 0;
    QObject::connect(del, &QAction::triggered, [&] { ++deletes; });
    s.window.addAction(del);
    QTest::keyClick(&e, Qt::Key_Delete);
    EXPECT_EQ(deletes, 0);
    EXPECT_EQ(e.Text(), "b");

    // A disabled action leaves the key to the editor, which pastes by itself, once; Ctrl+Z
    // types nothing there.
    paste->setEnabled(false);
    undo->setEnabled(false);
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(e.Text(), "Xb");
    QTest::keyClick(&e, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(e.Text(), "Xb");
    // So does an editor without the actions.
    e.removeAction(paste);
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.Text(), "XXb");
}

}  // namespace
}  // namespace pavik::test
