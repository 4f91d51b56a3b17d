// The settings dialog and the toolbar dialog as the user sees and uses them.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include "dialogs/frm_set_tbar.h"
#include "dialogs/frm_setting.h"
#include "platform/file_association.h"
#include "platform/help.h"
#include "platform/ini_file.h"
#include "platform/qt_colors.h"
#include "vocabulary/shared_routines.h"

using namespace pavik;

namespace {

class FakeChoosers : public SettingChoosers {
public:
    std::optional<EditFont> chooseFont(QWidget*, const EditFont& current) override {
        fontAskedWith = current;
        return font;
    }
    std::optional<TColor> chooseColor(QWidget*, TColor) override { return color; }
    std::optional<QString> chooseProgram(QWidget*, const QString& filter, const QString& folder) override {
        requests.append(filter + "|" + folder);
        return program;
    }
    std::optional<EditFont> font;
    std::optional<TColor> color;
    std::optional<QString> program;
    EditFont fontAskedWith;
    QStringList requests;
};

class FakeHelp : public HelpService {
public:
    bool available() const override { return true; }
    QString helpFile() const override { return QStringLiteral("/help/Pavik.CHM"); }
    void initialize() override {}
    void showContents() override {}
    void showIndex() override {}
    void showTopic(int context) override { calls.append(QStringLiteral("topic %1").arg(context)); }
    void showTextPopup(int id, QPoint, const QString&) override { calls.append(QStringLiteral("popup %1").arg(id)); }
    void shutdown() override {}
    QStringList calls;
};

// A dialog on an empty settings file with fake choosers, and no browsers on the PATH.
struct SettingDialog {
    explicit SettingDialog(const std::string& ini = "", FileAssociation* assoc = nullptr, HelpDesk* desk = nullptr)
        : settings(IniFile::fromBytes(ini)) {
        const char* old = std::getenv("PATH");
        const std::string saved = old ? old : "";
        ::setenv("PATH", "", 1);
        auto c = std::make_unique<FakeChoosers>();
        choosers = c.get();
        dialog = std::make_unique<TfrmSetting>(settings, assoc, desk, nullptr, std::move(c));
        ::setenv("PATH", saved.c_str(), 1);
        dialog->ReportError = [this](const QString& text) { errors.append(text); };
    }
    IniFile settings;
    FakeChoosers* choosers = nullptr;
    std::unique_ptr<TfrmSetting> dialog;
    QStringList errors;
};

QTextCharFormat formatAt(QTextEdit* edit, int position) {
    QTextCursor c(edit->document());
    c.setPosition(position + 1);  // the format of the character before the cursor
    return c.charFormat();
}

TEST(SettingDialog, OpensWithTheDefaultsOnItsFirstPage) {
    SettingDialog d;
    TfrmSetting& s = *d.dialog;
    EXPECT_EQ(s.windowTitle(), QStringLiteral("環境設定"));
    EXPECT_FALSE(s.CBlastopen->isChecked());
    EXPECT_TRUE(s.CBAutoRefresh->isChecked());
    for (QLineEdit* e : {s.EditIE, s.EditNS4, s.EditNS6, s.EditOpera, s.EditCSSNewDefFolder}) EXPECT_TRUE(e->text().isEmpty());
    EXPECT_EQ(s.values(), SettingValues{});
    EXPECT_FALSE(s.BitBtnHelp->isEnabled());
    EXPECT_FALSE(s.TabSheet3->isEnabled());  // no association to change

    QStringList tabs;
    for (int i = 0; i < s.PageControl1->count(); ++i) tabs.append(s.PageControl1->tabText(i));
    EXPECT_EQ(tabs, (QStringList{"動作設定", "フォント、色", "ブラウザ", "関連付け"}));
    s.PageControl1->setCurrentIndex(2);
    s.show();
    EXPECT_EQ(s.PageControl1->currentWidget(), s.tbsPrefGeneral);

    // The sample: text colour, bold blue braces, the sample word in the selection colour.
    EXPECT_EQ(s.RichEditSetting->toPlainText(), QStringLiteral("Pavik :) {\nDorvi : Sertane ;\n}"));
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).foreground().color(), toQColor(clWindowText));
    EXPECT_EQ(formatAt(s.RichEditSetting, 9).foreground().color(), toQColor(clBlue));
    EXPECT_EQ(formatAt(s.RichEditSetting, 9).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(s.RichEditSetting, 11).foreground().color(), toQColor(clWhite));
    EXPECT_EQ(formatAt(s.RichEditSetting, 29).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).font().pointSize(), 9);
    EXPECT_EQ(s.RichEditSetting->palette().color(QPalette::Base), toQColor(clWhite));
}

TEST(SettingDialog, ChosenFontsColoursAndPathsAreItsResult) {
    SettingDialog d("[SYSTEM]\nTagCol=clblue\nselbak=clRed\nPrev3=/opt/moz/mozilla\nLastopen=1\n");
    TfrmSetting& s = *d.dialog;
    EXPECT_TRUE(s.CBlastopen->isChecked());
    EXPECT_EQ(s.EditNS6->text(), QStringLiteral("/opt/moz/mozilla"));

    d.choosers->color = clRed;
    s.ColorSelectTag->trigger();
    d.choosers->color = clLime;
    s.ColorSelectSelect->trigger();
    d.choosers->font = EditFont{"IPAGothic", 14, clNavy};
    s.FontEdit->trigger();
    EXPECT_EQ(d.choosers->fontAskedWith, (EditFont{"MS UI Gothic", 9, clWindowText}));
    // The braces keep the brace colour chosen before the font.
    EXPECT_EQ(formatAt(s.RichEditSetting, 9).foreground().color(), toQColor(clRed));
    EXPECT_EQ(formatAt(s.RichEditSetting, 9).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(s.RichEditSetting, 11).foreground().color(), toQColor(clLime));
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).foreground().color(), toQColor(clNavy));
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).font().pointSize(), 14);
    d.choosers->color = clYellow;
    s.ColorSelect->trigger();
    EXPECT_EQ(s.RichEditSetting->palette().color(QPalette::Base), toQColor(clYellow));
    d.choosers->color.reset();  // cancelled
    s.ColorSelectSelBak->trigger();

    // A font the panes could not use is not taken.
    s.FontEditAccept({"", 0, clNavy});
    EXPECT_EQ(s.values().font, (EditFont{"MS UI Gothic", 9, clNavy}));
    s.FontEditAccept({"IPAGothic", 14, clNavy});

    d.choosers->program = QStringLiteral("/opt/opera dir/opera");
    s.FileOpenOpera->trigger();
    EXPECT_EQ(d.choosers->requests.value(0), QStringLiteral("実行ファイル (opera);;すべてのファイル (*)|/usr/bin"));
    d.choosers->program.reset();
    s.FileOpenIE->trigger();  // cancelled: the edit keeps its text

    RecordingFolderBrowser folders;
    FolderBrowser* previous = setFolderBrowser(&folders);
    folders.answer = "/home/u/新規";
    s.BitBtnDefFolder->click();
    folders.answer.reset();
    s.BitBtnDefFolder->click();
    setFolderBrowser(previous);
    ASSERT_EQ(folders.requests.size(), 2u);
    EXPECT_EQ(folders.requests[0].first, "新規作成デフォルトフォルダ");
    EXPECT_EQ(folders.requests[1].second, "/home/u/新規");

    SettingValues expected;
    expected.lastOpen = true;
    expected.font = {"IPAGothic", 14, clNavy};
    expected.tagColor = clRed;
    expected.selColor = clLime;
    expected.selBak = clRed;
    expected.backColor = clYellow;
    expected.browsers = {"", "", "/opt/moz/mozilla", "/opt/opera dir/opera"};
    expected.newDefFolder = "/home/u/新規";
    EXPECT_EQ(s.values(), expected);
}

TEST(SettingDialog, ApplyWritesTheAssociationAtOnceAndReportsAFailure) {
    KeyValueAssociation assoc("/opt/pavik/pavik");
    assoc.keys["\\CSSfile\\shell"] = "Pavik";
    SettingDialog d("", &assoc);
    TfrmSetting& s = *d.dialog;
    EXPECT_FALSE(s.ChkBoxExtIcon->isChecked());
    EXPECT_FALSE(s.ChkBoxExtMenu->isChecked());
    EXPECT_TRUE(s.ChkBoxExtDefault->isChecked());

    s.ChkBoxExtIcon->setChecked(true);
    s.BitBtnExtApply->click();
    EXPECT_EQ(assoc.read(), (AssocChoice{true, true, true}));  // the default brought its verb
    EXPECT_TRUE(s.ChkBoxExtMenu->isChecked());                 // and the box shows it
    EXPECT_TRUE(d.errors.isEmpty());

    assoc.failWrites = true;
    s.ChkBoxExtIcon->setChecked(false);
    s.ChkBoxExtDefault->setChecked(false);
    s.BitBtnExtApply->click();
    ASSERT_EQ(d.errors.size(), 1);
    EXPECT_TRUE(d.errors[0].startsWith(QStringLiteral("ファイルの関連付けを書き込めませんでした。"))) << d.errors[0].toStdString();
    EXPECT_TRUE(d.errors[0].contains(QStringLiteral("DefaultIcon")));
    // Nothing changed, and the boxes say so.
    EXPECT_TRUE(s.ChkBoxExtIcon->isChecked());
    EXPECT_TRUE(s.ChkBoxExtDefault->isChecked());
}

TEST(SettingDialog, HelpButtonAndF1GoThroughTheHelpDesk) {
    FakeHelp help;
    HelpDesk desk(&help, QStringLiteral("Sans"));
    SettingDialog d("", nullptr, &desk);
    TfrmSetting& s = *d.dialog;
    s.show();
    ASSERT_TRUE(s.BitBtnHelp->isEnabled());
    s.BitBtnHelp->click();
    s.CBAutoRefresh->setFocus();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(s.CBAutoRefresh, &f1);
    EXPECT_EQ(help.calls, (QStringList{"topic 50", "popup 10052"}));
}

// The 19 rows' actions: rows 0, 6, 12 and 14 are separators.
struct TBarSource {
    TBarSource() {
        for (int row = 0; row < ToolBarRows; ++row) {
            if (isSeparatorRow(row)) continue;
            actions[row] = std::make_unique<QAction>(QStringLiteral("row %1").arg(row));
            source.actions[row] = actions[row].get();
        }
    }
    std::array<std::unique_ptr<QAction>, ToolBarRows> actions;
    ToolBarDialogSource source;
};

QStringList tickedRows(const TfrmSetTBar& d) {
    QStringList rows;
    for (int row = 0; row < ToolBarRows; ++row)
        if (d.ListViewTB->topLevelItem(row)->checkState(0) == Qt::Checked) rows.append(QString::number(row));
    return rows;
}

TEST(SetTBarDialog, TicksTheVisibleButtonsAndGivesTheTickedMasks) {
    TBarSource t;
    t.source.visible = {3, 15, 2, 5};  // mnuTool 2 is outside its range: not ticked
    t.source.prev3 = "/opt/moz/MOZILLA.EXE";
    TfrmSetTBar d(t.source);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("ツールバー設定"));
    ASSERT_EQ(d.ListViewTB->topLevelItemCount(), ToolBarRows);
    for (int row : {0, 6, 12, 14}) {
        EXPECT_EQ(d.ListViewTB->topLevelItem(row)->text(0), QStringLiteral("*"));
        EXPECT_FALSE(d.ListViewTB->topLevelItem(row)->flags() & Qt::ItemIsUserCheckable);
    }
    EXPECT_EQ(d.ListViewTB->topLevelItem(9)->text(0), QStringLiteral("row 9"));

    d.show();
    EXPECT_EQ(tickedRows(d), (QStringList{"1", "2", "7", "8", "9", "10", "15", "17"}));
    EXPECT_EQ(d.ListViewTB->topLevelItem(17)->text(0), QStringLiteral("Netscape6"));

    d.ListViewTB->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    d.ListViewTB->topLevelItem(5)->setCheckState(0, Qt::Checked);
    d.ListViewTB->topLevelItem(13)->setCheckState(0, Qt::Checked);
    d.ListViewTB->topLevelItem(6)->setCheckState(0, Qt::Checked);  // a separator counts for nothing
    d.accept();
    EXPECT_EQ(d.LabelmnuFile->text(), QStringLiteral("18"));
    EXPECT_EQ(d.LabelmnuStyle->text(), QStringLiteral("15"));
    EXPECT_EQ(d.LabelmnuTools->text(), QStringLiteral("1"));
    EXPECT_EQ(d.LabelmnuBrowser->text(), QStringLiteral("5"));

    t.source.prev3 = "/opt/moz/mozilla.exe";
    TfrmSetTBar mozilla(t.source);
    mozilla.FormShow();
    EXPECT_EQ(mozilla.ListViewTB->topLevelItem(17)->text(0), QStringLiteral("Mozilla"));
}

}  // namespace
