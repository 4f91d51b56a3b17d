// The box model command of the main window: the dialog over the selected rule, and what OK,
// Cancel and OK without a change do to the document, the property tree and the preview.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "components/pv_spinner.h"
#include "dialogs/dlg_box_edit.h"
#include "vocabulary/fixed_texts.h"
#include "window_support.h"
#include "workspace/values/value_store.h"
#include "workspace/window/main_window_box.h"

namespace pavik::test {
namespace {

// Two rules with one selector; the second is edited.
const std::string kSheet = "P { margin : 10px 5px ; }\r\nP { color : red ; border-style : hidden ; }\r\n";

class BoxEdit : public WindowTest {
protected:
    static std::string declarations(const CssRuleNode& rule) {
        std::string s;
        for (const auto& d : rule.Declarations) s += d.Name + "=" + d.Value + ";";
        return s;
    }
    static int imageOf(TfrmMain& w, const QString& path) { return w.targetImageOf(findItem(w.TreeViewTarget, path)); }
};

TEST_F(BoxEdit, StoresOnlyWhatTheUserChangedIntoTheSelectedRule) {
    auto w = openSheet(kSheet);
    const QModelIndex element = findItem(w->TreeViewStruct, QStringLiteral("エレメント"));
    ASSERT_EQ(w->TreeViewStruct->model()->rowCount(element), 2);
    w->TreeViewStruct->setCurrentIndex(child(element, 1));
    w->TreeViewStructClick();
    w->TreeViewTarget->setCurrentItem(findItem(w->TreeViewTarget, QStringLiteral("ボックス")));
    w->TreeViewTargetClick();
    ASSERT_TRUE(w->EditBox->isEnabled());
    const CssRuleNode& first = *w->Document.rules().at(0);
    const CssRuleNode& second = *w->Document.rules().at(1);
    const size_t navigations = browser->navigations.size();
    const QString boxPreview = QDir(home()).filePath(QString::fromLatin1(TempBoxEditHTML));

    // Cancel after a change, then OK without one ("hidden" shows as "none"): nothing happens.
    w->boxEditCommand()->runDialog = [](TdlgBoxEdit& d) {
        d.show();
        QTest::mouseClick(d.PvSpinMa->PlusButton(), Qt::LeftButton);
        QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
        return d.result();
    };
    w->EditBox->trigger();
    w->boxEditCommand()->runDialog = [](TdlgBoxEdit& d) {
        d.show();
        EXPECT_EQ(d.CBblinet->currentText(), QStringLiteral("none"));
        return int(QDialog::Accepted);
    };
    w->EditBox->trigger();
    EXPECT_EQ(declarations(second), "color=red;border-style=hidden;");
    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(browser->navigations.size(), navigations);

    w->boxEditCommand()->runDialog = [&](TdlgBoxEdit& d) {
        d.show();
        // The dialog reads the rule it was handed, not the first rule of that selector.
        EXPECT_EQ(d.PvSpinMl->Value(), 0);
        EXPECT_TRUE(QFile::exists(boxPreview));
        QTest::mouseClick(d.PvSpinMt->PlusButton(), Qt::LeftButton);
        d.CBmt->setCurrentIndex(3);
        emit d.CBmt->activated(3);
        d.CBblinet->setCurrentIndex(0);
        emit d.CBblinet->activated(0);
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        return d.result();
    };
    w->EditBox->trigger();
    EXPECT_FALSE(QFile::exists(boxPreview));
    EXPECT_EQ(declarations(second), "color=red;border-style=hidden;margin-top=1px;border-top-style=solid;");
    EXPECT_EQ(declarations(first), "margin=10px 5px;");
    EXPECT_EQ(imageOf(*w, QStringLiteral("ボックス/margin/margin-top")), ValueImageSet);
    EXPECT_EQ(imageOf(*w, QStringLiteral("ボックス/margin")), ValueImageUnset);
    EXPECT_EQ(imageOf(*w, QStringLiteral("ボックス/border-style")), ValueImageSet);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_GT(browser->navigations.size(), navigations);
    EXPECT_NE(w->RichEditSrc->Text().find("margin-top : 1px ;"), std::string::npos);
}

TEST_F(BoxEdit, ANewUnitForSidesLeftAt0StoresNothingAndImportantStays) {
    auto w = openSheet("P { margin-left: auto; margin-right: auto; margin-top: 1px !important; }\r\n");
    w->TreeViewStruct->setCurrentIndex(findItem(w->TreeViewStruct, QStringLiteral("エレメント/P")));
    w->TreeViewStructClick();
    w->TreeViewTarget->setCurrentItem(findItem(w->TreeViewTarget, QStringLiteral("ボックス")));
    w->TreeViewTargetClick();
    w->boxEditCommand()->runDialog = [](TdlgBoxEdit& d) {
        d.show();
        d.CBma->setFocus();  // "px" for all (three items below "%"), then margin-top one up
        for (int i = 0; i < 3; ++i) QTest::keyClick(d.CBma, Qt::Key_Down);
        EXPECT_EQ(d.CBml->currentText(), QStringLiteral("px"));
        QTest::mouseClick(d.PvSpinMt->PlusButton(), Qt::LeftButton);
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        return d.result();
    };
    w->EditBox->trigger();
    EXPECT_EQ(declarations(*w->Document.rules().at(0)), "margin-left=auto;margin-right=auto;margin-top=2px !important;");
}

}  // namespace
}  // namespace pavik::test
