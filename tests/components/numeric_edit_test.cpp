// Number texts and the numeric edit: formats, reading typed text back, accepted keys, the
// range applied on leaving the field, and the frame settings an edit takes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "components/frame_controller.h"
#include "components/numeric_text.h"
#include "components/pv_edit.h"

using namespace pavik;

TEST(NumberText, FormatsThroughDisplayFormats) {
    struct Case {
        double value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {-1234, ",0;(,0)", "(1,234)"},
        {1234567, ",0;(,0)", "1,234,567"},
        {0, ",0;(,0)", "0"},
        {-0.4, ",0;(,0)", "0"},  // rounds to nothing: no parentheses
        {255, ",0;(,0)", "255"},
        {-3, "0", "-3"},  // no negative section: a minus sign
        {12.5, "0.00", "12.50"},
        {12.5, "#.##", "12.5"},
        {0.5, "#.##", ".5"},
        {7, "000", "007"},
        {5, "0' px'", "5 px"},
        {0, "0;(0);'none'", "none"},
        {1e12, ",0", "1,000,000,000,000"},
        {1.5, "", "1.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value, c.format), c.expected) << c.format << " " << c.value;
}

TEST(NumberText, ReadsTypedTextBack) {
    EXPECT_EQ(ParseNumberText(""), 0.0);
    EXPECT_EQ(ParseNumberText("(1,234)"), -1234.0);
    EXPECT_EQ(ParseNumberText("-12"), -12.0);
    EXPECT_EQ(ParseNumberText("1.5"), 1.5);
    EXPECT_EQ(ParseNumberText("+7"), 7.0);
    EXPECT_EQ(ParseNumberText("abc"), std::nullopt);
    EXPECT_EQ(ParseNumberText("("), std::nullopt);
    EXPECT_EQ(ParseNumberText("1.2.3"), std::nullopt);
    EXPECT_EQ(ParseNumberText(std::string(255, '9')).has_value(), true);
    EXPECT_EQ(ParseNumberText(std::string(256, '9')), std::nullopt);
}

TEST(NumberText, AcceptsDigitsSignsAndOneDecimalSeparator) {
    struct Case {
        char key;
        const char* text;
        const char* selected;
        bool atStart;
        bool integersOnly;
        bool valid;
    };
    const Case cases[] = {
        {'5', "12", "", false, true, true},
        {'a', "12", "", false, true, false},
        {'-', "12", "", true, true, true},     // at position 0: "-12"
        {'-', "12", "", false, true, false},   // at position 1
        {'-', "-12", "", true, true, false},   // a sign already
        {'+', "-12", "-12", true, true, true}, // the whole text selected
        {'.', "12", "", false, true, false},   // integers only
        {'.', "12", "", false, false, true},
        {'.', "1.2", "", false, false, false}, // a second separator
        {'.', "1.2", ".2", false, false, true},// replaces the first
        {'\b', "12", "", false, true, true},   // control characters pass
        {'\r', "12", "", false, true, false},  // except Enter
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidNumberKey({c.key, c.text, c.selected, c.atStart, c.integersOnly}), c.valid)
            << "'" << c.key << "' on " << c.text;
}

TEST(NumberText, InputMethodAndPastedTextAreCheckedAsKeysAre) {
    const struct {
        std::u32string_view committed;
        const char* text;
        size_t at, selected;
        std::optional<std::string> typed;
    } cases[] = {
        {U"\uFF11\uFF12\uFF18", "", 0, 0, "128"}, {U"-\uFF13", "12", 0, 2, "-3"}, {U"-1", "12", 1, 0, {}},
        {U"12\uFF58\uFF13", "", 0, 0, {}}, {U"\uFF0D1", "", 0, 0, {}}, {U"1\t", "", 0, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptNumberInput(c.committed, {c.text, c.at, c.selected, true}), c.typed) << c.text;

    TPvNumericEdit edit;  // what the input method commits goes in checked
    edit.selectAll();
    for (const QString& commit : {QStringLiteral("\uFF11\uFF12\uFF18"), QStringLiteral("\uFF58")}) {
        QInputMethodEvent e;
        e.setCommitString(commit);
        QApplication::sendEvent(&edit, &e);
        EXPECT_EQ(edit.text(), QStringLiteral("128"));
    }

    // Pasted text too, from the keys and from the context menu; blanks around it are dropped.
    for (const auto& [pasted, result] : std::vector<std::pair<QString, QString>>{
             {QStringLiteral(" 64\n"), QStringLiteral("64")},
             {QStringLiteral("\uFF12\uFF15"), QStringLiteral("25")},
             {QStringLiteral("12x3"), QStringLiteral("7")}}) {
        edit.setText(QStringLiteral("7"));
        edit.selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit.text(), result) << pasted.toStdString();
    }
    edit.setText(QStringLiteral("7"));
    edit.selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTimer::singleShot(0, [&] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->close();
        const QList<QAction*> items = menu->actions();
        const auto paste = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->text().contains("Paste"); });
        ASSERT_NE(paste, items.end());
        (*paste)->trigger();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&edit, &menuEvent);
    EXPECT_EQ(edit.text(), QStringLiteral("7"));
}

TEST(NumberText, RangeAndIntegerViewNeverOverflow) {
    EXPECT_EQ(CheckNumberRange(300, 0, 255, true), 255);
    EXPECT_EQ(CheckNumberRange(-5, 0, 255, true), 0);
    EXPECT_EQ(CheckNumberRange(-5, 0, 0, false), -5);  // no limits
    EXPECT_EQ(CheckNumberRange(-5, 0, 0, true), 0);
    EXPECT_EQ(RoundToInt32(2.5), 2);  // ties to even
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-1234.4), -1234);
    EXPECT_EQ(RoundToInt32(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundToInt32(-1e300), std::numeric_limits<std::int32_t>::min());
}

namespace {

// Two edits in a shown window, so that the focus can move between them.
struct Fields {
    QWidget window;
    TPvNumericEdit* edit = new TPvNumericEdit(&window);
    TPvEdit* other = new TPvEdit(&window);
    Fields() {
        other->move(0, 30);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void enter() {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    void leave() {
        other->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    QString typed(const QString& keys) {
        enter();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        const QString shown = edit->text();
        leave();
        return shown;
    }
};

}  // namespace

TEST(TPvNumericEdit, LeavingTheFieldFormatsAndHoldsTheRange) {
    Fields f;
    EXPECT_EQ(f.edit->text(), QStringLiteral("0"));
    EXPECT_EQ(f.edit->size(), QSize(65, 21));

    EXPECT_EQ(f.typed(QStringLiteral("-1234")), QStringLiteral("-1234"));
    EXPECT_EQ(f.edit->text(), QStringLiteral("(1,234)"));
    EXPECT_EQ(f.edit->Value(), -1234);
    f.enter();  // entering and leaving again keeps it
    f.leave();
    EXPECT_EQ(f.edit->text(), QStringLiteral("(1,234)"));

    EXPECT_EQ(f.typed(QStringLiteral("12ab3")), QStringLiteral("123"));  // letters refused

    f.edit->setMin(0);
    f.edit->setMax(255);
    f.edit->setCheckRange(true);
    f.typed(QStringLiteral("300"));
    EXPECT_EQ(f.edit->text(), QStringLiteral("255"));
    EXPECT_TRUE(f.edit->changed());
    f.typed(QStringLiteral("-5"));
    EXPECT_EQ(f.edit->text(), QStringLiteral("0"));

    f.edit->setText(QStringLiteral("("));  // no number: Min
    f.enter();
    f.leave();
    EXPECT_EQ(f.edit->text(), QStringLiteral("0"));

    f.edit->setMin(300);  // Max follows Min up
    EXPECT_EQ(f.edit->Max(), 300);
}

TEST(TPvNumericEdit, WithoutLimitsKeepsAnyNumberAndItsIntegerViewSaturates) {
    Fields f;
    f.typed(QStringLiteral("99999999999"));
    EXPECT_EQ(f.edit->text(), QStringLiteral("99,999,999,999"));
    EXPECT_EQ(f.edit->IntValue(), std::numeric_limits<std::int32_t>::max());
    f.edit->setText(QString());
    EXPECT_EQ(f.edit->Value(), 0);  // an empty text becomes Min
    EXPECT_EQ(f.edit->text(), QStringLiteral("0"));
}

TEST(TPvNumericEdit, ExitAndKeyEventsReachTheOwner) {
    Fields f;
    int exits = 0;
    std::vector<int> keys;
    f.edit->OnExit = [&](TPvCustomEdit*) { ++exits; };
    f.edit->OnKeyDown = [&](TPvCustomEdit*, int key) {
        keys.push_back(key);
        if (key == Qt::Key_Return) f.other->setFocus(Qt::TabFocusReason);
    };
    f.enter();
    QTest::keyClick(f.edit, Qt::Key_7);
    QTest::keyClick(f.edit, Qt::Key_Return);  // the owner moves the focus on
    QApplication::processEvents();
    EXPECT_TRUE(f.other->hasFocus());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_7, Qt::Key_Return}));
}

TEST(TPvEdit, TakesFrameSettingsFromItsControllerAndFlatFramesFollowTheFocus) {
    Fields f;
    TPvFrameController controller;
    controller.setFrameFocusStyle(fsRaised);
    controller.setFrameFlat(true);  // visible, flat style fsStatus
    f.other->setFrameController(&controller);
    EXPECT_TRUE(f.other->FrameVisible());
    EXPECT_TRUE(f.other->FrameFlat());
    EXPECT_EQ(f.other->FrameStyle(), fsStatus);
    EXPECT_EQ(f.other->FrameFocusStyle(), fsRaised);
    f.other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(f.other->FrameStyle(), fsRaised);
    f.enter();
    EXPECT_EQ(f.other->FrameStyle(), fsStatus);

    f.other->setUseFrameController(false);  // left alone from now on
    controller.setFrameColor(clRed);
    EXPECT_EQ(f.other->FrameColor(), clBtnShadow);
    f.other->setFrameController(nullptr);
    EXPECT_EQ(controller.controlCount(), 0);
}
