// The box model editor's layout measured in its own font: combos wide enough for their items,
// controls in the same places on every page, and the picture of the content.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "components/pv_spinner.h"
#include "dialogs/dlg_box_edit.h"

using namespace pavik;

namespace {

class BoxEditLayout : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("PAVIK_HOME", home.path().toLocal8Bit().constData(), 1); }
    void TearDown() override { ::unsetenv("PAVIK_HOME"); }
    QTemporaryDir home;
};

TEST_F(BoxEditLayout, CombosShowTheirItemsWholeAndEveryPageKeepsOneLabelColumn) {
    TdlgBoxEdit d(nullptr, {});
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // The x of each column on every page: spinner, unit combo (page by page).
    const BoxRow alls[] = {BoxRow::Margin, BoxRow::BorderWidth, BoxRow::Padding};
    const BoxRow tops[] = {BoxRow::MarginTop, BoxRow::BorderTopWidth, BoxRow::PaddingTop};
    const BoxRow bottoms[] = {BoxRow::MarginBottom, BoxRow::BorderBottomWidth, BoxRow::PaddingBottom};
    int spinnerX = -1;
    for (int page = 0; page < 3; ++page) {
        d.PageControl1->setCurrentIndex(page);
        QTest::qWait(1);
        for (const BoxRow row : {alls[page], tops[page], bottoms[page]}) {
            const int x = d.spinner(row)->mapTo(&d, QPoint()).x();
            if (spinnerX < 0) spinnerX = x;
            EXPECT_EQ(x, spinnerX) << "page " << page;
        }
        for (QComboBox* combo : d.PageControl1->widget(page)->findChildren<QComboBox*>()) {
            EXPECT_TRUE(combo->isVisible()) << combo->objectName().toStdString();
            // An editable combo's line edit keeps two pixels of margin on either side of the text.
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_GE(combo->lineEdit()->width(), combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 4)
                    << combo->objectName().toStdString() << " " << combo->itemText(i).toStdString();
            EXPECT_LE(combo->mapTo(&d, QPoint(combo->width(), 0)).x(), d.width());
        }
    }
    auto* picture = d.findChild<QLabel*>(QStringLiteral("ImageContent"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
}

}  // namespace
