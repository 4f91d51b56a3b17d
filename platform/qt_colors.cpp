#include "platform/qt_colors.h"

#include <QGuiApplication>

#include <array>

namespace pavik {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup A = QPalette::Active;
constexpr QPalette::ColorGroup D = QPalette::Disabled;

constexpr std::array<SystemRole, 31> kSystemRoles{{
    {A, QPalette::Button},           // clScrollBar
    {A, QPalette::Dark},             // clBackground
    {A, QPalette::Highlight},        // clActiveCaption
    {A, QPalette::Mid},              // clInactiveCaption
    {A, QPalette::Window},           // clMenu
    {A, QPalette::Base},             // clWindow
    {A, QPalette::Shadow},           // clWindowFrame
    {A, QPalette::WindowText},       // clMenuText
    {A, QPalette::Text},             // clWindowText
    {A, QPalette::HighlightedText},  // clCaptionText
    {A, QPalette::Button},           // clActiveBorder
    {A, QPalette::Button},           // clInactiveBorder
    {A, QPalette::Dark},             // clAppWorkSpace
    {A, QPalette::Highlight},        // clHighlight
    {A, QPalette::HighlightedText},  // clHighlightText
    {A, QPalette::Button},           // clBtnFace
    {A, QPalette::Dark},             // clBtnShadow
    {D, QPalette::Text},             // clGrayText
    {A, QPalette::ButtonText},       // clBtnText
    {D, QPalette::WindowText},       // clInactiveCaptionText
    {A, QPalette::Light},            // clBtnHighlight
    {A, QPalette::Shadow},           // cl3DDkShadow
    {A, QPalette::Midlight},         // cl3DLight
    {A, QPalette::ToolTipText},      // clInfoText
    {A, QPalette::ToolTipBase},      // clInfoBk
    {A, QPalette::Button},           // 25
    {A, QPalette::Link},             // clHotLight
    {A, QPalette::Highlight},        // clGradientActiveCaption
    {A, QPalette::Mid},              // clGradientInactiveCaption
    {A, QPalette::Highlight},        // clMenuHighlight
    {A, QPalette::Window},           // clMenuBar
}};

}  // namespace

QColor toQColor(TColor c, const QPalette& palette) {
    if (c == clNone || c == clDefault) return QColor(Qt::transparent);
    if (isSystemColor(c)) {
        size_t n = static_cast<size_t>(systemColorIndex(c));
        if (n >= kSystemRoles.size()) return QColor(Qt::black);
        return palette.color(kSystemRoles[n].group, kSystemRoles[n].role);
    }
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QColor toQColor(TColor c) { return toQColor(c, QGuiApplication::palette()); }

}  // namespace pavik
