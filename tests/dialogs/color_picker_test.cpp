// The colour picker: where it starts for a swatch colour, and the colour text each way of
// choosing hands back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "components/pv_edit.h"
#include "components/pv_label.h"
#include "dialogs/color_choice.h"
#include "dialogs/color_lookup_combo_box.h"
#include "dialogs/color_tables.h"
#include "dialogs/frm_color_picker.h"
#include "platform/help.h"
#include "platform/qt_colors.h"

using namespace pavik;

namespace {

constexpr TColor css(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

}  // namespace

TEST(ColorChoice, StartColourAndPage) {
    EXPECT_EQ(pickerStartColor(clNone), clWhite);  // "no colour": white, not the marker's bits
    EXPECT_EQ(pickerStartColor(0x020000FF), clRed);  // "#ff0000" as read from a style sheet
    EXPECT_EQ(pickerStartColor(clBtnFace), clBtnFace);
    EXPECT_EQ(pickerStartPage(clRed), PickerPageColors);
    EXPECT_EQ(pickerStartPage(clBtnFace), PickerPageColors);
    EXPECT_EQ(pickerStartPage(css(0x336699)), PickerPageWebSafe);
    EXPECT_EQ(pickerStartPage(css(0x123456)), PickerPageColors);
}

TEST(ColorChoice, ReadsEveryCssFormOfAColourWithItsAlpha) {
    using C = std::optional<CssColor>;
    const std::pair<std::string_view, C> cases[] = {
        {" Red ", C{{clRed}}}, {"buttonface", C{{clBtnFace}}}, {"#F008", C{{clRed, 0x88 / 255.0}}},
        {"#33669980", C{{css(0x336699), 0x80 / 255.0}}}, {"rgba(0,0,0,.5)", C{{clBlack, 0.5}}},
        {"RGB(100% 0% 50% / 25%)", C{{css(0xFF0080), 0.25}}}, {"rgb(300,-5,127.6)", C{{css(0xFF0080)}}},
        {"hsla(0.5turn 100% 50% / .2)", C{{css(0x00FFFF), 0.2}}}, {"hsl(-120deg,100%,25%)", C{{css(0x000080)}}},
        {"rgb(1px,2,3)", {}}, {"rgba(1,2,3,4,5)", {}}, {"#12345", {}}, {"transparent", {}}, {"", {}},
    };
    for (const auto& [text, read] : cases) EXPECT_EQ(readCssColor(text), read) << text;
    EXPECT_EQ(rgbaColorText(css(0x336699), 0x80 / 255.0), "rgba(51,102,153,0.502)");
    EXPECT_EQ(rgbaColorText(clBlack, 0), "rgba(0,0,0,0)");
}

TEST(ColorChoice, ResultTexts) {
    EXPECT_EQ(basicColorResult(clFuchsia), "Fuchsia");
    EXPECT_EQ(basicColorResult(css(0x123456)), "rgb(18,52,86)");
    EXPECT_EQ(systemColorResult(clBtnFace), "buttonface");
    EXPECT_EQ(systemColorResult(clWindowText), "Windowtext");
    EXPECT_EQ(systemColorResult(clRed), std::nullopt);
    EXPECT_EQ(colorNameResult("★Black", clBlack), "Black");
    EXPECT_EQ(colorNameResult("Blanchedalmond", css(0xFFEBCD)), "Blanchedalmond");
    EXPECT_EQ(colorNameResult("Copper", css(0xBF00DF)), "rgb(191,0,223)");

    // Every name keeps its spelling except the nine that browsers ignore.
    int rgbNames = 0;
    for (const ColorEntry& e : ColorNames) {
        const std::string text = colorNameResult(e.Name, e.Value);
        if (text.starts_with("rgb(")) {
            ++rgbNames;
            EXPECT_EQ(text, rgbColorText(e.Value)) << e.Name;
        } else {
            EXPECT_EQ(text, withoutStarMark(e.Name));
        }
    }
    EXPECT_EQ(rgbNames, 9);
    for (const char* name : {"Brass", "Brawn", "CoolCopper", "CornFlower", "DarkBrown", "Feldsper", "InidianRed", "RichBlue"})
        EXPECT_FALSE(isCssColorName(name)) << name;
}

namespace {

struct Picker {
    TfrmColorPicker dlg{nullptr};
    explicit Picker(TColor start) {
        dlg.StartColor = start;
        dlg.show();
        QApplication::setActiveWindow(&dlg);
    }
    static void choose(TColorLookupComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    QString components() const {
        return dlg.StaticTxtColorR->text() + "," + dlg.StaticTxtColorG->text() + "," + dlg.StaticTxtColorB->text();
    }
};

}  // namespace

TEST(TfrmColorPicker, StartsFromTheSwatchColour) {
    {
        Picker p(clRed);
        EXPECT_EQ(p.dlg.CLCmbBoxCommon16->currentText(), QStringLiteral("赤"));
        EXPECT_EQ(p.dlg.CLCmbBoxColorName->currentText(), QStringLiteral("★Red"));
        EXPECT_EQ(p.dlg.PageControl1->currentIndex(), 0);
        EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(255,0,0)"));
        EXPECT_FALSE(p.dlg.LabelFore->isVisible());
        EXPECT_FALSE(p.dlg.BitBtnHelp->isEnabled());  // no help desk
    }
    {
        Picker p(css(0x336699));
        EXPECT_EQ(p.dlg.PageControl1->currentIndex(), 1);
        EXPECT_EQ(p.dlg.CLCmbBoxWebSafe[1]->currentText(), QStringLiteral("#369"));
        EXPECT_EQ(p.dlg.CLCmbBoxCommon16->currentIndex(), 0);  // the rest show their first item
    }
    {
        Picker p(clNone);  // after "transparent"
        EXPECT_EQ(p.dlg.swatchColor(), clWhite);
        EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(255,255,255)"));
        EXPECT_EQ(p.dlg.CLCmbBoxCommon16->currentText(), QStringLiteral("白"));
    }
}

TEST(TfrmColorPicker, EachTableHandsBackItsText) {
    Picker p(clWhite);
    Picker::choose(p.dlg.CLCmbBoxSystemColor, QStringLiteral("buttonface"));
    EXPECT_EQ(p.dlg.result(), QStringLiteral("buttonface"));
    const QColor face = toQColor(clBtnFace, p.dlg.palette());
    EXPECT_EQ(p.components(), QStringLiteral("%1,%2,%3").arg(face.red()).arg(face.green()).arg(face.blue()));

    Picker::choose(p.dlg.CLCmbBoxColorName, QStringLiteral("★Black"));
    EXPECT_EQ(p.dlg.result(), QStringLiteral("Black"));
    Picker::choose(p.dlg.CLCmbBoxColorName, QStringLiteral("Brass"));
    EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(181,166,66)"));
    Picker::choose(p.dlg.CLCmbBoxCommon16, QStringLiteral("青緑"));
    EXPECT_EQ(p.dlg.result(), QStringLiteral("Teal"));
    Picker::choose(p.dlg.CLCmbBoxWebSafe[0], QStringLiteral("#00f"));
    EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(0,0,255)"));
    EXPECT_EQ(p.dlg.swatchColor(), clBlue);
}

TEST(TfrmColorPicker, RGBPageEditsOneComponentAtATime) {
    Picker p(clRed);
    p.dlg.PageControl1->setCurrentIndex(2);  // takes the swatch's components
    EXPECT_EQ(p.dlg.NumEditRed->text(), QStringLiteral("255"));
    EXPECT_EQ(p.dlg.TrackBarRed->value(), 255);
    EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(255,0,0)"));

    p.dlg.TrackBarGreen->setValue(128);
    EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(255,128,0)"));
    EXPECT_EQ(p.dlg.NumEditGreen->text(), QStringLiteral("128"));

    // Typing 300 into blue and pressing Enter: the field holds 255 and the bar follows.
    p.dlg.NumEditBlue->setFocus(Qt::TabFocusReason);
    p.dlg.NumEditBlue->selectAll();
    QTest::keyClicks(p.dlg.NumEditBlue, QStringLiteral("300"));
    QTest::keyClick(p.dlg.NumEditBlue, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(p.dlg.TrackBarBlue->hasFocus());
    EXPECT_TRUE(p.dlg.isVisible());  // Enter did not close the dialog
    EXPECT_EQ(p.dlg.NumEditBlue->text(), QStringLiteral("255"));
    EXPECT_EQ(p.dlg.TrackBarBlue->value(), 255);
    EXPECT_EQ(p.dlg.result(), QStringLiteral("rgb(255,128,255)"));
    EXPECT_EQ(p.components(), QStringLiteral("255,128,255"));
}

TEST(TfrmColorPicker, HelpButtonOpensTopic20) {
    struct Help : HelpService {
        QStringList calls;
        bool available() const override { return true; }
        QString helpFile() const override { return QStringLiteral("Pavik.CHM"); }
        void initialize() override {}
        void showContents() override {}
        void showIndex() override {}
        void showTopic(int context) override { calls.append(QString::number(context)); }
        void showTextPopup(int, QPoint, const QString&) override {}
        void shutdown() override {}
    } help;
    HelpDesk desk(&help, QString());
    TfrmColorPicker dlg(&desk);
    ASSERT_TRUE(dlg.BitBtnHelp->isEnabled());
    dlg.BitBtnHelp->click();
    EXPECT_EQ(help.calls, QStringList{QStringLiteral("20")});
}
