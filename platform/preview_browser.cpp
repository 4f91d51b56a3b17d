#include "platform/preview_browser.h"

#include <QBuffer>
#include <QChildEvent>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMimeDatabase>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <utility>

#include "platform/file_bytes.h"

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
           /^(file|pavik-page):/.test(l.getAttribute('data-pavik-href') || l.href);
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
// of the page's rules is which comes from the change's map, read once per style sheet: it
// has the file's top-level rules but for @import, which a sheet of a script's own drops, in
// the same order, rule i's block naming i. A rule is looked up in it by halves, so that the
// page's other rules are never touched.
// Result: true when done, false when the style sheets must be fetched again instead.
// %1: the console mark, %2: the generation, %3: the anchor name, %4: the style sheet's
// file name (it stands beside the page), %5: its rule count, %6: the map or null, %7: [[index, selector, block], ...],
// or null to read the map alone.
const char* const UpdateStylesScript = R"JS(
(function (g, anchor, cssName, ruleCount, mapText, edits) {
  var finish = function () {
    window.pavikGeneration = g;
    var e = anchor && (document.getElementsByName(anchor)[0] || document.getElementById(anchor));
    if (e) e.scrollIntoView();
    console.log(%1 + g);
    return true;
  };
  if (edits !== null && edits.length === 0) return finish();
  if (document.querySelector('link[data-pavik-pending]')) return false;
  var cssUrl = new URL(cssName, location.href).href;
  var link = Array.prototype.find.call(document.getElementsByTagName('link'), function (l) {
    return (l.getAttribute('data-pavik-href') || l.href) === cssUrl;
  });
  var sheet = link && link.sheet;
  if (!sheet) return false;
  var all = sheet.cssRules, state = window.pavikRules;
  if (!state || state.sheet !== sheet || state.count !== ruleCount) {
    window.pavikRules = null;
    if (mapText === null) return false;
    var mapped = new CSSStyleSheet();
    mapped.replaceSync(mapText);
    var imports = 0;
    while (imports < all.length && all[imports].type === 3) imports++;
    if (mapped.cssRules.length + imports !== all.length) return false;
    state = window.pavikRules = {sheet: sheet, count: ruleCount, rules: mapped.cssRules, imports: imports};
  }
  if (edits === null) return true;
  // The place in the page's sheet of file rule i, -1 where the browser dropped it.
  var indexAt = function (k) {
    var r = state.rules[k];
    return r.type === 1 ? parseInt(r.style.getPropertyValue('--pavik-rule'), 10) : NaN;
  };
  var placeOf = function (i) {
    var lo = 0, hi = state.rules.length - 1;
    while (lo <= hi) {
      var mid = (lo + hi) >> 1, k = mid, v = NaN;
      while (k <= hi && isNaN(v = indexAt(k))) k++;
      if (k > hi) { hi = mid - 1; continue; }
      if (v === i) return state.imports + k;
      if (v < i) lo = k + 1; else hi = mid - 1;
    }
    return -1;
  };
  var targets = [];
  for (var n = 0; n < edits.length; n++) {
    var edit = edits[n], check = new CSSStyleSheet();
    check.replaceSync(edit[1] + ' {' + edit[2] + '}\r\n*{--pavik-end:1}');
    var rules = check.cssRules, at = placeOf(edit[0]);
    var closed = rules.length > 0 && rules[rules.length - 1].selectorText === '*';
    if (at < 0) {
      if (!(closed && rules.length === 1)) return false;
      continue;
    }
    var rule = all[at];
    if (!(closed && rules.length === 2 && rules[0].type === 1 && rule && rule.type === 1 &&
          rule.selectorText === rules[0].selectorText))
      return false;
    targets.push([rule, edit[2]]);
  }
  targets.forEach(function (t) { t[0].style.cssText = t[1]; });
  return finish();
})(%2, %3, %4, %5, %6, %7);
)JS";

// Puts the body of the page `data` (its file's bytes in base64) in place of the shown one's,
// parsed as a load parses it: decoded in the page's character set, in the page's mode. The
// page's head and style sheets stay. Then scrolls to the anchor and tells the console as the
// swap does. Result: true when done, false when the file must be loaded instead.
// %1: the console mark, %2: the generation, %3: the anchor name, %4: the file in base64.
const char* const ReplaceBodyScript = R"JS(
(function (g, anchor, data) {
  var raw = atob(data), bytes = new Uint8Array(raw.length);
  for (var i = 0; i < raw.length; i++) bytes[i] = raw.charCodeAt(i);
  var page = new DOMParser().parseFromString(new TextDecoder(document.characterSet).decode(bytes), 'text/html');
  if (!page.body || !document.body || page.compatMode !== document.compatMode) return false;
  var content = page.createDocumentFragment();
  while (page.body.firstChild) content.appendChild(page.body.firstChild);
  document.body.replaceChildren(document.adoptNode(content));
  window.pavikGeneration = g;
  var e = anchor && (document.getElementsByName(anchor)[0] || document.getElementById(anchor));
  if (e) e.scrollIntoView();
  console.log(%1 + g);
  return true;
})(%2, %3, "%4");
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

// Scripts that hand `map` to the page in pieces of a size sent in a moment, under the name
// `id`; mapInPage(id) takes them up once, as the text (null when they did not all arrive).
std::vector<QString> mapPieceScripts(const QString& map, int id) {
    constexpr qsizetype Piece = qsizetype{1} << 18;
    std::vector<QString> scripts{QStringLiteral("window.pavikMapId=%1;window.pavikMap=[];").arg(id)};
    for (qsizetype at = 0; at < map.size();) {
        qsizetype n = std::min(Piece, map.size() - at);
        if (at + n < map.size() && map.at(at + n - 1).isHighSurrogate()) --n;
        scripts.push_back(QStringLiteral("if(window.pavikMapId===%1)window.pavikMap.push(%2);")
                              .arg(QString::number(id), jsString(map.mid(at, n))));
        at += n;
    }
    return scripts;
}

QString mapInPage(int id) {
    return QStringLiteral("(function(){var m=window.pavikMapId===%1&&window.pavikMap;"
                          "window.pavikMap=window.pavikMapId=undefined;return m?m.join(''):null;})()")
        .arg(id);
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

// A user's page is shown through two schemes of the program's own, so that every local file
// is an origin of its own, as in a browser that opened the page from disk:
// - PageScheme + path: a document (the page, its frames), read from disk and served. The
//   scheme is local and local files reach no other local file (the settings), so each
//   document's origin is opaque: a page cannot read the document of a frame.
// - LinkScheme + path: whatever a document links. A request in CORS mode (module scripts,
//   elements marked crossorigin), which would let the page read the answer, is refused, as a
//   browser refuses it to a page from disk; any other is sent on to the file itself (file://
//   with this run's pass as its query), whose answer stays opaque to the page: an image
//   drawn into a canvas taints it, a style sheet's rules cannot be read, yet both show.
// Fonts go to the file itself: they show, and nothing reads a font's bytes. fetch and
// XMLHttpRequest of any local address are refused.
const QByteArray PageScheme = QByteArrayLiteral("pavik-page");
const QByteArray LinkScheme = QByteArrayLiteral("pavik-link");

// The query that lets a file:// request through: unknown to the page's scripts.
const QString& filePass() {
    static const QString pass = [] {
        QString p = QStringLiteral("pavik-pass=");
        for (int i = 0; i < 4; ++i) p += QString::number(QRandomGenerator::system()->generate(), 16);
        return p;
    }();
    return pass;
}

// `scheme`:/path, without an authority, so that relative addresses resolve as in a folder.
QUrl schemeUrl(const QByteArray& scheme, const QString& path) {
    QUrl url = QUrl::fromLocalFile(path);
    url.setScheme(QString::fromLatin1(scheme));
    url.setHost(QString());
    return url;
}

bool isLocalAddress(const QUrl& url) {
    return url.isLocalFile() || url.scheme() == QLatin1String(PageScheme) || url.scheme() == QLatin1String(LinkScheme);
}

// Serves PageScheme and LinkScheme (see above).
class LocalFileSchemes : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QMap<QByteArray, QByteArray> headers = job->requestHeaders();
        for (auto it = headers.begin(); it != headers.end(); ++it)
            if (it.key().compare("Origin", Qt::CaseInsensitive) == 0) return job->fail(QWebEngineUrlRequestJob::RequestDenied);
        const QUrl url = job->requestUrl();
        const QString path = url.path(QUrl::FullyDecoded);
        if (url.scheme() == QLatin1String(LinkScheme)) {
            QUrl file = QUrl::fromLocalFile(path);
            file.setQuery(filePass());
            return job->redirect(file);
        }
        std::string bytes;
        if (readFileBytes(QFile::encodeName(path).toStdString(), bytes))
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        auto* body = new QBuffer(job);
        body->setData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        body->open(QIODevice::ReadOnly);
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
        job->reply(type.isDefault() ? QByteArrayLiteral("text/plain") : type.name().toLatin1(), body);
    }
};

// While the sample page is shown, it loads only what a page of markup and style sheets
// links: the page, style sheets, images and fonts. Frames, objects, media, scripts and
// requests of scripts are refused. A user's page goes through the schemes above.
class PageGuard : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!sample) {
            const QUrl url = info.requestUrl();

            if (!isLocalAddress(url)) return;
            switch (info.resourceType()) {
                case QWebEngineUrlRequestInfo::ResourceTypeXhr:
                    info.block(true);
                    return;
                case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
                case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
                    if (url.scheme() != QLatin1String(PageScheme)) info.redirect(schemeUrl(PageScheme, url.path(QUrl::FullyDecoded)));
                    return;
                case QWebEngineUrlRequestInfo::ResourceTypeFontResource: {
                    // A font shows, and no script reads a font's file.
                    if (url.isLocalFile() && url.query() == filePass()) return;
                    QUrl file = QUrl::fromLocalFile(url.path(QUrl::FullyDecoded));
                    file.setQuery(filePass());
                    info.redirect(file);
                    return;
                }
                default:
                    if (url.isLocalFile() && url.query() == filePass()) return;
                    if (url.scheme() != QLatin1String(LinkScheme)) info.redirect(schemeUrl(LinkScheme, url.path(QUrl::FullyDecoded)));
                    return;
            }
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
        registerPreviewSchemes();
        QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
        for (const QByteArray& scheme : {PageScheme, LinkScheme})
            if (!profile->urlSchemeHandler(scheme)) profile->installUrlSchemeHandler(scheme, schemes());
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
        const bool sendMap = !change.rules.empty() && !ruleMapSent_ && change.ruleMap;
        setRules(change, sendMap, edits, [this, generation](const QVariant& done) {
            if (done.toBool() || generation != generation_ || !view_) return;
            swapStyles();
        });
    }

    void navigateBody(const QString& path, const QString& anchor, PreviewPage page, const QByteArray& head) override {
        QByteArray bytes = readPage(path);
        // Only a page of the program's own: the same file, loaded, and its head as the new one's.
        if (loading_ || !loaded_ || page != PreviewPage::Sample || page != shownPage_ ||
            pageUrl(path, page) != view_->url() || head.isEmpty() || !pageBytes_.startsWith(head) ||
            !bytes.startsWith(head))
            return navigate(path, anchor, page, std::move(bytes));
        anchor_ = anchor;
        const int generation = ++generation_;
        const QByteArray data = bytes.toBase64();
        pageBytes_ = std::move(bytes);
        const QUrl url = view_->url();
        // After the scripts queued before it: rules being set go to the body they were for.
        runInTurns({},
                   QString::fromUtf8(ReplaceBodyScript)
                       .arg(jsString(StylesShownMark), QString::number(generation), jsString(anchor_),
                            QString::fromLatin1(data)),
                   [this, generation, url](const QVariant& done) {
                       if (done.toBool() || !view_) return;
                       // The page shows the body before: load the file, unless a newer
                       // navigation is loading a page already.
                       if ((generation != generation_ && loading_) || view_->url() != url) return;
                       loading_ = true;
                       ruleMapSent_ = false;
                       view_->setUrl(url);
                   });
    }

    void learnRules(const StyleSheetChange& sheet) override {
        rulesToLearn_.reset();
        if (sheet.ruleMap) rulesToLearn_ = sheet;
    }

    void navigateKeepingPlace(const QString& path, PreviewPage page) override {
        const QPointF place = view_->page()->scrollPosition();
        navigate(path, QString(), page);  // no anchor: fresh style sheets leave the scroll as it is
        keepPlace_.reset();
        if (loading_) keepPlace_ = place;
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
        return loaded_ && page == shownPage_ && pageUrl(path, page) == view_->url() && !bytes.isEmpty() &&
               bytes == pageBytes_;
    }

    // A user's page is reached through its own scheme; the sample page as a local file.
    static QUrl pageUrl(const QString& path, PreviewPage page) {
        return page == PreviewPage::User ? schemeUrl(PageScheme, path) : QUrl::fromLocalFile(path);
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
        view_->setUrl(pageUrl(path, page));
    }

    void applyScripts() {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts_ && !guard_.sample);
        // The sample page, whose scripts never run, reads its style sheet as a local file; a
        // user's page reaches local files only through the schemes, each file its own origin.
        view_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, guard_.sample);
    }

    // The one handler of the schemes, living as long as the profile it serves.
    static LocalFileSchemes* schemes() {
        static QPointer<LocalFileSchemes> handler;
        if (!handler) handler = new LocalFileSchemes(QWebEngineProfile::defaultProfile());
        return handler;
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

    // Runs the update script for `change` with `edits` (null: only reads the map), first
    // handing the page the map when `sendMap`. The map of a big sheet is long: it goes to the
    // page in pieces, made by whoever gives the map, and one piece a turn of the event loop.
    void setRules(const StyleSheetChange& change, bool sendMap, const QString& edits,
                  const std::function<void(const QVariant&)>& done) {
        const int mapId = ++mapSends_;
        std::vector<QString> pieces;
        if (sendMap) change.ruleMap([&](const QString& map) { pieces = mapPieceScripts(map, mapId); });
        ruleMapSent_ = ruleMapSent_ || sendMap;
        const QString script = QString::fromUtf8(UpdateStylesScript)
                                   .arg(jsString(StylesShownMark), QString::number(generation_), jsString(anchor_),
                                        jsString(QFileInfo(change.cssPath).fileName()),
                                        QString::number(change.ruleCount),
                                        sendMap ? mapInPage(mapId) : QStringLiteral("null"), edits);
        runInTurns(std::move(pieces), script, done);
    }

    // Hands the page the map of the style sheet it has just read (each time it reads it), so
    // that a first change is set in place without waiting for it. On a later turn: the page
    // may be answering a console message now.
    void learnRulesWhenShown() {
        if (!rulesToLearn_ || loading_ || !loaded_ || shownPage_ != PreviewPage::Sample) return;
        QTimer::singleShot(0, view_, [this, alive = std::weak_ptr<int>(alive_)] {
            if (alive.expired() || !view_ || !rulesToLearn_ || loading_ || ruleMapSent_) return;
            const int generation = generation_;
            setRules(*rulesToLearn_, true, QStringLiteral("null"), [this, generation](const QVariant& learnt) {
                if (!learnt.toBool() && generation == generation_) ruleMapSent_ = false;
            });
        });
    }

    // Runs `pieces`, then `last` with `done`, after what was queued before, one script a turn
    // of the event loop so that the window answers between them. The order holds across
    // callers: an update's rules follow the map a page is still being handed.
    void runInTurns(std::vector<QString> pieces, const QString& last, const std::function<void(const QVariant&)>& done) {
        for (QString& piece : pieces) queued_.push_back({std::move(piece), nullptr});
        queued_.push_back({last, done});
        if (!pumping_) runQueued();
    }

    void runQueued() {
        pumping_ = !queued_.empty();
        if (!pumping_) return;
        const QueuedScript next = std::move(queued_.front());
        queued_.pop_front();
        if (next.done)
            runScript(next.text, next.done);
        else
            view_->page()->runJavaScript(next.text, QWebEngineScript::ApplicationWorld);
        QTimer::singleShot(0, view_, [this, alive = std::weak_ptr<int>(alive_)] {
            if (!alive.expired() && view_) runQueued();
        });
    }

    void scrollToAnchor() {
        if (const std::optional<QPointF> place = std::exchange(keepPlace_, std::nullopt)) {
            // scrollPosition() is in the page's pixels as zoomed; scrollTo takes CSS pixels.
            const double zoom = view_->zoomFactor() > 0 ? view_->zoomFactor() : 1.0;
            runScript(QStringLiteral("window.scrollTo(%1,%2);").arg(place->x() / zoom).arg(place->y() / zoom),
                      [this](const QVariant&) { pageShown(); });
            return;
        }
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
        learnRulesWhenShown();
    }

    PageGuard guard_;
    QPointer<QWebEngineView> view_;  // owned by its parent widget
    QMetaObject::Connection finished_;
    QString anchor_;
    std::optional<QPointF> keepPlace_;  // where a page loaded anew goes back to
    QByteArray pageBytes_;  // the file the shown page was loaded from
    PreviewPage shownPage_ = PreviewPage::Sample;
    int generation_ = 0;  // of the last navigation
    bool loaded_ = false;
    bool loading_ = false;
    bool ruleMapSent_ = false;  // the page's style sheet has had the map of its rules
    int mapSends_ = 0;
    struct QueuedScript {
        QString text;
        std::function<void(const QVariant&)> done;  // null: no answer wanted
    };
    std::deque<QueuedScript> queued_;  // scripts run one a turn
    bool pumping_ = false;
    std::optional<StyleSheetChange> rulesToLearn_;  // the map to hand the page once it shows
    bool scripts_ = true;  // for a user's page
    double zoom_ = 1.0;    // of the text size
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

void registerPreviewSchemes() {
    for (const QByteArray& name : {PageScheme, LinkScheme}) {
        if (QWebEngineUrlScheme::schemeByName(name).name() == name) continue;
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

}  // namespace pavik
