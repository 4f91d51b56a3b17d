// Opening a style sheet at start: only regular files, absolute paths kept for the next
// start, and files in UTF-8 or UTF-16 read through CP932 and saved back in their encoding.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTreeWidget>
#include <sys/stat.h>

#include "platform/cp932.h"
#include "platform/file_bytes.h"
#include "window_support.h"

namespace pavik::test {
namespace {

const std::string kSheet = "H1 { color: red; }\r\n";

using Opening = WindowTest;

TEST_F(Opening, OnlyARegularFileIsOpenedAndAnythingElseIsToldWithoutReading) {
    const QString fifo = QDir(home()).filePath("fifo.css");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString zero = QDir(home()).filePath("zero.css");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    const QString folder = QDir(home()).filePath("folder.css");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case {
        QString file;
        QString reason;
    };
    for (const Case& c : {Case{fifo, QStringLiteral("名前付きパイプ (FIFO)")}, Case{zero, QStringLiteral("デバイス")},
                          Case{folder, QStringLiteral("フォルダ")}}) {
        for (bool fromSettings : {false, true}) {
            writeSettings("[SYSTEM]\r\nLastopen=1\r\nLastopenCSS=" + c.file.toStdString() + "\r\n");
            auto w = makeWindow(fromSettings ? QStringList() : QStringList{c.file});
            showAndSettle(*w);
            ASSERT_EQ(messages->errors.size(), 1) << c.file.toStdString();
            EXPECT_TRUE(messages->errors[0].contains(c.file));
            EXPECT_TRUE(messages->errors[0].contains(c.reason)) << messages->errors[0].toStdString();
            EXPECT_TRUE(w->sCSSFileName.isEmpty());
            EXPECT_FALSE(w->windowTitle().contains(c.file));
        }
    }
    // A last file that is gone opens nothing and says nothing.
    writeSettings("[SYSTEM]\r\nLastopen=1\r\nLastopenCSS=" + QDir(home()).filePath("gone.css").toStdString() + "\r\n");
    auto w = makeWindow();
    showAndSettle(*w);
    EXPECT_TRUE(messages->errors.isEmpty());
    EXPECT_TRUE(w->sCSSFileName.isEmpty());
}

TEST_F(Opening, RelativeArgumentIsKeptAsAnAbsolutePathForTheNextStart) {
    const QString previous = QDir::currentPath();
    const QString file = writeFile("t1.css", kSheet);
    writeSettings("[SYSTEM]\r\nLastopen=1\r\n");
    ASSERT_TRUE(QDir::setCurrent(home()));
    auto w = makeWindow({QStringLiteral("t1.css")});
    showAndSettle(*w);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("[ t1.css ]")));  // as typed
    w->close();
    w.reset();
    EXPECT_EQ(settings().ReadString("SYSTEM", "LastopenCSS", ""), file.toStdString());

    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));  // started from elsewhere
    w = makeWindow();
    QDir::setCurrent(previous);
    showAndSettle(*w);
    EXPECT_EQ(w->sCSSFileName, file);
    EXPECT_TRUE(findItem(w->TreeViewStruct, QStringLiteral("エレメント/H1")).isValid());
}

std::string utf16(const std::u16string& s, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : s) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

TEST_F(Opening, Utf8AndUtf16FilesAreReadThroughCp932AndSavedInTheirOwnEncoding) {
    // "ソ" ends in a brace-like trail byte in CP932 ("5C"); the brace after it stays a brace.
    const std::string sheet8 = "/* 見出しソ */\r\nH1 { font-family: \"メイリオ\"; }\r\n";
    const std::u16string sheet16 = u"/* 見出しソ */\r\nH1 { font-family: \"メイリオ\"; }\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        QString shown;
        std::string head;  // the saved file starts with it
    };
    const Case cases[] = {
        {"utf8.css", sheet8, QStringLiteral("UTF-8"), "/* Generator"},
        {"bom.css", "\xEF\xBB\xBF" + sheet8, QStringLiteral("UTF-8 BOM"), "\xEF\xBB\xBF/* Generator"},
        {"le.css", utf16(sheet16, false), QStringLiteral("UTF-16LE"), "\xFF\xFE/\0*\0"},
        {"be.css", utf16(sheet16, true), QStringLiteral("UTF-16BE"), "\xFE\xFF\0/\0*"},
        {"sjis.css", toCp932(sheet8), QStringLiteral("Shift_JIS"), "/* Generator"},
    };
    for (const Case& c : cases) {
        const QString file = writeFile(c.name, c.bytes);
        auto w = makeWindow({file});
        showAndSettle(*w);
        EXPECT_EQ(w->StatusBar->encoding(), c.shown) << c.name;
        ASSERT_EQ(w->Document.rules().size(), 1u) << c.name;
        const auto& rule = *w->Document.rules()[0];
        EXPECT_EQ(decodeCp932(rule.Data.Comment), "/* 見出しソ */") << c.name;
        ASSERT_EQ(rule.Declarations.size(), 1u) << c.name;
        EXPECT_EQ(decodeCp932(rule.Declarations[0].Value), "\"メイリオ\"") << c.name;
        EXPECT_TRUE(messages->infos.isEmpty()) << c.name;

        w->bCSSSaved = false;
        messages->answer = true;  // save at the close question
        w->close();
        w.reset();
        std::string saved;
        ASSERT_FALSE(readFileBytes(file.toStdString(), saved));
        EXPECT_EQ(saved.substr(0, c.head.size()), c.head) << c.name;
        // The saved file reads back to the same rule.
        auto again = makeWindow({file});
        showAndSettle(*again);
        ASSERT_EQ(again->Document.rules().size(), 1u) << c.name;
        EXPECT_EQ(again->StatusBar->encoding(), c.shown) << c.name;  // the same encoding again
        EXPECT_EQ(decodeCp932(again->Document.rules()[0]->Declarations[0].Value), "\"メイリオ\"") << c.name;
    }
}

// Opened or pasted, a character Shift_JIS cannot hold becomes a CSS escape of a form the
// file does not hold, and the user is told once; saved, it is the character again, and the
// file's own escape and its LF line ends stay.
TEST_F(Opening, CharactersShiftJisCannotHoldAreEscapedToldOnceAndSavedBack) {
    const QString file = writeFile("emoji.css", "/* 😀 \\1F600 is its own */\nP:before { content: \"😀€😀\"; }\n");
    auto w = makeWindow({file});
    EXPECT_TRUE(messages->infos.isEmpty());  // not before the window is shown
    showAndSettle(*w);
    ASSERT_EQ(messages->infos.size(), 1);
    EXPECT_TRUE(messages->infos[0].contains(QStringLiteral("😀 (\\1f600 ), € (\\20AC )")))
        << messages->infos[0].toStdString();
    ASSERT_EQ(w->Document.rules().size(), 1u);
    EXPECT_EQ(w->Document.rules()[0]->Declarations[0].Value, "\"\\1f600 \\20AC \\1f600 \"");
    w->RefreshExecute();
    settle();
    EXPECT_EQ(messages->infos.size(), 1);

    QGuiApplication::clipboard()->setText(QStringLiteral("〜✓😀"));
    w->RichEditSrc->core().Caret = {0, w->RichEditSrc->core().RowCount() - 1};
    w->RichEditSrc->PasteFromClipboard();
    EXPECT_EQ(messages->infos.size(), 1);  // not from inside the paste
    settle();
    ASSERT_EQ(messages->infos.size(), 2);
    EXPECT_TRUE(messages->infos[1].contains(QStringLiteral("〜 (\\301C ), ✓ (\\2713 ), 😀 (\\1f600 )")))
        << messages->infos[1].toStdString();

    w->FileSaveExecute();
    std::string saved;
    ASSERT_FALSE(readFileBytes(file.toStdString(), saved));
    EXPECT_EQ(saved.find('\r'), std::string::npos);
    EXPECT_NE(saved.find("\n/* 😀 \\1F600 is its own */\nP:before {\ncontent : \"😀€😀\" ;\n}\n"), std::string::npos) << saved;
    EXPECT_TRUE(saved.ends_with("〜✓😀")) << saved;
    settle();
    EXPECT_EQ(messages->infos.size(), 2);
}

}  // namespace
}  // namespace pavik::test
