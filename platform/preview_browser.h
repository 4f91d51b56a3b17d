#pragma once
// The embedded preview browser behind a small interface, so that the main window and the
// dialogs can be tested with a recording fake. The real one is a QWebEngineView.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace pavik {

// What the browser shows: a page the program built from the style sheet (the sample page,
// the box editor's page), or a page the user chose. The program's page runs no script and
// reaches no local file beyond those it links; a user's page is shown as a browser that
// opened it from disk shows it (scripts as setScriptsEnabled says): it shows the style
// sheets, images, media and frames it links, but every local file is an origin of its own,
// so its scripts read no local file's contents by any route.
enum class PreviewPage { Sample, User };

// How the style sheet file a page links changed since the browser last read it (or was
// last updated): the rules whose text changed, each as the file now holds it. Nothing else
// in the file changed. No rules: nothing changed.
struct StyleSheetChange {
    struct Rule {
        size_t index;      // among the style sheet's rules, in file order
        QString selector;  // the selector as written
        QString block;     // what the file holds between the rule's "{" and "}"
    };
    QString cssPath;  // the style sheet file
    std::vector<Rule> rules;
    size_t ruleCount = 0;  // the style sheet's rules
    // The file's rules in their order, each rule's selector as written, rule i with the block
    // "{--pavik-rule:i}", and the file's other top-level texts as written, one a line: how the
    // browser tells which of its rules is which. Asked for at most once a load:
    // ruleMap(use) calls use(text). The window may run both beside itself, as they take long
    // on a big sheet.
    using MapUse = std::function<void(const QString& text)>;
    std::function<void(const MapUse& use)> ruleMap;
};

class PreviewBrowser {
public:
    virtual ~PreviewBrowser() = default;
    // The control to place in the window (nullptr for a fake without one).
    virtual QWidget* widget() = 0;
    // Shows the local file `path`, scrolled to the anchor named `anchor` when it is not empty.
    virtual void navigate(const QString& path, const QString& anchor, PreviewPage page) = 0;
    // As navigate, but when the page shown is `path`, loaded from the file as it is now:
    // nothing is loaded, the changed rules are set in place in the page's style sheet (the
    // cascade is the file's), and the page is scrolled to the anchor; with no change, it is
    // only scrolled. Where that cannot be done, as navigate.
    virtual void update(const QString& path, const QString& anchor, PreviewPage page, const StyleSheetChange& change) {
        (void)change;
        navigate(path, anchor, page);
    }
    // As navigate, for a page written anew in place of the page shown that begins as it did:
    // `head` is what the file holds before its body's contents. When the page shown is
    // `path`, loaded from a file that began with `head` as well, nothing is loaded: the body's
    // contents are replaced with the file's (the page keeps the style sheets it has read) and
    // the page is scrolled to the anchor. Where that cannot be done, as navigate.
    virtual void navigateBody(const QString& path, const QString& anchor, PreviewPage page, const QByteArray& head) {
        (void)head;
        navigate(path, anchor, page);
    }
    // The sample page about to be shown links the style sheet `sheet.cssPath` of
    // `sheet.ruleCount` rules: whenever a page shows it read anew, the browser may read the
    // sheet's map, so that a first change to a big sheet is set in place sooner. Holds until
    // the next call (one without a map: none is read).
    virtual void learnRules(const StyleSheetChange& sheet) { (void)sheet; }
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
// from, only the page's style sheets are fetched again before the scroll. A new body is
// parsed from the file, in the page's character set and mode, as a load parses it. An update
// sets the changed rules through the page's style sheet objects, after checking each against
// the browser's own reading of its text; where a check fails, the style sheets are fetched
// again. These are scripts of its own, which run also where the page's scripts are off.
std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent);

// Registers the address schemes through which a user's page is shown. They must be known
// before the embedded browser starts: call this before the QApplication is made (the first
// makeWebEnginePreview calls it too, which serves where no browser ran before).
void registerPreviewSchemes();

}  // namespace pavik
