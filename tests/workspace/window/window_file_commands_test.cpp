// The file commands against a temporary folder: open, save, save as, new, the recent-file
// list, the save question, failed saves, and the two marks of what the pane shows.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QApplication>
#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

#include "components/file_name_keep.h"
#include "dialogs/dlg_new_css.h"
#include "platform/cp932.h"
#include "platform/file_bytes.h"
#include "window_support.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/value_area.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color : red ; text-align : center ; }\r\n";
const std::string kHandRule = "EM { color : blue ; }";

class FileCommandsTest : public WindowTest {
protected:
    // A shown window with `name` (in the sub-folder "sheets") open.
    std::unique_ptr<TfrmMain> openIn(const QString& name = QStringLiteral("a.css"), const std::string& sheet = kSheet) {
        file = writeFile(QStringLiteral("sheets/") + name, sheet);
        auto w = makeWindow({file});
        showAndSettle(*w);
        return w;
    }
    static std::string onDisk(const QString& path) {
        std::string bytes;
        readFileBytes(path.toStdString(), bytes);
        return bytes;
    }
    // text-align of H1 through its drop-down, as the user sets it.
    static void changeValue(TfrmMain& w, const char* value = "right") {
        w.TreeViewStruct->setCurrentIndex(findItem(w.TreeViewStruct, QStringLiteral("エレメント/H1")));
        w.TreeViewStructClick();
        QTreeWidgetItem* item = findItem(w.TreeViewTarget, QStringLiteral("テキスト/text-align"));
        ASSERT_NE(item, nullptr);
        w.TreeViewTarget->setCurrentItem(item);
        w.TreeViewTargetClick();
        const int i = w.valueArea().CmbBoxCommon->findText(QString::fromLatin1(value));
        ASSERT_GE(i, 0);
        w.valueArea().CmbBoxCommon->setCurrentIndex(i);
        emit w.valueArea().CmbBoxCommon->activated(i);
    }
    // A rule typed into the pane at its start.
    static void editByHand(TfrmMain& w) {
        w.RichEditSrc->core().Caret = {0, 0};
        w.RichEditSrc->InsertString(kHandRule + "\r");
    }
    // Save from the action, as enabled after the last change.
    static void save(TfrmMain& w) {
        w.Refresh_Status();
        ASSERT_TRUE(w.FileSave->isEnabled());
        w.FileSave->trigger();
    }
    static bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
    // The new style sheet dialog answered with `name` in `folder`.
    void answerNew(const QString& name, const QString& folder) {
        answerDialog = [name, folder](QDialog& d) {
            auto& dialog = dynamic_cast<TdlgNewCSS&>(d);
            dialog.EditPath->setText(folder);
            dialog.EditNewCSS->setText(name);
            return int(QDialog::Accepted);
        };
    }
};

TEST_F(FileCommandsTest, OpeningReadsFirstAndAFailedReadChangesNothing) {
    auto w = openIn();
    const QString b = writeFile("other/b.css", "P { margin : 0 ; }\r\n");
    files->answers = {b};
    w->FileOpenCSS->trigger();
    EXPECT_EQ(files->requests, QStringList{QStringLiteral("open 開く %1 スタイルシート (*.css)").arg(QFileInfo(file).absolutePath())});
    EXPECT_EQ(w->sCSSFileName, b);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("[ %1 ]").arg(b)));
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/P")).isValid());
    EXPECT_EQ(w->fileCommands().recentList().FileNames(), (QStringList{b, file}));
    EXPECT_EQ(settings().ReadString("KeepFileNames", "FileName1", ""), b.toStdString());  // flushed

    // A file that cannot be read leaves the open one as it was, unsaved edits included.
    editByHand(*w);
    const std::string pane = w->RichEditSrc->Text();
    for (const QString& bad : {QDir(home()).filePath("missing.css"), QDir(home()).filePath("other")}) {
        messages->choices = {1};  // do not save b
        w->FileOpenCSSAccept(bad);
        ASSERT_EQ(messages->errors.size(), 1) << bad.toStdString();
        EXPECT_TRUE(messages->errors.takeFirst().contains(bad));
        EXPECT_EQ(w->sCSSFileName, b);
        EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("[ %1 ]").arg(b)));
        EXPECT_EQ(w->RichEditSrc->Text(), pane);
        EXPECT_TRUE(w->styleSheetUnsaved());
    }
}

TEST_F(FileCommandsTest, TheProgramsOwnPreviewFilesAreNoStyleSheetFromAnyWayIn) {
    const QString own = writeFile(QStringLiteral("site/Pavik$$Preview$$.CSS"), "P { margin : 0 ; }\r\n");
    const std::function<void(TfrmMain&)> ways[] = {
        [&](TfrmMain& w) { files->answers = {own}; w.FileOpenCSS->trigger(); },
        [&](TfrmMain& w) { w.FileNameKeepSelect(own); },         // the recent menu
        [&](TfrmMain& w) { w.popmnuRecentSelectAction(own); },   // the recent drop-down
        [&](TfrmMain& w) { w.dftCssSrcDrop({QFile::encodeName(own).toStdString()}); },
    };
    for (const auto& open : ways) {
        auto w = openIn();
        open(*w);
        EXPECT_EQ(messages->errors, QStringList{ownTemporaryRefusal(own, false)});
        EXPECT_EQ(w->sCSSFileName, file);
        EXPECT_FALSE(w->fileCommands().recentList().FileNames().contains(own));
    }
    auto started = makeWindow({own});  // the command line
    showAndSettle(*started);
    EXPECT_TRUE(started->sCSSFileName.isEmpty());
    EXPECT_EQ(messages->errors, QStringList{ownTemporaryRefusal(own, false)});
}

// Links to the program's own files (the settings file, the preview files) are refused as
// style sheets, as pages and as the target of Save as, with the file named.
TEST_F(FileCommandsTest, LinksToTheProgramsOwnFilesAreRefusedWhateverTheirName) {
    writeSettings("[SYSTEM]\r\n");
    auto w = openIn();
    const QString ini = QString::fromStdString(settingsPath()), css = QDir(home()).filePath("link.css"),
                  hard = QDir(home()).filePath("hard.css"), page = QDir(home()).filePath("page.html");
    std::filesystem::create_symlink(w->PreviewCSSPath.toStdString(), css.toStdString());
    std::filesystem::create_hard_link(ini.toStdString(), hard.toStdString());
    std::filesystem::create_symlink(ini.toStdString(), page.toStdString());
    w->FileOpenCSSAccept(css);
    w->FileOpenCSSAccept(hard);
    w->FileOpenHTMLAccept(page);
    w->FileSaveAsAccept(hard);
    EXPECT_EQ(messages->errors, (QStringList{ownFileRefusal(css, w->PreviewCSSPath, OwnFileUse::StyleSheet),
                                             ownFileRefusal(hard, ini, OwnFileUse::StyleSheet),
                                             ownFileRefusal(page, ini, OwnFileUse::Page),
                                             ownFileRefusal(hard, ini, OwnFileUse::SaveTarget)}));
    EXPECT_EQ(w->sCSSFileName, file);
    EXPECT_TRUE(w->sHTMLFileName.isEmpty());
}

// A file whose name is not UTF-8 (here Shift_JIS) reaches the program only with U+FFFD in
// place of its bytes: from every way in, it is refused saying so, not "No such file". A
// UTF-8 name that holds U+FFFD itself is no such name.
TEST_F(FileCommandsTest, ANameThatIsNotUtf8IsRefusedSayingWhyFromAnyWayIn) {
    const std::string sheetBytes = QFile::encodeName(home()).toStdString() + "/\x83\x65\x83\x58\x83\x67.css";
    const std::string pageBytes = QFile::encodeName(home()).toStdString() + "/\x83\x79\x81\x5B\x83\x57.html";
    ASSERT_FALSE(writeFileReplacing(sheetBytes, kSheet) || writeFileReplacing(pageBytes, "<p>x</p>"));
    const QString sheet = QFile::decodeName(sheetBytes.c_str()), page = QFile::decodeName(pageBytes.c_str());
    writeSettings("[Preview]\r\n1=" + pageBytes + "\r\n");
    const struct {
        std::function<void(TfrmMain&)> open;
        QString refused;
        bool previewKept;  // a listed page that cannot be read builds no preview
    } ways[] = {
        {[&](TfrmMain& w) { files->answers = {sheet}; w.FileOpenCSS->trigger(); }, sheet, true},
        {[&](TfrmMain& w) { w.FileNameKeepSelect(sheet); }, sheet, true},
        {[&](TfrmMain& w) { w.dftCssSrcDrop({sheetBytes}); }, sheet, true},
        {[&](TfrmMain& w) { files->answers = {page}; w.FileOpenHTMLExecute(); }, page, true},
        {[&](TfrmMain& w) { w.dftHTMLsrcDrop({pageBytes}); }, page, true},
        {[&](TfrmMain& w) { w.CmbBoxPreviewHTML->setCurrentIndex(1); w.CmbBoxPreviewHTMLSelect(); }, page, false},
    };
    for (const auto& way : ways) {
        auto w = openIn();
        way.open(*w);
        EXPECT_EQ(messages->errors, QStringList{foreignNameRefusal(way.refused)}) << way.refused.toStdString();
        EXPECT_EQ(w->sCSSFileName, file);
        if (way.previewKept) EXPECT_TRUE(QFileInfo::exists(w->PreviewHTMLPath)) << way.refused.toStdString();
    }
    auto started = makeWindow({sheet});  // the command line
    showAndSettle(*started);
    EXPECT_EQ(messages->errors, QStringList{foreignNameRefusal(sheet)});
    EXPECT_TRUE(foreignNameRefusal(writeFile(QStringLiteral("a\uFFFD.css"), kSheet)).isEmpty());
}

// The save question before Open, New and Close: Yes saves first, No goes on without saving,
// Cancel stops; a Yes whose save fails (the folder is gone) stops too, with the error shown.
// Whatever stops leaves the window, the pane, the rules and the unsaved state as they were.
TEST_F(FileCommandsTest, SaveQuestionBeforeOpenNewAndCloseAndAFailedSaveStops) {
    enum Command { Open, New, Close };
    enum Answer { Yes, No, Cancel, YesButFails };
    for (Command command : {Open, New, Close}) {
        for (Answer answer : {Yes, No, Cancel, YesButFails}) {
            const std::string what = "command " + std::to_string(command) + " answer " + std::to_string(answer);
            auto w = openIn();
            const QString b = writeFile("b.css", "P { margin : 0 ; }\r\n");
            const QString n = QDir(home()).filePath("n.css");
            QFile::remove(n);
            changeValue(*w);
            editByHand(*w);
            const std::string pane = w->RichEditSrc->Text();
            if (answer == YesButFails) QDir(QFileInfo(file).absolutePath()).removeRecursively();
            messages->confirms.clear();
            messages->choices = {answer == YesButFails ? 0 : int(answer)};
            switch (command) {
            case Open: w->FileOpenCSSAccept(b); break;
            case New: answerNew(QStringLiteral("n"), home()); w->NewCSSExecute(); break;
            case Close: w->close(); break;
            }
            ASSERT_EQ(messages->confirms.size(), 1) << what;
            EXPECT_EQ(messages->confirms[0], QStringLiteral("現在のスタイルシート [ a.css ] への変更を保存しますか?"));
            EXPECT_EQ(holds(onDisk(file), kHandRule), answer == Yes) << what;
            EXPECT_EQ(messages->errors.size(), answer == YesButFails ? 1 : 0) << what;
            if (answer == YesButFails) {
                EXPECT_TRUE(messages->errors[0].contains(file)) << what;
                EXPECT_TRUE(messages->errors[0].contains(QStringLiteral("ファイルは元のままです。"))) << what;
            }
            const bool wentOn = answer == Yes || answer == No;
            const QString next = command == Open ? b : command == New ? n : file;
            EXPECT_EQ(w->sCSSFileName, wentOn ? next : file) << what;
            EXPECT_EQ(w->isVisible(), !(wentOn && command == Close)) << what;
            EXPECT_EQ(QFileInfo::exists(n), wentOn && command == New) << what;
            if (!wentOn) {
                EXPECT_EQ(w->RichEditSrc->Text(), pane) << what;
                EXPECT_TRUE(w->styleSheetUnsaved()) << what;
                const CssRuleNode* h1 = w->ruleOfNode(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")));
                EXPECT_EQ(h1->Declarations[1].Value, "right") << what;
            }
            answerDialog = nullptr;
        }
    }
}

// What a save writes, by the two marks: rules ahead of the pane, pane edited by hand.
TEST_F(FileCommandsTest, SaveWritesWhatTheUserSeesAndAsksWhenRulesAndPaneBothChanged) {
    struct Case {
        const char* what;
        bool rules, hand;
        std::vector<int> choices;  // answers to the question of both
        bool written, hasValue, hasHandRule;
    };
    const Case cases[] = {
        {"neither", false, false, {}, true, false, false},
        {"rules only: regenerated first", true, false, {}, true, true, false},
        {"pane only: as it stands", false, true, {}, true, false, true},
        {"both, regenerate", true, true, {0}, true, true, false},
        {"both, keep the pane", true, true, {1}, true, false, true},
        {"both, cancel", true, true, {2}, false, false, false},
    };
    for (const Case& c : cases) {
        auto w = openIn();
        w->bAutoRefresh = false;
        w->bCSSSaved = false;
        if (c.rules) changeValue(*w);
        if (c.hand) editByHand(*w);
        EXPECT_EQ(w->fileCommands().rulesChanged(), c.rules) << c.what;
        messages->confirms.clear();
        messages->choices = c.choices;
        const std::string before = onDisk(file);
        save(*w);
        EXPECT_EQ(messages->confirms.size(), c.rules && c.hand ? 1 : 0) << c.what;
        const std::string saved = onDisk(file);
        EXPECT_EQ(saved != before, c.written) << c.what;
        if (!c.written) {
            EXPECT_TRUE(w->styleSheetUnsaved()) << c.what;
            EXPECT_TRUE(holds(w->RichEditSrc->Text(), kHandRule)) << c.what;
            continue;
        }
        EXPECT_EQ(holds(saved, "text-align : right"), c.hasValue) << c.what;
        EXPECT_EQ(holds(saved, kHandRule), c.hasHandRule) << c.what;
        // The trees and the pane hold what was saved; automatic refresh is on from now on.
        EXPECT_EQ(w->RichEditSrc->core().SaveToBytes(SaveFlagsPlain), saved) << c.what;
        EXPECT_EQ(findItem(w->TreeViewStruct, QStringLiteral("エレメント/EM")).isValid(), c.hasHandRule) << c.what;
        EXPECT_FALSE(w->styleSheetUnsaved()) << c.what;
        EXPECT_FALSE(w->FileSave->isEnabled()) << c.what;
        EXPECT_TRUE(w->bAutoRefresh) << c.what;
        EXPECT_TRUE(messages->errors.isEmpty()) << c.what;
    }
}

TEST_F(FileCommandsTest, SaveKeepsTheEncodingAndThePaneHoldsWhatWasSaved) {
    auto w = openIn(QStringLiteral("u.css"), "/* 見出し */\r\nH1 { color : red ; }\r\n");
    editByHand(*w);
    save(*w);
    const std::string saved = onDisk(file);
    EXPECT_TRUE(holds(saved, "/* 見出し */")) << saved;
    EXPECT_EQ(w->StatusBar->encoding(), QStringLiteral("UTF-8"));
    EXPECT_EQ(w->RichEditSrc->core().SaveToBytes(SaveFlagsPlain), toCp932(saved));

}

TEST_F(FileCommandsTest, SavingKeepsTheSelectionAndTheScrollPlacesOfBothTreesAndThePreview) {
    std::string sheet = ".note { color : red ; }\r\nP { color : red ; }\r\nP { text-align : center ; }\r\n";
    for (int i = 0; i < 40; ++i) sheet += "DIV#d" + std::to_string(100 + i) + " { color : red ; }\r\n";
    auto w = openIn(QStringLiteral("a.css"), sheet);
    w->resize(900, 560);
    QApplication::setActiveWindow(w.get());
    settle();
    // The second of the two P rules, its text-align set, a folder opened by hand, the class
    // base node closed, both trees scrolled.
    QTreeView* rules = w->TreeViewStruct;
    QTreeWidget* properties = w->TreeViewTarget;
    const QModelIndex secondP = child(w->ElementBaseNode, findItem(rules, QStringLiteral("エレメント/P")).row() + 1);
    rules->collapse(w->ClassBaseNode);
    rules->scrollTo(secondP);
    QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, rules->visualRect(secondP).center());
    QTreeWidgetItem* textAlign = findItem(properties, QStringLiteral("テキスト/text-align"));
    textAlign->parent()->setExpanded(true);
    QTest::mouseClick(properties->viewport(), Qt::LeftButton, {}, properties->visualItemRect(textAlign).center());
    findItem(properties, QStringLiteral("背景"))->setExpanded(true);
    const int right = w->valueArea().CmbBoxCommon->findText(QStringLiteral("right"));
    w->valueArea().CmbBoxCommon->setCurrentIndex(right);
    emit w->valueArea().CmbBoxCommon->activated(right);
    properties->verticalScrollBar()->setValue(properties->verticalScrollBar()->maximum() / 2);
    rules->verticalScrollBar()->setValue(3);
    const auto places = [&] {
        QStringList open;
        for (QTreeWidgetItemIterator it(properties); *it; ++it)
            if ((*it)->isExpanded()) open.append((*it)->text(0));
        return QStringList{QString::number(rules->currentIndex().row()), QString::number(w->CurStructNode.row()),
                           w->CurTargetNode ? w->CurTargetNode->text(0) : QString(), properties->currentItem()->text(0),
                           w->valueArea().CmbBoxCommon->currentText(), QString::number(rules->verticalScrollBar()->value()),
                           QString::number(properties->verticalScrollBar()->value()),
                           rules->isExpanded(w->ClassBaseNode) ? "open" : "closed", open.join(','),
                           w->valueArea().lblTagInfo->text(), w->valueArea().lblChildInfo->text()};
    };
    const QStringList before = places();
    ASSERT_EQ(before.mid(1, 4), (QStringList{QString::number(secondP.row()), "text-align", "text-align", "right"}));
    ASSERT_NE(before.mid(5, 2), (QStringList{"0", "0"}));
    const size_t navigations = browser->navigations.size();

    properties->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    settle();
    ASSERT_TRUE(holds(onDisk(file), "text-align : right ;"));
    ASSERT_TRUE(w->bCSSSaved);
    EXPECT_EQ(places(), before);
    EXPECT_TRUE(properties->hasFocus());
    // The preview is shown again where it was scrolled, not moved to an anchor.
    ASSERT_GT(browser->navigations.size(), navigations);
    for (size_t n = navigations; n < browser->navigations.size(); ++n) EXPECT_TRUE(browser->navigations[n].keptPlace) << n;
}

TEST_F(FileCommandsTest, SaveAsWritesThePaneUnderTheNewNameAndAsksBeforeReplacing) {
    auto w = openIn();
    editByHand(*w);
    const QString folder = QFileInfo(file).absolutePath();
    files->answers = {QDir(folder).filePath("copy")};
    w->FileSaveAs->trigger();
    EXPECT_EQ(files->requests, QStringList{QStringLiteral("save 名前を付けて保存 %1 スタイルシート (*.css)").arg(folder)});
    EXPECT_TRUE(holds(onDisk(QDir(folder).filePath("copy.css")), kHandRule));
    // The open style sheet stays as it was: its name, caption, unsaved state and file.
    EXPECT_EQ(w->sCSSFileName, file);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("[ %1 ]").arg(file)));
    EXPECT_TRUE(w->styleSheetUnsaved());
    EXPECT_EQ(onDisk(file), kSheet);

    // An existing name: replaced only after Yes; ".CSS" gets no second extension.
    const QString other = writeFile("sheets/Other.CSS", "old");
    for (bool yes : {false, true}) {
        messages->confirms.clear();
        messages->answer = yes;
        w->FileSaveAsAccept(other);
        ASSERT_EQ(messages->confirms.size(), 1);
        EXPECT_EQ(messages->confirms[0], QStringLiteral("[ %1 ] はすでにあります。置き換えますか?").arg(other));
        EXPECT_EQ(holds(onDisk(other), kHandRule), yes);
    }
    EXPECT_FALSE(QFileInfo::exists(other + ".css"));
}

TEST_F(FileCommandsTest, NewStyleSheetIsMadeInTheChosenFolderAndCancelChangesNothing) {
    writeSettings("[SYSTEM]\r\nCSSNewDefFolder=/no/such/folder\r\n");
    auto w = openIn();
    const QString chosen = QDir(home()).filePath("chosen");
    QDir().mkpath(chosen);
    RecordingFolderBrowser folders;
    folders.answer = chosen.toStdString();
    FolderBrowser* previous = setFolderBrowser(&folders);

    QString startFolder;
    answerDialog = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TdlgNewCSS&>(d);
        startFolder = dialog.EditPath->text();
        dialog.EditNewCSS->setText(QStringLiteral("new"));
        return int(QDialog::Rejected);
    };
    w->NewCSSExecute();
    EXPECT_EQ(startFolder, QStringLiteral("/no/such/folder"));
    EXPECT_EQ(w->sCSSFileName, file);
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")).isValid());
    EXPECT_TRUE(holds(w->RichEditSrc->Text(), "H1 {"));
    EXPECT_FALSE(w->styleSheetUnsaved());

    answerDialog = [&folders](QDialog& d) {
        auto& dialog = dynamic_cast<TdlgNewCSS&>(d);
        QTest::keyClicks(dialog.EditNewCSS, "new");
        QTest::mouseClick(dialog.BitBtnSelectFolder, Qt::LeftButton);  // the folder after the name
        folders.answer.reset();
        QTest::mouseClick(dialog.BitBtnSelectFolder, Qt::LeftButton);  // cancelled: the folder stays
        return dialog.BitBtnOK->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    w->NewCSSExecute();
    setFolderBrowser(previous);
    ASSERT_EQ(folders.requests.size(), 2u);
    EXPECT_EQ(folders.requests[0].first, "フォルダを選んで下さい");
    const QString made = QDir(chosen).filePath("new.css");
    EXPECT_EQ(w->sCSSFileName, made);
    EXPECT_TRUE(QFileInfo(made).isFile());
    EXPECT_EQ(QFileInfo(made).size(), 0);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("[ %1 ]").arg(made)));
    EXPECT_TRUE(w->Document.rules().empty());
    EXPECT_EQ(w->TreeViewStruct->model()->rowCount(), 2);
    EXPECT_FALSE(w->styleSheetUnsaved());
    EXPECT_EQ(w->fileCommands().recentList().FileNames().value(0), made);
}

TEST_F(FileCommandsTest, RecentEntriesOpenTheirFilesAndAMissingOneOnlySaysSo) {
    const QString a = writeFile("a.css", "A { color : red ; }\r\n");
    const QString b = writeFile("b.css", "B { color : red ; }\r\n");
    const QString c = writeFile("Upper.CSS", kSheet);
    writeSettings("[KeepFileNames]\r\nFileName1=" + a.toStdString() + "\r\nFileName2=" + QDir(home()).filePath("gone.css").toStdString() +
                  "\r\nFileName3=" + b.toStdString() + "\r\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home());
    auto w = makeWindow({QStringLiteral("Upper.CSS")});  // as typed, case kept
    QDir::setCurrent(previous);
    showAndSettle(*w);
    const TFileNameKeep& list = w->fileCommands().recentList();
    EXPECT_EQ(list.FileNames(), (QStringList{c, a, b}));
    EXPECT_TRUE(w->mnuFileResent->isEnabled());

    // The menu opens an entry and keeps the order; the drop-down moves its entry on top.
    list.Entries()[2]->trigger();
    EXPECT_EQ(w->sCSSFileName, b);
    EXPECT_EQ(list.FileNames(), (QStringList{c, a, b}));
    emit w->popmnuRecent->aboutToShow();
    ASSERT_EQ(w->popmnuRecent->actions().size(), 3);
    w->popmnuRecent->actions()[1]->trigger();
    EXPECT_EQ(w->sCSSFileName, a);
    EXPECT_EQ(list.FileNames(), (QStringList{a, c, b}));

    // An entry whose file went away: nothing happens but the word in the status line.
    editByHand(*w);
    QFile::remove(b);
    messages->confirms.clear();
    list.Entries()[2]->trigger();
    EXPECT_EQ(w->sCSSFileName, a);
    EXPECT_TRUE(w->styleSheetUnsaved());
    EXPECT_TRUE(messages->confirms.isEmpty());
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(b));
    settle();
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("ファイル [ %1 ] が見つかりません。").arg(b));

    // Opened from the dialog: on top; six at most, the oldest drops out (the gone one first).
    QStringList opened;
    for (int i = 1; i <= 5; ++i) {
        opened.prepend(writeFile(QStringLiteral("d%1.css").arg(i), kSheet));
        w->FileOpenCSSAccept(opened.front());
    }
    EXPECT_EQ(list.FileNames(), opened + QStringList{a});

    // The list and the window's own keys share the settings file across a restart.
    w->close();
    w.reset();
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName1", ""), opened[0].toStdString());
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName6", ""), a.toStdString());
    EXPECT_TRUE(ini.ValueExists("SYSTEM", "PosX"));
    EXPECT_TRUE(ini.ValueExists("TB2Pos", "cmbDoctype.left"));
    auto again = makeWindow();
    EXPECT_EQ(again->fileCommands().recentList().FileNames(), opened + QStringList{a});
}

}  // namespace
}  // namespace pavik::test
