#pragma once
// TThemeServices: whether themed drawing is possible, one cached theme per element kind,
// and the drawing calls, each taking an element detail. It loads the style library for its
// lifetime; a library that cannot be bound leaves every theme 0 and ThemesEnabled false, and
// the components then draw the classic way. The visual-styles manager is its only user.
//
// The program's one object comes from ThemeServices() (theme_qt.h), which binds Qt's style
// system and passes theme changes of the application to ApplyThemeChange.
#include <QRect>
#include <QString>
#include <array>
#include <functional>

#include "components/theme_library.h"

namespace pavik {

class TThemeServices {
public:
    explicit TThemeServices(ThemeLibrary& library);
    ~TThemeServices();
    TThemeServices(const TThemeServices&) = delete;
    TThemeServices& operator=(const TThemeServices&) = delete;

    ThemeLibrary& library() const { return library_; }
    bool LibraryLoaded() const { return libraryLoaded_; }
    // The desktop uses styles and the standard controls can draw them.
    bool ThemesAvailable() const { return themesAvailable_; }
    // The application lets the styles reach its controls.
    bool ControlsThemed() const { return controlsThemed_; }
    bool ThemesEnabled() const { return libraryLoaded_ && themesAvailable_ && controlsThemed_; }

    // The element kind's theme, opened on first request; 0 while themes are not available.
    ThemeHandle Theme(TThemedElement element);
    // Reads the state again; a change of state closes the themes that were open.
    void UpdateThemes();
    // The application's theme changed: UpdateThemes, then OnThemeChange.
    void ApplyThemeChange();

    void DrawElement(QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                     const QRect* clip = nullptr);
    void DrawEdge(QPainter& painter, const TThemedElementDetails& details, const QRect& rect, unsigned edge,
                  unsigned sides, QRect* content = nullptr);
    void DrawText(QPainter& painter, const TThemedElementDetails& details, const QString& text,
                  const QRect& rect, int flags, bool grayed = false);
    QRect ContentRect(const TThemedElementDetails& details, const QRect& bounds);
    // Paints what lies behind `window`. With `onlyIfTransparent` and a detail, only where
    // that detail is partly transparent.
    void DrawParentBackground(QWidget* window, QPainter& painter, const TThemedElementDetails* details,
                              bool onlyIfTransparent, const QRect& rect);

    std::function<void(TThemeServices*)> OnThemeChange;

private:
    void closeAllHandles();

    ThemeLibrary& library_;
    bool libraryLoaded_ = false;
    bool themesAvailable_ = false;
    bool controlsThemed_ = false;
    std::array<ThemeHandle, ThemedElementCount> handles_{};
};

}  // namespace pavik
