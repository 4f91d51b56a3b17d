#pragma once
// Single-line edits of the component set: TPvEdit draws its own frame (flat or 3-D styles on
// chosen sides, another style while focused or under the mouse) and can move the focus on
// Enter; TPvNumericEdit holds a number, shown through a display format (numeric_text.h) and
// kept inside a range when the field is left.
//
// The frame settings can be pushed by a TPvFrameController: they are Qt properties of the
// names it writes ("UseFrameController", "Color", "FrameColor", "FrameFlat", ...).
#include <QLineEdit>
#include <QPointer>
#include <cstdint>
#include <functional>

#include "components/frame_controller.h"
#include "components/numeric_text.h"
#include "components/pv_types.h"
#include "platform/colors.h"

namespace pavik {


class TPvCustomEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool UseFrameController READ UseFrameController WRITE setUseFrameController)
    Q_PROPERTY(uint Color READ Color WRITE setColor)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE setFrameColor)
    Q_PROPERTY(bool FrameFlat READ FrameFlat WRITE setFrameFlat)
    Q_PROPERTY(int FrameFlatStyle READ frameFlatStyleProp WRITE setFrameFlatStyleProp)
    Q_PROPERTY(int FrameFocusStyle READ frameFocusStyleProp WRITE setFrameFocusStyleProp)
    Q_PROPERTY(uint FrameSides READ FrameSides WRITE setFrameSides)
    Q_PROPERTY(int FrameStyle READ frameStyleProp WRITE setFrameStyleProp)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE setFrameVisible)
public:
    explicit TPvCustomEdit(QWidget* parent = nullptr);
    ~TPvCustomEdit() override;

    // taLeftJustify or taRightJustify.
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment v);
    // Enter moves the focus on, as Tab does.
    bool TabOnEnter() const { return tabOnEnter_; }
    void setTabOnEnter(bool v) { tabOnEnter_ = v; }
    // The background inside the frame.
    TColor Color() const { return color_; }
    void setColor(TColor v);
    void setFontColor(TColor v);
    TColor FrameColor() const { return frameColor_; }
    void setFrameColor(TColor v);
    TPvFrameController* FrameController() const { return frameController_; }
    void setFrameController(TPvFrameController* v);
    // Flat: FrameFlatStyle normally, FrameFocusStyle while focused or under the mouse.
    bool FrameFlat() const { return frameFlat_; }
    void setFrameFlat(bool v);
    TFrameStyle FrameFlatStyle() const { return frameFlatStyle_; }
    void setFrameFlatStyle(TFrameStyle v);
    TFrameStyle FrameFocusStyle() const { return frameFocusStyle_; }
    void setFrameFocusStyle(TFrameStyle v);
    TSides FrameSides() const { return frameSides_; }
    void setFrameSides(TSides v);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void setFrameStyle(TFrameStyle v);
    // Without it the edit has the style's usual frame.
    bool FrameVisible() const { return frameVisible_; }
    void setFrameVisible(bool v);
    bool UseFrameController() const { return useFrameController_; }
    void setUseFrameController(bool v) { useFrameController_ = v; }

    std::function<void(TPvCustomEdit*)> OnMouseEnter;
    std::function<void(TPvCustomEdit*)> OnMouseLeave;
    // Focus arrives / leaves (after the edit has tidied its text).
    std::function<void(TPvCustomEdit*)> OnEnter;
    std::function<void(TPvCustomEdit*)> OnExit;
    // Every key pressed, before the edit handles it.
    std::function<void(TPvCustomEdit*, int key)> OnKeyDown;

protected:
    // Focus or mouse changed: a flat frame takes the matching style.
    void updateFrame(bool viaMouse, bool state);
    void repaintFrame();

    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    // A typed character the edit accepts (all of them here).
    virtual bool isValidChar(QChar) const { return true; }

private:
    template <typename T>
    void store(T& field, T value);
    int frameFlatStyleProp() const { return frameFlatStyle_; }
    void setFrameFlatStyleProp(int v) { setFrameFlatStyle(static_cast<TFrameStyle>(v)); }
    int frameFocusStyleProp() const { return frameFocusStyle_; }
    void setFrameFocusStyleProp(int v) { setFrameFocusStyle(static_cast<TFrameStyle>(v)); }
    int frameStyleProp() const { return frameStyle_; }
    void setFrameStyleProp(int v) { setFrameStyle(static_cast<TFrameStyle>(v)); }
    void applyFrameSpace();

    TAlignment alignment_ = taLeftJustify;
    bool tabOnEnter_ = false;
    TColor color_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    QPointer<TPvFrameController> frameController_;
    bool frameFlat_ = false;
    TFrameStyle frameFlatStyle_ = fsStatus;
    TFrameStyle frameFocusStyle_ = fsLowered;
    TSides frameSides_ = sdAll;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    bool useFrameController_ = true;
    bool mouseOver_ = false;
};

class TPvEdit : public TPvCustomEdit {
    Q_OBJECT
public:
    using TPvCustomEdit::TPvCustomEdit;
};

class TPvNumericEdit : public TPvEdit {
    Q_OBJECT
public:
    explicit TPvNumericEdit(QWidget* parent = nullptr);

    // Min..Max is enforced when the field is left, if the two differ or CheckRange is set.
    bool CheckRange() const { return checkRange_; }
    void setCheckRange(bool v) { checkRange_ = v; }
    bool IntegersOnly() const { return integersOnly_; }
    void setIntegersOnly(bool v);
    double Min() const { return min_; }
    void setMin(double v);  // Max follows when it would fall below Min
    double Max() const { return max_; }
    void setMax(double v);  // Min follows when it would rise above Max
    QString DisplayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& v);

    // The number the text stands for; an empty text first becomes Min. A text that holds no
    // number reads as Min.
    double Value();
    // Shows `v` unless the text already stands for it; the range is not applied.
    void setValue(double v);
    // Value rounded to the nearest integer, held inside the 32-bit range.
    std::int32_t IntValue() { return RoundToInt32(Value()); }
    void setIntValue(std::int32_t v) { setValue(v); }
    // Whether the last range check changed the stored value.
    bool changed() const { return changed_; }

    QString formatText(double v) const;
    // The number of the current text, or nothing.
    std::optional<double> parseText() const;
    // Clamps `v` to the range (see CheckRange) and stores it.
    double checkValue(double v);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool isValidChar(QChar c) const override;
    // The input method's text is checked as keys are (AcceptNumberInput): full-width digits
    // go in as digits, a text with anything else is refused with a beep.
    void inputMethodEvent(QInputMethodEvent* e) override;
    // Pasted text is checked the same way, from the keys and from the context menu.
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // The text checked for the selection or the caret: the ASCII text to insert, or nothing.
    std::optional<std::string> acceptInput(const QString& text) const;
    void pasteChecked();

    bool checkRange_ = false;
    bool integersOnly_ = true;
    double min_ = 0;
    double max_ = 0;
    QString displayFormat_ = QString::fromLatin1(DefaultNumberFormat.data(), DefaultNumberFormat.size());
    double value_ = 0;
    bool changed_ = false;
};

}  // namespace pavik
