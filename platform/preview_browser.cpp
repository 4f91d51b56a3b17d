#include "platform/preview_browser.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace pavik {
namespace {

// While the sample page is shown, it loads only what a page of markup and style sheets
// links: the page, style sheets, images and fonts. Frames, objects, media, scripts and
// requests of scripts are refused. (Turning local file access off in the settings would
// refuse the linked style sheet too.)
class SamplePageGuard : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!sample) return;
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

class WebEnginePreview : public PreviewBrowser {
public:
    explicit WebEnginePreview(QWidget* parent) : view_(new QWebEngineView(parent)) {
        view_->setObjectName("WebBrowserIE");
        view_->settings()->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        view_->page()->setUrlRequestInterceptor(&guard_);
        finished_ = QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            loaded_ = loaded_ || ok;
            scrollToAnchor();
        });
    }

    ~WebEnginePreview() override {
        QObject::disconnect(finished_);
        if (view_) view_->page()->setUrlRequestInterceptor(nullptr);
    }

    QWidget* widget() override { return view_; }

    void navigate(const QString& path, const QString& anchor, PreviewPage page) override {
        anchor_ = anchor;
        guard_.sample = page == PreviewPage::Sample;
        applyScripts();
        view_->setUrl(QUrl::fromLocalFile(path));
    }

    bool hasDocument() const override { return loaded_; }

    void setScriptsEnabled(bool on) override {
        scripts_ = on;
        applyScripts();
    }

private:
    void applyScripts() {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts_ && !guard_.sample);
    }

    void scrollToAnchor() {
        if (anchor_.isEmpty()) return;
        // The name goes in as a JSON string literal, so no anchor text can break the script.
        const QString name =
            QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{anchor_}).toJson(QJsonDocument::Compact));
        view_->page()->runJavaScript(
            QStringLiteral("(function(n){var e=document.getElementsByName(n)[0]||"
                           "document.getElementById(n);if(e)e.scrollIntoView();})(%1[0]);")
                .arg(name),
            QWebEngineScript::ApplicationWorld);
    }

    SamplePageGuard guard_;
    QPointer<QWebEngineView> view_;  // owned by its parent widget
    QMetaObject::Connection finished_;
    QString anchor_;
    bool loaded_ = false;
    bool scripts_ = true;  // for a user's page
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

}  // namespace pavik
