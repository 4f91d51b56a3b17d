// The settings and toolbar commands of the main window: what reaches the settings file and
// the running window after OK, and that Cancel changes nothing.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

#include "dialogs/frm_set_tbar.h"
#include "dialogs/frm_setting.h"
#include "platform/file_bytes.h"
#include "window_support.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; }\r\n";

using SettingsCommand = WindowTest;

TEST_F(SettingsCommand, OkStoresAndAppliesTheDialogsValuesAndKeepsTheSavedState) {
    auto w = openSheet(kSheet);
    const EditFont font{"Noto Sans Mono CJK JP", 14, clNavy};
    answerDialog = [&](QDialog& d) {
        auto& s = dynamic_cast<TfrmSetting&>(d);
        s.CBlastopen->setChecked(true);
        s.CBAutoRefresh->setChecked(false);
        s.FontEditAccept(font);
        s.ColorSelectTagAccept(clRed);
        s.ColorSelectSelBakAccept(clGreen);
        s.EditNS6->setText(QStringLiteral("/opt/moz/mozilla.exe"));
        return int(QDialog::Accepted);
    };
    auto* menuItem = w->findChild<QAction*>("mnuSetting");  // the Tools menu's item
    ASSERT_TRUE(menuItem);
    EXPECT_EQ(menuItem->statusTip(), QStringLiteral("Pavikの動作設定"));
    menuItem->trigger();

    IniFile ini = settings();  // flushed
    EXPECT_EQ(ini.ReadString("SYSTEM", "Lastopen", ""), "1");
    EXPECT_EQ(ini.ReadString("SYSTEM", "AutoRefresh", ""), "0");
    EXPECT_EQ(ini.ReadString("SYSTEM", "TagCol", ""), "clRed");
    EXPECT_EQ(ini.ReadString("SYSTEM", "Prev3", ""), "/opt/moz/mozilla.exe");
    EXPECT_FALSE(w->bAutoRefresh);
    for (TAFEdit* pane : {w->RichEditSrc, w->EditHTML}) {
        EXPECT_EQ(pane->font().family(), TAFEdit::editorFont(QString::fromStdString(font.name), -12).family());
        EXPECT_EQ(pane->font().pointSize(), 14);
        EXPECT_EQ(pane->FontColor(), clNavy);
        EXPECT_EQ(pane->ColKeyWord(), clRed);
        EXPECT_EQ(pane->ColSelBrush(), clGreen);
        EXPECT_EQ(pane->Color(), clWhite);  // the dialog's default background
    }
    EXPECT_TRUE(w->bCSSSaved);
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("保存済み"));
    EXPECT_EQ(assocNotices.calls, 1);

    // An unsaved style sheet stays unsaved.
    w->bCSSSaved = false;
    w->Refresh_Status();
    answerDialog = [](QDialog&) { return int(QDialog::Accepted); };
    w->Setting->trigger();
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("未保存"));
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(SettingsCommand, CancelWritesAndAppliesNothingButTheAssociationApplyStays) {
    auto w = makeWindow();
    showAndSettle(*w);
    answerDialog = [](QDialog& d) {
        auto& s = dynamic_cast<TfrmSetting&>(d);
        s.CBAutoRefresh->setChecked(false);
        s.ColorSelectTagAccept(clRed);
        s.ChkBoxExtDefault->setChecked(true);
        s.BitBtnExtApply->click();
        return int(QDialog::Rejected);
    };
    w->Setting->trigger();
    EXPECT_FALSE(settings().ValueExists("SYSTEM", "AutoRefresh"));
    EXPECT_TRUE(w->bAutoRefresh);
    EXPECT_EQ(w->RichEditSrc->ColKeyWord(), clBlue);
    EXPECT_TRUE(association->read().isDefault);
    EXPECT_EQ(assocNotices.calls, 0);
}

TEST_F(SettingsCommand, AFontTheSettingsFileCannotUseIsNeverApplied) {
    writeSettings("[SYSTEM]\r\nEditFontSize=0\r\nEditFontName=\r\n");
    auto w = makeWindow();
    EXPECT_EQ(w->RichEditSrc->font().pointSize(), 10);
    EXPECT_EQ(w->EditHTML->font().family(), TAFEdit::editorFont(QStringLiteral("MS UI Gothic"), -12).family());
}

using ToolBarCommand = WindowTest;

// Ticks and unticks rows of the toolbar dialog, then OK.
std::function<int(QDialog&)> tickRows(std::vector<std::pair<int, bool>> rows) {
    return [rows](QDialog& d) {
        auto& t = dynamic_cast<TfrmSetTBar&>(d);
        t.FormShow();
        for (const auto& [row, on] : rows) t.ListViewTB->topLevelItem(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        t.accept();
        return t.result();
    };
}

TEST_F(ToolBarCommand, MasksAndPositionsRoundTripThroughTheSettingsFile) {
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_TRUE(w->TBBrowser->isHidden());
    // Without NewCSS, with FileExit; the browser toolbar with PrevIE and PrevNS6.
    answerDialog = tickRows({{1, false}, {5, true}, {15, true}, {17, true}});
    w->TBCust->trigger();

    std::string text;
    ASSERT_FALSE(readFileBytes(settingsPath(), text));
    EXPECT_NE(text.find("[Tbar]\r\nmnuFile=18\r\nmnuStyle=15\r\nmnuTool=1\r\nmnuBrowser=5\r\n"), std::string::npos) << text;
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadSection("TB1Pos").size(), 8u);  // the hidden browser toolbar too
    EXPECT_EQ(w->TBFile->width(), 29 + 18 + 29);
    EXPECT_TRUE(w->TBFile->actions()[4]->isVisible());
    EXPECT_FALSE(w->TBFile->actions()[0]->isVisible());
    EXPECT_FALSE(w->TBBrowser->isHidden());
    EXPECT_EQ(w->TBBrowser->width(), 29 + 15 + 29);

    // OK without changes gives the same masks back.
    answerDialog = tickRows({});
    w->TBCust->trigger();
    EXPECT_EQ(settings().ReadInteger("Tbar", "mnuFile", 0), 18);
    EXPECT_EQ(settings().ReadInteger("Tbar", "mnuBrowser", 0), 5);

    const QPoint file = w->TBFile->pos(), browser = w->TBBrowser->pos();
    w->close();
    w.reset();
    w = makeWindow();
    showAndSettle(*w);
    EXPECT_EQ(w->TBFile->width(), 29 + 18 + 29);
    EXPECT_EQ(w->TBBrowser->width(), 29 + 15 + 29);
    EXPECT_EQ(w->TBFile->pos(), file);
    EXPECT_EQ(w->TBBrowser->pos(), browser);
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(ToolBarCommand, CancelOnlySavesThePositionsAndAMaskOutOfRangeStaysHidden) {
    writeSettings("[TBar]\r\nmnuFile=32\r\n[SYSTEM]\r\nPrev3=/opt/moz/mozilla.exe\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_TRUE(w->TBFile->isHidden());
    answerDialog = [&](QDialog& d) {
        auto& t = dynamic_cast<TfrmSetTBar&>(d);
        t.FormShow();
        QStringList rows;
        for (int row = 0; row < ToolBarRows; ++row) {
            const QTreeWidgetItem* item = t.ListViewTB->topLevelItem(row);
            rows.append(item->text(0) + (item->checkState(0) == Qt::Checked ? "+" : ""));
        }
        // The commands' captions without their mnemonics and ellipses.
        EXPECT_EQ(rows.join('|'), QStringLiteral("*|新規スタイルシート|開く|保存|名前を付けて保存|終了|*|基本+|クラス+|"
                                                 "アイテム削除+|ボックスエディタ+|ツリー表示タイプ変更|*|環境設定+|*|"
                                                 "Internet Explorer|Netscape Navigator|Mozilla|Opera"));
        return int(QDialog::Rejected);
    };
    w->TBCust->trigger();
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadSection("TB1Pos").size(), 8u);
    EXPECT_EQ(ini.ReadInteger("Tbar", "mnuFile", 0), 32);
    EXPECT_FALSE(ini.ValueExists("Tbar", "mnuStyle"));
    EXPECT_TRUE(w->TBFile->isHidden());
}

}  // namespace
}  // namespace pavik::test
