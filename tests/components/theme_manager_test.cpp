#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "components/pv_label.h"
#include "components/pv_panel.h"
#include "components/pv_spinner.h"
#include "components/theme_manager.h"
#include "components/theme_qt.h"
#include "theme_fake.h"

using namespace pavik;
using pavik::test::FakeThemeLibrary;

namespace {

// Delivers every event posted so far, and those posted while delivering them: the manager's
// hook runs and re-polishes by posted events, and a timed wait may end before they arrive.
void deliverPostedEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

// Counts how often one widget is polished.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    using QProxyStyle::polish;
    void polish(QWidget* w) override {
        if (w == target) ++polished;
        QProxyStyle::polish(w);
    }
    QWidget* target = nullptr;
    int polished = 0;
};

// A window with one control of every kind the manager tells apart.
struct Form {
    Form() {
        window = std::make_unique<QWidget>();
        push = new QPushButton("OK", window.get());
        check = new QCheckBox("check", window.get());
        group = new QGroupBox("group", window.get());
        edit = new QLineEdit(group);
        panel = new TPvCustomPanel(window.get());
        spinner = new TPvSpinner(window.get());
        list = new QListWidget(window.get());
        label = new QLabel("label", window.get());
        pvLabel = new TPvLabel(window.get());
        toolBar = new QToolBar(window.get());
        barButton = qobject_cast<QToolButton*>(toolBar->widgetForAction(toolBar->addAction("bar")));
        loose = new QToolButton(window.get());
        tabs = new QTabWidget(window.get());
        page = new QWidget;
        tabs->addTab(page, "page");
    }
    std::unique_ptr<QWidget> window;
    QPushButton* push;
    QCheckBox* check;
    QGroupBox* group;
    QLineEdit* edit;
    TPvCustomPanel* panel;
    TPvSpinner* spinner;
    QListWidget* list;
    QLabel* label;
    TPvLabel* pvLabel;
    QToolBar* toolBar;
    QToolButton* barButton;
    QToolButton* loose;
    QTabWidget* tabs;
    QWidget* page;
};

bool listed(const TThemeManager& m, ThemeClass cls, const QWidget* w) { return m.list(cls).Find(w); }

}  // namespace

TEST(TThemeManager, RegistersEachControlInItsClassListAndOnlyListViewsWithoutAStyle) {
    FakeThemeLibrary lib;
    TThemeServices services(lib);
    CountingStyle counting;  // outlives the list that uses it
    Form f;
    f.list->setStyle(&counting);
    f.window->ensurePolished();
    f.toolBar->setAutoFillBackground(true);
    counting.target = f.list;
    TThemeManager m(nullptr, &services);
    m.Loaded();

    EXPECT_TRUE(listed(m, ThemeClass::Form, f.window.get()));
    EXPECT_TRUE(listed(m, ThemeClass::ButtonControl, f.push));
    EXPECT_TRUE(listed(m, ThemeClass::ButtonControl, f.check));
    EXPECT_TRUE(listed(m, ThemeClass::GroupBox, f.group));
    EXPECT_TRUE(listed(m, ThemeClass::WinControl, f.edit));
    EXPECT_TRUE(listed(m, ThemeClass::Panel, f.panel));
    EXPECT_TRUE(listed(m, ThemeClass::WinControl, f.spinner));
    EXPECT_TRUE(listed(m, ThemeClass::SpeedButton, f.spinner->MinusButton()));
    EXPECT_TRUE(listed(m, ThemeClass::SpeedButton, f.spinner->PlusButton()));
    EXPECT_TRUE(listed(m, ThemeClass::SpeedButton, f.loose));
    EXPECT_TRUE(listed(m, ThemeClass::ListView, f.list));
    EXPECT_TRUE(listed(m, ThemeClass::WinControl, f.toolBar));
    EXPECT_TRUE(listed(m, ThemeClass::TabSheet, f.page));
    // Drawn by their owners, as windowless controls are.
    EXPECT_FALSE(m.isRegistered(f.label));
    EXPECT_FALSE(m.isRegistered(f.pvLabel));
    EXPECT_FALSE(m.isRegistered(f.barButton));
    // Labels and tool bars become transparent over the themed background.
    EXPECT_TRUE(f.pvLabel->Transparent());
    EXPECT_FALSE(f.toolBar->autoFillBackground());

    // The list view is re-polished once under the theme and stays registered.
    const int before = counting.polished;
    deliverPostedEvents();
    EXPECT_EQ(counting.polished, before + 1);
    EXPECT_TRUE(m.recreateList().isEmpty());
    EXPECT_TRUE(listed(m, ThemeClass::ListView, f.list));
    deliverPostedEvents();
    EXPECT_EQ(counting.polished, before + 1);

    // Without a style library only list views are registered.
    FakeThemeLibrary none;
    none.canBind = false;
    TThemeServices plain(none);
    Form g;
    TThemeManager n(nullptr, &plain);
    n.Loaded();
    EXPECT_FALSE(n.isMainManager());
    n.BecomeMainManager();  // takes the role over: m unregisters everything
    EXPECT_EQ(m.list(ThemeClass::Form).count(), 0);
    for (int i = 0; i < ThemeClassCount; ++i) {
        const auto cls = static_cast<ThemeClass>(i);
        if (cls != ThemeClass::ListView) {
            EXPECT_EQ(n.list(cls).count(), 0) << i;
        }
    }
    EXPECT_TRUE(listed(n, ThemeClass::ListView, g.list));
    EXPECT_TRUE(listed(n, ThemeClass::ListView, f.list));
}

TEST(TThemeManager, ASecondManagerForwardsItsOptionsAndTakesOverWhenTheMainOneGoes) {
    FakeThemeLibrary lib;
    TThemeServices services(lib);
    Form f;
    auto first = std::make_unique<TThemeManager>(nullptr, &services);
    first->Loaded();
    TThemeManager second(nullptr, &services);
    second.Loaded();  // a secondary manager registers nothing
    EXPECT_TRUE(first->isMainManager());
    EXPECT_FALSE(second.isMainManager());
    EXPECT_EQ(second.Options(), DefaultThemeOptions);
    EXPECT_TRUE(listed(*first, ThemeClass::ButtonControl, f.push));
    EXPECT_FALSE(second.isRegistered(f.push));
    int changes = 0;
    second.OnThemeChange = [&](TThemeManager* sender) {
        EXPECT_EQ(sender, &second);
        ++changes;
    };

    // Plain controls for the whole application, set through the secondary manager.
    const TThemeOptions plain = DefaultThemeOptions & ~themeOption(toAllowControls);
    second.setOptions(plain);
    EXPECT_EQ(first->Options(), plain);
    EXPECT_EQ(second.Options(), plain);
    EXPECT_EQ(lib.appProperties, ThemeAllowNonClient | ThemeAllowWebContent);
    EXPECT_FALSE(services.ThemesEnabled());
    EXPECT_EQ(changes, 1);

    // The application lets controls be themed again: both managers follow.
    lib.appProperties = ThemeAllowNonClient | ThemeAllowControls | ThemeAllowWebContent;
    QEvent changed(ThemeChangedEvent());
    QCoreApplication::sendEvent(QCoreApplication::instance(), &changed);
    EXPECT_TRUE(services.ThemesEnabled());
    EXPECT_EQ(second.Options(), DefaultThemeOptions);
    EXPECT_EQ(first->Options(), DefaultThemeOptions);
    EXPECT_EQ(changes, 2);

    // The main one changed on its own (no allow bit, so the secondary's copy goes stale): the
    // secondary still forwards.
    first->setOptions(DefaultThemeOptions & ~themeOption(toSubclassButtons));
    ASSERT_EQ(second.Options(), DefaultThemeOptions);
    second.setOptions(DefaultThemeOptions);
    EXPECT_EQ(first->Options(), DefaultThemeOptions);

    first.reset();
    EXPECT_TRUE(second.isMainManager());
    EXPECT_TRUE(listed(second, ThemeClass::ButtonControl, f.push));
}

TEST(TThemeManager, AControlThatRefusesOrIsRefusedOrWhoseClassIsOffIsNotRegistered) {
    FakeThemeLibrary lib;
    TThemeServices services(lib);
    Form f;
    f.edit->setProperty(RefuseThemeManager, true);
    TThemeManager m(nullptr, &services);
    m.setOptions(DefaultThemeOptions & ~themeOption(toSubclassGroupBox));
    std::vector<QWidget*> asked;
    m.OnAllowSubclassing = [&](TThemeManager*, QWidget* control, bool& allow) {
        EXPECT_TRUE(allow);
        asked.push_back(control);
        if (control == f.check) allow = false;
    };
    m.Loaded();
    EXPECT_FALSE(m.isRegistered(f.edit));
    EXPECT_FALSE(m.isRegistered(f.check));
    EXPECT_FALSE(m.isRegistered(f.group));
    EXPECT_TRUE(m.isRegistered(f.push));
    EXPECT_NE(std::find(asked.begin(), asked.end(), f.check), asked.end());
    EXPECT_EQ(std::find(asked.begin(), asked.end(), f.edit), asked.end());  // refused before asking

    // A class turned off only stops new registrations: removal still finds the list.
    m.setOptions(DefaultThemeOptions & ~themeOption(toSubclassButtons));
    m.ControlInsertedOrRemoved(f.push, false);
    EXPECT_FALSE(m.isRegistered(f.push));
    m.ControlInsertedOrRemoved(f.push, true);
    EXPECT_FALSE(m.isRegistered(f.push));
}

TEST(TThemeManager, ControlsAndWindowsAreTakenUpAsTheyAppearAndLetGoAsTheyLeave) {
    FakeThemeLibrary lib;
    TThemeServices services(lib);
    Form f;
    f.window->show();
    TThemeManager m(nullptr, &services);
    m.Loaded();

    auto* late = new QPushButton("late", f.group);
    late->show();
    EXPECT_TRUE(listed(m, ThemeClass::ButtonControl, late));
    late->setParent(nullptr);  // taken out of the window
    EXPECT_FALSE(m.isRegistered(late));
    late->setParent(f.window.get());  // put back, polished already
    EXPECT_TRUE(m.isRegistered(late));
    delete late;
    EXPECT_EQ(m.list(ThemeClass::ButtonControl).controls().count(late), 0);
    delete f.group;  // with the edit inside it
    EXPECT_FALSE(m.isRegistered(f.edit));

    // A dialog waits for the next hook run, then comes in with its controls.
    QDialog dialog(f.window.get());
    auto* ok = new QPushButton("OK", &dialog);
    dialog.show();
    EXPECT_EQ(m.waitingForms(), QList<QWidget*>{&dialog});
    deliverPostedEvents();
    EXPECT_TRUE(m.waitingForms().isEmpty());
    EXPECT_TRUE(listed(m, ThemeClass::Form, &dialog));
    EXPECT_TRUE(listed(m, ThemeClass::ButtonControl, ok));
}

TEST(TThemeManager, AHandledControlMessageNeverReachesTheControl) {
    FakeThemeLibrary lib;
    TThemeServices services(lib);
    Form f;
    f.window->show();
    TThemeManager m(nullptr, &services);
    m.Loaded();
    std::vector<std::string> log;
    m.OnControlMessage = [&](TThemeManager*, QWidget* control, QEvent* event, bool& handled) {
        if (control == f.edit && event->type() == QEvent::KeyPress) {
            log.push_back("event");
            handled = static_cast<QKeyEvent*>(event)->key() == Qt::Key_X;
        }
    };
    const int id = m.addControlMessageListener([&](TThemeManager*, QWidget* control, QEvent* event, bool& handled) {
        if (control == f.edit && event->type() == QEvent::KeyPress) {
            log.push_back("listener");
            handled = true;
        }
    });
    QTest::keyClick(f.edit, Qt::Key_X);  // taken by the event handler
    QTest::keyClick(f.edit, Qt::Key_A);  // taken by the listener
    EXPECT_EQ(f.edit->text(), "");
    m.removeControlMessageListener(id);
    QTest::keyClick(f.edit, Qt::Key_B);
    EXPECT_EQ(f.edit->text(), "b");
    EXPECT_EQ(log, (std::vector<std::string>{"event", "event", "listener", "event"}));
}
