#pragma once
// TThemeManager: registers the controls of every window, per class, so that its class
// handlers (theme_handlers.h) see their events first, and reacts to theme changes.
//
// - Registration is an event filter on the control, one filter object per class list; a
//   control leaves its list when it is removed, reparented away or destroyed.
// - One manager per process is the main one and registers; every other is secondary and
//   forwards its Options to it. When the main one goes, the first other one to see the
//   claim event takes over.
// - The manager's application event filter is its hook: it takes up windows as they are
//   polished (and controls as they are polished into a registered window), re-polishes the
//   controls that asked for it, takes the main role when free and passes theme changes on.
// - A control with the property RefuseThemeManager set to true is never registered.
//
// Without a style library only list views are registered.
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "components/theme_services.h"

class QWidget;

namespace pavik {

enum TThemeOption {
    toAllowNonClientArea,
    toAllowControls,
    toAllowWebContent,
    toSubclassAnimate,
    toSubclassButtons,
    toSubclassCheckListbox,
    toSubclassDBLookup,
    toSubclassFrame,
    toSubclassGroupBox,
    toSubclassListView,
    toSubclassPanel,
    toSubclassTabSheet,
    toSubclassSpeedButtons,
    toSubclassStatusBar,
    toSubclassTrackBar,
    toSubclassWinControl,
    toResetMouseCapture,
    toSetTransparency,
    toAlternateTabSheetDraw
};
// A set of options as a bit mask.
using TThemeOptions = std::uint32_t;
constexpr TThemeOptions themeOption(TThemeOption o) { return TThemeOptions{1} << o; }
// Every option but toSubclassAnimate and toAlternateTabSheetDraw.
inline constexpr TThemeOptions DefaultThemeOptions = 0x3FFF7;

// The classes the manager keeps a list of, in the order the lists are made.
enum class ThemeClass {
    ListView,
    TabSheet,
    GroupBox,
    ButtonControl,
    SpeedButton,
    TrackBar,
    Animate,
    StatusBar,
    CheckListBox,
    Form,
    Frame,
    Panel,
    WinControl
};
inline constexpr int ThemeClassCount = 13;

// The list a control of class `cls` is added to (inserting) or removed from: the class's
// own list, when its option is set (inserting only; forms always) and the library is
// loaded (list views also without it). None otherwise.
std::optional<ThemeClass> ThemeListFor(ThemeClass cls, TThemeOptions options, bool inserting, bool libraryLoaded);

// The class a widget counts as: windows and dialogs are forms; labels, status panes, lamps,
// progress bars, tool buttons of tool bars and popup windows are drawn by their owners and
// have none.
std::optional<ThemeClass> ThemeClassOf(const QWidget* widget);

// A control that should never be registered sets this property to true.
inline constexpr char RefuseThemeManager[] = "RefuseThemeManager";

// Posted to a control that wants to be re-polished under the current theme.
QEvent::Type ThemeRecreateEvent();

class TThemeManager;

// The controls of one class registered by a manager.
class ThemeControlList : public QObject {
public:
    ThemeControlList(TThemeManager& manager, ThemeClass cls);
    ~ThemeControlList() override;

    ThemeClass listClass() const { return class_; }
    // Registers a control of this class that is not listed yet.
    void Add(QWidget* control);
    bool Find(const QWidget* control) const;
    // Unregisters the control and, from the manager, every widget below it.
    void Remove(QWidget* control);
    void Clear();
    int count() const { return static_cast<int>(controls_.size()); }
    QList<QWidget*> controls() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forget(const QObject* control);

    TThemeManager& manager_;
    ThemeClass class_;
    std::vector<QWidget*> controls_;  // sorted by address
};

class TThemeManager : public QObject {
    Q_OBJECT
public:
    // `services` defaults to the program's one.
    explicit TThemeManager(QObject* owner = nullptr, TThemeServices* services = nullptr);
    ~TThemeManager() override;

    TThemeOptions Options() const { return options_; }
    // A secondary manager passes the value on to the main one. The main one sets the
    // application properties from the allow options and repaints every window.
    void setOptions(TThemeOptions v);
    bool hasOption(TThemeOption o) const { return (options_ & themeOption(o)) != 0; }

    bool isMainManager() const;
    static TThemeManager* mainManager();
    TThemeServices& services() const { return services_; }

    // Once the owner has built its controls: the main manager registers every window.
    void Loaded();
    void SubclassAllForms();
    void SubclassForm(QWidget* form);

    const ThemeControlList& list(ThemeClass cls) const { return *lists_[static_cast<std::size_t>(cls)]; }
    bool isRegistered(const QWidget* control) const;
    // Windows taken up at the next hook run, and controls re-polished then.
    QList<QWidget*> waitingForms() const;
    QList<QWidget*> recreateList() const;

    virtual void QueueRecreate(QWidget* control);
    virtual bool DoAllowSubclassing(QWidget* control);
    // Offers a control's event to OnControlMessage, then to each listener until one
    // handles it. True when handled: the class handler and the control do not see it.
    virtual bool DoControlMessage(QWidget* control, QEvent* event);
    virtual void DoThemeChange();
    virtual void BecomeMainManager();
    // Registers (inserting) or unregisters a control by its class and the options.
    virtual void ControlInsertedOrRemoved(QWidget* control, bool inserting);

    using ControlMessageListener = std::function<void(TThemeManager*, QWidget*, QEvent*, bool& handled)>;
    // Listeners asked after OnControlMessage; the id removes one again.
    int addControlMessageListener(ControlMessageListener listener);
    void removeControlMessageListener(int id);

    std::function<void(TThemeManager*, QWidget* control, bool& allow)> OnAllowSubclassing;
    std::function<void(TThemeManager*, QWidget* control, QEvent* event, bool& handled)> OnControlMessage;
    std::function<void(TThemeManager*)> OnThemeChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ThemeControlList;
    // An event of a registered control: DoControlMessage, then the class handler.
    bool controlEvent(ThemeClass cls, QWidget* control, QEvent* event);
    void unregister(QWidget* control);
    void unregisterAll();
    void registerChildren(QWidget* parent);
    void adjustControls(QWidget* root);
    void runHook();
    void takeUpForm(QWidget* form);
    void hookSoon();
    void repaintAllForms();

    TThemeServices& services_;
    TThemeOptions options_ = DefaultThemeOptions;
    bool secondary_ = false;
    std::array<std::unique_ptr<ThemeControlList>, ThemeClassCount> lists_;
    std::vector<std::pair<int, ControlMessageListener>> listeners_;
    int nextListenerId_ = 1;
    QList<QPointer<QWidget>> waitingForms_;
    QList<QPointer<QWidget>> recreate_;
};

}  // namespace pavik
