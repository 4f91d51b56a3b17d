#include "components/theme_services.h"

namespace pavik {

TThemeServices::TThemeServices(ThemeLibrary& library) : library_(library) {
    libraryLoaded_ = library_.Load();
    UpdateThemes();
}

TThemeServices::~TThemeServices() {
    closeAllHandles();
    library_.Unload();
}

ThemeHandle TThemeServices::Theme(TThemedElement element) {
    ThemeHandle& handle = handles_[static_cast<std::size_t>(element)];
    if (themesAvailable_ && handle == 0) handle = library_.openThemeData(element);
    return themesAvailable_ ? handle : 0;
}

void TThemeServices::UpdateThemes() {
    if (themesAvailable_) closeAllHandles();
    themesAvailable_ = library_.UseThemes() && library_.controlsVersion() >= 600;
    controlsThemed_ = themesAvailable_ && (library_.themeAppProperties() & ThemeAllowControls) != 0;
}

void TThemeServices::ApplyThemeChange() {
    UpdateThemes();
    if (OnThemeChange) OnThemeChange(this);
}

void TThemeServices::closeAllHandles() {
    if (!library_.appWindowAlive()) return;
    for (ThemeHandle& handle : handles_) {
        if (handle != 0) library_.closeThemeData(handle);
        handle = 0;
    }
}

void TThemeServices::DrawElement(QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                                 const QRect* clip) {
    if (ThemeHandle theme = Theme(details.Element)) library_.drawThemeBackground(theme, painter, details, rect, clip);
}

void TThemeServices::DrawEdge(QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                              unsigned edge, unsigned sides, QRect* content) {
    if (ThemeHandle theme = Theme(details.Element))
        library_.drawThemeEdge(theme, painter, details, rect, edge, sides, content);
}

void TThemeServices::DrawText(QPainter& painter, const TThemedElementDetails& details, const QString& text,
                              const QRect& rect, int flags, bool grayed) {
    if (ThemeHandle theme = Theme(details.Element))
        library_.drawThemeText(theme, painter, details, text, rect, flags, grayed);
}

QRect TThemeServices::ContentRect(const TThemedElementDetails& details, const QRect& bounds) {
    ThemeHandle theme = Theme(details.Element);
    return theme ? library_.themeBackgroundContentRect(theme, details, bounds) : bounds;
}

void TThemeServices::DrawParentBackground(QWidget* window, QPainter& painter, const TThemedElementDetails* details,
                                          bool onlyIfTransparent, const QRect& rect) {
    if (!libraryLoaded_) return;
    if (onlyIfTransparent && details) {
        ThemeHandle theme = Theme(details->Element);
        if (!theme || !library_.isThemeBackgroundPartiallyTransparent(theme, *details)) return;
    }
    library_.drawThemeParentBackground(window, painter, rect);
}

}  // namespace pavik
