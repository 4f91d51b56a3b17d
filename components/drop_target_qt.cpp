#include "components/drop_target_qt.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QWidget>

namespace pavik {
namespace {

const QString UriList = QStringLiteral("text/uri-list");

TShiftState shiftOf(Qt::KeyboardModifiers m) {
    TShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    return s;
}

TPoint pointOf(const QDropEvent* e) {
    const QPoint p = e->position().toPoint();
    return {p.x(), p.y()};
}

TDropEffect offeredBy(const QDropEvent* e) {
    return TDropEffect(e->possibleActions()) & (DropEffectCopy | DropEffectMove | DropEffectLink);
}

// Qt takes the effect as the drop action; the scroll bit is ours alone.
void answer(QDropEvent* e, TDropEffect effect) {
    const auto action = Qt::DropAction(effect & (DropEffectCopy | DropEffectMove | DropEffectLink));
    if (action == Qt::IgnoreAction) {
        e->ignore();
        return;
    }
    e->setDropAction(action);
    e->accept();
}

QScrollBar* scrollBar(const QWidget* control, Qt::Orientation o) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(control);
    if (!area) return nullptr;
    QScrollBar* bar = o == Qt::Horizontal ? area->horizontalScrollBar() : area->verticalScrollBar();
    return bar && bar->isVisible() ? bar : nullptr;
}

}  // namespace

bool MimeDropData::hasFileList() const { return mime && mime->hasFormat(UriList); }

std::vector<std::string> MimeDropData::fileList() const {
    if (!hasFileList()) return {};
    const QByteArray list = mime->data(UriList);
    return localFilesFromUriList(std::string_view(list.constData(), size_t(list.size())), localHostName());
}

TDropEffect MimeDropData::preferredEffect() const {
    if (!mime) return DropEffectNone;
    const QString gnome = QStringLiteral("x-special/gnome-copied-files");
    const QString kde = QStringLiteral("application/x-kde-cutselection");
    if (mime->hasFormat(gnome)) {
        const QByteArray first = mime->data(gnome).split('\n').first().trimmed();
        return first == "cut" ? DropEffectMove : first == "copy" ? DropEffectCopy : DropEffectNone;
    }
    if (mime->hasFormat(kde)) return mime->data(kde).trimmed() == "1" ? DropEffectMove : DropEffectCopy;
    return DropEffectNone;
}

TDropEffect ReadClipboardFiles(TDropTarget& target) {
    MimeDropData data;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    data.mime = clipboard ? clipboard->mimeData() : nullptr;
    return target.ReadClipboardFiles(data);
}

WidgetDropSite::WidgetDropSite(QWidget* control) : control_(control) {}

WidgetDropSite::~WidgetDropSite() {
    if (control_) control_->removeEventFilter(this);
}

void WidgetDropSite::acceptDrops(TDropTarget* target) {
    target_ = target;
    if (!control_) return;
    control_->setAcceptDrops(target != nullptr);
    if (target)
        control_->installEventFilter(this);
    else
        control_->removeEventFilter(this);
}

TSize WidgetDropSite::clientSize() const { return control_ ? TSize{control_->width(), control_->height()} : TSize{}; }

int WidgetDropSite::fontHeight() const { return control_ ? control_->fontMetrics().height() : 0; }

bool WidgetDropSite::scrollsHorizontally() const { return scrollBar(control_, Qt::Horizontal) != nullptr; }

bool WidgetDropSite::scrollsVertically() const { return scrollBar(control_, Qt::Vertical) != nullptr; }

void WidgetDropSite::scrollLine(int dx, int dy) {
    const auto step = [](QScrollBar* bar, int d) {
        if (bar && d) bar->triggerAction(d < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    };
    step(scrollBar(control_, Qt::Horizontal), dx);
    step(scrollBar(control_, Qt::Vertical), dy);
}

bool WidgetDropSite::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_ || !target_) return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        data_.mime = e->mimeData();
        answer(e, target_->DragEnter(&data_, shiftOf(e->modifiers()), pointOf(e), offeredBy(e)));
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        data_.mime = e->mimeData();
        answer(e, target_->DragOver(shiftOf(e->modifiers()), pointOf(e), offeredBy(e)));
        return true;
    }
    case QEvent::DragLeave:
        target_->DragLeave();
        data_.mime = nullptr;
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        data_.mime = e->mimeData();
        answer(e, target_->Drop(shiftOf(e->modifiers()), pointOf(e), offeredBy(e)));
        data_.mime = nullptr;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace pavik
