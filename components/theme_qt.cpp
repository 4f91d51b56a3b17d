#include "components/theme_qt.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace pavik {
namespace {

QWidget* widgetOf(QPainter& painter) { return dynamic_cast<QWidget*>(painter.device()); }

// The option of a look: the widget's palette, direction and font when the painter is on a
// widget, the application's otherwise; the state from the look.
void initOption(QStyleOption& opt, QPainter& painter, QWidget* widget, const QRect& rect, const StyleLook& look) {
    if (widget) {
        opt.initFrom(widget);
    } else {
        opt.palette = QApplication::palette();
        opt.direction = QApplication::layoutDirection();
        opt.fontMetrics = QFontMetrics(painter.font());
    }
    opt.rect = rect;
    opt.state = QStyle::State_None;
    if (widget && widget->isActiveWindow()) opt.state |= QStyle::State_Active;
    if (look.enabled) opt.state |= QStyle::State_Enabled;
    if (look.hot) opt.state |= QStyle::State_MouseOver;
    if (look.focused) opt.state |= QStyle::State_HasFocus;
    if (look.pressed) opt.state |= QStyle::State_Sunken;
    if (!look.vertical) opt.state |= QStyle::State_Horizontal;
}

void drawSlider(QStyle* style, QPainter& p, QWidget* w, const QRect& r, const StyleLook& look) {
    QStyleOptionSlider opt;
    initOption(opt, p, w, r, look);
    opt.orientation = look.vertical ? Qt::Vertical : Qt::Horizontal;
    opt.minimum = 0;
    opt.maximum = 10;
    opt.sliderPosition = opt.sliderValue = 0;
    opt.tickPosition = QSlider::TicksBelow;
    opt.tickInterval = 1;
    opt.subControls = look.shape == StyleShape::SliderTrack   ? QStyle::SC_SliderGroove
                      : look.shape == StyleShape::SliderThumb ? QStyle::SC_SliderHandle
                                                              : QStyle::SC_SliderTickmarks;
    if (look.pressed) opt.activeSubControls = QStyle::SC_SliderHandle;
    style->drawComplexControl(QStyle::CC_Slider, &opt, &p, w);
}

// Draws one part of an element, as the style draws it on standard widgets.
void drawLook(QStyle* style, QPainter& p, QWidget* w, const QRect& r, const StyleLook& look) {
    switch (look.shape) {
    case StyleShape::Nothing: return;
    case StyleShape::Background: {
        const QPalette pal = w ? w->palette() : QApplication::palette();
        p.fillRect(r, pal.window());
        return;
    }
    case StyleShape::PushButton: {
        QStyleOptionButton opt;
        initOption(opt, p, w, r, look);
        opt.state |= look.pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        if (look.defaulted) opt.features |= QStyleOptionButton::DefaultButton;
        style->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, w);
        return;
    }
    case StyleShape::RadioButton:
    case StyleShape::CheckBox: {
        QStyleOptionButton opt;
        initOption(opt, p, w, r, look);
        opt.state |= look.checked ? QStyle::State_On : look.mixed ? QStyle::State_NoChange : QStyle::State_Off;
        style->drawPrimitive(look.shape == StyleShape::CheckBox ? QStyle::PE_IndicatorCheckBox
                                                                : QStyle::PE_IndicatorRadioButton,
                             &opt, &p, w);
        return;
    }
    case StyleShape::GroupBox:
    case StyleShape::EditFrame:
    case StyleShape::StatusPane: {
        QStyleOptionFrame opt;
        initOption(opt, p, w, r, look);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, w);
        opt.state |= QStyle::State_Sunken;
        const QStyle::PrimitiveElement e = look.shape == StyleShape::GroupBox    ? QStyle::PE_FrameGroupBox
                                           : look.shape == StyleShape::EditFrame ? QStyle::PE_PanelLineEdit
                                                                                 : QStyle::PE_FrameStatusBarItem;
        style->drawPrimitive(e, &opt, &p, w);
        return;
    }
    case StyleShape::Gripper:
    case StyleShape::ToolSeparator: {
        QStyleOption opt;
        initOption(opt, p, w, r, look);
        style->drawPrimitive(look.shape == StyleShape::Gripper ? QStyle::PE_IndicatorToolBarHandle
                                                               : QStyle::PE_IndicatorToolBarSeparator,
                             &opt, &p, w);
        return;
    }
    case StyleShape::Band: {
        QStyleOptionToolBar opt;
        initOption(opt, p, w, r, look);
        style->drawControl(QStyle::CE_ToolBar, &opt, &p, w);
        return;
    }
    case StyleShape::Chevron: {
        QStyleOption opt;
        initOption(opt, p, w, r, look);
        style->drawPrimitive(look.vertical ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowRight, &opt,
                             &p, w);
        return;
    }
    case StyleShape::SizeGrip: {
        QStyleOptionSizeGrip opt;
        initOption(opt, p, w, r, look);
        opt.corner = Qt::BottomRightCorner;
        style->drawControl(QStyle::CE_SizeGrip, &opt, &p, w);
        return;
    }
    case StyleShape::TabItem: {
        QStyleOptionTab opt;
        initOption(opt, p, w, r, look);
        if (look.checked) opt.state |= QStyle::State_Selected;
        style->drawControl(QStyle::CE_TabBarTabShape, &opt, &p, w);
        return;
    }
    case StyleShape::TabPane: {
        QStyleOptionTabWidgetFrame opt;
        initOption(opt, p, w, r, look);
        opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, w);
        style->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, w);
        return;
    }
    case StyleShape::ToolButton: {
        // A flat tool button shows a face only while hot, pressed or checked.
        if (!look.hot && !look.pressed && !look.checked) return;
        QStyleOption opt;
        initOption(opt, p, w, r, look);
        opt.state |= QStyle::State_AutoRaise;
        if (look.hot && look.enabled) opt.state |= QStyle::State_Raised;
        if (look.checked) opt.state |= QStyle::State_On;
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &opt, &p, w);
        return;
    }
    case StyleShape::SliderTrack:
    case StyleShape::SliderThumb:
    case StyleShape::SliderTicks: drawSlider(style, p, w, r, look); return;
    }
}

}  // namespace

QEvent::Type ThemeChangedEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// ---- Library --------------------------------------------------------------------------------

QtThemeLibrary::~QtThemeLibrary() { unloadAll(); }

bool QtThemeLibrary::bind() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || !QApplication::style()) return false;
    QStyle* style = QStyleFactory::create(QApplication::style()->name());
    if (!style) return false;
    style->setParent(QCoreApplication::instance());
    bound_ = style;
    return true;
}

void QtThemeLibrary::unbind() {
    delete bound_.data();
    bound_.clear();
}

bool QtThemeLibrary::isThemeActive() {
    QStyle* style = isAppThemed() ? QApplication::style() : nullptr;
    return style && QStyleFactory::keys().contains(style->name(), Qt::CaseInsensitive);
}

bool QtThemeLibrary::isAppThemed() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

int QtThemeLibrary::controlsVersion() {
    const QStringList parts = QString::fromLatin1(qVersion()).split(QLatin1Char('.'));
    return parts.value(0).toInt() * 100 + parts.value(1).toInt();
}

bool QtThemeLibrary::appWindowAlive() { return QCoreApplication::instance() != nullptr; }

ThemeHandle QtThemeLibrary::openThemeData(TThemedElement element) {
    if (!isAppThemed()) return 0;
    open_.push_back(std::make_unique<OpenTheme>(OpenTheme{element, QApplication::style()}));
    return reinterpret_cast<ThemeHandle>(open_.back().get());
}

void QtThemeLibrary::closeThemeData(ThemeHandle theme) {
    std::erase_if(open_, [theme](const auto& t) { return reinterpret_cast<ThemeHandle>(t.get()) == theme; });
}

QStyle* QtThemeLibrary::styleOf(ThemeHandle theme) const {
    for (const auto& t : open_)
        if (reinterpret_cast<ThemeHandle>(t.get()) == theme) return t->style.data();
    return nullptr;
}

void QtThemeLibrary::drawThemeBackground(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                                         const QRect& rect, const QRect* clip) {
    QStyle* style = styleOf(theme);
    if (!style) return;
    painter.save();
    if (clip) painter.setClipRect(*clip, Qt::IntersectClip);
    drawLook(style, painter, widgetOf(painter), rect, StyleLookOf(details));
    painter.restore();
}

void QtThemeLibrary::drawThemeEdge(ThemeHandle theme, QPainter& painter, const TThemedElementDetails& details,
                                   const QRect& rect, unsigned edge, unsigned sides, QRect* content) {
    QStyle* style = styleOf(theme);
    if (!style) return;
    const int rings = ((edge & (EdgeRaisedOuter | EdgeSunkenOuter)) ? 1 : 0) +
                      ((edge & (EdgeRaisedInner | EdgeSunkenInner)) ? 1 : 0);
    QStyleOptionFrame opt;
    QWidget* w = widgetOf(painter);
    initOption(opt, painter, w, rect, StyleLookOf(details));
    opt.lineWidth = rings;
    opt.state |= (edge & (EdgeSunkenOuter | EdgeSunkenInner)) ? QStyle::State_Sunken : QStyle::State_Raised;
    if (rings > 0 && (sides & EdgeSidesAll)) style->drawPrimitive(QStyle::PE_Frame, &opt, &painter, w);
    if (content && (sides & EdgeAdjust)) *content = rect.adjusted(rings, rings, -rings, -rings);
}

void QtThemeLibrary::drawThemeText(ThemeHandle theme, QPainter& painter, const TThemedElementDetails&,
                                   const QString& text, const QRect& rect, int flags, bool grayed) {
    QStyle* style = styleOf(theme);
    if (!style) return;
    QWidget* w = widgetOf(painter);
    style->drawItemText(&painter, rect, flags, w ? w->palette() : QApplication::palette(), !grayed, text,
                        QPalette::ButtonText);
}

QRect QtThemeLibrary::themeBackgroundContentRect(ThemeHandle theme, const TThemedElementDetails& details,
                                                 const QRect& bounds) {
    QStyle* style = styleOf(theme);
    if (!style) return bounds;
    const StyleLook look = StyleLookOf(details);
    QStyleOptionButton opt;
    opt.rect = bounds;
    switch (look.shape) {
    case StyleShape::PushButton: return style->subElementRect(QStyle::SE_PushButtonContents, &opt, nullptr);
    case StyleShape::ToolButton:
    case StyleShape::EditFrame:
    case StyleShape::GroupBox:
    case StyleShape::StatusPane:
    case StyleShape::TabPane:
    case StyleShape::Band: {
        const int m = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, nullptr);
        return bounds.adjusted(m, m, -m, -m);
    }
    default: return bounds;
    }
}

bool QtThemeLibrary::isThemeBackgroundPartiallyTransparent(ThemeHandle theme, const TThemedElementDetails& details) {
    QStyle* style = styleOf(theme);
    if (!style) return false;
    // Drawn on a transparent image: any pixel the part leaves (partly) clear shows through.
    QImage image(32, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        drawLook(style, p, nullptr, image.rect(), StyleLookOf(details));
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb px) { return qAlpha(px) < 255; })) return true;
    }
    return false;
}

void QtThemeLibrary::drawThemeParentBackground(QWidget* window, QPainter& painter, const QRect& rect) {
    // The nearest ancestor that paints a background of its own.
    QWidget* parent = window ? window->parentWidget() : nullptr;
    while (parent && !parent->isWindow() && !parent->autoFillBackground() &&
           !parent->testAttribute(Qt::WA_OpaquePaintEvent))
        parent = parent->parentWidget();
    const QPalette pal = parent ? parent->palette() : QApplication::palette();
    painter.fillRect(rect, pal.brush(parent ? parent->backgroundRole() : QPalette::Window));
}

// ---- Watcher --------------------------------------------------------------------------------

ThemeChangeWatcher::ThemeChangeWatcher(TThemeServices& services, QObject* application)
    : QObject(application), services_(services) {
    lastStyle_ = QApplication::style();
    application->installEventFilter(this);
}

void ThemeChangeWatcher::postChange() {
    if (posted_) return;
    posted_ = true;
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(ThemeChangedEvent()));
}

bool ThemeChangeWatcher::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::StyleChange) {
        if (QApplication::style() != lastStyle_) {
            lastStyle_ = QApplication::style();
            postChange();
        }
    } else if (type == QEvent::ThemeChange || type == QEvent::ApplicationPaletteChange) {
        postChange();
    } else if (type == ThemeChangedEvent() && watched == QCoreApplication::instance()) {
        posted_ = false;
        services_.ApplyThemeChange();
    }
    return false;
}

TThemeServices& ThemeServices() {
    static QtThemeLibrary library;
    static TThemeServices services(library);
    static const bool watching = [] {
        if (QCoreApplication::instance()) new ThemeChangeWatcher(services, QCoreApplication::instance());
        return true;
    }();
    (void)watching;
    return services;
}

}  // namespace pavik
