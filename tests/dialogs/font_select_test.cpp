// The font family chooser: its guide pages, and the family a choice hands back.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include "dialogs/font_choice.h"
#include "dialogs/frm_font_select.h"
#include "platform/cp932.h"

using namespace pavik;

TEST(FontChoice, EverySampleHasAFamilyAStyleSheetCanHold) {
    for (const FontSample& s : FontSamples) {
        EXPECT_FALSE(s.family.empty()) << s.caption;
        EXPECT_TRUE(encodeCp932(s.family).ok()) << s.family;
        EXPECT_EQ(s.family.find('-'), std::string_view::npos) << s.family;  // captions' joins undone
    }
    EXPECT_EQ(FontSamples[6].caption, "Book-Antiqua");
    EXPECT_EQ(FontSamples[6].family, "Book Antiqua");
    EXPECT_EQ(FontSamples[15].family, "Times New Roman");
}

TEST(TfrmFontSelect, OpensWithBothGuidesAndOKDisabled) {
    TfrmFontSelect dlg(nullptr);
    EXPECT_TRUE(dlg.RichEdit1->toPlainText().contains(QStringLiteral("monospace")));
    EXPECT_TRUE(dlg.RichEdit2->toPlainText().contains(QStringLiteral("Book Antiqua")));
    EXPECT_FALSE(dlg.BitBtnOK->isEnabled());
    EXPECT_FALSE(dlg.BitBtnHelp->isEnabled());
    EXPECT_TRUE(dlg.result().isEmpty());
}

TEST(TfrmFontSelect, TheLastChoiceIsTheResult) {
    TfrmFontSelect dlg(nullptr);
    dlg.show();
    QTest::mouseClick(dlg.RadioGroup1Items[4], Qt::LeftButton, {}, QPoint(6, dlg.RadioGroup1Items[4]->height() / 2));
    EXPECT_EQ(dlg.result(), QStringLiteral("monospace"));
    EXPECT_TRUE(dlg.BitBtnOK->isEnabled());

    dlg.PageControl->setCurrentIndex(1);
    QTest::mouseClick(dlg.StaticText[6], Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QStringLiteral("Book Antiqua"));
    QTest::mouseClick(dlg.StaticText[1], Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(dlg.StaticText[1]->text(), QStringLiteral("MS P 明朝"));
}
