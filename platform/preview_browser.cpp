#include "platform/preview_browser.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace pavik {
namespace {

class WebEnginePreview : public PreviewBrowser {
public:
    explicit WebEnginePreview(QWidget* parent) : view_(new QWebEngineView(parent)) {
        view_->setObjectName("WebBrowserIE");
        view_->settings()->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        finished_ = QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool ok) {
            loaded_ = loaded_ || ok;
            scrollToAnchor();
        });
    }

    ~WebEnginePreview() override { QObject::disconnect(finished_); }

    QWidget* widget() override { return view_; }

    void navigate(const QString& path, const QString& anchor) override {
        anchor_ = anchor;
        view_->setUrl(QUrl::fromLocalFile(path));
    }

    bool hasDocument() const override { return loaded_; }

    void setScriptsEnabled(bool on) override {
        view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, on);
    }

private:
    void scrollToAnchor() {
        if (anchor_.isEmpty()) return;
        // The name goes in as a JSON string literal, so no anchor text can break the script.
        const QString name =
            QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{anchor_}).toJson(QJsonDocument::Compact));
        view_->page()->runJavaScript(
            QStringLiteral("(function(n){var e=document.getElementsByName(n)[0]||"
                           "document.getElementById(n);if(e)e.scrollIntoView();})(%1[0]);")
                .arg(name));
    }

    QWebEngineView* view_;  // owned by its parent widget
    QMetaObject::Connection finished_;
    QString anchor_;
    bool loaded_ = false;
};

}  // namespace

std::unique_ptr<PreviewBrowser> makeWebEnginePreview(QWidget* parent) {
    return std::make_unique<WebEnginePreview>(parent);
}

}  // namespace pavik
