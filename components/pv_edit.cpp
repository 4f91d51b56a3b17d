#include "components/pv_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <cmath>
#include <memory>

#include "components/canvas.h"
#include "components/draw_kit.h"
#include "platform/qt_text.h"

namespace pavik {
namespace {

// Focus that moves between windows (another window, a menu) is not the field being entered
// or left.
bool betweenWindows(const QFocusEvent* e) {
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

TPvCustomEdit::TPvCustomEdit(QWidget* parent) : QLineEdit(parent) { holdAnyLength(this); }

TPvCustomEdit::~TPvCustomEdit() {
    if (frameController_) frameController_->removeControl(this);
}

template <typename T>
void TPvCustomEdit::store(T& field, T value) {
    if (field == value) return;
    field = value;
    repaintFrame();
}

void TPvCustomEdit::setAlignment(TAlignment v) {
    if (v == alignment_) return;
    alignment_ = v;
    if (v == taLeftJustify) QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    else if (v == taRightJustify) QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TPvCustomEdit::setColor(TColor v) {
    color_ = v;
    QPalette p = palette();
    p.setColor(QPalette::Base, toQColor(v, p));
    setPalette(p);
    if (frameVisible_) repaintFrame();
}

void TPvCustomEdit::setFontColor(TColor v) {
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(v, p));
    setPalette(p);
}

void TPvCustomEdit::setFrameColor(TColor v) { store(frameColor_, v); }
void TPvCustomEdit::setFrameFlatStyle(TFrameStyle v) { store(frameFlatStyle_, v); }
void TPvCustomEdit::setFrameFocusStyle(TFrameStyle v) { store(frameFocusStyle_, v); }
void TPvCustomEdit::setFrameSides(TSides v) { store(frameSides_, v & sdAll); }
void TPvCustomEdit::setFrameStyle(TFrameStyle v) { store(frameStyle_, v); }

void TPvCustomEdit::setFrameController(TPvFrameController* v) {
    if (v == frameController_) return;
    if (frameController_) frameController_->removeControl(this);
    frameController_ = v;
    if (v) v->addControl(this);
}

void TPvCustomEdit::setFrameFlat(bool v) {
    if (v == frameFlat_) return;
    frameFlat_ = v;
    if (v) {
        setFrameVisible(true);
        frameSides_ = sdAll;
        frameStyle_ = frameFlatStyle_;
    }
    repaintFrame();
}

void TPvCustomEdit::setFrameVisible(bool v) {
    if (v == frameVisible_) return;
    frameVisible_ = v;
    applyFrameSpace();
    repaintFrame();
}

// Our frame replaces the style's and takes two pixels on every side.
void TPvCustomEdit::applyFrameSpace() {
    setFrame(!frameVisible_);
    const int m = frameVisible_ ? 2 : 0;
    setTextMargins(m, m, m, m);
}

void TPvCustomEdit::updateFrame(bool viaMouse, bool state) {
    if (viaMouse) mouseOver_ = state;
    const bool focused = viaMouse ? hasFocus() : state;
    if (frameFlat_) frameStyle_ = focused || mouseOver_ ? frameFocusStyle_ : frameFlatStyle_;
    repaintFrame();
}

void TPvCustomEdit::repaintFrame() { update(); }

void TPvCustomEdit::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    if (!frameVisible_) return;
    QPainter p(this);
    Canvas c(p, palette());
    DrawFrame(c, width(), height(), frameSides_, frameColor_, color_, frameStyle_);
}

void TPvCustomEdit::keyPressEvent(QKeyEvent* e) {
    if (OnKeyDown) {
        OnKeyDown(this, e->key());
        if (!hasFocus()) {  // the handler moved the focus: the key is spent
            e->accept();
            return;
        }
    }
    if (isEnterKey(e->key())) {
        if (tabOnEnter_) {
            focusNextChild();
            e->accept();
            return;
        }
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QString text = e->text();
    if (text.size() == 1 && !isValidChar(text[0])) {
        QApplication::beep();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TPvCustomEdit::focusInEvent(QFocusEvent* e) {
    updateFrame(false, true);
    QLineEdit::focusInEvent(e);
    if (!betweenWindows(e) && OnEnter) OnEnter(this);
}

void TPvCustomEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (!betweenWindows(e) && OnExit) OnExit(this);
    updateFrame(false, false);
}

void TPvCustomEdit::enterEvent(QEnterEvent* e) {
    QLineEdit::enterEvent(e);
    updateFrame(true, true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPvCustomEdit::leaveEvent(QEvent* e) {
    QLineEdit::leaveEvent(e);
    updateFrame(true, false);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- TPvNumericEdit ----------------------------------------------------------------------

TPvNumericEdit::TPvNumericEdit(QWidget* parent) : TPvEdit(parent) {
    resize(65, 21);
    setAlignment(taRightJustify);
    setText(formatText(0));
}

QString TPvNumericEdit::formatText(double v) const {
    return QString::fromStdString(FormatNumber(v, displayFormat_.toStdString()));
}

std::optional<double> TPvNumericEdit::parseText() const {
    return ParseNumberText(text().toStdString());
}

double TPvNumericEdit::Value() {
    if (text().isEmpty()) setText(formatText(min_));
    return parseText().value_or(min_);
}

void TPvNumericEdit::setValue(double v) {
    if (parseText() != v) setText(formatText(v));
}

double TPvNumericEdit::checkValue(double v) {
    v = CheckNumberRange(v, min_, max_, checkRange_);
    changed_ = v != value_;
    value_ = v;
    return v;
}

void TPvNumericEdit::setIntegersOnly(bool v) {
    if (v == integersOnly_) return;
    integersOnly_ = v;
    if (v) setValue(std::nearbyint(Value()));
}

void TPvNumericEdit::setMin(double v) {
    if (v == min_) return;
    min_ = v;
    if (min_ > max_) max_ = min_;
    update();
}

void TPvNumericEdit::setMax(double v) {
    if (v == max_) return;
    max_ = v;
    if (max_ < min_) min_ = max_;
    update();
}

void TPvNumericEdit::setDisplayFormat(const QString& v) {
    if (v == displayFormat_) return;
    displayFormat_ = v;
    setText(formatText(Value()));
}

bool TPvNumericEdit::isValidChar(QChar c) const {
    if (c.unicode() > 0x7F) return false;
    const std::string all = text().toStdString();
    const std::string selected = selectedText().toStdString();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    return IsValidNumberKey({static_cast<char>(c.unicode()), all, selected, start == 0, integersOnly_});
}

std::optional<std::string> TPvNumericEdit::acceptInput(const QString& input) const {
    const qsizetype start = hasSelectedText() ? selectionStart() : cursorPosition();
    const std::string all = text().toStdString();
    return AcceptNumberInput(input.toStdU32String(), {all, static_cast<size_t>(start),
                                                      static_cast<size_t>(selectedText().size()), integersOnly_});
}

void TPvNumericEdit::pasteChecked() {
    if (isReadOnly()) return;
    // Blanks and line ends around a copied number are dropped; anything else must be a number.
    const QString pasted = QGuiApplication::clipboard()->text().trimmed();
    if (pasted.isEmpty()) return;
    if (const std::optional<std::string> typed = acceptInput(pasted))
        insert(QString::fromStdString(*typed));
    else
        QApplication::beep();
}

void TPvNumericEdit::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        pasteChecked();
        e->accept();
        return;
    }
    TPvEdit::keyPressEvent(e);
}

void TPvNumericEdit::contextMenuEvent(QContextMenuEvent* e) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The standard paste item is the one that names the paste keys after a tab.
    const QString keys = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* paste : menu->actions()) {
        if (!paste->text().endsWith(keys)) continue;
        disconnect(paste, &QAction::triggered, this, nullptr);  // the unchecked paste
        connect(paste, &QAction::triggered, this, &TPvNumericEdit::pasteChecked);
    }
    menu->exec(e->globalPos());
}

void TPvNumericEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty() || isReadOnly()) return TPvEdit::inputMethodEvent(e);
    const std::optional<std::string> typed = acceptInput(e->commitString());
    QInputMethodEvent checked(e->preeditString(), e->attributes());
    if (typed)
        checked.setCommitString(QString::fromStdString(*typed), e->replacementStart(), e->replacementLength());
    else
        QApplication::beep();
    TPvEdit::inputMethodEvent(&checked);
    e->setAccepted(checked.isAccepted());
}

void TPvNumericEdit::focusInEvent(QFocusEvent* e) {
    if (!betweenWindows(e)) {
        changed_ = false;
        if (const std::optional<double> v = parseText()) value_ = *v;
        setText(formatText(value_));
    }
    TPvEdit::focusInEvent(e);
}

void TPvNumericEdit::focusOutEvent(QFocusEvent* e) {
    if (!betweenWindows(e)) {
        double v = min_;
        if (const std::optional<double> parsed = parseText()) v = checkValue(*parsed);
        else setValue(min_);
        setText(formatText(v));
    }
    TPvEdit::focusOutEvent(e);
}

}  // namespace pavik
