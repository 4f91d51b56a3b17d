#include "platform/preview_browser.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace pavik {
namespace {

// What the page's script writes to the console when fresh style sheets are in place and
// the page is scrolled; the generation follows.
const QString StylesShownMark = QStringLiteral("pavik-styles-shown:");

// Replaces every link of the page to a local style sheet file by a copy whose address
// differs (so that the file is read again), removes the old link once the copy has loaded,
// and when all have, scrolls to the anchor and tells the console. A newer run drops the
// copies of an older one that are still loading. Arguments: generation, anchor name.
// Result: the number of links.
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
    console.log('%1' + g);
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
class PreviewPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void(const QString&)> OnConsole;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override {
        if (OnConsole) OnConsole(message);
    }
};

class WebEnginePreview : public PreviewBrowser {
public:
    explicit WebEnginePreview(QWidget* parent) : view_(new QWebEngineView(parent)) {
        view_->setObjectName("WebBrowserIE");
        auto* page = new PreviewPage(view_);
        page->OnConsole = [this](const QString& message) { consoleMessage(message); };
        view_->setPage(page);
        view_->settings()->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        finished_ = QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            loading_ = false;
            loaded_ = loaded_ || ok;
            if (!ok) pageBytes_.clear();  // the next navigation loads the page again
            scrollToAnchor();
        });
    }

    ~WebEnginePreview() override {
        QObject::disconnect(finished_);
        static_cast<PreviewPage*>(view_->page())->OnConsole = nullptr;
    }

    QWidget* widget() override { return view_; }

    void navigate(const QString& path, const QString& anchor) override {
        anchor_ = anchor;
        ++generation_;
        QFile file(path);
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QUrl url = QUrl::fromLocalFile(path);
        // A rebuild after a value change rewrites only the style sheet: the page shown stays,
        // and fetching its style sheets again is several times quicker than loading it.
        // The swap is a script: a page without scripts is loaded again instead.
        if (loaded_ && !loading_ && url == view_->url() && !bytes.isEmpty() && bytes == pageBytes_ &&
            view_->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled)) {
            swapStyles();
            return;
        }
        pageBytes_ = std::move(bytes);
        loading_ = true;
        view_->setUrl(url);
    }

    bool hasDocument() const override { return loaded_; }

    void setScriptsEnabled(bool on) override {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, on);
    }

private:
    void scrollToAnchor() {
        if (anchor_.isEmpty()) {
            pageShown();
            return;
        }
        // The page may answer after this object is gone (the view outlives it a little).
        view_->page()->runJavaScript(
            QStringLiteral("(function(n){var e=document.getElementsByName(n)[0]||"
                           "document.getElementById(n);if(e)e.scrollIntoView();})(%1);")
                .arg(jsString(anchor_)),
            [alive = std::weak_ptr<int>(alive_), this](const QVariant&) {
                if (!alive.expired()) pageShown();
            });
    }

    void swapStyles() {
        const int generation = generation_;
        view_->page()->runJavaScript(
            QString::fromUtf8(SwapStylesScript).arg(StylesShownMark).arg(generation).arg(jsString(anchor_)),
            [alive = std::weak_ptr<int>(alive_), this, generation](const QVariant& links) {
                // A script that failed returns nothing: load the page instead.
                if (alive.expired() || links.isValid() || generation != generation_) return;
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

    QWebEngineView* view_;  // owned by its parent widget
    QMetaObject::Connection finished_;
    QString anchor_;
    QByteArray pageBytes_;  // the file the shown page was loaded from
    int generation_ = 0;    // of the last navigation
    bool loaded_ = false;
    bool loading_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

}  // namespace pavik
