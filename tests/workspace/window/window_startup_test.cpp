// Start-up, settings and shutdown of the main window.
#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWindow>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTreeWidget>
#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "dialogs/version_data.h"
#include "platform/colors.h"
#include "platform/file_bytes.h"
#include "platform/termination_signals.h"
#include "workspace/window/control_bar.h"
#include "window_support.h"

namespace pavik::test {
namespace {

const std::string kSheet =
    "H1 { color: red; }\r\n"
    "A:hover { color: blue; }\r\n";

using StartUp = WindowTest;

TEST_F(StartUp, WithoutSettingsFileEveryDefaultApplies) {
    auto w = makeWindow();
    EXPECT_EQ(w->pos(), QPoint(50, 50));
    EXPECT_EQ(w->size(), QSize(683, 542));
    EXPECT_FALSE(w->isMaximized());
    for (TAFEdit* pane : {w->RichEditSrc, w->EditHTML}) {
        EXPECT_EQ(pane->font().family(), TAFEdit::editorFont(QStringLiteral("MS UI Gothic"), -12).family());
        EXPECT_EQ(pane->font().pointSize(), 10);
        EXPECT_EQ(pane->ColKeyWord(), clBlue);
        EXPECT_EQ(pane->ColSelText(), clWhite);
        EXPECT_EQ(pane->ColSelBrush(), clBlack);
        EXPECT_EQ(pane->FontColor(), clWindowText);
        EXPECT_EQ(pane->Color(), clWindow);
    }
    EXPECT_TRUE(w->bAutoRefresh);
    EXPECT_FALSE(w->ChangeCSStree->isChecked());
    EXPECT_EQ(w->CmbBoxPreviewHTML->count(), 1);
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(0), QStringLiteral("デフォルトプレビュー"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pavik - Build " PAVIK_VERSION_TEXT "-"));
    EXPECT_TRUE(w->sCSSFileName.isEmpty());
    EXPECT_EQ(w->TreeViewStruct->model()->rowCount(), 2);
    EXPECT_TRUE(QFileInfo::exists(w->RefreshPagePath));
    EXPECT_TRUE(browser->navigations.empty());

    showAndSettle(*w);
    EXPECT_EQ(w->size(), QSize(683, 542));
    EXPECT_EQ(w->PanelTopLeft->width(), 250);
    EXPECT_EQ(w->PanelTopCenter->width(), 150);
    EXPECT_EQ(w->PanelTop->height(), 270);
    EXPECT_EQ(w->CmbBoxExDoctype->currentIndex(), 0);
    EXPECT_EQ(w->BaseFSize, 3);
    EXPECT_TRUE(w->FSize[2]->isChecked());
    EXPECT_EQ(w->StatusBar->savedState(), QStringLiteral("保存済み"));
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("操作を待っています :)"));
    EXPECT_TRUE(messages->errors.isEmpty());
}

TEST_F(StartUp, SettingsFileValuesApplyAndABadColourFallsBack) {
    const QString page = writeFile("page.html", "<html><body></body></html>");
    writeSettings("[SYSTEM]\r\nPosX=60\r\nPosY=40\r\nwidth=720\r\nheight=560\r\n"
                  "WidthStruct=300\r\nWidthTarget=180\r\nHeightTop=320\r\n"
                  "EditFontName=Noto Sans Mono CJK JP\r\nEditFontSize=12\r\n"
                  "TagCol=notacolour\r\nSelCol=clYellow\r\nAutoRefresh=0\r\nTreetype=1\r\n"
                  "Doctype=9\r\nBaseFSize=7\r\n"
                  "[Preview]\r\n1=\r\n2=" + page.toStdString() + "\r\n3=/no/such/page.html\r\n");
    auto w = makeWindow();
    EXPECT_EQ(w->pos(), QPoint(60, 40));
    EXPECT_EQ(w->size(), QSize(720, 560));
    EXPECT_EQ(w->RichEditSrc->font().pointSize(), 12);
    EXPECT_EQ(w->RichEditSrc->ColKeyWord(), clBlue);  // the default, start-up goes on
    EXPECT_EQ(w->EditHTML->ColSelText(), clYellow);
    EXPECT_FALSE(w->bAutoRefresh);
    EXPECT_TRUE(w->ChangeCSStree->isChecked());
    ASSERT_EQ(w->CmbBoxPreviewHTML->count(), 2);
    EXPECT_EQ(w->CmbBoxPreviewHTML->itemText(1), page);
    EXPECT_EQ(w->CmbBoxPreviewHTML->currentIndex(), 0);

    showAndSettle(*w);
    EXPECT_EQ(w->PanelTopLeft->width(), 300);
    EXPECT_EQ(w->PanelTopCenter->width(), 180);
    EXPECT_EQ(w->PanelTop->height(), 320);
    EXPECT_EQ(w->CmbBoxExDoctype->currentIndex(), 9);
    EXPECT_EQ(w->BaseFSize, 7);
    for (QAction* a : w->FSize) EXPECT_FALSE(a->isChecked());
    w->close();
    w.reset();

    IniFile ini = settings();
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "BaseFSize", 0), 7);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "Doctype", 0), 9);
    EXPECT_TRUE(ini.ReadBool("SYSTEM", "Treetype", false));
    // Key 1 was blanked at start and takes the first listed page at exit; key 2 keeps it.
    EXPECT_EQ(ini.ReadString("Preview", "1", "x"), page.toStdString());
    EXPECT_EQ(ini.ReadString("Preview", "2", "x"), page.toStdString());
    EXPECT_EQ(ini.ReadString("Preview", "3", "x"), "");
}

TEST_F(StartUp, HostileSettingsFileStartsAWindowWithinTheScreen) {
    const char* files[] = {
        "[SYSTEM]\r\nwidth=30000\r\nheight=30000\r\n",
        "[SYSTEM]\r\nwidth=-2147483648\r\nheight=-2147483648\r\nWidthStruct=1\r\nHeightTop=2147483647\r\n"
        "EditFontSize=0\r\nEditFontName=\r\nDoctype=2147483647\r\n",
        "[SYSTEM]\r\nPosX=2147483647\r\nPosY=-2147483648\r\nEditFontSize=100000\r\n"
        "[TB1Pos]\r\nmnuFile.left=2147483647\r\nmnuFile.top=2147483647\r\nmnuStyle.left=-2147483648\r\n"
        "mnuTools.top=2147483647\r\n"
        "[TB2Pos]\r\nmnuFile.left=2147483647\r\ncmbPreview.left=2147483647\r\ncmbDoctype.left=-2147483648\r\n",
    };
    for (const char* ini : files) {
        writeSettings(ini);
        auto w = makeWindow();
        showAndSettle(*w);
        (void)w->grab();  // paints every control
        const QRect screen = w->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(w->frameGeometry())) << ini;
        EXPECT_EQ(w->RichEditSrc->font().pointSize(), 10) << ini;
        EXPECT_EQ(w->CmbBoxExDoctype->currentIndex(), 0) << ini;
        for (QWidget* band : std::initializer_list<QWidget*>{w->TBFile, w->TBStyle, w->TBTools, w->ToolBarDown,
                                                              w->CmbBoxPreviewHTML, w->CmbBoxExDoctype})
            EXPECT_TRUE(band->x() >= 0 && band->x() < 2 * w->width()) << ini;
        EXPECT_LE(w->TBFile->x() + w->TBFile->width(), w->width()) << ini;  // in view
        EXPECT_LE(w->ControlBarTop->height(), w->height()) << ini;
        EXPECT_TRUE(messages->errors.isEmpty()) << ini;
        w->close();
        w.reset();
        IniFile written = settings();
        EXPECT_LE(written.ReadInteger("SYSTEM", "width", 0), screen.width()) << ini;
        EXPECT_GE(written.ReadInteger("SYSTEM", "WidthStruct", -1), 0) << ini;
    }
}

TEST_F(StartUp, UpperCaseCssArgumentIsOpenedAndShownAsTyped) {
    const QString file = writeFile("Sub Dir/Main.CSS", kSheet);
    auto w = makeWindow({file});
    EXPECT_EQ(w->sCSSFileName, file);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pavik - Build " PAVIK_VERSION_TEXT "- [ ") + file + " ]");
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")).isValid());
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/A:hover")).isValid());
    ASSERT_FALSE(browser->navigations.empty());
    EXPECT_EQ(browser->navigations.back().path, w->PreviewHTMLPath);
    EXPECT_TRUE(browser->navigations.back().anchor.isEmpty());
    EXPECT_EQ(browser->navigations.back().page, PreviewPage::Sample);  // scripts off
    EXPECT_TRUE(QFileInfo::exists(w->PreviewHTMLPath));
    EXPECT_TRUE(QFileInfo::exists(w->PreviewCSSPath));
    EXPECT_TRUE(w->bCSSSaved);
}

TEST_F(StartUp, NonCssArgumentOpensNothingNotEvenTheLastFile) {
    const QString last = writeFile("last.css", kSheet);
    writeSettings("[SYSTEM]\r\nLastopen=1\r\nLastopenCSS=" + last.toStdString() + "\r\n");
    auto html = makeWindow({writeFile("page.html", "<html></html>")});
    EXPECT_TRUE(html->sCSSFileName.isEmpty());
    EXPECT_EQ(html->TreeViewStruct->model()->rowCount(), 2);
    EXPECT_EQ(html->TreeViewStruct->model()->rowCount(html->ElementBaseNode), 0);
    html.reset();

    auto none = makeWindow();
    EXPECT_EQ(none->sCSSFileName, last);  // no argument: the last file is reopened
    EXPECT_TRUE(findItem(none->TreeViewStruct, QStringLiteral("エレメント/H1")).isValid());
}

TEST_F(StartUp, TheApplicationTitleAddsNothingToTheWindowCaption) {
    setApplicationTitle();
    EXPECT_EQ(QGuiApplication::applicationName(), QStringLiteral("Pavik"));
    // No display name of its own: Qt appends a set display name to every window title.
    QGuiApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QGuiApplication::setApplicationName(QStringLiteral("Pavik"));
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_EQ(w->windowHandle()->title(), QStringLiteral("Pavik - Build " PAVIK_VERSION_TEXT "-"));
}

TEST_F(StartUp, QtsOwnDialogsSpeakJapanese) {
    ASSERT_TRUE(installJapaneseQtTexts());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

TEST_F(StartUp, HelpIsUsedOnlyWhenTheFileExists) {
    auto without = makeWindow({}, false);
    EXPECT_FALSE(without->mnuHelpView->isEnabled());
    EXPECT_FALSE(without->mnuHelpKey->isEnabled());
    without->mnuHelpView->trigger();
    without->CallHTMLHelpContext(20);
    bool callHelp = true;
    EXPECT_FALSE(without->CallHTMLHelpP(HelpDesk::ContextPopup, 7, callHelp));
    without.reset();
    EXPECT_TRUE(helpCalls.isEmpty());

    auto with = makeWindow({}, true);
    EXPECT_TRUE(with->mnuHelpView->isEnabled());
    with->mnuHelpView->trigger();
    with->mnuHelpKey->trigger();
    with->CallHTMLHelpContext(50);
    // The position comes as x in the low and y in the high 16 bits, each signed.
    EXPECT_FALSE(with->CallHTMLHelpP(HelpDesk::SetPopupPosition, static_cast<std::int32_t>(0xFFF6'0030u), callHelp));
    EXPECT_FALSE(with->CallHTMLHelpP(HelpDesk::ContextPopup, 7, callHelp));
    EXPECT_FALSE(with->CallHTMLHelpP(99, 7, callHelp));
    EXPECT_TRUE(callHelp);
    const QString font = with->font().family();
    with.reset();
    EXPECT_EQ(helpCalls, QStringList({"initialize", "contents", "index", "topic 50",
                                      QStringLiteral("popup 7 at 48,-10 in %1, 10, ").arg(font), "shutdown"}));
}

TEST_F(StartUp, HandlerErrorsBecomeMessagesWithTheReason) {
    auto w = makeWindow();
    EXPECT_NO_THROW(w->guarded([] { throw std::runtime_error("disk full"); }));
    ASSERT_EQ(messages->errors.size(), 1);
    EXPECT_TRUE(messages->errors[0].contains(QStringLiteral("disk full")));
}

using Shutdown = WindowTest;

TEST_F(Shutdown, NormalStateWritesGeometryAndSettingsAndDeletesTemporaryFiles) {
    writeSettings("[SYSTEM]\r\nLastopen=1\r\n");
    const QString file = writeFile("a.css", kSheet);
    auto w = makeWindow({file});
    showAndSettle(*w);
    w->move(70, 60);
    w->resize(800, 600);
    w->SplitterTop->setSizes({200, 160, 440});
    w->ChangeCSStree->setChecked(true);
    const QString preview = w->PreviewHTMLPath, css = w->PreviewCSSPath, refresh = w->RefreshPagePath;
    ASSERT_TRUE(QFileInfo::exists(preview));
    w->close();
    w.reset();

    EXPECT_FALSE(QFileInfo::exists(preview));
    EXPECT_FALSE(QFileInfo::exists(css));
    EXPECT_FALSE(QFileInfo::exists(refresh));
    IniFile ini = settings();
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "Version", 0), 155);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "PosX", 0), 70);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "PosY", 0), 60);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "width", 0), 800);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "height", 0), 600);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "WidthStruct", 0), 200);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "WidthTarget", 0), 160);
    EXPECT_FALSE(ini.ReadBool("SYSTEM", "Maximized", true));
    EXPECT_TRUE(ini.ReadBool("SYSTEM", "Treetype", false));
    EXPECT_EQ(ini.ReadString("SYSTEM", "LastopenCSS", ""), file.toStdString());
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "PreviewMode", -1), 0);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "BaseFSize", 0), 3);
    EXPECT_TRUE(ini.SectionExists("TB1Pos"));
    EXPECT_TRUE(ini.ValueExists("TB1Pos", "mnuFile.left"));
    EXPECT_FALSE(ini.ValueExists("TB1Pos", "mnuBrowser.left"));  // hidden by default
    EXPECT_TRUE(ini.ValueExists("TB2Pos", "cmbDoctype.left"));
}

TEST_F(Shutdown, MaximisedWritesOnlyTheStateAndKeepsTheNormalGeometry) {
    writeSettings("[SYSTEM]\r\nPosX=11\r\nPosY=12\r\nwidth=701\r\nheight=502\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    w->showMaximized();
    settle();
    w->close();
    w.reset();
    IniFile ini = settings();
    EXPECT_TRUE(ini.ReadBool("SYSTEM", "Maximized", false));
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "PosX", 0), 11);
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "width", 0), 701);
    EXPECT_FALSE(ini.ValueExists("SYSTEM", "WidthStruct"));

    auto again = makeWindow();
    EXPECT_TRUE(again->windowState() & Qt::WindowMaximized);
}

TEST_F(Shutdown, UnsavedStyleSheetIsOfferedForSavingAndLastopenIsCleared) {
    const QString file = writeFile("b.css", kSheet);
    auto w = makeWindow({file});
    showAndSettle(*w);
    w->bCSSSaved = false;
    messages->answer = true;
    w->close();
    ASSERT_EQ(messages->confirms.size(), 1);
    EXPECT_EQ(messages->confirms[0], QStringLiteral("現在のスタイルシート [ b.css ] への変更を保存しますか?"));
    w.reset();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("/* Generator Pavik - Build155 - on "));
    EXPECT_EQ(settings().ReadString("SYSTEM", "LastopenCSS", "x"), "");
}

TEST_F(Shutdown, TerminationSignalsCloseInOrderWithoutTheQuestion) {
    for (int signal : TerminationSignals::Signals) {
        writeSettings("[SYSTEM]\r\nLastopen=1\r\n");
        const QString file = writeFile("a.css", kSheet);
        auto w = makeWindow({file});
        showAndSettle(*w);
        TerminationSignals watch([&w](int) { w->closeBySignal(); });
        w->move(70, 60);
        w->bCSSSaved = false;  // a plain close would ask
        const QString preview = w->PreviewHTMLPath, css = w->PreviewCSSPath, refresh = w->RefreshPagePath;
        ASSERT_TRUE(QFileInfo::exists(preview));

        ASSERT_EQ(::raise(signal), 0);
        settle();
        EXPECT_FALSE(w->isVisible()) << signal;
        EXPECT_TRUE(messages->confirms.isEmpty()) << signal;
        w.reset();
        EXPECT_FALSE(QFileInfo::exists(preview)) << signal;
        EXPECT_FALSE(QFileInfo::exists(css)) << signal;
        EXPECT_FALSE(QFileInfo::exists(refresh)) << signal;
        IniFile ini = settings();
        EXPECT_EQ(ini.ReadInteger("SYSTEM", "PosX", 0), 70) << signal;
        EXPECT_EQ(ini.ReadString("SYSTEM", "LastopenCSS", ""), file.toStdString()) << signal;
        EXPECT_TRUE(ini.ValueExists("TB2Pos", "cmbDoctype.left")) << signal;
        EXPECT_EQ(QFile(file).size(), qint64(kSheet.size())) << signal;  // not saved
    }
}

// A signal while a box shows at start (the file named on the command line cannot be read)
// answers it; the window is made without waiting for anyone and closes unshown, in order.
TEST_F(Shutdown, ASignalDuringAStartUpBoxClosesTheWindowUnshown) {
    TerminationSignals watch;  // made at the start of the program
    terminationSignals = &watch;
    whileErrorShown = [] { ::raise(SIGTERM), settle(); };  // settle: the box's own event loop
    auto w = makeWindow({QDir(home()).filePath("missing.css")});
    EXPECT_EQ(messages->errors.size(), 1);
    ASSERT_TRUE(w->closingBySignal());
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(messages->confirms.isEmpty());
    w.reset();
    EXPECT_TRUE(settings().ValueExists("TB2Pos", "cmbDoctype.left"));  // written by the close
}

// A settings file that cannot be written is told once, in a box, or on standard error when
// the window closes on a signal (no one may be there to answer); one that could not be read
// is told at start, and never written.
TEST_F(Shutdown, SettingsThatCannotBeWrittenAreToldOnceAndNeverWaitForAPerson) {
    enum How { ClosedByUser, ClosedBySignal, NotReadAtStart };
    const QString ini = QString::fromStdString(settingsPath());
    for (How how : {ClosedByUser, ClosedBySignal, NotReadAtStart}) {
        QDir(ini).removeRecursively();
        if (how == NotReadAtStart) {
            writeSettings("[SYSTEM]\r\nPrev1=/usr/bin/browser\r\n");
            std::filesystem::resize_file(settingsPath(), MaxReadFileSize + 1);  // over the limit
        }
        const QDateTime written = QFileInfo(ini).lastModified();
        auto w = makeWindow();
        showAndSettle(*w);
        if (how != NotReadAtStart) ASSERT_TRUE(QDir().mkpath(ini));  // every flush fails
        testing::internal::CaptureStderr();
        if (how == ClosedBySignal) {
            TerminationSignals watch([&w](int) { w->closeBySignal(); });
            ASSERT_EQ(::raise(SIGTERM), 0);
            settle();
        } else {
            w->close();  // flushes twice
        }
        w->FormDestroy();  // and once more
        const QString said = QString::fromStdString(testing::internal::GetCapturedStderr()) + messages->errors.join("");
        EXPECT_FALSE(w->isVisible()) << how;
        EXPECT_EQ(messages->errors.size(), how == ClosedBySignal ? 0 : 1) << how;
        EXPECT_EQ(said.count(ini), 1) << how << said.toStdString();
        if (how == NotReadAtStart) EXPECT_EQ(QFileInfo(ini).lastModified(), written);
    }
}

using ToolBars = WindowTest;

TEST_F(ToolBars, DefaultsLineUpInOneRowAndMasksChooseButtons) {
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_FALSE(w->TBFile->isHidden());
    EXPECT_EQ(w->TBFile->width(), 76);
    EXPECT_EQ(w->TBStyle->width(), 116);
    EXPECT_EQ(w->TBTools->width(), 29);
    EXPECT_TRUE(w->TBBrowser->isHidden());
    // Packed left to right, each after the grip of its band.
    const int gap = 2 + ControlBar::GripWidth;
    EXPECT_EQ(w->TBStyle->x(), w->TBFile->x() + w->TBFile->width() + gap);
    EXPECT_EQ(w->TBTools->x(), w->TBStyle->x() + w->TBStyle->width() + gap);
    EXPECT_EQ(w->TBFile->y(), w->TBTools->y());
    w.reset();

    writeSettings("[Tbar]\r\nmnuFile=0\r\nmnuTool=2\r\nmnuBrowser=1\r\n"
                  "[TB1Pos]\r\nmnuBrowser.top=0\r\nmnuBrowser.left=300\r\nmnuStyle.top=0\r\nmnuStyle.left=0\r\n");
    w = makeWindow();
    showAndSettle(*w);
    EXPECT_TRUE(w->TBFile->isHidden());
    EXPECT_TRUE(w->TBTools->isHidden());
    EXPECT_FALSE(w->TBBrowser->isHidden());
    EXPECT_EQ(w->TBBrowser->width(), 44);
    EXPECT_EQ(w->TBBrowser->x(), 300);
    EXPECT_LT(w->TBStyle->x(), w->TBBrowser->x());
}

TEST_F(ToolBars, LongHintGoesToTheStatusLine) {
    auto w = makeWindow();
    showAndSettle(*w);
    QStatusTipEvent tip(w->FileSave->statusTip());
    QApplication::sendEvent(w.get(), &tip);
    EXPECT_EQ(w->StatusBar->message(), QStringLiteral("編集中のスタイルシートを保存します"));
    EXPECT_EQ(w->FileSave->toolTip(), QStringLiteral("保存"));
}

}  // namespace
}  // namespace pavik::test
