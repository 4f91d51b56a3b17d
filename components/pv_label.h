#pragma once
// A label with text effects: raised, recessed or shadowed text, text turned by an angle or
// laid along an arc, borders of the shared frame styles, a colour while the mouse is over it
// (fly-by), and blinking in step with every other blinking control. Geometry in
// label_geometry.h.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "components/blinking_list.h"
#include "components/canvas.h"
#include "components/label_geometry.h"
#include "components/pv_types.h"

namespace pavik {

class TPvLabel : public QWidget, public BlinkClient {
    Q_OBJECT
public:
    explicit TPvLabel(QWidget* parent = nullptr);
    ~TPvLabel() override;

    QString Caption() const { return caption_; }
    void setCaption(const QString& v);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void setLayout(TTextLayout v);
    // The size follows the caption, the edge and the rotation; a right-aligned label keeps
    // its right edge.
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);
    // Without it the inside of the edge is filled with Color.
    bool Transparent() const { return transparent_; }
    void setTransparent(bool v);
    // "&x" underlines x instead of showing the "&".
    bool ShowAccelChar() const { return showAccelChar_; }
    void setShowAccelChar(bool v);
    TColor Color() const { return color_; }
    void setColor(TColor v);
    // The caption's colour; while not blinking the drawing colour follows it.
    TColor FontColor() const { return fontColor_; }
    void setFontColor(TColor v);
    // The colour the caption is drawn in now.
    TColor drawingColor() const { return drawingColor_; }

    // Degrees, stored as 0..359. A non-zero angle turns the text (roFlat when it was roNone).
    int Angle() const { return angle_; }
    void setAngle(int v);
    TRotation Rotation() const { return rotation_; }
    void setRotation(TRotation v);
    // The point arc text turns about (flat-rotated text always turns about the centre).
    TCenterPoint CenterPoint() const { return centerPoint_; }
    void setCenterPoint(TCenterPoint v);

    bool Blinking() const { return blinking_; }
    void setBlinking(bool v);
    TColor BlinkColor() const { return blinkColor_; }
    void setBlinkColor(TColor v);
    // Shared by every blinking control.
    std::uint16_t BlinkIntervalOn() const;
    void setBlinkIntervalOn(std::uint16_t ms);
    std::uint16_t BlinkIntervalOff() const;
    void setBlinkIntervalOff(std::uint16_t ms);

    int BevelWidth() const { return edge_.bevelWidth; }
    void setBevelWidth(int v);
    TFrameStyle BorderInner() const { return edge_.borderInner; }
    void setBorderInner(TFrameStyle v);
    TFrameStyle BorderOuter() const { return edge_.borderOuter; }
    void setBorderOuter(TFrameStyle v);
    TSides BorderSides() const { return edge_.borderSides; }
    void setBorderSides(TSides v);
    int BorderWidth() const { return edge_.borderWidth; }
    void setBorderWidth(int v);
    // Sides drawn as 1-pixel black lines outside everything else.
    TSides FrameSides() const { return edge_.frameSides; }
    void setFrameSides(TSides v);
    TColor BorderColor() const { return borderColor_; }
    void setBorderColor(TColor v);
    TColor BorderHighlight() const { return borderHighlight_; }
    void setBorderHighlight(TColor v);
    TColor BorderShadow() const { return borderShadow_; }
    void setBorderShadow(TColor v);
    TColor FlatColor() const { return flatColor_; }
    void setFlatColor(TColor v);

    // While the mouse is over the label its font colour is FlyByColor; leaving restores the
    // colour saved on entering (only a colour it saved).
    bool FlyByEnabled() const { return flyByEnabled_; }
    void setFlyByEnabled(bool v);
    TColor FlyByColor() const { return flyByColor_; }
    void setFlyByColor(TColor v);

    TTextStyle TextStyle() const { return textStyle_; }
    void setTextStyle(TTextStyle v);
    // Leaves out the shadow copy of raised and recessed text.
    bool LightTextStyle() const { return lightTextStyle_; }
    void setLightTextStyle(bool v);
    TColor HighlightColor() const { return highlightColor_; }
    void setHighlightColor(TColor v);
    TColor ShadowColor() const { return shadowColor_; }
    void setShadowColor(TColor v);
    int ShadowDepth() const { return shadowDepth_; }
    void setShadowDepth(int v);

    std::function<void(TPvLabel*)> OnMouseEnter;
    std::function<void(TPvLabel*)> OnMouseLeave;

    bool blinkQuery() const override { return blinking_; }
    void blinkState(bool on) override;

    // Whether a font draws turned text (scalable outlines).
    static bool isTrueType(const QFont& font);

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    template <typename T>
    void store(T& field, T value, bool resizes = false);
    void adjustBounds();
    // Turned text needs a scalable font.
    void ensureTrueType();
    int textFlags() const;
    TRect textArea(Canvas& c) const;
    void paintStraight(Canvas& c, const TRect& r);
    void paintFlat(Canvas& c, const TRect& r);
    void paintArc(Canvas& c);
    // The style copies and the text (or the disabled emboss), through `draw`(dx, dy, colour).
    void paintCopies(const std::function<void(int, int, TColor)>& draw) const;

    QString caption_;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TColor normalColor_ = clWindowText;
    TColor drawingColor_ = clWindowText;

    int angle_ = 0;
    TRotation rotation_ = roNone;
    TCenterPoint centerPoint_ = cpCenter;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    LabelEdge edge_;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBlack;
    bool flyByEnabled_ = false;
    TColor flyByColor_ = clHighlight;
    std::optional<TColor> flyBySaved_;
    TTextStyle textStyle_ = tsNormal;
    bool lightTextStyle_ = false;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
};

}  // namespace pavik
