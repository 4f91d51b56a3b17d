// The settings dialog as the user sees and uses it.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include "dialogs/frm_setting.h"
#include "platform/file_association.h"
#include "platform/help.h"
#include "platform/ini_file.h"
#include "platform/qt_colors.h"
#include "vocabulary/shared_routines.h"

#include "fake_help.h"

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

using test::FakeHelp;

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
    EXPECT_FALSE(s.CBlastopen->isChecked());
    EXPECT_TRUE(s.CBAutoRefresh->isChecked());
    for (QLineEdit* e : {s.EditIE, s.EditNS4, s.EditNS6, s.EditOpera, s.EditCSSNewDefFolder}) EXPECT_TRUE(e->text().isEmpty());
    const SettingValues v = s.values();
    EXPECT_EQ(v.font, (EditFont{"MS UI Gothic", 9, clWindowText}));
    EXPECT_EQ(std::vector<TColor>({v.backColor, v.tagColor, v.selColor, v.selBak}),
              std::vector<TColor>({clWhite, clBlue, clWhite, clBlack}));
    EXPECT_FALSE(s.BitBtnHelp->isEnabled());
    EXPECT_FALSE(s.TabSheet3->isEnabled());  // no association to change
    s.PageControl1->setCurrentIndex(2);
    s.show();
    EXPECT_EQ(s.PageControl1->currentWidget(), s.tbsPrefGeneral);

    // The sample: text colour, bold blue braces, the sample word in the selection colour.
    EXPECT_EQ(s.RichEditSetting->toPlainText(), QStringLiteral("Pavik :) {\nDorvi : Sertane ;\n}"));
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).foreground().color(), toQColor(clWindowText));
    EXPECT_EQ(formatAt(s.RichEditSetting, 0).font().pointSize(), 9);
    for (int brace : {9, 29}) {
        EXPECT_EQ(formatAt(s.RichEditSetting, brace).foreground().color(), toQColor(clBlue));
        EXPECT_EQ(formatAt(s.RichEditSetting, brace).fontWeight(), QFont::Bold);
    }
    EXPECT_EQ(formatAt(s.RichEditSetting, 11).foreground().color(), toQColor(clWhite));
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
    d.choosers->color.reset();
    s.ColorSelectSelBak->trigger();  // cancelled

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
    setFolderBrowser(previous);
    EXPECT_EQ(folders.requests.at(0).first, "新規作成デフォルトフォルダ");

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

// The font dialog of the font page, with real keys: Escape cancels it and Enter takes the font,
// from its lists and from its boxes alike; its page never closes on its own (it would leave the
// dialog empty).
TEST(SettingDialog, FontDialogTakesEscapeAsCancelAndEnterAsOk) {
    struct Case {
        const char* what;
        int box;        // 0: the family list, 1: the size box
        Qt::Key key;
        bool taken;     // the font changes
    };
    const Case cases[] = {
        {"Escape in the family list", 0, Qt::Key_Escape, false},
        {"Enter in the family list", 0, Qt::Key_Return, true},
        {"Escape in the size box", 1, Qt::Key_Escape, false},
        {"Enter (keypad) in the size box", 1, Qt::Key_Enter, true},
    };
    for (const Case& c : cases) {
        IniFile ini = IniFile::fromBytes("[SYSTEM]\nEditFontSize=9\n");
        TfrmSetting s(ini, nullptr, nullptr);
        const EditFont before = s.values().font;
        bool pageHidden = true, dialogClosed = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto* page = dialog->findChild<QFontDialog*>();
            ASSERT_NE(page, nullptr);
            QWidget* box = nullptr;
            if (c.box == 0) {
                auto* families = page->findChildren<QListView*>().value(0);
                ASSERT_NE(families, nullptr);
                families->setFocus();
                QTest::keyClick(families, families->currentIndex().row() > 0 ? Qt::Key_Up : Qt::Key_Down);
                box = families;
            } else {
                for (QLineEdit* edit : page->findChildren<QLineEdit*>())
                    if (edit->validator()) box = edit;  // the size box takes numbers only
                ASSERT_NE(box, nullptr);
                box->setFocus();
                static_cast<QLineEdit*>(box)->selectAll();
                QTest::keyClicks(box, "20");
            }
            QTest::keyClick(box, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            pageHidden = page->isHidden();
            dialogClosed = dialog->isHidden();
            if (!dialogClosed) static_cast<QDialog*>(dialog)->reject();
        });
        s.FontEdit->trigger();
        EXPECT_FALSE(pageHidden) << c.what;
        EXPECT_TRUE(dialogClosed) << c.what;
        EXPECT_EQ(s.values().font != before, c.taken) << c.what;
        if (c.taken && c.box == 1) EXPECT_EQ(s.values().font.size, 20) << c.what;
    }
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

}  // namespace
