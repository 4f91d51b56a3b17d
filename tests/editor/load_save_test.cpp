// Loading and saving: plain text with every flag, the own format, files and streams.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <fstream>
#include <sstream>

#include "editor/own_format.h"
#include "support.h"

namespace pavik {
namespace {

namespace fs = std::filesystem;
using test::rowsOf;
using V = std::vector<std::string>;

std::string save(const EditorCore& e, std::uint8_t flags) { return e.SaveToBytes(flags); }

TEST(EditorLoadSave, PlainTextRoundTrips) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\nb", "a\r\nb"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"a\n\rb", "a\r\nb"},
        {"", ""},
        {"no line end", "no line end"},
        {std::string("nul\0inside\r\nrest", 16), std::string("nul\0inside\r\nrest", 16)},
        // Invalid CP932: a lead byte never pairs with a line end or a tab.
        {"\x82\r\n\x82\t\x82\n\xFF", "\x82\r\n\x82\t\x82\r\n\xFF"},
    };
    for (const auto& c : cases) {
        EditorCore e;
        e.LoadFromBytes(c.in, 0);
        EXPECT_EQ(save(e, 0), c.out);
    }
    EditorCore e;
    e.LoadFromBytes("\x82\r\nx", 0);
    EXPECT_EQ(rowsOf(e), (V{"\x82\r", "x"}));
}

TEST(EditorLoadSave, EveryLoadStartsFresh) {
    EditorCore e;
    e.SetText("old");
    e.ChangeRow(0, "changed", true);
    e.Caret = {3, 0};
    e.Sel.MovingEnd = {2, 0};
    test::EventLog log;
    log.attach(e);
    e.LoadFromBytes("x\r\n", 0);
    EXPECT_EQ(log.lines, (V{"undo FF", "insert 1 ", "undo TF", "undo FF"}));
    EXPECT_FALSE(e.Edited());
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(e.Caret, (TextPoint{0, 0}));
    EXPECT_FALSE(e.HasSelection());
    EXPECT_EQ(e.OpId, 0u);

    // A handler that paints on the first undo event sees the loaded rows, never none.
    std::vector<int> rowCounts;
    e.OnUndoChange = [&](EditorCore& c, bool, bool) { rowCounts.push_back(c.RowCount()); };
    e.LoadFromBytes("a\r\nb", 0);
    ASSERT_FALSE(rowCounts.empty());
    EXPECT_EQ(rowCounts.front(), 2);
}

TEST(EditorLoadSave, TabFlags) {
    EditorCore e;
    e.LoadFromBytes("\t\tab\tc\r\n\tx\r\n", lfTabsToIndent);
    EXPECT_EQ(rowsOf(e), (V{"ab\tc\r", "x\r", ""}));
    EXPECT_EQ(e.RowAttr(0).indent, 8);
    EXPECT_EQ(e.RowAttr(1).indent, 4);
    EXPECT_EQ(save(e, sfIndentAsTabs), "\t\tab\tc\r\n\tx\r\n");
    EXPECT_EQ(save(e, sfIndentAsSpaces), "        ab\tc\r\n    x\r\n");
    EXPECT_EQ(save(e, sfIndentAsTabs | sfIndentAsSpaces), "\t\tab\tc\r\n\tx\r\n");
    EXPECT_EQ(save(e, sfIndentAsSpaces | sfTabsToSpaces), "        ab  c\r\n    x\r\n");
    EXPECT_EQ(save(e, 0), "ab\tc\r\nx\r\n");

    // The indent stays 8 below the wrap column; a row of a lone tab keeps it.
    e.SetDefWrapPos(10);
    e.LoadFromBytes("\t\t\tdeep\r\n\t", lfTabsToIndent);
    EXPECT_EQ(e.RowAttr(0).indent, 2);
    EXPECT_EQ(rowsOf(e), (V{"deep\r", "\t"}));
    e.SetDefWrapPos(4);
    e.LoadFromBytes("\tx", lfTabsToIndent);
    EXPECT_EQ(e.RowAttr(0).indent, 0);

    e.LoadFromBytes("a\tbc\td\r\n", lfTabsToSpaces);
    EXPECT_EQ(e.RowText(0), "a   bc  d\r");
}

TEST(EditorLoadSave, RewrapFlagAndSoftRowsOnSave) {
    EditorCore e;
    e.SetDefWrapPos(10);
    e.LoadFromBytes("abcdefghijklmnop\r\nshort\r\nqrstuvwxyz0123", lfRewrap);
    EXPECT_EQ(rowsOf(e), (V{"abcdefghij", "klmnop\r", "short\r", "qrstuvwxyz", "0123"}));
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(save(e, 0), "abcdefghijklmnop\r\nshort\r\nqrstuvwxyz0123");
    EXPECT_EQ(save(e, sfBreakSoftRows),
              "abcdefghij\r\nklmnop\r\nshort\r\nqrstuvwxyz\r\n0123\r\n");

    // With sfBreakSoftRows every row carries its indent.
    TRowAttr a = e.RowAttr(1);
    a.indent = 2;
    e.ChangeRowAttr(1, a);
    EXPECT_EQ(save(e, sfIndentAsSpaces), "abcdefghijklmnop\r\nshort\r\nqrstuvwxyz0123");
    EXPECT_EQ(save(e, sfIndentAsSpaces | sfBreakSoftRows).substr(0, 22),
              "abcdefghij\r\n  klmnop\r\n");
}

// Loading with the rewrap flag gives the rows and records that re-flowing the loaded rows
// one paragraph after another with RewrapRow gives, for seeded random texts.
TEST(EditorLoadSave, RewrapOnLoadMatchesRewrappingRowByRow) {
    const std::vector<std::string> pieces = {
        "a", "word ", "  ", "\t", "\r\n", "\n", "\r", "\x83\x7D", "\x83\x7B", "\x81\x42" /* 。 */,
        "\x81\x75" /* 「 */, "\xB1", "\x82", "long-unbroken-word-of-text", "}", "{"};
    std::mt19937 rng(30);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const size_t n = rng() % 60;
        for (size_t i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
        const bool huge = round % 40 == 0;  // a line cut into pieces on loading
        if (huge) text += std::string(66000 + rng() % 3, 'x') + text;
        const int wrap = huge ? 50 : 1 + static_cast<int>(rng() % 24);
        const TAFEditOptions options = static_cast<TAFEditOptions>(
            aoAutoFormat * (round % 5 != 0) | aoWordWrap * (round % 3 == 0) | aoJpnBanBreak * (round % 2 == 0));
        const std::uint8_t flags = (round % 4 == 1 ? lfTabsToIndent : 0) | (round % 6 == 2 ? lfTabsToSpaces : 0);
        auto made = [&](bool atLoad) {
            auto e = std::make_unique<EditorCore>();
            e->Options = options;
            e->SetDefWrapPos(wrap);
            e->LoadFromBytes(text, static_cast<std::uint8_t>(flags | (atLoad ? lfRewrap : 0)));
            for (int r = 0; !atLoad && r < e->RowCount();) r = e->RewrapRow(r) + 1;
            return e;
        };
        const auto loaded = made(true), reflowed = made(false);
        ASSERT_EQ(rowsOf(*loaded), rowsOf(*reflowed)) << "round " << round;
        for (int r = 0; r < loaded->RowCount(); ++r)
            ASSERT_EQ(loaded->RowAttr(r), reflowed->RowAttr(r)) << "round " << round << " row " << r;
        EXPECT_FALSE(loaded->CanUndo());
        // The text read in pieces makes the same rows, wherever the pieces end.
        EditorCore::RowReader reader = loaded->StartLoad(static_cast<std::uint8_t>(flags | lfRewrap), 1);
        for (size_t at = 0; at < text.size();) {
            const size_t size = std::min<size_t>(text.size() - at, rng() % (huge ? 70000 : 5));
            reader.add(std::string_view(text).substr(at, size));
            at += size;
        }
        const EditorCore::PreparedLoad prepared = loaded->PrepareLoad(std::move(reader));
        ASSERT_EQ(prepared.rows.size() + prepared.closingRow, static_cast<size_t>(loaded->RowCount())) << "round " << round;
        // What a save would write is known from the prepared rows before they are shown.
        for (std::uint8_t save : {0, int(sfIndentAsTabs), sfIndentAsSpaces | sfTabsToSpaces, sfBreakSoftRows | sfIndentAsSpaces}) {
            std::string saved;
            loaded->SavedTextOf(prepared, save, [&saved](std::string_view piece) { saved += piece; });
            ASSERT_EQ(saved, loaded->SaveToBytes(save)) << "round " << round;
        }
    }
}

// Every change of the text moves the change count on; reading and moving about do not.
TEST(EditorLoadSave, EveryChangeOfTheTextMovesTheChangeCountOn) {
    EditorCore e;
    test::FakeClipboard clip;
    e.SetClipboard(&clip);
    e.LoadFromBytes("ab\r\ncd\r\n", 0);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"typing", [&] { e.InsertString("x"); }},
        {"undo", [&] { e.Undo(); }},
        {"redo", [&] { e.Redo(); }},
        {"row change", [&] { e.ChangeRow(1, "zz\r", true); }},
        {"row deleted", [&] { e.DeleteRow(0); }},
        {"paste", [&] { clip.bytes = "p\r\nq\r\n"; e.PasteFromClipboard(); }},
        {"load", [&] { e.LoadFromBytes("ab\r\ncd\r\n", lfTabsToIndent); }},
        {"clear", [&] { e.Clear(); }},
    };
    for (const auto& [what, change] : changes) {
        const std::uint64_t before = e.ChangeCount();
        change();
        EXPECT_GT(e.ChangeCount(), before) << what;
    }
    const std::uint64_t before = e.ChangeCount();
    e.SaveToBytes(0);
    e.Caret = {1, 0};
    e.Sel.MovingEnd = {0, 0};
    EXPECT_EQ(e.ChangeCount(), before);
}

TEST(EditorLoadSave, OwnFormatKeepsRowsAndRecords) {
    EditorCore e;
    e.SetDefWrapPos(20);
    e.LoadFromBytes("abcdefghijklmnopqrstuvwxyz\r\n\tind\r\nend", lfRewrap | lfTabsToIndent);
    TRowAttr a = e.RowAttr(2);
    a.textColor = 0x123456;
    a.backColor = clRed;
    a.style = 3;
    e.ChangeRowAttr(2, a);
    const std::string bytes = save(e, sfOwnFormat | sfIndentAsTabs);

    ASSERT_GE(bytes.size(), kOwnHeaderSize);
    auto u32 = [&](size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
        return v;
    };
    const size_t records = bytes.size() - 4 * kOwnRecordSize;
    EXPECT_EQ(u32(0), bytes.size());
    EXPECT_EQ(u32(4), records);
    EXPECT_EQ(u32(8), 4u);
    EXPECT_EQ(bytes.substr(12, 256), std::string(256, '\0'));
    EXPECT_EQ(bytes.substr(kOwnHeaderSize, records - kOwnHeaderSize),
              "abcdefghijklmnopqrst\nuvwxyz\r\nind\r\nend\n");
    for (size_t r = 0; r < 4; ++r)
        EXPECT_EQ(bytes.substr(records + r * kOwnRecordSize + 16, 4), std::string(4, '\0'));

    EditorCore f;
    f.LoadFromBytes(bytes, lfOwnFormat | lfRewrap | lfTabsToSpaces);  // other flags ignored
    EXPECT_EQ(rowsOf(f), rowsOf(e));
    for (int r = 0; r < e.RowCount(); ++r) {
        EXPECT_TRUE(f.RowAttr(r).sameLook(e.RowAttr(r))) << r;
    }
    EXPECT_EQ(f.RowAttr(2).indent, 4);
    EXPECT_EQ(f.RowAttr(2).backColor, clRed);
    EXPECT_FALSE(f.CanUndo());
}

TEST(EditorLoadSave, BrokenOwnFormatFilesAreRejectedAndTheTextStays) {
    EditorCore good;
    good.SetText("one\r\ntwo");
    const std::string valid = good.SaveToBytes(sfOwnFormat);
    auto with32 = [&](size_t at, std::uint32_t v) {
        std::string s = valid;
        for (int i = 0; i < 4; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
        return s;
    };
    std::string extraLf = valid;
    extraLf[kOwnHeaderSize + 1] = '\n';
    std::string midCr = valid;
    midCr[kOwnHeaderSize + 1] = '\r';
    const std::string broken[] = {
        "",
        valid.substr(0, 100),                      // shorter than the header
        valid.substr(0, valid.size() - 1),         // size field no longer matches
        with32(0, 0xFFFFFFF0),                     // huge size
        with32(8, 0x7FFFFFFF),                     // huge row count
        with32(8, 3),                              // count past the records
        with32(4, 5),                              // record offset inside the header
        with32(4, static_cast<std::uint32_t>(valid.size() + 40)),
        extraLf,                                   // more rows than counted
        midCr,                                     // a line end inside a row
    };
    for (const auto& bytes : broken) {
        EditorCore e;
        e.SetText("keep me");
        e.ChangeRow(0, "keep me too", true);
        try {
            e.LoadFromBytes(bytes, lfOwnFormat);
            ADD_FAILURE() << "accepted a broken file of " << bytes.size() << " bytes";
        } catch (const EditorFileError& err) {
            EXPECT_EQ(err.kind(), EditorFileError::Kind::Format);
        }
        EXPECT_EQ(rowsOf(e), V{"keep me too"});
        EXPECT_TRUE(e.CanUndo());
    }
    EditorCore ok;
    ok.LoadFromBytes(valid, lfOwnFormat);
    EXPECT_EQ(rowsOf(ok), (V{"one\r", "two"}));
}

TEST(EditorLoadSave, OwnFormatOfNoRowsGetsTheClosingRow) {
    RowList none;
    EditorCore e;
    e.LoadFromBytes(writeOwnFormat(none), lfOwnFormat);
    EXPECT_EQ(rowsOf(e), V{""});
}

TEST(EditorLoadSave, AnOwnFormatRecordWithoutAWrapColumnGetsTheDefault) {
    // A record with wrap column 0 would wrap the paragraph after every character.
    std::vector<Row> rows{{"some text\r", TRowAttr{}}, {"", TRowAttr{}}};
    rows[0].attr.wrapPos = 0;
    rows[0].attr.indent = 3;
    rows[1].attr.wrapPos = 30;
    EditorCore e;
    e.SetDefWrapPos(40);
    e.LoadFromBytes(writeOwnFormat(rows), lfOwnFormat);
    EXPECT_EQ(e.RowAttr(0), e.DefaultRowAttr(true, 0, 40));
    EXPECT_EQ(e.RowAttr(1).wrapPos, 30);
    e.Caret = {4, 0};
    e.InsertString("!");
    EXPECT_EQ(rowsOf(e), (V{"some! text\r", ""}));
}

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() / ("pavik_editor_" + std::to_string(::getpid()));
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(EditorLoadSave, FilesAreReplacedWholeAndErrorsReported) {
    TempDir dir;
    const fs::path file = dir.path / "style.css";
    {
        std::ofstream(file, std::ios::binary) << "a{}\r\nb{}";
    }
    EditorCore e;
    e.LoadFromFile(file, 0);
    EXPECT_EQ(rowsOf(e), (V{"a{}\r", "b{}"}));
    e.Caret = {0, 1};
    e.InsertString("x");
    EXPECT_TRUE(e.Edited());
    int events = 0;
    e.OnUndoChange = [&](EditorCore&, bool, bool) { ++events; };
    e.SaveToFile(file, 4);
    EXPECT_EQ(readAll(file), "a{}\r\nxb{}");
    EXPECT_FALSE(e.Edited());
    EXPECT_EQ(events, 0);

    // A failed save reports the error, keeps the old file and the edited state.
    e.InsertString("y");
    ::chmod(file.c_str(), 0444);
    if (::access(file.c_str(), W_OK) != 0) {  // not when running as root
        EXPECT_THROW(e.SaveToFile(file, 0), EditorFileError);
        EXPECT_EQ(readAll(file), "a{}\r\nxb{}");
    }
    ::chmod(file.c_str(), 0644);
    try {
        e.SaveToFile(dir.path / "missing" / "x.css", 0);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const EditorFileError& err) {
        EXPECT_EQ(err.kind(), EditorFileError::Kind::Write);
        EXPECT_TRUE(err.code());
    }
    EXPECT_TRUE(e.Edited());

    // A failed load leaves the text as it was.
    const auto rows = rowsOf(e);
    EXPECT_THROW(e.LoadFromFile(dir.path / "absent.css", 0), EditorFileError);
    EXPECT_EQ(rowsOf(e), rows);
    EXPECT_TRUE(e.CanUndo());
}

TEST(EditorLoadSave, Streams) {
    EditorCore e;
    std::istringstream in("p\r\nq");
    e.LoadFromStream(in, 0);
    std::ostringstream out;
    e.SaveToStream(out, 0);
    EXPECT_EQ(out.str(), "p\r\nq");

    std::ostringstream closed;
    closed.setstate(std::ios::badbit);
    EXPECT_THROW(e.SaveToStream(closed, 0), EditorFileError);
}

}  // namespace
}  // namespace pavik
