#pragma once
// The embedded preview browser behind a small interface, so that the main window can be
// tested with a recording fake. The real one is a QWebEngineView.
#include <QString>
#include <memory>

class QWidget;

namespace pavik {

// What the browser shows: the sample page built from the style sheet, or a page the user
// chose. The sample page runs no script and reaches no local file beyond those it links;
// a user's page is shown as a browser shows it.
enum class PreviewPage { Sample, User };

class PreviewBrowser {
public:
    virtual ~PreviewBrowser() = default;
    // The control to place in the window (nullptr for a fake without one).
    virtual QWidget* widget() = 0;
    // Shows the local file `path`, scrolled to the anchor named `anchor` when it is not empty.
    virtual void navigate(const QString& path, const QString& anchor, PreviewPage page) = 0;
    // Whether a page has been loaded.
    virtual bool hasDocument() const = 0;
};

// A QWebEngineView that reads pages without a declared encoding as Shift_JIS. Every
// navigation loads the file itself (a new fragment alone would not reload a rebuilt page)
// and then scrolls to the anchor (by a script of its own, which runs also where the page's
// scripts are off).
std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent);

}  // namespace pavik
