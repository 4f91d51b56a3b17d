#include "components/frame_controller.h"

#include <QMetaProperty>
#include <QVariant>
#include <algorithm>

namespace pavik {
namespace {

enum class Kind { Bool, Color, Style, Sides };

bool kindMatches(const QMetaProperty& p, Kind kind) {
    const int id = p.metaType().id();
    switch (kind) {
    case Kind::Bool: return id == QMetaType::Bool;
    case Kind::Color:
    case Kind::Sides: return id == QMetaType::UInt;
    case Kind::Style: return id == QMetaType::Int || p.isEnumType();
    }
    return false;
}

void writeProperty(QObject* o, const char* name, Kind kind, const QVariant& value) {
    const QMetaObject* mo = o->metaObject();
    const int i = mo->indexOfProperty(name);
    if (i < 0) return;
    const QMetaProperty p = mo->property(i);
    if (!p.isWritable() || !kindMatches(p, kind)) return;
    p.write(o, value);
}

}  // namespace

TPvFrameController::TPvFrameController(QObject* parent) : QObject(parent) {}

void TPvFrameController::setColor(TColor v) {
    if (v == color_) return;
    color_ = v;
    parentColor_ = false;
    updateAll(ckColor);
}

void TPvFrameController::setParentColor(bool v) {
    if (v == parentColor_) return;
    parentColor_ = v;
    updateAll(ckParentColor);
    if (!v) updateAll(ckColor);
}

void TPvFrameController::setFlatButtons(bool v) {
    if (v == flatButtons_) return;
    flatButtons_ = v;
    updateAll(ckFlatButtons);
}

void TPvFrameController::setFrameColor(TColor v) {
    if (v == frameColor_) return;
    frameColor_ = v;
    updateAll(ckFrameColor);
}

void TPvFrameController::setFrameFlat(bool v) {
    if (v == frameFlat_) return;
    frameFlat_ = v;
    if (v) {
        setFrameVisible(true);
        frameSides_ = sdAll;
        frameStyle_ = frameFlatStyle_;
    }
    updateAll(ckFrameFlat);
}

void TPvFrameController::setFrameFlatStyle(TFrameStyle v) {
    if (v == frameFlatStyle_) return;
    frameFlatStyle_ = v;
    updateAll(ckFrameFlatStyle);
}

void TPvFrameController::setFrameFocusStyle(TFrameStyle v) {
    if (v == frameFocusStyle_) return;
    frameFocusStyle_ = v;
    updateAll(ckFrameFocusStyle);
}

void TPvFrameController::setFrameSides(TSides v) {
    if (v == frameSides_) return;
    frameSides_ = v;
    updateAll(ckFrameSides);
}

void TPvFrameController::setFrameStyle(TFrameStyle v) {
    if (v == frameStyle_) return;
    frameStyle_ = v;
    updateAll(ckFrameStyle);
}

void TPvFrameController::setFrameVisible(bool v) {
    if (v == frameVisible_) return;
    frameVisible_ = v;
    updateAll(ckFrameVisible);
}

void TPvFrameController::addControl(QObject* control) {
    if (!control || std::find(controls_.begin(), controls_.end(), control) != controls_.end())
        return;
    controls_.push_back(control);
    connect(control, &QObject::destroyed, this, [this, control] { removeControl(control); });
    updateControl(control, ckAll);
}

void TPvFrameController::removeControl(QObject* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    disconnect(control, &QObject::destroyed, this, nullptr);
}

void TPvFrameController::updateControl(QObject* control, ChangeKind kind) {
    const QVariant use = control->property("UseFrameController");
    if (use.metaType().id() != QMetaType::Bool || !use.toBool()) return;
    const auto style = [](TFrameStyle s) { return QVariant(static_cast<int>(s)); };
    const auto write = [&](ChangeKind k) {
        switch (k) {
        case ckAll: break;
        case ckColor: writeProperty(control, "Color", Kind::Color, QVariant(color_)); break;
        case ckParentColor:
            writeProperty(control, "ParentColor", Kind::Bool, parentColor_);
            break;
        case ckFlatButtons:
            writeProperty(control, "FlatButtons", Kind::Bool, flatButtons_);
            break;
        case ckFrameColor:
            writeProperty(control, "FrameColor", Kind::Color, QVariant(frameColor_));
            break;
        case ckFrameFlat: writeProperty(control, "FrameFlat", Kind::Bool, frameFlat_); break;
        case ckFrameFlatStyle:
            writeProperty(control, "FrameFlatStyle", Kind::Style, style(frameFlatStyle_));
            break;
        case ckFrameFocusStyle:
            writeProperty(control, "FrameFocusStyle", Kind::Style, style(frameFocusStyle_));
            break;
        case ckFrameSides:
            writeProperty(control, "FrameSides", Kind::Sides, QVariant(frameSides_ & sdAll));
            break;
        case ckFrameStyle:
            writeProperty(control, "FrameStyle", Kind::Style, style(frameStyle_));
            break;
        case ckFrameVisible:
            writeProperty(control, "FrameVisible", Kind::Bool, frameVisible_);
            break;
        }
    };
    if (kind != ckAll) {
        write(kind);
        return;
    }
    write(ckParentColor);
    if (!parentColor_) write(ckColor);
    for (int k = ckFlatButtons; k <= ckFrameVisible; ++k) write(static_cast<ChangeKind>(k));
}

void TPvFrameController::updateAll(ChangeKind kind) {
    if (lock_ > 0) return;
    const std::vector<QObject*> controls = controls_;
    for (QObject* c : controls) updateControl(c, kind);
}

void TPvFrameController::endUpdate() {
    if (lock_ > 0 && --lock_ == 0) updateAll(ckAll);
}

}  // namespace pavik
