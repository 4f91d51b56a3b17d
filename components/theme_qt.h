#pragma once
// The style library over Qt's style system, and the program's one TThemeServices.
//
// Binding the library creates the application's style by name through QStyleFactory; a
// style that cannot be created so (an application-made style) means no library, and the
// components draw the classic way. An open theme draws its element with the application's
// style as it was when the theme was opened; a theme change closes every theme, so the next
// request draws with the new style. The application properties live here, all allowed at
// start.
//
// Theme changes (a new application style, palette or platform theme) are gathered by an
// application event filter into one ThemeChangedEvent posted to the application; the
// services and the visual-styles managers react to that event.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "components/theme_services.h"

class QStyle;

namespace pavik {

// The application's theme changed (sent to the application object).
QEvent::Type ThemeChangedEvent();

class QtThemeLibrary : public ThemeLibrary {
public:
    QtThemeLibrary() = default;
    ~QtThemeLibrary() override;

    bool isThemeActive() override;
    bool isAppThemed() override;
    unsigned themeAppProperties() override { return appProperties_; }
    void setThemeAppProperties(unsigned flags) override { appProperties_ = flags; }
    ThemeHandle openThemeData(TThemedElement element) override;
    void closeThemeData(ThemeHandle theme) override;
    void drawThemeBackground(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                             const QRect& rect, const QRect* clip) override;
    void drawThemeEdge(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                       const QRect& rect, unsigned edge, unsigned sides, QRect* content) override;
    void drawThemeText(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                       const QString& text, const QRect& rect, int flags, bool grayed) override;
    QRect themeBackgroundContentRect(ThemeHandle theme, const TThemedElementDetails& details,
                                     const QRect& bounds) override;
    bool isThemeBackgroundPartiallyTransparent(ThemeHandle theme, const TThemedElementDetails& details) override;
    void drawThemeParentBackground(QWidget* window, QPainter& painter, const QRect& rect) override;
    int controlsVersion() override;
    bool appWindowAlive() override;

protected:
    bool bind() override;
    void unbind() override;

private:
    struct OpenTheme {
        TThemedElement element;
        QPointer<QStyle> style;
    };
    // The style of an open theme, or null when it is gone.
    QStyle* styleOf(ThemeHandle theme) const;

    QPointer<QStyle> bound_;  // owned by the application object
    unsigned appProperties_ = ThemeAllowNonClient | ThemeAllowControls | ThemeAllowWebContent;
    std::vector<std::unique_ptr<OpenTheme>> open_;
};

// Gathers the application's style, palette and theme changes into one ThemeChangedEvent,
// and hands that event to the services. A child of the application object, installed as
// its event filter.
class ThemeChangeWatcher : public QObject {
public:
    ThemeChangeWatcher(TThemeServices& services, QObject* application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void postChange();

    TThemeServices& services_;
    QPointer<QStyle> lastStyle_;
    bool posted_ = false;
};

// The program's one services object over QtThemeLibrary, created on first use and watching
// the application from then on.
TThemeServices& ThemeServices();

}  // namespace pavik
