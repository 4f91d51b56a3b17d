#pragma once
// A style library that records what the services ask of it. Parent backgrounds are painted
// in one marker colour and element faces in another, so that a picture shows who drew what.
#include <QPainter>
#include <vector>

#include "components/theme_library.h"

namespace pavik::test {

class FakeThemeLibrary : public ThemeLibrary {
public:
    static inline const QColor ParentColor{10, 200, 30};
    static inline const QColor FaceColor{200, 20, 180};

    bool canBind = true;
    bool appThemed = true;
    bool themeActive = true;
    bool windowAlive = true;
    int version = 604;
    unsigned appProperties = ThemeAllowNonClient | ThemeAllowControls | ThemeAllowWebContent;

    int binds = 0;
    int unbinds = 0;
    std::vector<ThemeHandle> opened;
    std::vector<ThemeHandle> closed;
    std::vector<TThemedElementDetails> drawn;  // element faces, in order
    int parentBackgrounds = 0;

    ~FakeThemeLibrary() override { unloadAll(); }

    bool isThemeActive() override { return themeActive; }
    bool isAppThemed() override { return appThemed; }
    unsigned themeAppProperties() override { return appProperties; }
    void setThemeAppProperties(unsigned flags) override { appProperties = flags; }
    ThemeHandle openThemeData(TThemedElement) override {
        opened.push_back(nextHandle_++);
        return opened.back();
    }
    void closeThemeData(ThemeHandle theme) override { closed.push_back(theme); }
    void drawThemeBackground(ThemeHandle, QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                             const QRect*) override {
        drawn.push_back(details);
        // A visible face only where the style would draw one (not a flat button at rest).
        if (details.Element != teToolBar || details.State != 1) painter.fillRect(rect, FaceColor);
    }
    void drawThemeEdge(ThemeHandle, QPainter&, const TThemedElementDetails&, const QRect&, unsigned, unsigned,
                       QRect*) override {}
    void drawThemeText(ThemeHandle, QPainter&, const TThemedElementDetails&, const QString&, const QRect&, int,
                       bool) override {}
    QRect themeBackgroundContentRect(ThemeHandle, const TThemedElementDetails&, const QRect& bounds) override {
        return bounds.adjusted(1, 1, -1, -1);
    }
    bool isThemeBackgroundPartiallyTransparent(ThemeHandle, const TThemedElementDetails&) override { return false; }
    void drawThemeParentBackground(QWidget*, QPainter& painter, const QRect& rect) override {
        ++parentBackgrounds;
        painter.fillRect(rect, ParentColor);
    }
    int controlsVersion() override { return version; }
    bool appWindowAlive() override { return windowAlive; }

protected:
    bool bind() override {
        ++binds;
        return canBind;
    }
    void unbind() override { ++unbinds; }

private:
    ThemeHandle nextHandle_ = 100;
};

}  // namespace pavik::test
