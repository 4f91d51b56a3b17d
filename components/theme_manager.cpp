#include "components/theme_manager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QSlider>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <mutex>

#include "components/a_led.h"
#include "components/pv_label.h"
#include "components/pv_panel.h"
#include "components/pv_progress_bar.h"
#include "components/pv_spinner.h"
#include "components/pv_status.h"
#include "components/theme_handlers.h"
#include "components/theme_qt.h"

namespace pavik {
namespace {

std::mutex mainLock;
TThemeManager* mainManager_ = nullptr;

// The main manager is gone: the first manager to see this takes over.
QEvent::Type claimMainEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// Lets the hooks run soon (posted to the application).
QEvent::Type hookEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TThemeOption optionOf(ThemeClass cls) {
    switch (cls) {
    case ThemeClass::ListView: return toSubclassListView;
    case ThemeClass::TabSheet: return toSubclassTabSheet;
    case ThemeClass::GroupBox: return toSubclassGroupBox;
    case ThemeClass::ButtonControl: return toSubclassButtons;
    case ThemeClass::SpeedButton: return toSubclassSpeedButtons;
    case ThemeClass::TrackBar: return toSubclassTrackBar;
    case ThemeClass::Animate: return toSubclassAnimate;
    case ThemeClass::StatusBar: return toSubclassStatusBar;
    case ThemeClass::CheckListBox: return toSubclassCheckListbox;
    case ThemeClass::Frame: return toSubclassFrame;
    case ThemeClass::Panel: return toSubclassPanel;
    case ThemeClass::Form:
    case ThemeClass::WinControl: break;
    }
    return toSubclassWinControl;
}

bool isForm(const QWidget* w) {
    return w->isWindow() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog);
}

// The widgets below `parent` inside its window, depth first.
void forEachControlBelow(QWidget* parent, const std::function<void(QWidget*)>& visit) {
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        visit(w);
        forEachControlBelow(w, visit);
    }
}

}  // namespace

std::optional<ThemeClass> ThemeListFor(ThemeClass cls, TThemeOptions options, bool inserting, bool libraryLoaded) {
    if (!libraryLoaded && cls != ThemeClass::ListView) return std::nullopt;
    if (!inserting || cls == ThemeClass::Form || (options & themeOption(optionOf(cls))) != 0) return cls;
    return std::nullopt;
}

std::optional<ThemeClass> ThemeClassOf(const QWidget* w) {
    if (w->isWindow()) return isForm(w) ? std::optional(ThemeClass::Form) : std::nullopt;
    if (qobject_cast<const TPvRapidFireButton*>(w)) return ThemeClass::SpeedButton;
    if (qobject_cast<const QToolButton*>(w)) {
        if (qobject_cast<const QToolBar*>(w->parentWidget())) return std::nullopt;
        return ThemeClass::SpeedButton;
    }
    if (qobject_cast<const QAbstractButton*>(w)) return ThemeClass::ButtonControl;
    if (qobject_cast<const QGroupBox*>(w)) return ThemeClass::GroupBox;
    if (qobject_cast<const QStackedWidget*>(w->parentWidget()) &&
        qobject_cast<const QTabWidget*>(w->parentWidget()->parentWidget()))
        return ThemeClass::TabSheet;
    if (qobject_cast<const TPvCustomPanel*>(w)) return ThemeClass::Panel;
    if (qobject_cast<const QListView*>(w)) return ThemeClass::ListView;
    if (qobject_cast<const QSlider*>(w)) return ThemeClass::TrackBar;
    if (qobject_cast<const QStatusBar*>(w)) return ThemeClass::StatusBar;
    if (qobject_cast<const QLabel*>(w) || qobject_cast<const TPvLabel*>(w) ||
        qobject_cast<const TPvCustomStatusPane*>(w) || qobject_cast<const TPvCustomProgressBar*>(w) ||
        qobject_cast<const TALed*>(w))
        return std::nullopt;
    return ThemeClass::WinControl;
}

QEvent::Type ThemeRecreateEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// ---- Registration list ----------------------------------------------------------------------

ThemeControlList::ThemeControlList(TThemeManager& manager, ThemeClass cls) : manager_(manager), class_(cls) {}

ThemeControlList::~ThemeControlList() { Clear(); }

bool ThemeControlList::Find(const QWidget* control) const {
    return std::binary_search(controls_.begin(), controls_.end(), control, std::less<const QWidget*>());
}

QList<QWidget*> ThemeControlList::controls() const { return {controls_.begin(), controls_.end()}; }

void ThemeControlList::Add(QWidget* control) {
    if (Find(control) || ThemeClassOf(control) != class_) return;
    controls_.insert(std::upper_bound(controls_.begin(), controls_.end(), control, std::less<QWidget*>()), control);
    control->installEventFilter(this);
    // A destroyed control only leaves the list; it is not touched any more.
    connect(control, &QObject::destroyed, this, [this](QObject* gone) { forget(gone); });
}

void ThemeControlList::forget(const QObject* control) {
    std::erase_if(controls_, [control](QWidget* w) { return static_cast<QObject*>(w) == control; });
}

void ThemeControlList::Remove(QWidget* control) {
    if (!Find(control)) return;
    forget(control);
    control->removeEventFilter(this);
    disconnect(control, &QObject::destroyed, this, nullptr);
    forEachControlBelow(control, [this](QWidget* child) { manager_.unregister(child); });
    manager_.recreate_.removeAll(control);
}

void ThemeControlList::Clear() {
    while (!controls_.empty()) Remove(controls_.back());
}

bool ThemeControlList::eventFilter(QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    if (event->type() == ThemeRecreateEvent()) {
        manager_.QueueRecreate(control);
        return true;
    }
    return manager_.controlEvent(class_, control, event);
}

// ---- Manager --------------------------------------------------------------------------------

TThemeManager::TThemeManager(QObject* owner, TThemeServices* services)
    : QObject(owner), services_(services ? *services : ThemeServices()) {
    for (int i = 0; i < ThemeClassCount; ++i)
        lists_[static_cast<std::size_t>(i)] = std::make_unique<ThemeControlList>(*this, static_cast<ThemeClass>(i));
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
    std::lock_guard guard(mainLock);
    if (mainManager_) {
        secondary_ = true;
        options_ = mainManager_->options_;
    } else {
        mainManager_ = this;
    }
}

TThemeManager::~TThemeManager() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app) app->removeEventFilter(this);
    unregisterAll();
    bool wasMain = false;
    {
        std::lock_guard guard(mainLock);
        wasMain = mainManager_ == this;
        if (wasMain) mainManager_ = nullptr;
    }
    if (wasMain && app) {
        QEvent claim(claimMainEvent());
        QCoreApplication::sendEvent(app, &claim);
    }
}

TThemeManager* TThemeManager::mainManager() {
    std::lock_guard guard(mainLock);
    return mainManager_;
}

bool TThemeManager::isMainManager() const { return mainManager() == this; }

void TThemeManager::setOptions(TThemeOptions v) {
    if (secondary_) {
        // Forwarded whatever this copy holds: the main one's may have changed since.
        options_ = v;
        if (TThemeManager* main = mainManager(); main && main != this) main->setOptions(v);
        return;
    }
    if (v == options_) return;
    options_ = v;
    if (!isMainManager()) return;
    if (services_.LibraryLoaded()) {
        unsigned flags = 0;
        if (hasOption(toAllowNonClientArea)) flags |= ThemeAllowNonClient;
        if (hasOption(toAllowControls)) flags |= ThemeAllowControls;
        if (hasOption(toAllowWebContent)) flags |= ThemeAllowWebContent;
        services_.library().setThemeAppProperties(flags);
    }
    services_.UpdateThemes();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QEvent changed(ThemeChangedEvent());
        QCoreApplication::sendEvent(app, &changed);
    }
    repaintAllForms();
}

void TThemeManager::Loaded() {
    if (isMainManager()) SubclassAllForms();
}

void TThemeManager::SubclassAllForms() {
    if (!isMainManager()) return;
    unregisterAll();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (isForm(w)) SubclassForm(w);
}

void TThemeManager::SubclassForm(QWidget* form) {
    if (!isMainManager()) return;
    ControlInsertedOrRemoved(form, true);
    adjustControls(form);
}

void TThemeManager::registerChildren(QWidget* parent) {
    forEachControlBelow(parent, [this](QWidget* w) { ControlInsertedOrRemoved(w, true); });
}

void TThemeManager::adjustControls(QWidget* root) {
    if (!hasOption(toSetTransparency)) return;
    // Tool bars and labels paint no background of their own: the one behind them shows.
    for (QToolBar* bar : root->findChildren<QToolBar*>()) bar->setAutoFillBackground(false);
    for (TPvLabel* label : root->findChildren<TPvLabel*>()) label->setTransparent(true);
}

bool TThemeManager::isRegistered(const QWidget* control) const {
    return std::any_of(lists_.begin(), lists_.end(), [control](const auto& l) { return l->Find(control); });
}

QList<QWidget*> TThemeManager::waitingForms() const {
    QList<QWidget*> forms;
    for (const QPointer<QWidget>& f : waitingForms_)
        if (f) forms.append(f);
    return forms;
}

QList<QWidget*> TThemeManager::recreateList() const {
    QList<QWidget*> controls;
    for (const QPointer<QWidget>& c : recreate_)
        if (c) controls.append(c);
    return controls;
}

void TThemeManager::ControlInsertedOrRemoved(QWidget* control, bool inserting) {
    const std::optional<ThemeClass> cls = ThemeClassOf(control);
    if (!cls) return;
    const std::optional<ThemeClass> which = ThemeListFor(*cls, options_, inserting, services_.LibraryLoaded());
    if (which) {
        ThemeControlList& list = *lists_[static_cast<std::size_t>(*which)];
        if (inserting && *which == ThemeClass::ListView && !list.Find(control))
            QCoreApplication::postEvent(control, new QEvent(ThemeRecreateEvent()));
        const bool refused = control->property(RefuseThemeManager).toBool();
        if (inserting && !refused && DoAllowSubclassing(control)) {
            list.Add(control);
            if (*which == ThemeClass::Form) waitingForms_.removeAll(control);
        } else {
            list.Remove(control);
        }
    }
    // A form's controls are taken up with it (even when the form itself is not).
    if (inserting && (*cls == ThemeClass::Form || which == ThemeClass::Frame)) registerChildren(control);
}

void TThemeManager::unregister(QWidget* control) {
    for (auto& list : lists_) list->Remove(control);
}

void TThemeManager::unregisterAll() {
    for (auto& list : lists_) list->Clear();
}

void TThemeManager::QueueRecreate(QWidget* control) {
    if (!recreate_.contains(control)) recreate_.append(control);
    hookSoon();
}

bool TThemeManager::DoAllowSubclassing(QWidget* control) {
    bool allow = true;
    if (OnAllowSubclassing) OnAllowSubclassing(this, control, allow);
    return allow;
}

bool TThemeManager::DoControlMessage(QWidget* control, QEvent* event) {
    bool handled = false;
    if (OnControlMessage) OnControlMessage(this, control, event, handled);
    for (std::size_t i = 0; i < listeners_.size() && !handled; ++i) listeners_[i].second(this, control, event, handled);
    return handled;
}

void TThemeManager::DoThemeChange() {
    if (OnThemeChange) OnThemeChange(this);
}

int TThemeManager::addControlMessageListener(ControlMessageListener listener) {
    listeners_.emplace_back(nextListenerId_, std::move(listener));
    return nextListenerId_++;
}

void TThemeManager::removeControlMessageListener(int id) {
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void TThemeManager::BecomeMainManager() {
    TThemeManager* old = nullptr;
    {
        std::lock_guard guard(mainLock);
        if (mainManager_ == this) return;
        old = mainManager_;
        mainManager_ = this;
        secondary_ = false;
    }
    if (old) {
        old->secondary_ = true;
        old->unregisterAll();
    }
    SubclassAllForms();
}

bool TThemeManager::controlEvent(ThemeClass cls, QWidget* control, QEvent* event) {
    if (DoControlMessage(control, event)) return true;
    if (!services_.ThemesEnabled()) return false;
    return ThemedControlEvent(*this, cls, control, event);
}

void TThemeManager::hookSoon() {
    if (QCoreApplication* app = QCoreApplication::instance()) QCoreApplication::postEvent(app, new QEvent(hookEvent()));
}

void TThemeManager::takeUpForm(QWidget* form) {
    if (waitingForms_.contains(form) || isRegistered(form)) return;
    waitingForms_.append(form);
    hookSoon();
}

void TThemeManager::runHook() {
    const QList<QPointer<QWidget>> forms = std::exchange(waitingForms_, {});
    for (const QPointer<QWidget>& form : forms) {
        if (!form || !isMainManager()) continue;
        SubclassForm(form);
        form->update();
    }
    const QList<QPointer<QWidget>> controls = std::exchange(recreate_, {});
    for (const QPointer<QWidget>& control : controls) {
        if (!control) continue;
        control->style()->unpolish(control);
        control->style()->polish(control);
        control->update();
    }
}

void TThemeManager::repaintAllForms() {
    for (QWidget* w : QApplication::allWidgets()) w->update();
}

// Events reach this filter for every object, also those of libraries built without type
// information (the embedded browser's own objects), whose type the vptr check of the
// undefined-behaviour sanitizer cannot read: the filter only asks them whether they are widgets.
__attribute__((no_sanitize("vptr"))) bool TThemeManager::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == QCoreApplication::instance()) {
        if (type == claimMainEvent() && !mainManager()) BecomeMainManager();
        runHook();
        if (type == ThemeChangedEvent()) {
            services_.UpdateThemes();
            if (services_.LibraryLoaded()) {
                const unsigned flags = services_.library().themeAppProperties();
                const auto set = [this](TThemeOption o, bool on) {
                    options_ = on ? options_ | themeOption(o) : options_ & ~themeOption(o);
                };
                set(toAllowNonClientArea, flags & ThemeAllowNonClient);
                set(toAllowControls, flags & ThemeAllowControls);
                set(toAllowWebContent, flags & ThemeAllowWebContent);
            }
            DoThemeChange();
        }
        return false;
    }
    // Events of other kinds may reach objects that are being destroyed: look only at these.
    if (type != QEvent::Polish && type != QEvent::ChildPolished && type != QEvent::ChildAdded &&
        type != QEvent::ChildRemoved)
        return false;
    if (!isMainManager() || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (type) {
    case QEvent::Polish:
        // A window about to be shown for the first time.
        if (isForm(widget)) takeUpForm(widget);
        break;
    case QEvent::ChildPolished:
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved: {
        // A control put into or taken out of a registered window.
        auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
        if (!child || child->isWindow() || !lists_[static_cast<std::size_t>(ThemeClass::Form)]->Find(widget->window()))
            break;
        if (type == QEvent::ChildRemoved) {
            if (isRegistered(child)) unregister(child);
        } else if (child->testAttribute(Qt::WA_WState_Polished) && !isRegistered(child)) {
            ControlInsertedOrRemoved(child, true);
        }
        break;
    }
    default: break;
    }
    return false;
}

}  // namespace pavik
