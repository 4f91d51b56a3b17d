#include "components/pv_label.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "components/draw_kit.h"

namespace pavik {

TPvLabel::TPvLabel(QWidget* parent) : QWidget(parent) {
    TPvBlinkingControlsList::add(this);
    adjustBounds();
}

TPvLabel::~TPvLabel() { TPvBlinkingControlsList::remove(this); }

template <typename T>
void TPvLabel::store(T& field, T value, bool resizes) {
    if (field == value) return;
    field = value;
    if (resizes) adjustBounds();
    update();
}

void TPvLabel::setCaption(const QString& v) { store(caption_, v, true); }
void TPvLabel::setAlignment(TAlignment v) { store(alignment_, v); }
void TPvLabel::setLayout(TTextLayout v) { store(layout_, v); }
void TPvLabel::setAutoSize(bool v) { store(autoSize_, v, true); }
void TPvLabel::setWordWrap(bool v) { store(wordWrap_, v, true); }
void TPvLabel::setTransparent(bool v) { store(transparent_, v); }
void TPvLabel::setShowAccelChar(bool v) { store(showAccelChar_, v, true); }
void TPvLabel::setColor(TColor v) { store(color_, v); }
void TPvLabel::setCenterPoint(TCenterPoint v) { store(centerPoint_, v); }
void TPvLabel::setBlinkColor(TColor v) { store(blinkColor_, v); }
void TPvLabel::setBevelWidth(int v) { store(edge_.bevelWidth, v, true); }
void TPvLabel::setBorderInner(TFrameStyle v) { store(edge_.borderInner, v, true); }
void TPvLabel::setBorderOuter(TFrameStyle v) { store(edge_.borderOuter, v, true); }
void TPvLabel::setBorderSides(TSides v) { store(edge_.borderSides, v & sdAll, true); }
void TPvLabel::setBorderWidth(int v) { store(edge_.borderWidth, v, true); }
void TPvLabel::setFrameSides(TSides v) { store(edge_.frameSides, v & sdAll, true); }
void TPvLabel::setBorderColor(TColor v) { store(borderColor_, v); }
void TPvLabel::setBorderHighlight(TColor v) { store(borderHighlight_, v); }
void TPvLabel::setBorderShadow(TColor v) { store(borderShadow_, v); }
void TPvLabel::setFlatColor(TColor v) { store(flatColor_, v); }
void TPvLabel::setFlyByColor(TColor v) { store(flyByColor_, v); }
void TPvLabel::setTextStyle(TTextStyle v) { store(textStyle_, v, true); }
void TPvLabel::setLightTextStyle(bool v) { store(lightTextStyle_, v); }
void TPvLabel::setHighlightColor(TColor v) { store(highlightColor_, v); }
void TPvLabel::setShadowColor(TColor v) { store(shadowColor_, v); }
void TPvLabel::setShadowDepth(int v) { store(shadowDepth_, v, true); }

void TPvLabel::setFontColor(TColor v) {
    fontColor_ = v;
    if (!blinking_) normalColor_ = drawingColor_ = v;
    update();
}

bool TPvLabel::isTrueType(const QFont& font) {
    const QFontInfo info(font);
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}

void TPvLabel::ensureTrueType() {
    if (isTrueType(font())) return;
    QFont f = font();
    f.setFamily(QStringLiteral("Verdana"));
    setFont(f);
}

void TPvLabel::setAngle(int v) {
    v = NormalizeAngle(v);
    if (v == angle_) return;
    angle_ = v;
    if (v != 0) {
        ensureTrueType();
        if (rotation_ == roNone) rotation_ = roFlat;
    }
    adjustBounds();
    update();
}

void TPvLabel::setRotation(TRotation v) {
    if (v == rotation_) return;
    rotation_ = v;
    if (v != roNone) ensureTrueType();
    if (v == roNone || v == roFlat) angle_ = 0;
    if (v == roFlat) centerPoint_ = cpCenter;
    adjustBounds();
    update();
}

void TPvLabel::setBlinking(bool v) {
    if (v == blinking_) return;
    blinking_ = v;
    if (!v) drawingColor_ = normalColor_;
    update();
}

std::uint16_t TPvLabel::BlinkIntervalOn() const { return TPvBlinkingControlsList::instance()->onInterval(); }
void TPvLabel::setBlinkIntervalOn(std::uint16_t ms) { TPvBlinkingControlsList::instance()->setOnInterval(ms); }
std::uint16_t TPvLabel::BlinkIntervalOff() const { return TPvBlinkingControlsList::instance()->offInterval(); }
void TPvLabel::setBlinkIntervalOff(std::uint16_t ms) { TPvBlinkingControlsList::instance()->setOffInterval(ms); }

void TPvLabel::blinkState(bool on) {
    if (!blinking_) return;
    drawingColor_ = on ? blinkColor_ : normalColor_;
    update();
}

void TPvLabel::setFlyByEnabled(bool v) {
    if (v == flyByEnabled_) return;
    flyByEnabled_ = v;
    if (!v && flyBySaved_) {
        setFontColor(*flyBySaved_);
        flyBySaved_.reset();
    }
}

void TPvLabel::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (flyByEnabled_) {
        flyBySaved_ = fontColor_;
        setFontColor(flyByColor_);
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPvLabel::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (flyByEnabled_ && flyBySaved_) {
        setFontColor(*flyBySaved_);
        flyBySaved_.reset();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TPvLabel::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        if (angle_ != 0 && !isTrueType(font())) angle_ = 0;
        adjustBounds();
        update();
    } else if (e->type() == QEvent::EnabledChange) {
        update();
    }
}

int TPvLabel::textFlags() const {
    int flags = Qt::TextExpandTabs;
    flags |= alignment_ == taRightJustify ? Qt::AlignRight : alignment_ == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    if (wordWrap_) flags |= Qt::TextWordWrap;
    if (showAccelChar_) flags |= Qt::TextShowMnemonic;
    return flags;
}

void TPvLabel::adjustBounds() {
    if (!autoSize_) return;
    const QFontMetrics fm(font());
    const int wrapWidth = wordWrap_ ? std::max(width(), 1) : 1 << 20;
    const QRect text = fm.boundingRect(QRect(0, 0, wrapWidth, 1 << 20), textFlags() | Qt::AlignTop,
                                       caption_.isEmpty() ? QStringLiteral(" ") : caption_);
    const TSize size = LabelAutoSize({{caption_.isEmpty() ? 0 : text.width(), text.height()},
                                      edge_, rotation_, angle_, textStyle_, shadowDepth_});
    const int right = x() + width();
    setGeometry(alignment_ == taRightJustify ? right - size.width : x(), y(), size.width, size.height);
}

// ---- Painting ------------------------------------------------------------------------------

void TPvLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    Canvas c(p, palette());
    const TRect r = textArea(c);
    if (!transparent_) c.fillRect(r, color_);
    if (rotation_ == roCurve) paintArc(c);
    else if (rotation_ == roFlat && angle_ != 0) paintFlat(c, r);
    else paintStraight(c, r);
}

// Draws the edge; returns what is left inside it.
TRect TPvLabel::textArea(Canvas& c) const {
    TRect r{0, 0, width(), height()};
    r = DrawSides(c, r, clBlack, edge_.frameSides, clBlack);
    r = DrawEdge(c, r, edge_.borderOuter, edge_.borderSides, flatColor_, edge_.bevelWidth, borderHighlight_,
                 borderShadow_);
    if (edge_.borderWidth > 0)
        r = DrawBevel(c, r, borderColor_, edge_.borderSides, edge_.borderWidth, borderColor_);
    return DrawEdge(c, r, edge_.borderInner, edge_.borderSides, flatColor_, edge_.bevelWidth, borderHighlight_,
                    borderShadow_);
}

void TPvLabel::paintCopies(const std::function<void(int, int, TColor)>& draw) const {
    if (!isEnabled()) {
        draw(1, 1, clBtnHighlight);
        draw(0, 0, clGrayText);
        return;
    }
    switch (textStyle_) {
    case tsRaised:
        if (!lightTextStyle_) draw(1, 1, shadowColor_);
        draw(-1, -1, highlightColor_);
        break;
    case tsRecessed:
        draw(1, 1, highlightColor_);
        if (!lightTextStyle_) draw(-1, -1, shadowColor_);
        break;
    case tsShadow: draw(shadowDepth_, shadowDepth_, shadowColor_); break;
    case tsNormal: break;
    }
    draw(0, 0, drawingColor_);
}

void TPvLabel::paintStraight(Canvas& c, const TRect& r) {
    QPainter& p = c.painter();
    const int flags = textFlags();
    QRect box = toQRect(r);
    const int textHeight = p.fontMetrics().boundingRect(box, flags, caption_).height();
    const int room = std::max(r.height() - textHeight, 0);
    if (layout_ == tlCenter) box.moveTop(r.top + room / 2);
    else if (layout_ == tlBottom) box.moveTop(r.top + room);
    // Room for the copies drawn to the right and below.
    const int shift = textStyle_ == tsShadow ? shadowDepth_ : 1;
    if (alignment_ == taRightJustify) box.translate(-shift, 0);
    if (layout_ == tlBottom) box.translate(0, -shift);
    p.save();
    p.setClipRect(toQRect(r));
    paintCopies([&](int dx, int dy, TColor color) {
        p.setPen(c.color(color));
        p.drawText(box.translated(dx, dy), flags | Qt::AlignTop, caption_);
    });
    p.restore();
}

void TPvLabel::paintFlat(Canvas& c, const TRect& r) {
    const TRotatedFont turned = RotateFont(font(), angle_);
    const QFontMetrics fm(turned.font);
    const int w = fm.horizontalAdvance(caption_), h = fm.height();
    const TSize extent = RotatedExtent(w, h, angle_);
    const TPoint origin = RotatedTextOrigin(FlatTextCenter(r, extent, alignment_, layout_), w, h, angle_);
    c.painter().save();
    c.painter().setClipRect(toQRect(r));
    paintCopies([&](int dx, int dy, TColor color) {
        DrawRotatedText(c, turned, origin.x + dx, origin.y + dy, TextAnchor::TopLeft, caption_, color);
    });
    c.painter().restore();
}

void TPvLabel::paintArc(Canvas& c) {
    const QFontMetrics fm(font());
    QStringList chars;
    for (qsizetype i = 0; i < caption_.size(); ++i) {
        const qsizetype n = caption_[i].isHighSurrogate() && i + 1 < caption_.size() ? 2 : 1;
        chars.append(caption_.mid(i, n));
        i += n - 1;
    }
    const int b = edge_.borderWidth;
    const std::vector<ArcGlyph> glyphs =
        ArcGlyphs(static_cast<int>(chars.size()), angle_, LabelReferencePoint(centerPoint_, width(), height(), b),
                  ArcRadii(centerPoint_, width(), height(), b), fm.height(), fm.horizontalAdvance(QLatin1Char('w')));
    TRotatedFont turned = RotateFont(font(), 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        turned.escapement = glyphs[i].escapement;
        paintCopies([&](int dx, int dy, TColor color) {
            DrawRotatedText(c, turned, glyphs[i].x + dx, glyphs[i].y + dy, TextAnchor::BaselineCenter,
                            chars[static_cast<qsizetype>(i)], color);
        });
    }
}

}  // namespace pavik
