// The box model editor as the user drives it: the rule's values in the controls, the preview
// page rebuilt on each change, the result rows, help, and a preview that cannot be written.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "components/pv_spinner.h"
#include "dialogs/dlg_box_edit.h"
#include "platform/help.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_reader.h"

#include "fake_help.h"

using namespace pavik;

namespace {

class FakeBrowser : public PreviewBrowser {
public:
    QWidget* widget() override { return nullptr; }
    void navigate(const QString& path, const QString& anchor, PreviewPage) override {
        navigations.append(path + "#" + anchor);
    }
    bool hasDocument() const override { return !navigations.isEmpty(); }
    void setScriptsEnabled(bool on) override { scripts = on; }
    QStringList navigations;
    bool scripts = true;
};

using test::FakeHelp;

class BoxEditDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ::setenv("PAVIK_HOME", home.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override { ::unsetenv("PAVIK_HOME"); }

    std::unique_ptr<TdlgBoxEdit> make(const std::string& sheet, HelpDesk* help = nullptr) {
        doc = AnalyzeCSS(sheet).Document;
        TdlgBoxEdit::Services s;
        s.makeBrowser = [this](QWidget*) {
            auto b = std::make_unique<FakeBrowser>();
            browser = b.get();
            return b;
        };
        s.help = help;
        s.reportError = [this](QWidget*, const QString& text) { errors.append(text); };
        return std::make_unique<TdlgBoxEdit>(doc.empty() ? nullptr : doc.rules().front(), std::move(s));
    }
    QString previewFile() const { return QDir(home.path()).filePath(QString::fromLatin1(TempBoxEditHTML)); }
    std::string preview() const {
        QFile f(previewFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("(none)");
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }

    QTemporaryDir home;
    StyleDocument doc;
    FakeBrowser* browser = nullptr;
    QStringList errors;
};

std::string changedRows(const TdlgBoxEdit& d) {
    std::string out;
    for (const BoxResultRow& r : d.Result())
        if (r.changed) out += std::string(boxRowProperty(r.row)) + "=" + r.value + ";";
    return out;
}

}  // namespace

TEST_F(BoxEditDialog, ShowsTheRuleAndRebuildsThePreviewOnEachUserChange) {
    auto d = make("P { margin: 10px; margin-top: 5em; border-top-width: thick; padding-left: 1.5em; }");
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->scripts);
    d->show();
    EXPECT_EQ(d->PvSpinMt->Value(), 5);
    EXPECT_EQ(d->CBmt->currentText(), QStringLiteral("em"));
    EXPECT_EQ(d->CBbt->currentText(), QStringLiteral("thick"));
    EXPECT_FALSE(d->PvSpinBt->isEnabled());
    // The first page carries the rule's own texts.
    EXPECT_NE(preview().find("padding-left : 1.5em;"), std::string::npos);
    ASSERT_EQ(browser->navigations, QStringList{previewFile() + "#"});

    // One click on the "set All" plus: the sides follow, one rebuild.
    QTest::mouseClick(d->PvSpinMa->PlusButton(), Qt::LeftButton);
    EXPECT_EQ(d->PvSpinMb->Value(), 11);
    EXPECT_EQ(browser->navigations.size(), 2);
    EXPECT_NE(preview().find("margin-top : 11em;\r\nmargin-left : 11px;"), std::string::npos);

    choose(d->CBba, QStringLiteral("medium"));
    EXPECT_EQ(d->CBbl->currentText(), QStringLiteral("medium"));
    EXPECT_FALSE(d->PvSpinBl->isEnabled());
    EXPECT_NE(preview().find("border-left-width : medium;"), std::string::npos);
    choose(d->CBbb, QStringLiteral("px"));  // a numeric unit gives the side its spinner back (0: nothing to store)
    EXPECT_TRUE(d->PvSpinBb->isEnabled());
    choose(d->CBblinea, QStringLiteral("ridge"));
    EXPECT_EQ(d->CBbliner->currentText(), QStringLiteral("ridge"));
    // A unit typed by the user is taken as typed.
    d->CBpt->lineEdit()->selectAll();
    QTest::keyClicks(d->CBpt->lineEdit(), "rem");
    QTest::keyClick(d->PvSpinPt, Qt::Key_Up);
    EXPECT_NE(preview().find("padding-top : 1rem;"), std::string::npos);

    EXPECT_EQ(changedRows(*d),
              "margin=11px;margin-top=11em;margin-left=11px;margin-bottom=11px;margin-right=11px;"
              "border-width=medium;border-top-width=medium;border-left-width=medium;"
              "border-right-width=medium;padding-top=1rem;border-style=ridge;border-top-style=ridge;"
              "border-left-style=ridge;border-bottom-style=ridge;border-right-style=ridge;");
    EXPECT_TRUE(errors.isEmpty());
    d.reset();
    EXPECT_FALSE(QFile::exists(previewFile()));
}

TEST_F(BoxEditDialog, HelpButtonAndF1PopupOfTheFocusedControl) {
    EXPECT_FALSE(make("P { }")->BitBtnHelp->isEnabled());
    FakeHelp help;
    HelpDesk desk(&help, QStringLiteral("Sans"));
    auto d = make("P { }", &desk);
    d->show();
    ASSERT_TRUE(d->BitBtnHelp->isEnabled());
    QTest::mouseClick(d->BitBtnHelp, Qt::LeftButton);
    d->PvSpinMt->setFocus();
    QTest::keyClick(d.get(), Qt::Key_F1);
    d->PageControl1->setCurrentIndex(1);
    d->CBblinea->setFocus();
    QTest::keyClick(d.get(), Qt::Key_F1);
    EXPECT_EQ(help.calls, (QStringList{"topic 60", "popup 10034", "popup 10046"}));
}

TEST_F(BoxEditDialog, APreviewThatCannotBeWrittenIsReportedOnceAndShowsNothing) {
    ASSERT_TRUE(QDir(home.path()).mkdir(QString::fromLatin1(TempBoxEditHTML)));  // a folder in its place
    auto d = make("P { margin: 3px; }");
    d->show();
    QTest::mouseClick(d->PvSpinMt->PlusButton(), Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(browser->navigations.isEmpty());
    EXPECT_EQ(d->PvSpinMt->Value(), 4);
    EXPECT_EQ(changedRows(*d), "margin-top=4px;");
}

// Measured in the dialog's own font: every combo shows its items whole (its line edit keeps
// two pixels either side of the text), the spinners stand in one column on every page, and
// the content box holds its picture.
TEST_F(BoxEditDialog, CombosShowTheirItemsWholeAndTheControlsKeepTheirPlacesOnEveryPage) {
    auto d = make("P { }");
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    const int column = d->PvSpinMa->mapTo(d.get(), QPoint()).x();
    for (int page = 0; page < 3; ++page) {
        d->PageControl1->setCurrentIndex(page);
        for (TPvSpinner* s : d->PageControl1->widget(page)->findChildren<TPvSpinner*>())
            EXPECT_EQ(s->mapTo(d.get(), QPoint()).x(), column) << s->objectName().toStdString();
        for (QComboBox* c : d->PageControl1->widget(page)->findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i)
                EXPECT_GE(c->lineEdit()->width(), c->fontMetrics().horizontalAdvance(c->itemText(i)) + 4)
                    << c->objectName().toStdString() << " " << c->itemText(i).toStdString();
    }
    EXPECT_FALSE(d->findChild<QLabel*>(QStringLiteral("ImageContent"))->pixmap().isNull());
}
