// The user's preview pages through the window: a page chosen from the dialog, the list or a
// drop; its copy beside it; the HTML pane and its save; the save question before another
// page; the document type and the style sheet switch; the external browsers; the text size.
#include <QAction>
#include <QComboBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "../../support/drag_drop.h"
#include "platform/cp932.h"
#include "platform/file_bytes.h"
#include "window_support.h"
#include "workspace/document/doc_types.h"

namespace pavik::test {
namespace {

const std::string kHead = "<HTML><HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n";
const std::string kLink = "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">\r\n";

class PreviewPagesTest : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> open() { return openSheet("H1 { color : red ; }\r\n"); }
    static std::string onDisk(const QString& path) {
        std::string bytes;
        readFileBytes(path.toStdString(), bytes);
        return bytes;
    }
    static QString copyOf(const QString& page) { return QFileInfo(page).absolutePath() + "/Pavik$$Preview$$.HTML"; }
    // The list's item chosen as the user chooses it.
    static void pick(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
};

TEST_F(PreviewPagesTest, AChosenPageIsShownThroughItsCopyAndTheSwitchesRewriteOnlyTheCopy) {
    auto w = open();
    const std::string body = "<body class=\"b\">\r\n<p>" + toCp932("表") + "</p>\r\n</body></html>\r\n";
    const std::string page = "<html><head><title>t</title></head>\r\n" + body;
    const QString file = writeFile("site/page.html", page), copy = copyOf(file);
    files->answers = {file};
    w->FileOpenHTML->trigger();
    EXPECT_EQ(files->requests.last(), QStringLiteral("open 開く %1 HTML ファイル (*.html *.htm)").arg(home()));
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(w->CmbBoxPreviewHTML->currentIndex()), file);
    EXPECT_EQ(w->PreviewHTMLPath, copy);
    EXPECT_EQ(onDisk(copy), kHead + kLink + "</HEAD>\r\n" + body);
    EXPECT_EQ(browser->navigations.back().path, copy);
    EXPECT_EQ(browser->navigations.back().page, PreviewPage::User);
    EXPECT_EQ(w->EditHTML->Text(), page);
    // Cancelled, the dialog leaves the preview files as they were (they are deleted while it shows).
    w->FileOpenHTML->trigger();
    EXPECT_EQ(onDisk(copy), kHead + kLink + "</HEAD>\r\n" + body);

    // The document type and the style sheet switch rewrite the copy; they ask nothing, and
    // keep the pane's edits and the style sheet's saved state.
    QTest::keyClick(w->EditHTML, Qt::Key_Y);
    const std::string edited = w->EditHTML->Text();
    w->bCSSSaved = false;
    pick(w->CmbBoxExDoctype, 10);
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n" + kHead + kLink + "</HEAD>\r\n" + body);
    w->ApplyCSS->trigger();
    EXPECT_EQ(w->ApplyCSS->toolTip(), QStringLiteral("スタイルシート未使用"));
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n" + kHead + "</HEAD>\r\n" + body);
    w->ApplyCSS->trigger();
    EXPECT_EQ(w->ApplyCSS->toolTip(), QStringLiteral("スタイルシート適応中"));
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n" + kHead + kLink + "</HEAD>\r\n" + body);
    EXPECT_TRUE(messages->confirms.isEmpty());
    EXPECT_EQ(w->EditHTML->Text(), edited);
    EXPECT_FALSE(w->bHTMLSaved);
    EXPECT_FALSE(w->bCSSSaved);

    // Back to the built-in page: the question first (No drops the edits), then the sample page.
    pick(w->CmbBoxPreviewHTML, 0);
    EXPECT_EQ(messages->confirms, QStringList{QStringLiteral("現在のHTMLファイル [ page.html ] への変更を保存しますか?")});
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(browser->navigations.back().page, PreviewPage::Sample);
    EXPECT_FALSE(w->PageControlDown->isTabVisible(1));
    EXPECT_EQ(onDisk(file), page);
}

// The pane shows the page as it is (its rows only wrapped) and the HTML save writes it back in
// its encoding: a page saved without a change comes back byte for byte.
TEST_F(PreviewPagesTest, AnUnchangedPageSurvivesTheHtmlSaveByteForByte) {
    std::string longLine;
    for (int i = 0; i < 60; ++i) longLine += "word" + std::to_string(i) + " \t";
    const std::string body = "<body>\r\n  <p>" + longLine + "</p>   \r\n\r\n\t<p>" + toCp932("ソ表示") +
                             "</p>\r\n<pre>\\ a\tb</pre>\r\n</body></html>";  // no line end at the end
    const std::string cp932 = "<html>\r\n" + body, utf8 = "<html><meta charset=\"utf-8\">\r\n" + decodeCp932(body);
    std::string lf = utf8;
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    const struct {
        const char* name;
        std::string bytes;
    } pages[] = {{"sjis.html", cp932},
                 {"utf8.html", utf8},
                 {"lf.html", lf},
                 {"bom.htm", "\xEF\xBB\xBF" + utf8},
                 {"utf16.html", encodeFromCp932(cp932, TextEncoding::Utf16LE)},
                 {"utf16bare.html", encodeFromCp932(cp932, TextEncoding::Utf16LENoBom)}};
    auto w = open();
    for (const auto& p : pages) {
        const QString file = writeFile(p.name, p.bytes);
        w->FileOpenHTMLAccept(file);
        EXPECT_GT(w->EditHTML->core().RowCount(), 8) << p.name;  // the long line is wrapped into rows
        QTest::keyClick(w->EditHTML, Qt::Key_X);
        QTest::keyClick(w->EditHTML, Qt::Key_Backspace);
        w->Refresh_Status();
        ASSERT_TRUE(w->HTMLSave->isEnabled()) << p.name;
        w->HTMLSave->trigger();
        EXPECT_EQ(onDisk(file), p.bytes) << p.name;
        EXPECT_FALSE(w->HTMLSave->isEnabled()) << p.name;
    }
    // A change goes to the file in its encoding, and the pane shows what was saved.
    const QString file = QDir(home()).filePath("utf8.html");
    w->FileOpenHTMLAccept(file);
    w->EditHTML->InsertString(toCp932("<!-- 注 -->"));
    w->HTMLSaveExecute();
    EXPECT_EQ(onDisk(file), "<!-- 注 -->" + utf8);
    EXPECT_EQ(w->EditHTML->Text(), toCp932("<!-- 注 -->") + "<html><meta charset=\"utf-8\">\r\n" + body);

    // A page with characters Shift_JIS cannot hold is shown read-only, and said so; its copy keeps them.
    const QString emoji = writeFile("emoji.html", "<body>\xF0\x9F\x98\x80\xE3\x80\x9C</body>");
    w->FileOpenHTMLAccept(emoji);
    EXPECT_TRUE(w->EditHTML->ReadOnly());
    ASSERT_EQ(messages->infos.size(), 1);
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("emoji.html")) && messages->infos[0].contains("\\1F600"));
    QTest::keyClick(w->EditHTML, Qt::Key_X);
    EXPECT_TRUE(w->bHTMLSaved);
    EXPECT_NE(onDisk(copyOf(emoji)).find("<body>\xF0\x9F\x98\x80\xE3\x80\x9C</body>"), std::string::npos);
    // So is a page in an encoding not recognised (Latin-1, a zero byte).
    for (const std::string& bytes : {std::string("<body>caf\xE9</body>"), std::string("<body>a\0b</body>", 16)}) {
        w->FileOpenHTMLAccept(writeFile("unknown.html", bytes));
        EXPECT_TRUE(w->EditHTML->ReadOnly());
        EXPECT_TRUE(messages->infos.last().contains(QStringLiteral("文字コードを判別できません")));
    }
    EXPECT_EQ(messages->infos.size(), 3);

    // Pasted from another program into an LF page: character references, told once; LF kept.
    const QString lfPage = QDir(home()).filePath("lf.html");
    w->FileOpenHTMLAccept(lfPage);
    QGuiApplication::clipboard()->setText(QStringLiteral("😀〜"));
    w->EditHTML->PasteFromClipboard();
    settle();
    ASSERT_EQ(messages->infos.size(), 4);
    EXPECT_TRUE(messages->infos[3].contains(QStringLiteral("😀 (&#x1F600;), 〜 (&#x301C;)"))) << messages->infos[3].toStdString();
    w->HTMLSaveExecute();
    EXPECT_EQ(onDisk(lfPage), "&#x1F600;&#x301C;" + lf);
}

// Before the pane is given another page: Yes saves, No drops the edits, Cancel stops, and a
// Yes whose save fails stops too, with the error shown. Stopped, the list shows the page the
// pane still holds, edits and all.
TEST_F(PreviewPagesTest, TheHtmlSaveQuestionBeforeAnotherPageAndWhatStops) {
    enum Answer { Yes, No, Cancel, YesButFails };
    for (bool fromList : {true, false}) {
        for (Answer answer : {Yes, No, Cancel, YesButFails}) {
            const std::string what = std::string(fromList ? "list" : "dialog") + " answer " + std::to_string(answer);
            auto w = open();
            const QString a = writeFile("site/a.html", "<body>a</body>"), b = writeFile("other/b.html", "<body>b</body>");
            w->FileOpenHTMLAccept(b);
            w->FileOpenHTMLAccept(a);
            w->EditHTML->InsertString("edit ");
            if (answer == YesButFails) QDir(QFileInfo(a).absolutePath()).removeRecursively();
            messages->confirms.clear();
            messages->choices = {answer == YesButFails ? 0 : int(answer)};
            if (fromList)
                pick(w->CmbBoxPreviewHTML, 1);
            else
                w->FileOpenHTMLAccept(b);
            ASSERT_EQ(messages->confirms.size(), 1) << what;
            EXPECT_EQ(messages->errors.size(), answer == YesButFails ? 1 : 0) << what;
            const bool wentOn = answer == Yes || answer == No;
            if (answer != YesButFails) EXPECT_EQ(onDisk(a), answer == Yes ? "edit <body>a</body>" : "<body>a</body>") << what;
            EXPECT_EQ(w->sHTMLFileName, wentOn ? b : a) << what;
            EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), wentOn ? 1 : 2) << what;
            EXPECT_EQ(w->EditHTML->Text(), wentOn ? "<body>b</body>" : "edit <body>a</body>") << what;
            EXPECT_EQ(w->bHTMLSaved, wentOn) << what;
        }
    }
}

TEST_F(PreviewPagesTest, PagesAreComparedExactlyTheProgramsOwnNamesRefusedAndAGonePageEmptiesThePane) {
    auto w = open();
    const QString upper = writeFile("Page.html", "<body>U</body>"), lower = writeFile("page.html", "<body>l</body>");
    w->FileOpenHTMLAccept(upper);
    w->FileOpenHTMLAccept(lower);
    w->FileOpenHTMLAccept(upper);  // listed: only selected
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 1);

    // Named like the copy: deleting the preview files would delete the page.
    const QString named = writeFile("site/Pavik$$Preview$$.HTML", "<body>mine</body>");
    w->FileOpenHTMLAccept(named);
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(named));
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3);
    EXPECT_EQ(onDisk(named), "<body>mine</body>");

    // Five pages at most: a sixth drops the oldest and is selected as item 5.
    for (int i = 3; i <= 6; ++i) w->FileOpenHTMLAccept(writeFile(QStringLiteral("p%1.html").arg(i), "<body></body>"));
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(1), lower);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 5);

    // A listed page that is gone empties the pane (which held another page's text), and the
    // browser keeps what it shows.
    QFile::remove(lower);
    const size_t navigations = browser->navigations.size();
    pick(w->CmbBoxPreviewHTML, 1);
    settle();
    EXPECT_EQ(w->sHTMLFileName, lower);
    EXPECT_EQ(w->EditHTML->Text(), "");
    EXPECT_EQ(browser->navigations.size(), navigations);
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(lower));

    // At exit the pages that exist go to their keys; the gone one's key keeps its value.
    w->close();
    w.reset();
    EXPECT_EQ(settings().ReadString("Preview", "1", "x"), "");
    EXPECT_EQ(settings().ReadString("Preview", "5", ""), QDir(home()).filePath("p6.html").toStdString());
}

// The preview's files replace a link planted at their names. A name that cannot be replaced
// stops the preview (a rule click shows nothing either), told once for the page.
TEST_F(PreviewPagesTest, PreviewFilesReplaceLinksAndAFailureIsToldOncePerPage) {
    const QString victim = writeFile("notes.txt", "mine");
    ASSERT_TRUE(QFile::link(victim, home() + "/Pavik$$Preview$$.CSS"));
    auto w = open();
    EXPECT_EQ(onDisk(victim), "mine");
    EXPECT_NE(onDisk(w->PreviewCSSPath).find("H1"), std::string::npos);

    const QString page = writeFile("site/page.html", "<body>x</body>"), other = writeFile("other.html", "");
    ASSERT_TRUE(QDir().mkpath(copyOf(page)));
    const size_t shown = browser->navigations.size();
    w->FileOpenHTMLAccept(page);
    w->RefreshExecute();
    w->ApplyCSS->trigger();
    w->TreeViewStruct->setCurrentIndex(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
    w->TreeViewStructClick();
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(copyOf(page)));
    EXPECT_EQ(browser->navigations.size(), shown);
    w->FileOpenHTMLAccept(other);
    w->FileOpenHTMLAccept(page);
    EXPECT_EQ(messages->errors.size(), 2);
}

TEST_F(PreviewPagesTest, ExternalBrowsersStartOnThePreviewPageWhenTheirProgramsExist) {
    const QString ie = writeFile("bin/chromium", ""), moz = writeFile("bin/mozilla", "");
    writeSettings("[SYSTEM]\r\nPrev1=" + ie.toStdString() + "\r\nPrev2=/nowhere/ns\r\nPrev3=" + moz.toStdString() + "\r\n");
    auto w = open();
    EXPECT_TRUE(w->PrevIE->isEnabled());
    EXPECT_FALSE(w->PrevNS4->isEnabled());
    EXPECT_FALSE(w->PrevOpera->isEnabled());
    EXPECT_EQ(w->PrevNS6->toolTip(), QStringLiteral("Mozillaで表示"));
    EXPECT_EQ(w->PrevNS6->property("imageIndex").toInt(), 54);

    // Each program gets the preview page's path as its one argument, as it is.
    const QString page = writeFile(QStringLiteral("ページ/a b.html"), "<body></body>");
    w->FileOpenHTMLAccept(page);
    w->PrevIE->trigger();
    w->PrevNS6->trigger();
    EXPECT_EQ(launcher->starts, (QStringList{ie + " " + copyOf(page), moz + " " + copyOf(page)}));
    launcher->succeed = false;
    w->PrevIE->trigger();
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(ie));

    // Another name for the third browser: its own picture and hint.
    w->Ini->WriteString("SYSTEM", "Prev3", writeFile("bin/Mozilla.exe", "").toStdString());
    w->UpdatePreviewBrowserActions();
    EXPECT_EQ(w->PrevNS6->toolTip(), QStringLiteral("Netscapeで表示"));
    EXPECT_EQ(w->PrevNS6->property("imageIndex").toInt(), 6);
}

// The saved size is applied at start, so the page and the checked item agree; a size picked
// goes to the browser (even before a page is shown) and is saved at exit.
TEST_F(PreviewPagesTest, TheTextSizeGoesToTheBrowserAtStartAndWhenPicked) {
    writeSettings("[SYSTEM]\r\nBaseFSize=2\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_TRUE(w->FSize[1]->isChecked());
    w->FSize[3]->trigger();
    EXPECT_EQ(browser->textSizes, (std::vector<int>{2, 4}));
    EXPECT_TRUE(w->FSize[3]->isChecked());
    w.reset();
    EXPECT_EQ(settings().ReadInteger("SYSTEM", "BaseFSize", 0), 4);
}

// A drag from outside the program, delivered as Qt delivers it: over the rule tree one ".css"
// file opens, over the preview or the HTML pane one page is chosen; the tree, the pane and the
// preview let the drags pass to their pages.
TEST_F(PreviewPagesTest, FilesDroppedOnTheSourcePagesAndOnTheLowerPages) {
    auto w = open();
    w->resize(900, 700);
    settle();
    const QUrl css = QUrl::fromLocalFile(writeFile("OTHER.CSS", "P { margin : 0 ; }\r\n"));
    const QPoint overTree = w->TreeViewStruct->viewport()->mapTo(w.get(), QPoint(20, 20));
    EXPECT_FALSE(dragFiles(w.get(), overTree, {css, css}).entered);
    EXPECT_FALSE(dragFiles(w.get(), overTree, {QUrl::fromLocalFile(writeFile("notes.txt", "x"))}).entered);
    EXPECT_EQ(dragFiles(w.get(), overTree, {css}).action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->sCSSFileName, css.toLocalFile());
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/P")).isValid());

    const QString first = writeFile("first.html", "<body>1</body>"), second = writeFile("second.HTM", "<body>2</body>");
    const QPoint overPreview = w->PanelIE->mapTo(w.get(), QPoint(30, 30));
    EXPECT_FALSE(dragFiles(w.get(), overPreview, {css}).entered);
    EXPECT_EQ(dragFiles(w.get(), overPreview, {QUrl::fromLocalFile(first)}).action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->sHTMLFileName, first);
    w->PageControlDown->setCurrentWidget(w->TabSheetHTML);
    settle();
    const QPoint overPane = w->EditHTML->viewport()->mapTo(w.get(), QPoint(40, 20));
    EXPECT_EQ(dragFiles(w.get(), overPane, {QUrl::fromLocalFile(second)}).action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->EditHTML->Text(), "<body>2</body>");
}

}  // namespace
}  // namespace pavik::test
