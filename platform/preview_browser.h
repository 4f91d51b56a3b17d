#pragma once
// The embedded preview browser behind a small interface, so that the main window and the
// dialogs can be tested with a recording fake. The real one is a QWebEngineView.
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace pavik {

// What the browser shows: a page the program built from the style sheet (the sample page,
// the box editor's page), or a page the user chose. The program's page runs no script and
// reaches no local file beyond those it links; a user's page is shown as a browser shows
// it (scripts as setScriptsEnabled says), and its scripts cannot fetch local files.
enum class PreviewPage { Sample, User };

class PreviewBrowser {
public:
    virtual ~PreviewBrowser() = default;
    // The control to place in the window (nullptr for a fake without one).
    virtual QWidget* widget() = 0;
    // Shows the local file `path`, scrolled to the anchor named `anchor` when it is not empty.
    virtual void navigate(const QString& path, const QString& anchor, PreviewPage page) = 0;
    // Shows the local file `path` again where the page shown now is scrolled, rather than at
    // an anchor: for a rebuild the user did not ask to move (a save). A page that is loaded
    // anew is scrolled back there once loaded.
    virtual void navigateKeepingPlace(const QString& path, PreviewPage page) { navigate(path, QString(), page); }
    // Whether a page has been loaded.
    virtual bool hasDocument() const = 0;
    // Whether a user's page may run scripts (on by default). A fake may ignore it.
    virtual void setScriptsEnabled(bool on) { (void)on; }
    // The text size 1 to 4 of the preview menu, 3 being the page's own size; it holds for
    // the page shown and every page shown after it. Another number changes nothing.
    virtual void setTextSize(int level) { (void)level; }

    // Called when a navigation has finished: its page is loaded and scrolled to the anchor
    // (a page that fails to load counts as finished too). Only the real browser calls it.
    std::function<void()> OnPageShown;
};

// A QWebEngineView that reads pages without a declared encoding as Shift_JIS. It takes no
// drops (it would show the dropped file): a drag over it goes to the widgets around it. The
// text sizes 1 to 4 are the zoom factors 0.75, 0.9, 1.0 and 1.25. A navigation
// loads the file itself (a new fragment alone would not reload a rebuilt page) and then
// scrolls to the anchor; when the file is the page shown and holds what it was loaded
// from, only the page's style sheets are fetched again before the scroll. Both are scripts
// of its own, which run also where the page's scripts are off.
std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent);

}  // namespace pavik
