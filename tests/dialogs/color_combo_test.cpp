#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "dialogs/color_lookup_combo_box.h"
#include "dialogs/color_tables.h"

using namespace pavik;

TEST(ColorCombo, FillsTablesInFixedOrder) {
    TColorLookupComboBox combo;
    EXPECT_EQ(combo.count(), 16);  // default selection: basic colours, Japanese names
    EXPECT_EQ(combo.itemText(0), QStringLiteral("黒"));

    combo.setDefaultColor(0x123456);
    combo.setSelection({csWebSafe0, csColorName, csCustom, csSystemCol, csSystem, csDefault});
    ASSERT_EQ(combo.count(), 1 + 16 + 1 + 21 + 145 + 36);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("標準"));
    EXPECT_EQ(combo.itemColor(0), 0x123456u);
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Black"));
    EXPECT_EQ(combo.itemText(17), QStringLiteral("その他..."));
    EXPECT_EQ(combo.itemColor(17), clNone);
    EXPECT_EQ(combo.itemText(18), QStringLiteral("activeborder"));
    EXPECT_EQ(combo.itemText(39), QStringLiteral("AliceBlue"));
    EXPECT_EQ(combo.itemText(184), QStringLiteral("#00f"));
    EXPECT_EQ(combo.itemColor(184), clBlue);
}

TEST(ColorCombo, SelectsFirstMatchOrNothing) {
    TColorLookupComboBox combo;
    combo.setSelection({csColorName, csWebSafe0});
    combo.SetSelectedColor(clBlack);
    EXPECT_EQ(combo.currentText(), QStringLiteral("★Black"));  // before web-safe "#000"
    combo.SetSelectedColor(clNone);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.GetSelectedColor(), clNone);
    combo.SetSelectedColor(0x123456);  // not listed, no custom entries
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.count(), 145 + 36);
}

TEST(ColorCombo, CustomEntriesKeepTheNewestAndSitBeforeTheLastItem) {
    TColorLookupComboBox combo;
    combo.setSelection({csSystem, csCustom});
    combo.AddCustomColor(QString(), 0x000001);
    combo.AddCustomColor(QStringLiteral("two"), 0x000002);
    combo.AddCustomColor(QString(), 0x000003);
    combo.AddCustomColor(QString(), 0xABCDEF);
    ASSERT_EQ(combo.count(), 16 + 3 + 1);
    EXPECT_EQ(combo.customCount(), 3);
    EXPECT_EQ(combo.itemText(16), QStringLiteral("two"));
    EXPECT_EQ(combo.itemText(17), QStringLiteral("$000003"));
    EXPECT_EQ(combo.itemText(18), QStringLiteral("$ABCDEF"));
    EXPECT_EQ(combo.itemText(19), QStringLiteral("その他..."));

    // A colour not listed becomes a custom entry and is selected.
    combo.SetSelectedColor(0x0000FE);
    EXPECT_EQ(combo.GetSelectedColor(), 0x0000FEu);
    EXPECT_EQ(combo.currentText(), QStringLiteral("$0000FE"));
    EXPECT_EQ(combo.itemText(16), QStringLiteral("$000003"));

    // Rebuilding drops custom entries.
    combo.setMaxCustomCount(1);
    EXPECT_EQ(combo.count(), 17);
    EXPECT_EQ(combo.customCount(), 0);
    combo.setMaxCustomCount(0);
    combo.AddCustomColor(QString(), 0x000001);
    EXPECT_EQ(combo.count(), 17);
    EXPECT_EQ(combo.itemText(16), QStringLiteral("その他..."));
}

TEST(ColorCombo, ExtendedColoursFromLines) {
    TColorLookupComboBox combo;
    int loads = 0;
    combo.OnLoadExtendedColors = [&](TColorLookupComboBox* sender) {
        EXPECT_EQ(sender, &combo);
        ++loads;
    };
    combo.setExtendedColors({"green=$00FF00", "ten=10", "bad=xyz", "no separator", "=$FF"});
    combo.setSelection({csExtended});
    EXPECT_GE(loads, 1);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("green"));
    EXPECT_EQ(combo.itemColor(0), 0x00FF00u);
    EXPECT_EQ(combo.itemColor(1), 10u);
    EXPECT_EQ(combo.itemText(2), QStringLiteral("bad"));
    EXPECT_EQ(combo.itemColor(2), clNone);
}

TEST(ColorCombo, UserChoiceFiresChangeAndCustomRunsTheDialog) {
    TColorLookupComboBox combo;
    combo.setSelection({csSystem, csCustom});
    int changes = 0;
    combo.OnChange = [&](TColorLookupComboBox*) { ++changes; };
    std::optional<TColor> answer = 0x010203;
    int dialogs = 0;
    combo.ChooseCustomColor = [&](TColor) { ++dialogs; return answer; };

    combo.SetSelectedColor(clRed);  // code: no change event
    EXPECT_EQ(changes, 0);

    emit combo.activated(3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dialogs, 0);

    combo.setCurrentIndex(16);
    emit combo.activated(16);  // "その他..."
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo.count(), 18);
    EXPECT_EQ(combo.currentIndex(), 16);
    EXPECT_EQ(combo.GetSelectedColor(), 0x010203u);

    answer.reset();  // cancelled: the selection still leaves "その他..."
    combo.setCurrentIndex(17);
    emit combo.activated(17);
    EXPECT_EQ(combo.count(), 18);
    EXPECT_EQ(combo.currentIndex(), 16);
    EXPECT_EQ(changes, 3);
}

TEST(ColorCombo, DrawsSwatchOfTheSelectedColour) {
    TColorLookupComboBox combo;
    combo.setSelection({csWebSafe0});
    combo.SetSelectedColor(clBlue);
    combo.resize(120, 24);
    QImage img(combo.size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    combo.render(&img);
    int blue = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < 40; ++x)
            if (img.pixelColor(x, y) == QColor(0, 0, 255)) ++blue;
    EXPECT_GT(blue, 50);
}
