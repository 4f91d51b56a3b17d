// The user's preview pages through the window: a page chosen from the dialog, the list or a
// drop; its copy beside it; the HTML pane and its save; the save question before another
// page; the document type and the style sheet switch; the external browsers; the text size.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "../../support/drag_drop.h"
#include "components/file_name_keep.h"
#include "platform/cp932.h"
#include "platform/file_bytes.h"
#include "window_support.h"
#include "workspace/document/doc_types.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/preview_pages.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color : red ; }\r\n";
const std::string kLink = "<link rel=\"stylesheet\" href=\"Pavik$$Preview$$.CSS\" type=\"text/css\">\r\n";

class PreviewPagesTest : public WindowTest {
protected:
    static std::string onDisk(const QString& path) {
        std::string bytes;
        readFileBytes(path.toStdString(), bytes);
        return bytes;
    }
    static QString copyBeside(const QString& page) {
        return QFileInfo(page).absolutePath() + QStringLiteral("/Pavik$$Preview$$.HTML");
    }
    // The list's item chosen as the user chooses it.
    static void pick(QComboBox* box, int item) {
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    // A change typed into the HTML pane and taken back: the text is as loaded, but unsaved.
    static void typeAndTakeBack(TfrmMain& w) {
        QTest::keyClick(w.EditHTML, Qt::Key_X);
        QTest::keyClick(w.EditHTML, Qt::Key_Backspace);
    }
};

TEST_F(PreviewPagesTest, AChosenPageIsShownThroughItsCopyAndTheSwitchesRewriteOnlyTheCopy) {
    auto w = openSheet(kSheet);
    const std::string page = "<html><head><title>t</title></head>\r\n<body class=\"b\">\r\n<p>" +
                             toCp932("こんにちは") + "</p>\r\n</body></html>\r\n";
    const QString file = writeFile("site/page.html", page);
    const std::string body = "<body class=\"b\">\r\n<p>" + toCp932("こんにちは") + "</p>\r\n</body></html>\r\n";
    files->answers = {file};
    ASSERT_TRUE(w->FileOpenHTML->isEnabled());
    w->FileOpenHTML->trigger();
    EXPECT_EQ(files->requests.last(), QStringLiteral("open 開く %1 HTML ファイル (*.html *.htm)").arg(home()));
    ASSERT_EQ(w->CmbBoxPreviewHTML->count(), 2);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 1);
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(1), file);
    EXPECT_EQ(w->sHTMLFileName, file);
    const QString copy = copyBeside(file);
    EXPECT_EQ(w->PreviewHTMLPath, copy);
    EXPECT_EQ(onDisk(copy), "<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n" + body);
    EXPECT_NE(onDisk(QFileInfo(file).absolutePath() + "/Pavik$$Preview$$.CSS").find("H1 {"), std::string::npos);
    EXPECT_EQ(browser->navigations.back().path, copy);
    EXPECT_EQ(browser->navigations.back().page, PreviewPage::User);
    EXPECT_EQ(w->EditHTML->Text(), page);
    EXPECT_TRUE(w->PageControlDown->isTabVisible(1));
    EXPECT_FALSE(w->HTMLSave->isEnabled());
    // The dialog cancelled: the preview files, deleted while it showed, are back.
    w->FileOpenHTML->trigger();
    EXPECT_EQ(files->requests.size(), 2);
    EXPECT_EQ(onDisk(copy), "<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n" + body);
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(file).absolutePath() + "/Pavik$$Preview$$.CSS"));

    // Edits in the pane stay through the document type and the style sheet switch, which
    // ask nothing, keep the style sheet's saved state, and rewrite the copy.
    QTest::keyClick(w->EditHTML, Qt::Key_Y);
    EXPECT_FALSE(w->bHTMLSaved);
    const std::string edited = w->EditHTML->Text();
    w->bCSSSaved = false;
    pick(w->CmbBoxExDoctype, 10);
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n" + body);
    w->ApplyCSS->trigger();
    EXPECT_FALSE(w->ApplyCSS->isChecked());
    EXPECT_EQ(w->ApplyCSS->toolTip(), QStringLiteral("スタイルシート未使用"));
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n<HTML><HEAD>\r\n</HEAD>\r\n" + body);
    w->ApplyCSS->trigger();
    EXPECT_TRUE(w->ApplyCSS->isChecked());
    EXPECT_EQ(w->ApplyCSS->toolTip(), QStringLiteral("スタイルシート適応中"));
    EXPECT_EQ(onDisk(copy), docTypeLine(10) + "\r\n<HTML><HEAD>\r\n" + kLink + "</HEAD>\r\n" + body);
    EXPECT_TRUE(messages->confirms.isEmpty());
    EXPECT_EQ(w->EditHTML->Text(), edited);
    EXPECT_FALSE(w->bHTMLSaved);
    EXPECT_FALSE(w->bCSSSaved);
    EXPECT_TRUE(w->HTMLSave->isEnabled());
    EXPECT_EQ(onDisk(file), page);

    // Back to the built-in page: the question first (No drops the edits), then the sample page.
    pick(w->CmbBoxPreviewHTML, 0);
    EXPECT_EQ(messages->confirms, QStringList{QStringLiteral("現在のHTMLファイル [ page.html ] への変更を保存しますか?")});
    EXPECT_TRUE(w->sHTMLFileName.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(browser->navigations.back().path, QDir(home()).filePath("Pavik$$Preview$$.HTML"));
    EXPECT_EQ(browser->navigations.back().page, PreviewPage::Sample);
    EXPECT_FALSE(w->PageControlDown->isTabVisible(1));
    EXPECT_EQ(onDisk(file), page);
}

// The pane shows the page as it is, and the HTML save writes it back in its encoding: a page
// saved without a change comes back byte for byte.
TEST_F(PreviewPagesTest, AnUnchangedPageSurvivesTheHtmlSaveByteForByte) {
    std::string longLine;
    for (int i = 0; i < 60; ++i) longLine += "word" + std::to_string(i) + " \t";
    const std::string body = "<body>\r\n  <p>" + longLine + "</p>   \r\n\r\n\t<p>" + toCp932("ソ表示") +
                             "</p>\r\n<pre>\\ a\tb</pre>\r\n</body></html>";  // no line end at the end
    const std::string cp932 = "<html>\r\n" + body;
    const std::string utf8 = "<html><meta charset=\"utf-8\">\r\n" + decodeCp932(body);
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    } pages[] = {
        {"sjis.html", cp932, TextEncoding::Cp932},
        {"utf8.html", utf8, TextEncoding::Utf8},
        {"bom.htm", "\xEF\xBB\xBF" + utf8, TextEncoding::Utf8Bom},
        {"utf16.html", encodeFromCp932(cp932, TextEncoding::Utf16LE), TextEncoding::Utf16LE},
    };
    auto w = openSheet(kSheet);
    for (const auto& p : pages) {
        SCOPED_TRACE(p.name);
        const QString file = writeFile(p.name, p.bytes);
        w->FileOpenHTMLAccept(file);
        ASSERT_EQ(w->sHTMLFileName, file);
        EXPECT_EQ(w->HTMLEncoding, p.encoding);
        EXPECT_GT(w->EditHTML->core().RowCount(), 8);  // the long line is wrapped into rows
        typeAndTakeBack(*w);
        w->Refresh_Status();
        ASSERT_TRUE(w->HTMLSave->isEnabled());
        w->HTMLSave->trigger();
        EXPECT_EQ(onDisk(file), p.bytes);
        EXPECT_TRUE(w->bHTMLSaved);
        EXPECT_FALSE(w->HTMLSave->isEnabled());
    }

    // A change is saved in the page's encoding, and the pane and the copy show the file.
    const QString file = QDir(home()).filePath("utf8.html");
    w->FileOpenHTMLAccept(file);
    w->EditHTML->InsertString(toCp932("<!-- 注 -->"));
    w->HTMLSaveExecute();
    EXPECT_EQ(onDisk(file), "<!-- 注 -->" + utf8);
    EXPECT_EQ(w->EditHTML->Text(), toCp932("<!-- 注 -->") + "<html><meta charset=\"utf-8\">\r\n" + body);
    EXPECT_NE(onDisk(copyBeside(file)).find("\xEF\xBB\xBF<HTML><HEAD>"), std::string::npos);

    // A page with characters Shift_JIS cannot hold is shown read-only, and said so; its copy
    // keeps them.
    const QString emoji = writeFile("emoji.html", "<body>\xF0\x9F\x98\x80\xE3\x80\x9C</body>");
    w->FileOpenHTMLAccept(emoji);
    EXPECT_TRUE(w->EditHTML->ReadOnly());
    ASSERT_EQ(messages->infos.size(), 1);
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("emoji.html")));
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("\\1F600")));
    QTest::keyClick(w->EditHTML, Qt::Key_X);
    EXPECT_TRUE(w->bHTMLSaved);
    EXPECT_NE(onDisk(copyBeside(emoji)).find("<body>\xF0\x9F\x98\x80\xE3\x80\x9C</body>"), std::string::npos);
    w->FileOpenHTMLAccept(file);
    EXPECT_FALSE(w->EditHTML->ReadOnly());
}

// Before the pane is given another page: Yes saves, No drops the edits, Cancel stops, and a
// Yes whose save fails stops too, with the error shown. Stopped, the list shows the page the
// pane still holds, edits and all.
TEST_F(PreviewPagesTest, TheHtmlSaveQuestionBeforeAnotherPageAndWhatStops) {
    enum Answer { Yes, No, Cancel, YesButFails };
    enum Way { List, Dialog };
    for (Way way : {List, Dialog}) {
        for (Answer answer : {Yes, No, Cancel, YesButFails}) {
            const std::string what = "way " + std::to_string(way) + " answer " + std::to_string(answer);
            auto w = openSheet(kSheet);
            const QString a = writeFile("site/a.html", "<body>a</body>"), b = writeFile("other/b.html", "<body>b</body>");
            w->FileOpenHTMLAccept(b);
            w->FileOpenHTMLAccept(a);
            w->EditHTML->InsertString("edit ");
            w->EditHTMLChange();
            if (answer == YesButFails) QDir(QFileInfo(a).absolutePath()).removeRecursively();
            messages->confirms.clear();
            messages->choices = {answer == YesButFails ? 0 : int(answer)};
            if (way == List)
                pick(w->CmbBoxPreviewHTML, 1);
            else
                w->FileOpenHTMLAccept(b);
            ASSERT_EQ(messages->confirms.size(), 1) << what;
            EXPECT_EQ(messages->errors.size(), answer == YesButFails ? 1 : 0) << what;
            const bool wentOn = answer == Yes || answer == No;
            if (answer != YesButFails) EXPECT_EQ(onDisk(a), answer == Yes ? "edit <body>a</body>" : "<body>a</body>") << what;
            EXPECT_EQ(w->sHTMLFileName, wentOn ? b : a) << what;
            EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), wentOn ? 1 : 2) << what;
            EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3) << what;
            EXPECT_EQ(w->EditHTML->Text(), wentOn ? "<body>b</body>" : "edit <body>a</body>") << what;
            EXPECT_EQ(w->bHTMLSaved, wentOn) << what;
        }
    }
}

TEST_F(PreviewPagesTest, PagesAreComparedExactlyTheProgramsOwnNamesRefusedAndAGonePageEmptiesThePane) {
    auto w = openSheet(kSheet);
    const QString upper = writeFile("Page.html", "<body>U</body>"), lower = writeFile("page.html", "<body>l</body>");
    w->FileOpenHTMLAccept(upper);
    w->FileOpenHTMLAccept(lower);
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3);
    EXPECT_EQ(w->EditHTML->Text(), "<body>l</body>");
    w->FileOpenHTMLAccept(upper);  // listed: only selected
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 1);

    // Named like the copy: deleting the preview files would delete the page.
    const QString named = writeFile("site/Pavik$$Preview$$.HTML", "<body>mine</body>");
    w->FileOpenHTMLAccept(named);
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(named));
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 3);
    EXPECT_EQ(w->sHTMLFileName, upper);
    EXPECT_EQ(onDisk(named), "<body>mine</body>");

    // Five pages at most: a sixth drops the oldest and is selected as item 5.
    for (int i = 3; i <= 6; ++i) w->FileOpenHTMLAccept(writeFile(QStringLiteral("p%1.html").arg(i), "<body></body>"));
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 6);
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(1), lower);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 5);

    // A listed page that is gone: the pane is emptied (not left holding another page's text
    // under this name), the browser keeps what it shows, the browsers have no page to show.
    QFile::remove(lower);
    const size_t navigations = browser->navigations.size();
    pick(w->CmbBoxPreviewHTML, 1);
    settle();
    EXPECT_EQ(w->sHTMLFileName, lower);
    EXPECT_EQ(w->EditHTML->Text(), "");
    EXPECT_TRUE(w->bHTMLSaved);
    EXPECT_EQ(browser->navigations.size(), navigations);
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(lower));
    w->Ini->WriteString("SYSTEM", "Prev1", writeFile("bin/browser", "").toStdString());
    w->UpdatePreviewBrowserActions();
    w->PrevIE->trigger();
    EXPECT_TRUE(launcher->starts.isEmpty());

    // At exit the existing pages go to section "Preview", oldest first.
    w->close();
    w.reset();
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadString("Preview", "1", ""), "");  // the page gone keeps the key it had
    EXPECT_EQ(ini.ReadString("Preview", "2", ""), QDir(home()).filePath("p3.html").toStdString());
    EXPECT_EQ(ini.ReadString("Preview", "5", ""), QDir(home()).filePath("p6.html").toStdString());
}

TEST_F(PreviewPagesTest, ExternalBrowsersStartOnThePreviewPageWhenTheirProgramsExist) {
    const QString ie = writeFile("bin/chromium", ""), moz = writeFile("bin/mozilla", ""), opera = writeFile("bin/opera", "");
    writeSettings("[SYSTEM]\r\nPrev1=" + ie.toStdString() + "\r\nPrev2=" + home().toStdString() + "/bin/missing\r\nPrev3=" +
                  moz.toStdString() + "\r\nPrev4=" + opera.toStdString() + "\r\n");
    auto w = openSheet(kSheet);
    EXPECT_TRUE(w->PrevIE->isEnabled());
    EXPECT_FALSE(w->PrevNS4->isEnabled());
    EXPECT_TRUE(w->PrevNS6->isEnabled());
    EXPECT_TRUE(w->PrevOpera->isEnabled());
    EXPECT_EQ(w->PrevNS6->toolTip(), QStringLiteral("Mozillaで表示"));
    EXPECT_EQ(w->PrevNS6->property("imageIndex").toInt(), 54);

    // Each program gets the preview page's path as its one argument, as it is.
    const QString page = writeFile(QStringLiteral("ページ/a b.html"), "<body></body>");
    w->FileOpenHTMLAccept(page);
    for (QAction* a : {w->PrevIE, w->PrevNS6, w->PrevOpera}) a->trigger();
    const QString copy = copyBeside(page);
    EXPECT_EQ(launcher->starts, (QStringList{ie + " " + copy, moz + " " + copy, opera + " " + copy}));

    // A program that does not start is told.
    launcher->succeed = false;
    w->PrevIE->trigger();
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(ie));

    // Another name for the third browser gives it its own picture and hint.
    const QString netscape = writeFile("bin/Mozilla.exe", "");
    w->Ini->WriteString("SYSTEM", "Prev3", netscape.toStdString());
    w->UpdatePreviewBrowserActions();
    EXPECT_EQ(w->PrevNS6->toolTip(), QStringLiteral("Netscapeで表示"));
    EXPECT_EQ(w->PrevNS6->property("imageIndex").toInt(), 6);
}

// The saved size is applied at start, so the page and the checked item agree; a size picked
// goes to the browser even before a page is shown, and is saved at exit.
TEST_F(PreviewPagesTest, TheTextSizeGoesToTheBrowserAtStartAndWhenPicked) {
    writeSettings("[SYSTEM]\r\nBaseFSize=2\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_EQ(browser->textSizes, std::vector<int>{2});
    EXPECT_TRUE(w->FSize[1]->isChecked());
    w->FSize[3]->trigger();
    EXPECT_EQ(browser->textSizes, (std::vector<int>{2, 4}));
    EXPECT_TRUE(w->FSize[3]->isChecked());
    EXPECT_FALSE(w->FSize[1]->isChecked());
    w->close();
    w.reset();
    EXPECT_EQ(settings().ReadInteger("SYSTEM", "BaseFSize", 0), 4);
}

// A drag from outside the program, delivered as Qt delivers it: over the rule tree a ".css"
// file opens, over the HTML pane a page is chosen; the panes and trees let the drags pass.
TEST_F(PreviewPagesTest, FilesDroppedOnTheSourcePagesAndOnTheLowerPages) {
    auto w = openSheet(kSheet);
    w->resize(900, 700);
    settle();
    const QString other = writeFile("OTHER.CSS", "P { margin : 0 ; }\r\n");
    const QPoint overTree = w->TreeViewStruct->viewport()->mapTo(w.get(), QPoint(20, 20));
    const QUrl otherUrl = QUrl::fromLocalFile(other);

    // Two files, or another kind of file, are refused on entering.
    EXPECT_FALSE(dragFiles(w.get(), overTree, {otherUrl, otherUrl}).entered);
    EXPECT_FALSE(dragFiles(w.get(), overTree, {QUrl::fromLocalFile(writeFile("notes.txt", "x"))}).entered);
    const DragOutcome css = dragFiles(w.get(), overTree, {otherUrl});
    EXPECT_EQ(css.action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->sCSSFileName, other);
    EXPECT_NE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/P")), nullptr);
    EXPECT_EQ(w->fileCommands().recentList().FileNames().value(0), other);

    // A page over the preview page (no browser control with the fake), then over the HTML pane.
    const QString first = writeFile("first.html", "<body>1</body>"), second = writeFile("second.HTM", "<body>2</body>");
    const QPoint overPreview = w->PanelIE->mapTo(w.get(), QPoint(30, 30));
    EXPECT_FALSE(dragFiles(w.get(), overPreview, {otherUrl}).entered);
    EXPECT_EQ(dragFiles(w.get(), overPreview, {QUrl::fromLocalFile(first)}).action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->sHTMLFileName, first);
    w->PageControlDown->setCurrentWidget(w->TabSheetHTML);
    settle();
    const QPoint overPane = w->EditHTML->viewport()->mapTo(w.get(), QPoint(40, 20));
    const DragOutcome page = dragFiles(w.get(), overPane, {QUrl::fromLocalFile(second)});
    EXPECT_NE(page.receiver, w->EditHTML->viewport());
    EXPECT_EQ(page.action, Qt::CopyAction);
    settle();
    EXPECT_EQ(w->sHTMLFileName, second);
    EXPECT_EQ(w->EditHTML->Text(), "<body>2</body>");
}

}  // namespace
}  // namespace pavik::test
