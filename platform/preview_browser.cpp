#include "platform/preview_browser.h"

#include <QChildEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace pavik {
namespace {

// What the style sheet swap writes to the console when fresh style sheets are in place and
// the page is scrolled; the generation follows.
const QString StylesShownMark = QStringLiteral("pavik-styles-shown:");

// Replaces every link of the page to a local style sheet file by a copy whose address
// differs (so that the file is read again), removes the old link once the copy has loaded,
// and when all have, scrolls to the anchor and tells the console. A newer run drops the
// copies of an older one that are still loading. %1: the console mark, %2: the generation,
// %3: the anchor name. Result: the number of links.
const char* const SwapStylesScript = R"JS(
(function (g, anchor) {
  document.querySelectorAll('link[data-pavik-pending]').forEach(function (p) { p.remove(); });
  var links = Array.prototype.filter.call(document.getElementsByTagName('link'), function (l) {
    return (l.rel || '').toLowerCase().split(/\s+/).indexOf('stylesheet') >= 0 &&
           (l.getAttribute('data-pavik-href') || l.href).indexOf('file:') === 0;
  });
  var pending = links.length;
  var done = function () {
    if (window.pavikGeneration !== g) return;
    var e = anchor && (document.getElementsByName(anchor)[0] || document.getElementById(anchor));
    if (e) e.scrollIntoView();
    console.log(%1 + g);
  };
  window.pavikGeneration = g;
  links.forEach(function (l) {
    var base = l.getAttribute('data-pavik-href') || l.href;
    var n = l.cloneNode(false);
    n.setAttribute('data-pavik-href', base);
    n.setAttribute('data-pavik-pending', '');
    n.onload = n.onerror = function () {
      n.removeAttribute('data-pavik-pending');
      l.remove();
      if (--pending === 0) done();
    };
    n.href = base + (base.indexOf('?') < 0 ? '?' : '&') + 'pavik=' + g;
    l.parentNode.insertBefore(n, l.nextSibling);
  });
  if (pending === 0) done();
  return links.length;
})(%2, %3);
)JS";

// Sets the rules of a change in place in the page's style sheet, and scrolls to the anchor
// and tells the console as the swap does; with no rules, only scrolls. Each rule is first
// read alone, with its block and a rule after it, by a style sheet of the script's own:
// the block must close where the file's does, and the selector must be the one the page's
// sheet holds at that place (or be one the browser drops, as it dropped the file's). Which
// of the page's rules is which comes from the change's map, read once per style sheet.
// Result: true when done, false when the style sheets must be fetched again instead.
// %1: the console mark, %2: the generation, %3: the anchor name, %4: the style sheet's
// file name (it stands beside the page), %5: its rule count, %6: the map or null, %7: [[index, selector, block], ...].
const char* const UpdateStylesScript = R"JS(
(function (g, anchor, cssName, ruleCount, mapText, edits) {
  var finish = function () {
    window.pavikGeneration = g;
    var e = anchor && (document.getElementsByName(anchor)[0] || document.getElementById(anchor));
    if (e) e.scrollIntoView();
    console.log(%1 + g);
    return true;
  };
  if (edits.length === 0) return finish();
  if (document.querySelector('link[data-pavik-pending]')) return false;
  var cssUrl = new URL(cssName, location.href).href;
  var link = Array.prototype.find.call(document.getElementsByTagName('link'), function (l) {
    return (l.getAttribute('data-pavik-href') || l.href) === cssUrl;
  });
  var sheet = link && link.sheet;
  if (!sheet) return false;
  var state = window.pavikRules;
  if (!state || state.sheet !== sheet || state.count !== ruleCount) {
    window.pavikRules = null;
    if (mapText === null) return false;
    var mapped = new CSSStyleSheet();
    mapped.replaceSync(mapText);
    var read = mapped.cssRules, byIndex = new Int32Array(ruleCount).fill(-1);
    for (var k = 0; k < read.length; k++) {
      var i = read[k].type === 1 ? parseInt(read[k].style.getPropertyValue('--pavik-rule'), 10) : -1;
      if (!(i >= 0 && i < ruleCount) || byIndex[i] >= 0) return false;
      byIndex[i] = k;
    }
    var styleRules = [], all = sheet.cssRules;
    for (var j = 0; j < all.length; j++) if (all[j].type === 1) styleRules.push(j);
    if (styleRules.length !== read.length) return false;
    state = window.pavikRules = {sheet: sheet, count: ruleCount, byIndex: byIndex, styleRules: styleRules};
  }
  var targets = [];
  for (var n = 0; n < edits.length; n++) {
    var edit = edits[n], check = new CSSStyleSheet();
    check.replaceSync(edit[1] + ' {' + edit[2] + '}\r\n*{--pavik-end:1}');
    var rules = check.cssRules, at = state.byIndex[edit[0]];
    var closed = rules.length > 0 && rules[rules.length - 1].selectorText === '*';
    if (at < 0) {
      if (!(closed && rules.length === 1)) return false;
      continue;
    }
    var rule = sheet.cssRules[state.styleRules[at]];
    if (!(closed && rules.length === 2 && rules[0].type === 1 && rule && rule.selectorText === rules[0].selectorText))
      return false;
    targets.push([rule, edit[2]]);
  }
  targets.forEach(function (t) { t[0].style.cssText = t[1]; });
  return finish();
})(%2, %3, %4, %5, %6, %7);
)JS";

// A JSON string literal: no text can break the script it goes into.
QString jsString(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    out += '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029) {
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

// The page, passing console messages to the preview.
class ConsolePage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void(const QString&)> OnConsole;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override {
        if (OnConsole) OnConsole(message);
    }
};

// While the sample page is shown, it loads only what a page of markup and style sheets
// links: the page, style sheets, images and fonts. Frames, objects, media, scripts and
// requests of scripts are refused. A user's page loads what it links, but its scripts read
// no local file: fetch and XMLHttpRequest of a file are refused, as a browser refuses them
// to a page opened from disk. (Turning local file access off in the settings would refuse
// the linked style sheet too.)
class PageGuard : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!sample) {
            if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeXhr && info.requestUrl().isLocalFile())
                info.block(true);
            return;
        }
        switch (info.resourceType()) {
            case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
            case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
            case QWebEngineUrlRequestInfo::ResourceTypeImage:
            case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
                return;
            default:
                info.block(true);
        }
    }
    bool sample = true;
};

// The view and every widget it makes (its page's drawing surface comes and goes with the
// page's process) take no drops.
class DropRefusal : public QObject {
public:
    explicit DropRefusal(QWidget* view) : QObject(view) {
        refuse(view);
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) refuse(child);
        return false;
    }

private:
    static void refuse(QWidget* w) {
        w->setAcceptDrops(false);
        for (QWidget* child : w->findChildren<QWidget*>()) child->setAcceptDrops(false);
    }
};

// Zoom factors of the text sizes 1 to 4.
constexpr double TextSizeZoom[4] = {0.75, 0.9, 1.0, 1.25};

class WebEnginePreview : public PreviewBrowser {
public:
    explicit WebEnginePreview(QWidget* parent) : view_(new QWebEngineView(parent)) {
        view_->setObjectName("WebBrowserIE");
        auto* page = new ConsolePage(view_);
        page->OnConsole = [this](const QString& message) { consoleMessage(message); };
        view_->setPage(page);
        view_->settings()->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        view_->page()->setUrlRequestInterceptor(&guard_);
        new DropRefusal(view_);
        finished_ = QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            loading_ = false;
            view_->setZoomFactor(zoom_);  // a new page may come with the default
            loaded_ = loaded_ || ok;
            if (!ok) pageBytes_.clear();  // the next navigation loads the page again
            scrollToAnchor();
        });
    }

    ~WebEnginePreview() override {
        QObject::disconnect(finished_);
        if (!view_) return;
        static_cast<ConsolePage*>(view_->page())->OnConsole = nullptr;
        view_->page()->setUrlRequestInterceptor(nullptr);
    }

    QWidget* widget() override { return view_; }

    void navigate(const QString& path, const QString& anchor, PreviewPage page) override {
        QByteArray bytes = readPage(path);
        navigate(path, anchor, page, std::move(bytes));
    }

    void update(const QString& path, const QString& anchor, PreviewPage page, const StyleSheetChange& change) override {
        QByteArray bytes = readPage(path);
        if (!shows(path, page, bytes)) return navigate(path, anchor, page, std::move(bytes));
        if (loading_) {
            // The page being loaded reads the style sheet as it is now, unless it already has.
            if (!change.rules.empty()) return navigate(path, anchor, page, std::move(bytes));
            anchor_ = anchor;
            ++generation_;
            return;
        }
        anchor_ = anchor;
        const int generation = ++generation_;
        QString edits = QStringLiteral("[");
        for (const StyleSheetChange::Rule& r : change.rules) {
            if (edits.size() > 1) edits += ',';
            edits += QStringLiteral("[%1,%2,%3]").arg(QString::number(r.index), jsString(r.selector), jsString(r.block));
        }
        edits += ']';
        QString map = QStringLiteral("null");
        if (!change.rules.empty() && !ruleMapSent_ && change.ruleMap) {
            map = jsString(change.ruleMap());
            ruleMapSent_ = true;
        }
        const QString script = QString::fromUtf8(UpdateStylesScript)
                                   .arg(jsString(StylesShownMark), QString::number(generation), jsString(anchor_),
                                        jsString(QFileInfo(change.cssPath).fileName()),
                                        QString::number(change.ruleCount), map, edits);
        runScript(script, [this, generation](const QVariant& done) {
            if (done.toBool() || generation != generation_ || !view_) return;
            swapStyles();
        });
    }

    bool hasDocument() const override { return loaded_; }

    void setTextSize(int level) override {
        if (level < 1 || level > 4) return;
        zoom_ = TextSizeZoom[level - 1];
        view_->setZoomFactor(zoom_);
    }

    void setScriptsEnabled(bool on) override {
        scripts_ = on;
        applyScripts();
        pageBytes_.clear();  // the setting takes effect with the next load
    }

private:
    static QByteArray readPage(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Whether the page shown (or being loaded) is `path`, loaded from `bytes`.
    bool shows(const QString& path, PreviewPage page, const QByteArray& bytes) const {
        return loaded_ && page == shownPage_ && QUrl::fromLocalFile(path) == view_->url() && !bytes.isEmpty() &&
               bytes == pageBytes_;
    }

    void navigate(const QString& path, const QString& anchor, PreviewPage page, QByteArray bytes) {
        anchor_ = anchor;
        ++generation_;
        // A rebuild after a value change rewrites only the style sheet: the page shown stays,
        // and fetching its style sheets again is several times quicker than loading it. The
        // swap runs beside the page's own scripts, so it works where they are off.
        if (!loading_ && shows(path, page, bytes)) {
            swapStyles();
            return;
        }
        pageBytes_ = std::move(bytes);
        shownPage_ = page;
        guard_.sample = page == PreviewPage::Sample;
        applyScripts();
        loading_ = true;
        ruleMapSent_ = false;
        view_->setUrl(QUrl::fromLocalFile(path));
    }

    void applyScripts() {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts_ && !guard_.sample);
    }

    // Our scripts run in the application's own world: beside the page's scripts, unseen by
    // them, and also where they are off.
    void runScript(const QString& script, const std::function<void(const QVariant&)>& done) {
        // The page may answer after this object is gone (the view outlives it a little).
        view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                     [alive = std::weak_ptr<int>(alive_), done](const QVariant& value) {
                                         if (!alive.expired()) done(value);
                                     });
    }

    void scrollToAnchor() {
        if (anchor_.isEmpty()) {
            pageShown();
            return;
        }
        runScript(QStringLiteral("(function(n){var e=document.getElementsByName(n)[0]||"
                                 "document.getElementById(n);if(e)e.scrollIntoView();})(%1);")
                      .arg(jsString(anchor_)),
                  [this](const QVariant&) { pageShown(); });
    }

    void swapStyles() {
        ruleMapSent_ = false;  // the style sheets fetched are new objects
        const int generation = generation_;
        runScript(QString::fromUtf8(SwapStylesScript)
                      .arg(jsString(StylesShownMark), QString::number(generation), jsString(anchor_)),
                  [this, generation](const QVariant& links) {
                      // A script that failed returns nothing: load the page instead.
                      if (links.isValid() || generation != generation_ || !view_) return;
                      loading_ = true;
                      ruleMapSent_ = false;
                      view_->setUrl(view_->url());
                  });
    }

    void consoleMessage(const QString& message) {
        if (message == StylesShownMark + QString::number(generation_)) pageShown();
    }

    void pageShown() {
        if (OnPageShown) OnPageShown();
    }

    PageGuard guard_;
    QPointer<QWebEngineView> view_;  // owned by its parent widget
    QMetaObject::Connection finished_;
    QString anchor_;
    QByteArray pageBytes_;  // the file the shown page was loaded from
    PreviewPage shownPage_ = PreviewPage::Sample;
    int generation_ = 0;  // of the last navigation
    bool loaded_ = false;
    bool loading_ = false;
    bool ruleMapSent_ = false;  // the page's style sheet has had the map of its rules
    bool scripts_ = true;  // for a user's page
    double zoom_ = 1.0;    // of the text size
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

}  // namespace pavik
