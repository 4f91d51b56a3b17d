#include "platform/preview_browser.h"

#include <QChildEvent>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <optional>
#include <utility>

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

// A JSON string literal: no text can break the script it goes into.
QString jsString(const QString& text) {
    const QByteArray array = QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
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
        anchor_ = anchor;
        ++generation_;
        QFile file(path);
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QUrl url = QUrl::fromLocalFile(path);
        // A rebuild after a value change rewrites only the style sheet: the page shown stays,
        // and fetching its style sheets again is several times quicker than loading it. The
        // swap runs beside the page's own scripts, so it works where they are off.
        if (loaded_ && !loading_ && page == shownPage_ && url == view_->url() && !bytes.isEmpty() &&
            bytes == pageBytes_) {
            swapStyles();
            return;
        }
        pageBytes_ = std::move(bytes);
        shownPage_ = page;
        guard_.sample = page == PreviewPage::Sample;
        applyScripts();
        loading_ = true;
        view_->setUrl(url);
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
        const int generation = generation_;
        runScript(QString::fromUtf8(SwapStylesScript)
                      .arg(jsString(StylesShownMark), QString::number(generation), jsString(anchor_)),
                  [this, generation](const QVariant& links) {
                      // A script that failed returns nothing: load the page instead.
                      if (links.isValid() || generation != generation_ || !view_) return;
                      loading_ = true;
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
    std::optional<QPointF> keepPlace_;  // where a page loaded anew goes back to
    QByteArray pageBytes_;  // the file the shown page was loaded from
    PreviewPage shownPage_ = PreviewPage::Sample;
    int generation_ = 0;  // of the last navigation
    bool loaded_ = false;
    bool loading_ = false;
    bool scripts_ = true;  // for a user's page
    double zoom_ = 1.0;    // of the text size
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

}  // namespace pavik
