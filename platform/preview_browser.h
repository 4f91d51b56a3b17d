#pragma once
// The embedded preview browser behind a small interface, so that the main window and the
// dialogs can be tested with a recording fake. The real one is a QWebEngineView.
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace pavik {

class PreviewBrowser {
public:
    virtual ~PreviewBrowser() = default;
    // The control to place in the window (nullptr for a fake without one).
    virtual QWidget* widget() = 0;
    // Shows the local file `path`, scrolled to the anchor named `anchor` when it is not empty.
    virtual void navigate(const QString& path, const QString& anchor) = 0;
    // Whether a page has been loaded.
    virtual bool hasDocument() const = 0;
    // Whether pages may run scripts (on by default; without them no anchor is scrolled to).
    // A fake may ignore it.
    virtual void setScriptsEnabled(bool on) { (void)on; }

    // Called when a navigation has finished: its page is loaded and scrolled to the anchor
    // (a page that fails to load counts as finished too). Only the real browser calls it.
    std::function<void()> OnPageShown;
};

// A QWebEngineView that reads pages without a declared encoding as Shift_JIS. A navigation
// loads the file itself (a new fragment alone would not reload a rebuilt page) and then
// scrolls to the anchor; when the file is the page shown and holds what it was loaded
// from, only the page's style sheets are fetched again before the scroll.
std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent);

}  // namespace pavik
