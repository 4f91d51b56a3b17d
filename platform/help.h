#pragma once
// The program's help: the help file behind an interface (a recording fake in tests), and the
// help desk that the main window and the dialogs call for topics and text popups.
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>

namespace pavik {

// The help file. Without it (available() false) help stays disabled and no call is made.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual bool available() const = 0;
    virtual QString helpFile() const = 0;
    virtual void initialize() = 0;
    virtual void showContents() = 0;
    virtual void showIndex() = 0;
    virtual void showTopic(int context) = 0;
    // The text popup of string `stringId` of the file's popup topic, at `position` (screen),
    // in `font` ("<family>, 10, ").
    virtual void showTextPopup(int stringId, QPoint position, const QString& font) = 0;
    virtual void shutdown() = 0;
};

// Opens the help file with the desktop's handler for it (every topic shows the file; a text
// popup cannot be read out of the file here and shows nothing).
std::unique_ptr<HelpService> makeDesktopHelp(const QString& helpFile);

// Help requests of the main window and its dialogs. Holds no help service of its own: the
// main window owns the service and the desk; dialogs are given the desk (or none).
class HelpDesk {
public:
    // Commands of a control's help request.
    static constexpr std::uint16_t SetPopupPosition = 13;
    static constexpr std::uint16_t ContextPopup = 8;

    HelpDesk(HelpService* service, QString windowFont) : service_(service), font_(std::move(windowFont)) {}

    bool available() const { return service_ && service_->available(); }

    // The topic with that context number (the dialogs' help buttons).
    void CallHTMLHelpContext(int context);

    // A control's help request: SetPopupPosition remembers `data` (x in the low 16 bits, y in
    // the high 16 bits, each signed); ContextPopup shows string `data` at that position; other
    // commands are ignored. Nothing without a help file. Always false; callHelp is left as it is.
    bool CallHTMLHelpP(std::uint16_t command, std::int32_t data, bool& callHelp);

    QPoint popupPosition() const { return popupPosition_; }

private:
    HelpService* service_;
    QString font_;
    QPoint popupPosition_;
};

}  // namespace pavik
