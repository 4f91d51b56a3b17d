// TAFEdit: keys, the input method, the mouse, focus and the scroll bars, mapped onto the
// core's KeyInput, MouseInput and scrolling.
#include <QBitmap>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "editor/view/af_edit.h"
#include "platform/qt_colors.h"
#include "platform/qt_text.h"

namespace pavik {

namespace {

EditKey editKey(int key) {
    switch (key) {
    case Qt::Key_Left: return EditKey::Left;
    case Qt::Key_Right: return EditKey::Right;
    case Qt::Key_Up: return EditKey::Up;
    case Qt::Key_Down: return EditKey::Down;
    case Qt::Key_PageUp: return EditKey::PageUp;
    case Qt::Key_PageDown: return EditKey::PageDown;
    case Qt::Key_Home: return EditKey::Home;
    case Qt::Key_End: return EditKey::End;
    case Qt::Key_Insert: return EditKey::Insert;
    case Qt::Key_Clear: return EditKey::Clear;
    case Qt::Key_Delete: return EditKey::Delete;
    case Qt::Key_Backspace: return EditKey::Backspace;
    case Qt::Key_Shift: return EditKey::Shift;
    default:
        // Space, digits, letters and punctuation (Qt numbers them by their Latin-1 code).
        return key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis ? EditKey::Character : EditKey::Other;
    }
}

// Keys that move the caret or edit without typing a character.
bool isEditingKey(EditKey k) { return k != EditKey::Other && k != EditKey::Character && k != EditKey::Shift; }

// The editor's own keys win over the window's shortcuts. Ctrl with a letter is never the
// editor's: the panes' actions carry Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+Z and Ctrl+R.
bool takesOverShortcut(const QKeyEvent& e) {
    const Qt::KeyboardModifiers mods = e.modifiers();
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) return false;
    if (isEditingKey(editKey(e.key()))) return true;
    if (mods & Qt::ControlModifier) return false;
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        return !e.text().isEmpty() && e.text().at(0).isPrint();
    }
}

// The control character a key types: Backspace, Tab, Enter or Escape; 0 for any other key.
char16_t controlCharOf(int key) {
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: return 0;
    }
}

// Printable characters only: control characters come as keys.
QString printable(const QString& text) {
    QString out;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) out += c;
    return out;
}

// The row-selection cursor of the left margin: an arrow pointing up and to the right.
QCursor rowSelectCursor() {
    static const QCursor cursor = [] {
        const QPolygon arrow({{11, 0}, {11, 14}, {7, 10}, {4, 16}, {2, 15}, {5, 9}, {0, 9}});
        QPixmap pixmap(16, 17);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
        return QCursor(pixmap, 11, 0);
    }();
    return cursor;
}

}  // namespace

// ---- operations with selection reports ----

void TAFEdit::CutToClipboard() { core_.CutToClipboard(); }

void TAFEdit::PasteFromClipboard() {
    core_.PasteFromClipboard();
    core_.CheckSelection();
}

void TAFEdit::DeleteSelection() {
    core_.DeleteSelection();
    core_.CheckSelection();
}

// ---- keys ----

bool TAFEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        takesOverShortcut(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool TAFEdit::focusNextPrevChild(bool) { return false; }  // Tab is typed

void TAFEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    int key = event->key();
    if (OnKeyDown) OnKeyDown(*this, key, mods);
    KeyStroke k;
    k.key = editKey(key);
    if (k.key == EditKey::Character && key >= Qt::Key_A && key <= Qt::Key_Z) k.letter = static_cast<char>(key);
    k.shift = mods & Qt::ShiftModifier;
    k.ctrl = mods & Qt::ControlModifier;
    k.autoRepeat = event->isAutoRepeat();
    k.composing = !preedit_.isEmpty();
    const QString text = printable(event->text());
    const char16_t control = controlCharOf(event->key());
    if ((mods & (Qt::AltModifier | Qt::MetaModifier)) ||
        (key != 0 && k.key == EditKey::Other && text.isEmpty() && control == 0)) {
        event->ignore();  // menus and function keys are the window's
        return;
    }

    if (key != 0) {
        const bool clipboardKey = (k.ctrl && (k.letter == 'C' || k.letter == 'V' || k.letter == 'X')) ||
                                  (k.key == EditKey::Insert && (k.shift || k.ctrl)) ||
                                  (k.key == EditKey::Delete && k.shift && core_.HasSelection());
        if (clipboardKey) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        keys_.KeyDown(k);
        if (clipboardKey) QGuiApplication::restoreOverrideCursor();
    }

    // The characters the key types, whatever OnKeyDown made of the key. Ctrl with a
    // character types nothing but Escape.
    if (control != 0) {
        if (!k.ctrl || control == 27) typeCharacters(QString(QChar(control)));
    } else if (!isEditingKey(editKey(event->key())) && !text.isEmpty() && (!k.ctrl || k.composing)) {
        typeCharacters(text);
    }
    event->accept();
}

void TAFEdit::typeCharacters(const QString& chars) {
    QString typed;
    const auto flush = [&] {
        if (!typed.isEmpty()) keys_.TypeText(toCp932(typed));
        typed.clear();
    };
    for (QChar c : chars) {
        if (OnKeyPress) OnKeyPress(*this, c);
        const char16_t u = c.unicode();
        if (u == 8 || u == 9 || u == 13 || u == 27) {
            flush();
            keys_.Character(static_cast<unsigned char>(u));
        } else if (u >= 0x20 && u != 0x7F) {
            typed += c;
        }
    }
    flush();
}

void TAFEdit::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        keys_.KeyUp(editKey(event->key()));
        if (OnKeyUp) OnKeyUp(*this, event->key(), event->modifiers());
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

// ---- input method ----

QRect TAFEdit::preeditRect() const {
    if (preedit_.isEmpty() || caretRect_.isEmpty()) return {};
    const QFontMetrics fm(font());
    return QRect(caretRect_.left(), caretRect_.top(), fm.horizontalAdvance(preedit_) + 2,
                 metrics_.rowHeight);
}

void TAFEdit::paintPreedit(QPainter& p) {
    const QRect r = preeditRect();
    p.save();
    p.fillRect(r, toQColor(core_.Color(), palette()));
    QFont f = font();
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(toQColor(core_.FontColor(), palette()));
    p.drawText(r.adjusted(0, 0, 0, -(metrics_.rowHeight - metrics_.textHeight)),
               Qt::AlignLeft | Qt::AlignVCenter, preedit_);
    p.restore();
}

void TAFEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QRect old = preeditRect();
    // The result string goes in as CP932 bytes, one operation.
    if (!event->commitString().isEmpty()) keys_.CommitComposition(toCp932(event->commitString()));
    preedit_ = event->preeditString();
    requestRepaint(old);
    requestRepaint(preeditRect());
    event->accept();
}

QVariant TAFEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        // The composition window opens at the caret (in the widget's coordinates).
        const QRect r = caretRect_.isEmpty() ? QRect(metrics_.textArea.left, metrics_.textArea.top, 2, metrics_.textHeight)
                                             : caretRect_;
        return r.translated(viewport()->pos());
    }
    case Qt::ImFont:
        return font();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- mouse ----

void TAFEdit::syncMouseGeometry() {
    MouseGeometry& g = mouse_->Geometry;
    g.textLeft = metrics_.textArea.left;
    g.textTop = metrics_.textArea.top;
    g.textRight = viewport()->width();
    g.textBottom = viewport()->height();
    g.cellPitch = metrics_.cellPitch;
    g.rowHeight = metrics_.rowHeight;
}

void TAFEdit::updateMouseCursor(int x, int y) {
    switch (mouse_->CursorAt(x, y)) {
    case MouseCursor::Default:
        viewport()->setCursor(Qt::ArrowCursor);
        break;
    case MouseCursor::IBeam:
        viewport()->setCursor(Qt::IBeamCursor);
        break;
    case MouseCursor::SplitH:
        viewport()->setCursor(Qt::SplitHCursor);
        break;
    case MouseCursor::RowSelect:
        viewport()->setCursor(rowSelectCursor());
        break;
    }
}

void TAFEdit::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
    } else {
        setFocus(Qt::MouseFocusReason);
        syncMouseGeometry();
        if (!preedit_.isEmpty() && mouse_->CursorAt(pos.x(), pos.y()) == MouseCursor::IBeam)
            QGuiApplication::inputMethod()->reset();  // a click in the text ends the composition
        mouse_->Press(pos.x(), pos.y(), event->modifiers() & Qt::ShiftModifier);
        event->accept();
    }
    if (OnMouseDown) OnMouseDown(*this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TAFEdit::mouseMoveEvent(QMouseEvent* event) {
    syncMouseGeometry();
    const QPoint pos = event->position().toPoint();
    mouse_->Move(pos.x(), pos.y(), event->buttons() & Qt::LeftButton);
    if (mouse_->Mode() == MouseMode::None) updateMouseCursor(pos.x(), pos.y());
    event->accept();
    if (OnMouseMove) OnMouseMove(*this, event->buttons(), event->modifiers(), pos.x(), pos.y());
}

void TAFEdit::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
    } else {
        mouse_->Release(event->modifiers() & Qt::ShiftModifier);
        updateMouseCursor(pos.x(), pos.y());
        event->accept();
    }
    if (OnMouseUp) OnMouseUp(*this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TAFEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);  // a press of that button
        return;
    }
    syncMouseGeometry();
    const QPoint pos = event->position().toPoint();
    mouse_->DoubleClick(pos.x(), pos.y());
    event->accept();
    if (OnDblClick) OnDblClick(*this);
}

// ---- scroll bars ----

void TAFEdit::connectScrollBars() {
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const bool vertical = bar == verticalScrollBar();
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, vertical](int action) { scrollBarAction(vertical, action); });
        connect(bar, &QAbstractSlider::sliderReleased, this, [this, vertical, bar] {
            if (vertical)
                core_.VScroll(ScrollCode::ThumbPosition, bar->value(),
                              QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
            else
                core_.HScroll(ScrollCode::ThumbPosition, bar->value());
            core_.VScroll(ScrollCode::EndScroll);
        });
        bar->installEventFilter(this);
    }
}

void TAFEdit::scrollBarAction(bool vertical, int action) {
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    ScrollCode code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = ScrollCode::LineBack; break;
    case QAbstractSlider::SliderSingleStepAdd: code = ScrollCode::LineForward; break;
    case QAbstractSlider::SliderPageStepSub: code = ScrollCode::PageBack; break;
    case QAbstractSlider::SliderPageStepAdd: code = ScrollCode::PageForward; break;
    case QAbstractSlider::SliderToMinimum: code = ScrollCode::Top; break;
    case QAbstractSlider::SliderToMaximum: code = ScrollCode::Bottom; break;
    case QAbstractSlider::SliderMove:
        // The thumb dragged, or the wheel over the bar; the thumb's release comes apart.
        code = ScrollCode::ThumbTrack;
        break;
    default:
        return;
    }
    if (vertical) {
        core_.VScroll(code, bar->sliderPosition(), QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    } else {
        setFocus(Qt::OtherFocusReason);
        core_.HScroll(code, bar->sliderPosition());
    }
    // The bar shows where the core went (it may step further, or not at all).
    bar->setSliderPosition(vertical ? core_.TopRow : core_.LeftCol);
}

bool TAFEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == verticalScrollBar() || watched == horizontalScrollBar()))
        core_.VScroll(ScrollCode::EndScroll);  // a held arrow button ends its burst
    return QAbstractScrollArea::eventFilter(watched, event);
}

}  // namespace pavik
