// The value panels in the main window: the panel each kind of property gets, and every
// value handler driven through the controls' own user signals.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <functional>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "components/a_led.h"
#include "platform/colors.h"
#include "platform/qt_text.h"
#include "window_support.h"
#include "workspace/values/value_store.h"

namespace pavik::test {
namespace {

const std::string kSheet =
    "H1 { color: red; margin-top: 2px; text-align: center; font-family: serif;"
    " background-image: url(\"a.gif\"); border-top-color: transparent; }\r\n"
    "P { margin-top: auto; background-position: top; }\r\n";

class Values : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> open(const std::string& sheet = kSheet) { return openSheet(sheet); }
    // A left click on the rule tree's node, as the user makes it.
    static void clickRule(TfrmMain& w, const QString& path) {
        const QModelIndex item = findItem(w.TreeViewStruct, path);
        ASSERT_TRUE(item.isValid()) << path.toStdString();
        w.TreeViewStruct->scrollTo(item);
        QTest::mouseClick(w.TreeViewStruct->viewport(), Qt::LeftButton, {},
                          w.TreeViewStruct->visualRect(item).center());
        ASSERT_EQ(w.TreeViewStruct->currentIndex(), item);
    }
    // A left click on the property tree's node, as the user makes it.
    static void clickProperty(TfrmMain& w, const QString& path) {
        QTreeWidgetItem* item = findItem(w.TreeViewTarget, path);
        ASSERT_NE(item, nullptr) << path.toStdString() << "\n" << outline(w.TreeViewTarget);
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        w.TreeViewTarget->scrollToItem(item);
        const QRect r = w.TreeViewTarget->visualItemRect(item);
        QTest::mouseClick(w.TreeViewTarget->viewport(), Qt::LeftButton, {}, r.center());
        ASSERT_EQ(w.CurTargetNode == item || w.targetRecordOf(item)->Kind == 0, true);
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    // A click on the unit's circle.
    static void clickUnit(TfrmMain& w, int index) {
        auto* r = w.valueArea().RadioGroupSize->findChild<QRadioButton*>(QStringLiteral("RadioGroupSizeItem%1").arg(index));
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));
    }
    static bool shownInPanel(TfrmMain& w, QWidget* control) {
        return control->isVisible() && w.valueArea().PanelCommon->isAncestorOf(control);
    }
    // Types any text, key by key (QTest::keyClicks types ASCII only).
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
    // Rules in the style sheet pane.
    static int ruleCountInPane(TfrmMain& w) {
        const std::string text = w.RichEditSrc->Text();
        return static_cast<int>(std::count(text.begin(), text.end(), '}'));
    }
    std::optional<std::string> valueOf(TfrmMain& w, const char* property) {
        return currentValue(w.Document, &w.ruleOfNode(w.CurStructNode)->Data, property);
    }
};

TEST_F(Values, ColourPanelShowsSwatchClearAndTransparentOnlyForBorderColours) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("テキスト/color"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().ShapeColor));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().BitBtnClear));
    EXPECT_FALSE(w->valueArea().CheckBoxColor->isVisible());
    EXPECT_FALSE(w->valueArea().CmbBoxCommon->isVisible());
    EXPECT_EQ(w->valueArea().ShapeColorBrush(), clRed);
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("red"));
    EXPECT_EQ(w->valueArea().lblChildInfo->text(), QStringLiteral("テキスト"));
    EXPECT_LT(w->valueArea().ShapeColor->y(), w->valueArea().BitBtnClear->y());

    clickProperty(*w, QStringLiteral("ボックス/border-color/border-top-color"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().CheckBoxColor));
    EXPECT_TRUE(w->valueArea().CheckBoxColor->isChecked());
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("指定無し"));
    EXPECT_LT(w->valueArea().BitBtnClear->y(), w->valueArea().CheckBoxColor->y());

    // Showing a value from code stores nothing.
    EXPECT_TRUE(w->bCSSSaved);

    // A value the swatch cannot paint shows the swatch crossed out (no colour) with the value
    // beside it, the panel built as usual; no value shows a plain white swatch and no text.
    ValueArea& area = w->valueArea();
    for (const char* bad : {"inherit", "var(--bs-body-bg)", "rgb(1 2", "#gggggg", "rgb(99999999999999999999,0,0"}) {
        w->ruleOfNode(w->CurStructNode)->Declarations[0].Value = bad;
        clickProperty(*w, QStringLiteral("テキスト/color"));
        EXPECT_EQ(area.ShapeColorBrush(), clNone) << bad;
        EXPECT_FALSE(area.ShapeColor->pixmap().isNull()) << bad;  // the cross
        EXPECT_TRUE(shownInPanel(*w, area.StaticTxtSwatch)) << bad;
        EXPECT_EQ(area.StaticTxtSwatch->fullText(), QString::fromLatin1(bad));
        EXPECT_TRUE(shownInPanel(*w, area.BitBtnClear)) << bad;
        EXPECT_EQ(area.StaticTxtNowData->fullText(), QString::fromLatin1(bad));
    }
    QTest::mouseClick(area.BitBtnClear, Qt::LeftButton);
    EXPECT_EQ(area.ShapeColorBrush(), clWhite);
    EXPECT_TRUE(area.ShapeColor->pixmap().isNull());
    EXPECT_TRUE(area.StaticTxtSwatch->fullText().isEmpty());
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(Values, KeywordLengthFontImageAndCategoryPanels) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    const size_t navigations = browser->navigations.size();

    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().CmbBoxCommon));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().MemoHint));
    EXPECT_EQ(w->valueArea().CmbBoxCommon->itemText(0), QString());
    EXPECT_EQ(w->valueArea().CmbBoxCommon->currentText(), QStringLiteral("center"));
    EXPECT_TRUE(w->valueArea().MemoHint->toPlainText().startsWith(QStringLiteral("★")));
    EXPECT_FALSE(w->valueArea().MemoHint->toPlainText().contains('\r'));
    EXPECT_EQ(w->valueArea().MemoHint->verticalScrollBar()->value(), 0);
    EXPECT_LT(w->valueArea().CmbBoxCommon->y(), w->valueArea().MemoHint->y());

    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().PanelSizeSelect));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().CmbBoxCommon));
    EXPECT_FALSE(shownInPanel(*w, w->valueArea().CmbBoxCommon2));
    EXPECT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("2"));
    EXPECT_EQ(w->valueArea().unitIndex(), 2);
    EXPECT_EQ(w->valueArea().TxtCommon->text(), QStringLiteral("px"));
    EXPECT_TRUE(w->valueArea().EditCommon->hasFocus());
    EXPECT_EQ(w->valueArea().CmbBoxCommon->currentIndex(), -1);

    clickProperty(*w, QStringLiteral("フォント/font-family"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().StaticTxtFont));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().BitBtnClear));
    EXPECT_EQ(w->valueArea().StaticTxtFont->fullText(), QStringLiteral("serif"));
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("指定無し"));
    EXPECT_FALSE(w->valueArea().PanelSizeSelect->isVisible());

    clickProperty(*w, QStringLiteral("背景/background-image"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().EditCommon));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().SBOpenURL));
    EXPECT_FALSE(w->valueArea().PanelSizeSelect->isVisible());
    EXPECT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("a.gif"));
    EXPECT_GT(w->valueArea().SBOpenURL->mapTo(w->valueArea().PanelCommon, QPoint()).x(), w->valueArea().EditCommon->mapTo(w->valueArea().PanelCommon, QPoint()).x());

    // Back to a length: the edit box is in the length editor again.
    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    EXPECT_TRUE(w->valueArea().PanelSizeSelect->isAncestorOf(w->valueArea().EditCommon));
    EXPECT_FALSE(w->valueArea().SBOpenURL->isVisible());

    clickProperty(*w, QStringLiteral("ボックス"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().RichEditHint));
    EXPECT_FALSE(w->valueArea().RichEditHint->toPlainText().isEmpty());
    EXPECT_TRUE(w->EditBox->isEnabled());
    clickProperty(*w, QStringLiteral("テキスト"));
    EXPECT_FALSE(w->EditBox->isEnabled());
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().RichEditHint));

    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(browser->navigations.size(), navigations);
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(Values, KeywordDropDownsStoreChosenItems) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    QTreeWidgetItem* node = w->CurTargetNode;
    const size_t navigations = browser->navigations.size();

    choose(w->valueArea().CmbBoxCommon, QStringLiteral("right"));
    EXPECT_EQ(valueOf(*w, "text-align"), "right");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("right"));
    EXPECT_EQ(w->targetImageOf(node), ValueImageSet);
    EXPECT_NE(w->RichEditSrc->Text().find("text-align : right ;"), std::string::npos);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("未保存"));
    EXPECT_EQ(browser->navigations.size(), navigations + 1);

    choose(w->valueArea().CmbBoxCommon, QString());
    EXPECT_EQ(valueOf(*w, "text-align"), "");
    EXPECT_EQ(w->targetImageOf(node), ValueImageUnset);
    EXPECT_EQ(w->RichEditSrc->Text().find("text-align"), std::string::npos);

    // A property the rule did not set is added; the second drop-down stores its item alone.
    clickRule(*w, QStringLiteral("エレメント/P"));
    clickProperty(*w, QStringLiteral("背景/background-position"));
    EXPECT_TRUE(shownInPanel(*w, w->valueArea().CmbBoxCommon2));
    choose(w->valueArea().CmbBoxCommon2, QStringLiteral("right"));
    EXPECT_EQ(valueOf(*w, "background-position"), "right");
    EXPECT_NE(w->RichEditSrc->Text().find("background-position : right ;"), std::string::npos);
    w->bCSSSaved = true;
    choose(w->valueArea().CmbBoxCommon2, QString());
    EXPECT_EQ(valueOf(*w, "background-position"), "right");
    EXPECT_TRUE(w->bCSSSaved);

    clickProperty(*w, QStringLiteral("テキスト/text-transform"));
    choose(w->valueArea().CmbBoxCommon, QStringLiteral("uppercase"));
    EXPECT_NE(w->RichEditSrc->Text().find("P {\r\nmargin-top : auto ;\r\nbackground-position : right ;\r\n"
                                         "text-transform : uppercase ;\r\n}"),
              std::string::npos)
        << w->RichEditSrc->Text();
}

TEST_F(Values, LengthEditStoresOnEnterWithTheUnitAndClickInEmptyBoxStoresNothing) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/P"));
    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    QTreeWidgetItem* node = w->CurTargetNode;
    EXPECT_EQ(w->valueArea().EditCommon->text(), QString());  // "auto" has no unit

    // A click into the empty box keeps "auto".
    QTest::mouseClick(w->valueArea().EditCommon, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "margin-top"), "auto");
    EXPECT_TRUE(w->bCSSSaved);

    clickUnit(*w, 1);
    EXPECT_EQ(w->valueArea().TxtCommon->text(), QStringLiteral("ex"));
    clickUnit(*w, 3);
    EXPECT_EQ(w->valueArea().TxtCommon->text(), QStringLiteral("%"));
    QTest::keyClicks(w->valueArea().EditCommon, "12");
    EXPECT_EQ(valueOf(*w, "margin-top"), "auto");  // typing alone stores nothing
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "margin-top"), "12%");

    clickUnit(*w, 2);
    EXPECT_EQ(w->valueArea().TxtCommon->text(), QStringLiteral("px"));
    QTest::mouseClick(w->valueArea().EditCommon, Qt::LeftButton);  // a click with text stores it
    EXPECT_EQ(valueOf(*w, "margin-top"), "12px");
    EXPECT_EQ(w->targetImageOf(node), ValueImageSet);
    EXPECT_NE(w->RichEditSrc->Text().find("margin-top : 12px ;"), std::string::npos);

    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Backspace);
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Backspace);
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "margin-top"), "");
    EXPECT_EQ(w->targetImageOf(node), ValueImageUnset);
    EXPECT_NE(w->RichEditSrc->Text().find("P {\r\nbackground-position : top ;\r\n}"), std::string::npos);

    // Text CP932 cannot hold is refused.
    typeText(w->valueArea().EditCommon, QStringLiteral("1☃"));
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "margin-top"), "");
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(QStringLiteral("☃")));
}

// A value longer than a line edit holds by default (32767 characters) is shown whole, and an
// edit at its end changes only what was typed; one too long to edit in a line is not shown.
TEST_F(Values, LongValuesAreShownWholeOrNotAtAll) {
    for (const size_t length : {40000, 150000}) {
        const std::string address(length, 'A');
        auto w = open("P { background-image: url(\"" + address + "\"); }\r\n");
        clickRule(*w, QStringLiteral("エレメント/P"));
        clickProperty(*w, QStringLiteral("背景/background-image"));
        QLineEdit* edit = w->valueArea().EditCommon;
        EXPECT_EQ(edit->text().size(), length < 100000 ? static_cast<qsizetype>(length) : 0);
        EXPECT_EQ(edit->isEnabled(), length < 100000);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "Bx");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(valueOf(*w, "background-image"),
                  "url(\"" + (length < 100000 ? address.substr(0, length - 1) + "Bx" : address) + "\")");
    }
}

// A length box refuses a text that is no number with a unit, and stores keywords as they are.
TEST_F(Values, LengthBoxRefusesWhatIsNoLength) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    QLineEdit* edit = w->valueArea().EditCommon;
    const std::pair<const char*, const char*> cases[] = {{"1.2.3", "2px"}, {"12x3", "2px"}, {"auto", "auto"}, {"1.5", "1.5px"}};
    for (const auto& [typed, stored] : cases) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_EQ(valueOf(*w, "margin-top"), stored) << typed;
    }
    ASSERT_EQ(messages->errors.size(), 2);
    EXPECT_TRUE(messages->errors[0].contains(QStringLiteral("1.2.3")) && messages->errors[1].contains(QStringLiteral("12x3")));
}

TEST_F(Values, EditBoxesStoreOnlyWhatTheUserChanged) {
    auto w = open("P { margin: 10px 20px; font-size: 12px !important; width: calc(100% - 10px);"
                  " background-image: url(\"a.gif\"), url(\"b.gif\"); }\r\n");
    clickRule(*w, QStringLiteral("エレメント/P"));
    const size_t navigations = browser->navigations.size();
    const std::string pane = w->RichEditSrc->Text();
    auto retype = [&](const QString& text) {
        QTest::keyClick(w->valueArea().EditCommon, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w->valueArea().EditCommon, text);
    };

    // A click into the box, or Enter, on the shown number stores nothing.
    clickProperty(*w, QStringLiteral("ボックス/margin"));
    ASSERT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("10"));
    QTest::mouseClick(w->valueArea().EditCommon, Qt::LeftButton);
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    clickProperty(*w, QStringLiteral("背景/background-image"));
    ASSERT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("a.gif"));
    QTest::mouseClick(w->valueArea().EditCommon, Qt::LeftButton);
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(w->RichEditSrc->Text(), pane);
    EXPECT_EQ(browser->navigations.size(), navigations);

    // An edited number replaces the whole value, and the status line says so.
    clickProperty(*w, QStringLiteral("ボックス/margin"));
    retype("15");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    settle();
    EXPECT_EQ(valueOf(*w, "margin"), "15px");
    EXPECT_EQ(w->StatusBar->message(),
              QStringLiteral("表示されていなかった部分も置き換えました:「10px 20px」→「15px」"));
    QTest::mouseClick(w->valueArea().EditCommon, Qt::LeftButton);  // stored: a click stores nothing more
    EXPECT_EQ(browser->navigations.size(), navigations + 1);

    clickProperty(*w, QStringLiteral("フォント/font-size"));
    retype("14");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    settle();
    EXPECT_EQ(valueOf(*w, "font-size"), "14px !important");  // the mark stays with the declaration

    // What would break the sheet is refused: an open "(" or quote.
    clickProperty(*w, QStringLiteral("ボックス/width"));
    ASSERT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("calc(100% - 10"));
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_End);
    QTest::keyClicks(w->valueArea().EditCommon, "0");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "width"), "calc(100% - 10px)");
    ASSERT_EQ(messages->errors.size(), 1);
    retype("50");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "width"), "50px");

    clickProperty(*w, QStringLiteral("背景/background-image"));
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_End);
    QTest::keyClicks(w->valueArea().EditCommon, "\"");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "background-image"), "url(\"a.gif\"), url(\"b.gif\")");
    EXPECT_EQ(messages->errors.size(), 2);
    retype("c.gif");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "background-image"), "url(\"c.gif\")");
    EXPECT_EQ(ruleCountInPane(*w), 1);
}

TEST_F(Values, TypedKeywordIsStoredOnEnterOrWhenTheFocusLeaves) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    QLineEdit* line = w->valueArea().CmbBoxCommon->lineEdit();
    QTest::mouseClick(line, Qt::LeftButton);
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(line, "inherit");
    EXPECT_EQ(valueOf(*w, "text-align"), "center");  // keystrokes store nothing
    EXPECT_TRUE(w->bCSSSaved);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "text-align"), "inherit");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("inherit"));
    EXPECT_EQ(w->targetImageOf(w->CurTargetNode), ValueImageSet);

    // Leaving the drop-down stores what was typed, into the property it was typed for.
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(line, "start");
    clickProperty(*w, QStringLiteral("テキスト/color"));
    EXPECT_EQ(valueOf(*w, "text-align"), "start");
    EXPECT_EQ(valueOf(*w, "color"), "red");

    // An item chosen from the list (here with the arrow keys) is stored at once.
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    w->valueArea().CmbBoxCommon->setFocus();
    QTest::keyClick(w->valueArea().CmbBoxCommon, Qt::Key_Down);
    EXPECT_EQ(valueOf(*w, "text-align"), "");  // the empty first item
    QTest::keyClick(w->valueArea().CmbBoxCommon, Qt::Key_Down);
    EXPECT_EQ(valueOf(*w, "text-align"), "left");

    // Closing the window with typed text stores it before the save question.
    w->bCSSSaved = true;
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(line, "end");
    w->close();
    EXPECT_EQ(valueOf(*w, "text-align"), "end");
    EXPECT_EQ(messages->confirms.size(), 1);
}

TEST_F(Values, TypedTextIsStoredWhenTheFocusLeavesAndBeforeWhatComesNext) {
    const auto ctrlS = [](TfrmMain&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier); };
    const struct {
        const char* what;
        bool margin;  // typed into H1's margin-top box, else into its text-align drop-down
        const char* typed;
        std::function<void(TfrmMain&)> next;
        const char* stored;  // H1's value then, and whether the file holds it
        bool saved;
    } cases[] = {
        {"another rule", true, "4", [](TfrmMain& w) { clickRule(w, QStringLiteral("エレメント/P")); }, "4px", false},
        {"another property", true, "9", [](TfrmMain& w) { clickProperty(w, QStringLiteral("テキスト")); }, "9px", false},
        {"Tab", true, "7", [](TfrmMain&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }, "7px", false},
        {"Ctrl+S", false, "left", ctrlS, "left", true},
        {"close", true, "3", [this](TfrmMain& w) { messages->answer = true; w.close(); }, "3px", true},
        {"nothing typed", true, "", ctrlS, "2px", false},
        {"tree rebuilt (last: kept grouped)", false, "right", [](TfrmMain& w) { w.ChangeCSStree->trigger(); }, "right", false},
    };
    for (const auto& c : cases) {
        auto w = open();
        QApplication::setActiveWindow(w.get());
        clickRule(*w, QStringLiteral("エレメント/H1"));
        clickProperty(*w, c.margin ? QStringLiteral("ボックス/margin/margin-top") : QStringLiteral("テキスト/text-align"));
        QLineEdit* box = c.margin ? w->valueArea().EditCommon : w->valueArea().CmbBoxCommon->lineEdit();
        QTest::mouseClick(box, Qt::LeftButton);
        if (*c.typed) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, c.typed);
        }
        EXPECT_EQ(w->StatusBar->savedState(), *c.typed ? QStringLiteral("未保存") : QStringLiteral("保存済み")) << c.what;
        c.next(*w);
        const char* property = c.margin ? "margin-top" : "text-align";
        EXPECT_EQ(currentValue(w->Document, &w->Document.GetNodeParent("H1")->Data, property), c.stored) << c.what;
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().contains(QByteArray(property) + " : " + c.stored), c.saved) << c.what;
        EXPECT_EQ(w->bCSSSaved, !*c.typed || c.saved) << c.what;
    }
}

TEST_F(Values, EditorsChangeTheDeclarationInEffectKeepItsImportantAndShowWhatNoItemFits) {
    auto w = open("P { text-align: left !important; margin-top: 1px; margin-top: 2px;"
                  " background-image: url(a.png), url(b.png) !important; cursor: -webkit-grab; }\r\n");
    clickRule(*w, QStringLiteral("エレメント/P"));
    QLineEdit* combo = w->valueArea().CmbBoxCommon->lineEdit();
    QLineEdit* box = w->valueArea().EditCommon;
    const auto edit = [](QLineEdit* line, std::initializer_list<Qt::Key> keys, const char* text) {
        QTest::mouseClick(line, Qt::LeftButton);
        for (Qt::Key k : keys) QTest::keyClick(line, k, k == Qt::Key_A ? Qt::ControlModifier : Qt::NoModifier);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    };
    // Shown as text, and stored only when edited.
    clickProperty(*w, QStringLiteral("その他/cursor"));
    EXPECT_EQ(combo->text(), QStringLiteral("-webkit-grab"));
    clickProperty(*w, QStringLiteral("背景/background-image"));
    EXPECT_EQ(box->text(), QStringLiteral("url(a.png), url(b.png)"));
    QTest::mouseClick(box, Qt::LeftButton);
    clickProperty(*w, QStringLiteral("その他/cursor"));
    EXPECT_TRUE(w->bCSSSaved);

    clickProperty(*w, QStringLiteral("背景/background-image"));
    edit(box, {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace,
               Qt::Key_Backspace, Qt::Key_Backspace}, "c.png)");
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    edit(combo, {Qt::Key_A}, "right");
    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    EXPECT_EQ(box->text(), QStringLiteral("2"));
    edit(box, {Qt::Key_A}, "5");
    std::string declarations;
    for (const auto& d : w->ruleOfNode(w->CurStructNode)->Declarations) declarations += d.Name + "=" + d.Value + ";";
    EXPECT_EQ(declarations, "text-align=right !important;margin-top=1px;margin-top=5px;"
                            "background-image=url(a.png), url(c.png) !important;cursor=-webkit-grab;");
}

TEST_F(Values, KeyboardSelectionInTheTreesDoesWhatAClickDoes) {
    auto w = open("H1 { font-size: 20px; }\r\nP { font-size: 12px; }\r\n");
    clickRule(*w, QStringLiteral("エレメント/H1"));
    QTest::keyClick(w->TreeViewStruct, Qt::Key_Down);
    const QModelIndex p = findItem(w->TreeViewStruct, QStringLiteral("エレメント/P"));
    ASSERT_EQ(w->TreeViewStruct->currentIndex(), p);
    EXPECT_EQ(w->CurStructNode, p);
    EXPECT_EQ(w->valueArea().GroupBoxTagInfo->title(), QStringLiteral("P"));
    EXPECT_FALSE(w->valueArea().lblTagInfo->text().isEmpty());
    EXPECT_EQ(browser->navigations.back().anchor, QStringLiteral("P"));
    EXPECT_TRUE(w->TreeViewStruct->hasFocus());

    // The property tree is P's: a change goes into P.
    clickProperty(*w, QStringLiteral("フォント/font-size"));
    EXPECT_EQ(w->valueArea().EditCommon->text(), QStringLiteral("12"));
    EXPECT_TRUE(w->valueArea().EditCommon->hasFocus());  // a click moves the focus into the box
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w->valueArea().EditCommon, "13");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "font-size"), "13px");
    EXPECT_NE(w->RichEditSrc->Text().find("H1 {\r\nfont-size : 20px ;"), std::string::npos);

    // Arrow keys through the property tree show each panel and keep the focus in the tree.
    w->TreeViewTarget->setFocus();
    int lengthPanels = 0;
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(w->TreeViewTarget, Qt::Key_Down);
        ASSERT_TRUE(w->TreeViewTarget->hasFocus()) << i;
        const TData* record = w->targetRecordOf(w->TreeViewTarget->currentItem());
        ASSERT_NE(record, nullptr);
        if (record->Kind == 1) {
            EXPECT_EQ(w->CurTargetNode, w->TreeViewTarget->currentItem());
            lengthPanels += w->valueArea().PanelSizeSelect->isVisible();
        }
    }
    EXPECT_GT(lengthPanels, 0);
}

TEST_F(Values, AValueChangeKeepsTheHeaderAndACategoryShowsItself) {
    auto w = open();
    ValueArea& area = w->valueArea();
    const auto header = [&area] {
        QStringList shown{area.lblTagInfo->text(), area.lblChildInfo->text()};
        for (TALed* lamp : {area.ALedIe5, area.ALedNS4, area.ALedNS6})
            shown.append(lamp->Value() ? QString::number(lamp->TrueColor(), 16) : QStringLiteral("off"));
        return shown;
    };
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("フォント/font-size"));
    const QStringList before = header();
    ASSERT_EQ(before.mid(1, 2), (QStringList{"フォント", "8000"}));  // a green lamp
    QTest::keyClicks(area.EditCommon, "14");
    QTest::keyClick(area.EditCommon, Qt::Key_Return);
    ASSERT_EQ(valueOf(*w, "font-size"), "14%");
    EXPECT_EQ(header(), before);
    // A category node shows its own category, lamps off.
    clickProperty(*w, QStringLiteral("背景"));
    EXPECT_EQ(header(), (QStringList{before[0], "背景", "off", "off", "off"}));
}

TEST_F(Values, ClickingTheSelectedRuleAgainStartsAfresh) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    const QString tagInfo = w->valueArea().lblTagInfo->text();
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    choose(w->valueArea().CmbBoxCommon, QStringLiteral("left"));
    ASSERT_EQ(w->valueArea().lblChildInfo->text(), QStringLiteral("テキスト"));
    ASSERT_TRUE(w->valueArea().PanelCommon->isVisible());

    clickRule(*w, QStringLiteral("エレメント/H1"));
    EXPECT_EQ(w->valueArea().lblTagInfo->text(), tagInfo);
    EXPECT_TRUE(w->valueArea().lblChildInfo->text().isEmpty());
    EXPECT_FALSE(w->valueArea().PanelCommon->isVisible());
    EXPECT_EQ(w->CurTargetNode, nullptr);
    EXPECT_TRUE(w->valueArea().StaticTxtNowData->fullText().isEmpty());
}

TEST_F(Values, ImageAddressTypedOrChosen) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("背景/background-image"));
    w->valueArea().EditCommon->clear();
    QTest::keyClicks(w->valueArea().EditCommon, "b.gif");
    QTest::keyClick(w->valueArea().EditCommon, Qt::Key_Return);
    EXPECT_EQ(valueOf(*w, "background-image"), "url(\"b.gif\")");
    EXPECT_NE(w->RichEditSrc->Text().find("background-image : url(\"b.gif\") ;"), std::string::npos);

    // Chosen file, built-in page: the full path; always a preview rebuild.
    w->bAutoRefresh = false;
    const size_t navigations = browser->navigations.size();
    const QString image = writeFile("img.png", "x");
    files->answers = {image};  // through the file dialog
    w->FileOpenURL->trigger();
    EXPECT_EQ(files->requests, QStringList{QStringLiteral("open 背景画像のファイルを選択します  背景画像 (*.gif *.jpg *.jpeg *.png)")});
    EXPECT_EQ(fromCp932(*valueOf(*w, "background-image")), QStringLiteral("url(\"%1\")").arg(image));
    EXPECT_EQ(w->valueArea().EditCommon->text(), image);
    EXPECT_EQ(browser->navigations.size(), navigations + 1);

    // With a page of the user's: relative, "/" separators.
    QDir(home()).mkpath("site/img");
    w->sHTMLFileName = writeFile("site/page.html", "<html></html>");
    w->FileOpenURLAccept(writeFile("site/img/a.gif", "x"));
    EXPECT_EQ(valueOf(*w, "background-image"), "url(\"img/a.gif\")");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("url(\"img/a.gif\")"));

    // A path CP932 cannot hold is refused, never stored as "?".
    w->FileOpenURLAccept(home() + QStringLiteral("/site/img/☃.gif"));
    EXPECT_EQ(valueOf(*w, "background-image"), "url(\"img/a.gif\")");
    EXPECT_EQ(messages->errors.size(), 1);
}

TEST_F(Values, TransparentBoxAndClearButton) {
    auto w = open();
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("ボックス/border-color/border-top-color"));
    QTreeWidgetItem* node = w->CurTargetNode;
    ASSERT_TRUE(w->valueArea().CheckBoxColor->isChecked());

    QTest::mouseClick(w->valueArea().CheckBoxColor, Qt::LeftButton);  // unticked: stores the empty value
    EXPECT_EQ(valueOf(*w, "border-top-color"), "");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("指定無し"));
    EXPECT_EQ(w->targetImageOf(node), ValueImageUnset);
    EXPECT_EQ(w->RichEditSrc->Text().find("border-top-color"), std::string::npos);
    QTest::mouseClick(w->valueArea().CheckBoxColor, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "border-top-color"), "transparent");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("透過"));
    EXPECT_EQ(w->valueArea().ShapeColorBrush(), clNone);
    EXPECT_NE(w->RichEditSrc->Text().find("border-top-color : transparent ;"), std::string::npos);

    clickProperty(*w, QStringLiteral("テキスト/color"));
    node = w->CurTargetNode;
    w->bCSSSaved = true;
    QTest::mouseClick(w->valueArea().BitBtnClear, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "color"), std::nullopt);
    EXPECT_EQ(w->targetImageOf(node), ValueImageUnset);
    EXPECT_EQ(w->valueArea().ShapeColorBrush(), clWhite);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("未保存"));
    EXPECT_EQ(w->RichEditSrc->Text().find("color : red"), std::string::npos);

    // Nothing to remove: nothing happens.
    w->bCSSSaved = true;
    const size_t navigations = browser->navigations.size();
    QTest::mouseClick(w->valueArea().BitBtnClear, Qt::LeftButton);
    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(browser->navigations.size(), navigations);
}

TEST_F(Values, HandlersDoNothingWithoutASelectedRuleAndProperty) {
    auto w = open();
    const std::string before = w->RichEditSrc->Text();
    auto untouched = [&] {
        w->CmbBoxCommonChange(false);
        w->CmbBoxCommonChange(true);
        w->CmbBoxCommon2Change();
        w->valueArea().EditCommon->setText("5");
        w->EditCommonClick(false);
        w->EditCommonKeyDown(Qt::Key_Return);
        w->FileOpenURLAccept(writeFile("i.gif", "x"));
        w->CheckBoxColorClick();
        w->BitBtnClearClick();
        EXPECT_TRUE(w->bCSSSaved);
        EXPECT_EQ(w->RichEditSrc->Text(), before);
    };
    untouched();  // nothing selected

    clickRule(*w, QStringLiteral("エレメント/H1"));
    untouched();  // a rule, no property
    clickProperty(*w, QStringLiteral("テキスト"));
    untouched();  // a category node is never the selected property

    // The property tree rebuilt: the node that was selected is gone.
    clickProperty(*w, QStringLiteral("テキスト/color"));
    w->ChangeCSStreeExecute();
    untouched();
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(Values, AutomaticRefreshOffStoresWithoutRebuildAndImportantTagGoesToTheCaret) {
    {
        auto none = makeWindow();  // no style sheet: the pane is not shown
        showAndSettle(*none);
        EXPECT_FALSE(none->AddImportantTag->isEnabled());
        none->AddImportantTagExecute();
        EXPECT_TRUE(none->bCSSSaved);
    }
    auto w = open();
    w->bAutoRefresh = false;
    clickRule(*w, QStringLiteral("エレメント/H1"));
    clickProperty(*w, QStringLiteral("テキスト/text-align"));
    const size_t navigations = browser->navigations.size();
    const std::string pane = w->RichEditSrc->Text();
    choose(w->valueArea().CmbBoxCommon, QStringLiteral("left"));
    EXPECT_EQ(valueOf(*w, "text-align"), "left");
    EXPECT_EQ(browser->navigations.size(), navigations);
    EXPECT_EQ(w->RichEditSrc->Text(), pane);
    EXPECT_FALSE(w->bCSSSaved);

    w->bCSSSaved = true;
    w->RichEditSrc->core().Caret = {0, 0};
    ASSERT_TRUE(w->AddImportantTag->isEnabled());
    w->AddImportantTag->trigger();
    EXPECT_EQ(w->RichEditSrc->Text().rfind(" !important /* Generator", 0), 0u);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_EQ(valueOf(*w, "text-align"), "left");  // the document is not touched
}

}  // namespace
}  // namespace pavik::test
