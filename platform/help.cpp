#include "platform/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace pavik {
namespace {

class DesktopHelp : public HelpService {
public:
    explicit DesktopHelp(QString file) : file_(std::move(file)) {}
    bool available() const override { return QFileInfo(file_).isFile(); }
    QString helpFile() const override { return available() ? file_ : QString(); }
    void initialize() override {}
    void showContents() override { open(); }
    void showIndex() override { open(); }
    void showTopic(int) override { open(); }
    void showTextPopup(int, QPoint, const QString&) override {}
    void shutdown() override {}

private:
    void open() {
        if (available()) QDesktopServices::openUrl(QUrl::fromLocalFile(file_));
    }
    QString file_;
};

}  // namespace

std::unique_ptr<HelpService> makeDesktopHelp(const QString& helpFile) {
    return std::make_unique<DesktopHelp>(helpFile);
}

void HelpDesk::CallHTMLHelpContext(int context) {
    if (available()) service_->showTopic(context);
}

bool HelpDesk::CallHTMLHelpP(std::uint16_t command, std::int32_t data, bool& /*callHelp*/) {
    if (!available()) return false;
    const auto bits = static_cast<std::uint32_t>(data);
    if (command == SetPopupPosition) {
        popupPosition_ = QPoint(static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16));
    } else if (command == ContextPopup) {
        service_->showTextPopup(data, popupPosition_, font_ + QStringLiteral(", 10, "));
    }
    return false;
}

}  // namespace pavik
