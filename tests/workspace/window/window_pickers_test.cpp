// The value handlers that run a dialog: the colour swatch, the colour command and the font
// label, each driven by a real click, with the dialog operated while it runs modally.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <tuple>

#include "components/pv_label.h"
#include "dialogs/color_lookup_combo_box.h"
#include "dialogs/frm_color_picker.h"
#include "dialogs/frm_font_select.h"
#include "window_support.h"
#include "workspace/values/value_store.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; margin-top: 2px; font-family: serif; border-top-color: blue; }\r\n";

// Runs `act` on the dialog of type D once it runs modally, then closes it with `accept`.
template <typename D>
void whenShown(std::function<void(D&)> act, bool accept = true) {
    QTimer::singleShot(0, [act, accept] {
        auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dlg) return;
        act(*dlg);
        if (accept) dlg->accept();
        else dlg->reject();
    });
}

void choose(TColorLookupComboBox* box, const QString& text) {
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
    emit box->activated(i);
}

class Pickers : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> open() {
        auto w = openSheet(kSheet);
        w->TreeViewStruct->setCurrentIndex(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
        w->TreeViewStructClick();
        return w;
    }
    static void clickProperty(TfrmMain& w, const QString& path) {
        QTreeWidgetItem* item = findItem(w.TreeViewTarget, path);
        ASSERT_NE(item, nullptr) << path.toStdString();
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        w.TreeViewTarget->scrollToItem(item);
        QTest::mouseClick(w.TreeViewTarget->viewport(), Qt::LeftButton, {}, w.TreeViewTarget->visualItemRect(item).center());
    }
    std::optional<std::string> valueOf(TfrmMain& w, const char* property) {
        return currentValue(w.Document, &w.ruleOfNode(w.CurStructNode)->Data, property);
    }
};

TEST_F(Pickers, SwatchClickStoresThePickedColourAndCancelChangesNothing) {
    auto w = open();
    clickProperty(*w, QStringLiteral("テキスト/color"));
    const size_t navigations = browser->navigations.size();

    whenShown<TfrmColorPicker>([](TfrmColorPicker&) {}, false);
    QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "color"), "red");
    EXPECT_TRUE(w->bCSSSaved);

    TColor start = clNone;
    whenShown<TfrmColorPicker>([&](TfrmColorPicker& p) {
        start = p.swatchColor();
        EXPECT_FALSE(p.LabelFore->isVisible());
        choose(p.CLCmbBoxCommon16, QStringLiteral("青"));
    });
    QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
    EXPECT_EQ(start, clRed);
    EXPECT_EQ(valueOf(*w, "color"), "Blue");
    EXPECT_EQ(w->valueArea().StaticTxtNowData->fullText(), QStringLiteral("Blue"));
    EXPECT_EQ(w->valueArea().ShapeColorBrush(), clBlue);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_GT(browser->navigations.size(), navigations);  // the preview follows

    // A name browsers ignore goes in as rgb(...).
    whenShown<TfrmColorPicker>([](TfrmColorPicker& p) { choose(p.CLCmbBoxColorName, QStringLiteral("CoolCopper")); });
    QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "color"), "rgb(191,191,223)");
}

TEST_F(Pickers, SwatchOfNoColourStartsThePickerFromWhiteAndOkWithoutAChoiceStoresNothing) {
    auto w = open();
    clickProperty(*w, QStringLiteral("ボックス/border-color/border-top-color"));
    QTest::mouseClick(w->valueArea().CheckBoxColor, Qt::LeftButton, {}, QPoint(6, w->valueArea().CheckBoxColor->height() / 2));
    ASSERT_EQ(w->valueArea().ShapeColorBrush(), clNone);
    QString startText;
    whenShown<TfrmColorPicker>([&](TfrmColorPicker& p) { startText = p.result(); });
    QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
    EXPECT_EQ(startText, QStringLiteral("rgb(255,255,255)"));
    EXPECT_EQ(valueOf(*w, "border-top-color"), "transparent");
}

TEST_F(Pickers, PickerStartsFromTheColourInEffectKeepsItsAlphaAndImportantAndStoresOnlyAChoice) {
    auto w = openSheet("H1 { color: #f00 !important; color: blue; background-color: hsla(120,100%,25%,.5);"
                       " border-top-color: ButtonFace; font-family: serif !important; }\r\n");
    w->TreeViewStruct->setCurrentIndex(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    w->TreeViewStructClick();
    const std::tuple<const char*, const char*, TColor, const char*> cases[] = {  // start; after "青" is chosen
        {"テキスト/color", "color", clRed, "Blue !important"},
        {"背景/background-color", "background-color", clGreen, "rgba(0,0,255,0.5)"},
        {"ボックス/border-color/border-top-color", "border-top-color", clBtnFace, "Blue"},
    };
    for (const auto& [path, property, start, stored] : cases) {
        clickProperty(*w, QString::fromUtf8(path));
        const std::optional<std::string> before = valueOf(*w, property);
        TColor shown = clNone;
        whenShown<TfrmColorPicker>([&](TfrmColorPicker& p) { shown = p.swatchColor(); });  // OK, nothing chosen
        QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
        EXPECT_EQ(shown, start) << path;
        EXPECT_EQ(valueOf(*w, property), before) << path;
        whenShown<TfrmColorPicker>([](TfrmColorPicker& p) { choose(p.CLCmbBoxCommon16, QStringLiteral("青")); });
        QTest::mouseClick(w->valueArea().ShapeColor, Qt::LeftButton);
        EXPECT_EQ(valueOf(*w, property), stored) << path;
    }
    whenShown<TfrmFontSelect>([](TfrmFontSelect& f) { QTest::mouseClick(f.StaticText[6], Qt::LeftButton); });
    clickProperty(*w, QStringLiteral("フォント/font-family"));
    QTest::mouseClick(w->valueArea().StaticTxtFont, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "font-family"), "Book Antiqua !important");
    EXPECT_NE(w->RichEditSrc->Text().find("color : blue ;"), std::string::npos);  // not the one in effect
}

TEST_F(Pickers, ColourCommandStoresOnlyIntoAColourProperty) {
    auto w = open();
    ASSERT_TRUE(w->ColoPicker->isEnabled());  // before anything is selected

    clickProperty(*w, QStringLiteral("ボックス/margin/margin-top"));
    bool opened = false;
    whenShown<TfrmColorPicker>([&](TfrmColorPicker& p) {
        opened = true;
        EXPECT_TRUE(p.LabelFore->isVisible());
        EXPECT_TRUE(p.LabelFore->isEnabled());
        choose(p.CLCmbBoxCommon16, QStringLiteral("赤"));
    });
    w->ColoPicker->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(valueOf(*w, "margin-top"), "2px");
    EXPECT_TRUE(w->bCSSSaved);

    clickProperty(*w, QStringLiteral("ボックス/border-color/border-top-color"));
    whenShown<TfrmColorPicker>([](TfrmColorPicker& p) { choose(p.CLCmbBoxSystemColor, QStringLiteral("buttonface")); });
    w->ColoPicker->trigger();
    EXPECT_EQ(valueOf(*w, "border-top-color"), "buttonface");
    EXPECT_EQ(w->valueArea().ShapeColorBrush(), clBtnFace);
    EXPECT_FALSE(w->bCSSSaved);
}

TEST_F(Pickers, FontLabelStoresTheChosenFamilyByItsCssName) {
    auto w = open();
    clickProperty(*w, QStringLiteral("フォント/font-family"));
    whenShown<TfrmFontSelect>([](TfrmFontSelect& f) {
        QRadioButton* mono = f.RadioGroup1Items[4];
        QTest::mouseClick(mono, Qt::LeftButton, {}, QPoint(6, mono->height() / 2));
    });
    QTest::mouseClick(w->valueArea().StaticTxtFont, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "font-family"), "monospace");
    EXPECT_EQ(w->valueArea().StaticTxtFont->fullText(), QStringLiteral("monospace"));
    EXPECT_FALSE(w->bCSSSaved);

    whenShown<TfrmFontSelect>([](TfrmFontSelect& f) { QTest::mouseClick(f.StaticText[6], Qt::LeftButton); });
    QTest::mouseClick(w->valueArea().StaticTxtFont, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "font-family"), "Book Antiqua");

    // OK without a choice is not possible; Cancel keeps the value.
    whenShown<TfrmFontSelect>([](TfrmFontSelect& f) { EXPECT_FALSE(f.BitBtnOK->isEnabled()); }, false);
    QTest::mouseClick(w->valueArea().StaticTxtFont, Qt::LeftButton);
    EXPECT_EQ(valueOf(*w, "font-family"), "Book Antiqua");
    EXPECT_TRUE(messages->errors.isEmpty());
}

}  // namespace
}  // namespace pavik::test
