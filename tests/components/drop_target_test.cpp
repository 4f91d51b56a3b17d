// The drop target: the effect chosen from the keys and the kinds of drop allowed, one drag
// from enter to leave or drop, scrolling near the edges, registration, and the file list of a
// "text/uri-list", also on the clipboard. (The window's tests drag through Qt onto its two targets.)
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "components/drop_target.h"
#include "components/drop_target_qt.h"
#include "test_support.h"

namespace pavik::test {
namespace {

class FakeData : public DropData {
public:
    bool files = true;  // offers a file list
    std::vector<std::string> list = {"/home/u/a.css"};
    bool hasFileList() const override { return files; }
    std::vector<std::string> fileList() const override { return files ? list : std::vector<std::string>{}; }
};

class FakeSite : public DropSite {
public:
    void acceptDrops(TDropTarget* t) override { accepts.push_back(t != nullptr); }
    TSize clientSize() const override { return {200, 100}; }
    int fontHeight() const override { return -12; }  // a font height may come negative
    bool scrollsHorizontally() const override { return horizontal; }
    bool scrollsVertically() const override { return vertical; }
    void scrollLine(int dx, int dy) override { lines.push_back({dx, dy}); }

    bool horizontal = false, vertical = false;
    std::vector<bool> accepts;  // each registration change: true taken, false let go
    std::vector<TPoint> lines;  // lines scrolled, as (dx, dy)
};

// A file target on a fake site that records its events as text.
struct Recorder {
    explicit Recorder(TDragTypes types = dtCopy) {
        target.Dragtypes = types;
        target.Register(&site);
        const auto note = [this](const char* what) {
            return [this, what](TDropTarget& sender, TShiftState, TPoint, TDropEffect& effect) {
                std::string files;
                for (const std::string& f : static_cast<TDropFileTarget&>(sender).DroppedFiles) files += " " + f;
                events.push_back(std::string(what) + files);
                if (refuse) effect = DropEffectNone;
            };
        };
        target.OnEnter = note("enter");
        target.OnDragOver = note("over");
        target.OnDrop = note("drop");
        target.OnLeave = [this](TDropTarget&) { events.push_back("leave"); };
    }
    FakeSite site;
    TDropFileTarget target;
    std::vector<std::string> events;
    bool refuse = false;
};

constexpr TDropEffect Copy = DropEffectCopy, Move = DropEffectMove, Link = DropEffectLink, None = DropEffectNone;

TEST(DropEffect, FollowsTheKeysWithinTheKindsAllowedAndOffered) {
    struct Case {
        TDragTypes allowed;
        TDropEffect offered;
        TShiftState keys;
        TDropEffect expected;
    };
    const TDragTypes all = dtCopy | dtMove | dtLink;
    const Case cases[] = {
        // Copy only (as the window's targets): copy whatever keys are held; nothing for a move.
        {dtCopy, Copy | Move, ssShift, Copy},
        {dtCopy, Copy | Move, ssShift | ssCtrl, Copy},
        {dtCopy, Move, 0, None},
        // Everything allowed: Shift moves, Shift+Ctrl links, Ctrl alone copies.
        {all, Copy | Move | Link, ssShift, Move},
        {all, Copy | Move | Link, ssShift | ssCtrl, Link},
        {all, Copy | Move | Link, ssCtrl | ssAlt, Copy},
        // A key asking for what is not offered gives the first of copy, move, link offered.
        {all, Copy | Link, ssShift, Copy},
        {all, Link, 0, Link},
        {0, Copy | Move | Link, 0, None},
    };
    for (const Case& c : cases) {
        Recorder r(c.allowed);
        FakeData data;
        EXPECT_EQ(r.target.DragEnter(&data, c.keys, {50, 50}, c.offered), c.expected)
            << int(c.allowed) << " " << c.offered << " " << int(c.keys);
        EXPECT_EQ(r.target.DragOver(c.keys, {60, 50}, c.offered), c.expected);
    }

    // The owner's choice replaces the keys', from the effect the allowed kinds leave.
    Recorder r(dtCopy | dtLink);
    std::vector<TDropEffect> asked;
    r.target.OnGetDropEffect = [&](TDropTarget&, TShiftState, TPoint, TDropEffect& effect) {
        asked.push_back(effect);
        effect = Link;
    };
    FakeData data;
    EXPECT_EQ(r.target.DragEnter(&data, ssShift, {1, 1}, Copy | Move | Link), Link);
    EXPECT_EQ(asked, std::vector<TDropEffect>{Copy | Link});
}

TEST(DropTarget, OneDragFromEnterToDropOrLeave) {
    // Data read on entering: the enter handler sees the files; leaving forgets them.
    {
        Recorder r;
        r.target.GetDataOnEnter = true;
        FakeData data;
        data.list = {"/p/a.html", "/p/b.html"};
        EXPECT_EQ(r.target.DragEnter(&data, 0, {5, 5}, Copy), Copy);
        EXPECT_EQ(r.target.DroppedFiles.size(), 2u);
        r.target.DragLeave();
        EXPECT_TRUE(r.target.DroppedFiles.empty());
        EXPECT_EQ(r.events, (std::vector<std::string>{"enter /p/a.html /p/b.html", "leave"}));
    }
    // Data read at the drop: the enter handler sees none, the drop handler sees them, and
    // they are gone after the drop. A handler may refuse while the pointer moves.
    {
        Recorder r;
        FakeData data;
        r.target.DragEnter(&data, 0, {5, 5}, Copy);
        r.refuse = true;
        EXPECT_EQ(r.target.DragOver(0, {6, 5}, Copy), None);
        r.refuse = false;
        EXPECT_EQ(r.target.Drop(0, {6, 5}, Copy), Copy);
        EXPECT_TRUE(r.target.DroppedFiles.empty());
        EXPECT_EQ(r.events, (std::vector<std::string>{"enter", "over", "drop /home/u/a.css"}));
        // The drag is over: a late drop gives nothing.
        EXPECT_EQ(r.target.Drop(0, {6, 5}, Copy), None);
    }
    // No file list: refused from the start, and no handler hears of it until it leaves.
    // A list without a usable file (say, only web addresses) gives no drop.
    for (bool hasList : {false, true}) {
        Recorder r;
        FakeData data;
        data.files = hasList;
        data.list.clear();
        EXPECT_EQ(r.target.DragEnter(&data, 0, {5, 5}, Copy), hasList ? Copy : None);
        EXPECT_EQ(r.target.DragOver(0, {5, 6}, Copy), hasList ? Copy : None);
        EXPECT_EQ(r.target.Drop(0, {5, 6}, Copy), None);
        const std::vector<std::string> heard = hasList ? std::vector<std::string>{"enter", "over"} : std::vector<std::string>{};
        EXPECT_EQ(r.events, heard);
    }
}

TEST(DropTarget, ScrollsALineEvery100MsWhileThePointerRestsNearAScrollableEdge) {
    ManualTimers timers;
    Recorder r;
    r.site.vertical = true;
    FakeData data;
    r.target.DragEnter(&data, 0, {100, 50}, Copy);
    ManualTimer* timer = timers.last();
    // Within the margin (the font's height, 12) of the bottom: the scroll bit, a line down a tick;
    // near the top, up; no horizontal scrolling on this control.
    EXPECT_EQ(r.target.DragOver(0, {100, 95}, Copy), Copy | DropEffectScroll);
    timer->advance(300);
    r.target.DragOver(0, {5, 3}, Copy);
    timer->advance(100);
    EXPECT_EQ(r.site.lines, (std::vector<TPoint>{{0, 1}, {0, 1}, {0, 1}, {0, -1}}));
    // Away from the edges it stops, and so it does when the drag leaves.
    EXPECT_EQ(r.target.DragOver(0, {100, 50}, Copy), Copy);
    EXPECT_FALSE(r.target.Scrolling());
    r.target.DragOver(0, {100, 99}, Copy);
    r.target.DragLeave();
    timer->advance(500);
    EXPECT_EQ(r.site.lines.size(), 4u);
}

TEST(DropTarget, RegistersOneSiteAtATime) {
    FakeSite a, b;
    {
        TDropFileTarget t;
        t.Register(&a);
        t.Register(&a);
        EXPECT_EQ(a.accepts, std::vector<bool>{true});
        t.Register(&b);
        EXPECT_EQ(a.accepts, (std::vector<bool>{true, false}));
        EXPECT_EQ(b.accepts, std::vector<bool>{true});
        EXPECT_TRUE(t.Registered());
    }
    EXPECT_EQ(b.accepts, (std::vector<bool>{true, false}));  // let go when destroyed
}

TEST(UriList, GivesTheLocalFilesInOrder) {
    struct Case {
        const char* what;
        std::string list;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"three forms of a local file", "file:///a/b.css\r\nfile://localhost/c.html\r\nfile:/d.htm\r\n",
         {"/a/b.css", "/c.html", "/d.htm"}},
        {"this machine by name, any letter case", "file://Box7/e.css\nFILE://box7/f.css", {"/e.css", "/f.css"}},
        {"escapes decoded, UTF-8 bytes kept",
         "file:///home/u/my%20page%23.html\r\nfile:///%E3%83%9A%E3%83%BC%E3%82%B8.html\r\n",
         {"/home/u/my page#.html", "/\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8.html"}},
        {"comments, blank lines, other machines and schemes left out",
         "# dragged\r\n\r\nfile://server/share/x.css\r\nhttps://example.org/a.css\r\nfile:///ok.css\r\n", {"/ok.css"}},
        {"a query or fragment is not part of the path", "file:///q.html?x=1\r\nfile:///r.html#top\r\n", {"/q.html", "/r.html"}},
        {"broken or NUL escapes, relative paths", "file:///bad%2\r\nfile:///nul%00.css\r\nfile:rel.css\r\n", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(localFilesFromUriList(c.list, "box7"), c.files) << c.what;
}

TEST(DropFileTarget, ReadsTheClipboardsFilesAndWhetherTheyWereCopiedOrCut) {
    const std::vector<std::string> kept = {"/kept.css"}, a = {"/a.css"};
    const struct {
        const char *uriList, *format, *note;  // no file list; a file manager's note of a cut
        std::vector<std::string> files;
        TDropEffect expected;
    } cases[] = {
        {"file:///a.css\r\nfile:///b%20c.html\r\n", "", "", {"/a.css", "/b c.html"}, Copy},
        {"file:///a.css\r\n", "x-special/gnome-copied-files", "cut\nfile:///a.css", a, Move},
        {"file:///a.css\r\n", "application/x-kde-cutselection", "1", a, Move},
        {nullptr, "", "", kept, None},
    };
    for (const auto& c : cases) {
        auto* data = new QMimeData;
        if (c.uriList) data->setData(QStringLiteral("text/uri-list"), c.uriList);
        if (*c.format) data->setData(QLatin1String(c.format), c.note);
        QGuiApplication::clipboard()->setMimeData(data);
        TDropFileTarget target;
        target.DroppedFiles = kept;
        EXPECT_EQ(ReadClipboardFiles(target), c.expected) << c.note;
        EXPECT_EQ(target.DroppedFiles, c.files) << c.note;
    }
}

}  // namespace
}  // namespace pavik::test
