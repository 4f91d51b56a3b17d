// The new style sheet and new class dialogs: what they accept and the path they leave.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "dialogs/dlg_new_class.h"
#include "dialogs/dlg_new_css.h"

namespace pavik::test {
namespace {

class NewStyleSheetDialog : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("PAVIK_HOME", home.path().toLocal8Bit().constData(), 1); }
    void TearDown() override { ::unsetenv("PAVIK_HOME"); }
    // Types `name` into a fresh name field, as the user would.
    void type(TdlgNewCSS& d, const QString& name) {
        d.EditNewCSS->clear();
        QTest::keyClicks(d.EditNewCSS, name);
    }
    QString in(const QTemporaryDir& dir, const char* file) { return QDir(dir.path()).filePath(file); }

    QTemporaryDir home, chosen;
};

TEST_F(NewStyleSheetDialog, NamesBecomePathsInTheChosenFolderAndOkNeedsAFreeUsableName) {
    TdlgNewCSS d({}, nullptr);
    EXPECT_FALSE(d.BitBtnOK->isEnabled());
    QFile(in(chosen, "taken.css")).open(QIODevice::WriteOnly);

    struct Case {
        const char* name;
        QString folder;
        QString path;  // empty: OK disabled
        const char* reason;  // shown beside a greyed OK
    };
    const Case cases[] = {
        {"main", "", in(home, "main.css"), ""},
        {"  main  ", "", in(home, "main.css"), ""},                       // trimmed
        {"Main.CSS", chosen.path(), in(chosen, "Main.CSS"), ""},          // no second extension, case kept
        {"main", chosen.path() + "/missing", in(home, "main.css"), ""},   // no such folder: the program's
        {"taken", chosen.path(), "", "同じ名前のファイルがあります"},
        {"taken.CSS", chosen.path(), in(chosen, "taken.CSS"), ""},        // another name on Linux
        {"a/b", chosen.path(), "", "「/」は使えません"},
        {"   ", chosen.path(), "", "スタイルシート名を入力してください"},
        {"", chosen.path(), "", "スタイルシート名を入力してください"},
    };
    for (const Case& c : cases) {
        d.EditPath->setText(c.folder);
        type(d, QString::fromUtf8(c.name));
        EXPECT_EQ(d.EditNew->text(), c.path) << c.name;
        EXPECT_EQ(d.BitBtnOK->isEnabled(), !c.path.isEmpty()) << c.name;
        EXPECT_EQ(d.LabelOkReason->text(), QString::fromUtf8(c.reason)) << c.name;
    }

}

TEST(NewClassDialog, OkOnlyForANameThatReadsBackAsTheSameClass) {
    TdlgNewClass d(nullptr);
    EXPECT_FALSE(d.BitBtnOK->isEnabled());
    struct Case {
        const char* name;
        const char* reason;  // empty: accepted; else shown beside the greyed OK
    };
    const Case cases[] = {
        {"note", ""}, {"caption-2", ""}, {"見出し", ""}, {"a.b", ""}, {"a/b", ""},
        {"", "クラス名を入力してください"}, {" ", "クラス名を入力してください"}, {"\t", "クラス名を入力してください"},
        {"a b", "空白や改行は使えません"}, {"a\u3000b", "空白や改行は使えません"}, {"a\nb", "空白や改行は使えません"},
        {"x{y}", "「{」は使えません"}, {"a}", "「}」は使えません"}, {"a;", "「;」は使えません"},
        {"a,b", "「,」は使えません"}, {"a/*b", "「/*」は使えません"}, {"a\"b", "「\"」は使えません"},
        {"a'b", "「'」は使えません"}, {"a\U0001F600", "「\U0001F600」は Shift_JIS で表せません"},
    };
    for (const Case& c : cases) {
        d.EditNewClass->setText(QString::fromUtf8(c.name));
        EXPECT_EQ(d.BitBtnOK->isEnabled(), *c.reason == 0) << c.name;
        EXPECT_EQ(d.LabelOkReason->text(), QString::fromUtf8(c.reason)) << c.name;
    }
    d.EditNewClass->clear();
    QTest::keyClicks(d.EditNewClass, "note");
    EXPECT_TRUE(d.BitBtnOK->isEnabled());
}

}  // namespace
}  // namespace pavik::test
