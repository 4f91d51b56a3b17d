#pragma once
// The style system as the visual-styles services see it: a library bound at run time with a
// use count, so that the program also runs (drawing the classic way) where none can be
// bound, and the calls the services make into it. theme_qt.h binds Qt's style system; tests
// use a recording fake. No Qt widgets: painters and windows are only passed through.
#include <QRect>
#include <QString>
#include <cstdint>
#include <mutex>

#include "components/theme_elements.h"

class QPainter;
class QWidget;

namespace pavik {

// An open theme of one element kind; 0 is none.
using ThemeHandle = std::uintptr_t;

// What the application lets the styles reach (the application properties).
inline constexpr unsigned ThemeAllowNonClient = 1;
inline constexpr unsigned ThemeAllowControls = 2;
inline constexpr unsigned ThemeAllowWebContent = 4;

// Edge kinds and sides of drawThemeEdge.
inline constexpr unsigned EdgeRaisedOuter = 1;
inline constexpr unsigned EdgeSunkenOuter = 2;
inline constexpr unsigned EdgeRaisedInner = 4;
inline constexpr unsigned EdgeSunkenInner = 8;
inline constexpr unsigned EdgeSunken = EdgeSunkenOuter | EdgeSunkenInner;  // 10
inline constexpr unsigned EdgeSidesAll = 15;                                // left, top, right, bottom
inline constexpr unsigned EdgeAdjust = 0x2000;  // report the rectangle inside the edge

class ThemeLibrary {
public:
    virtual ~ThemeLibrary() = default;

    // Counts one user and binds the library when it is not bound; true when it is bound.
    bool Load();
    // Balances one Load (the count never drops below 0); the last one frees the library.
    void Unload();
    bool Loaded() const;
    int loadCount() const;
    // Bound, and both the application and the desktop use styles.
    bool UseThemes();

    // ---- Entry points; called only while bound ------------------------------------------
    virtual bool isThemeActive() = 0;
    virtual bool isAppThemed() = 0;
    virtual unsigned themeAppProperties() = 0;
    virtual void setThemeAppProperties(unsigned flags) = 0;
    virtual ThemeHandle openThemeData(TThemedElement element) = 0;
    virtual void closeThemeData(ThemeHandle theme) = 0;
    virtual void drawThemeBackground(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                                     const QRect& rect, const QRect* clip) = 0;
    // An edge of `edge` kind on `sides`; with EdgeAdjust in `sides` the rectangle inside it
    // goes to `content`.
    virtual void drawThemeEdge(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                               const QRect& rect, unsigned edge, unsigned sides, QRect* content) = 0;
    // `flags` are Qt alignment and text flags.
    virtual void drawThemeText(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                               const QString& text, const QRect& rect, int flags, bool grayed) = 0;
    virtual QRect themeBackgroundContentRect(ThemeHandle theme, const TThemedElementDetails& details,
                                             const QRect& bounds) = 0;
    virtual bool isThemeBackgroundPartiallyTransparent(ThemeHandle theme,
                                                       const TThemedElementDetails& details) = 0;
    // What lies behind `window` in its parent, painted into `rect` (window coordinates).
    virtual void drawThemeParentBackground(QWidget* window, QPainter& painter, const QRect& rect) = 0;

    // ---- Platform facts the services also ask -------------------------------------------
    // Version of the standard controls as major * 100 + minor; themed drawing needs 600.
    virtual int controlsVersion() = 0;
    // The application window the themes were opened for still exists.
    virtual bool appWindowAlive() = 0;

protected:
    // Binds the library by name (and looks its calls up); false when it cannot be bound.
    virtual bool bind() = 0;
    virtual void unbind() = 0;
    // Unloads until the count is 0; for the destructor of a derived library.
    void unloadAll();

private:
    mutable std::mutex lock_;
    int count_ = 0;
    bool loaded_ = false;
};

}  // namespace pavik
