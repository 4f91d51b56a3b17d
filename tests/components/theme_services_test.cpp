#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QTest>

#include "components/theme_qt.h"
#include "components/theme_services.h"
#include "theme_fake.h"

using namespace pavik;
using pavik::test::FakeThemeLibrary;

TEST(ThemeElements, DetailValuesBecomePartsAndStatesByRuns) {
    struct Row {
        TThemedElement element;
        int detail;
        TThemedElementDetails expected;
    };
    const Row rows[] = {
        {teButton, 1, {teButton, 0, 2}},     // below the runs
        {teButton, 2, {teButton, 1, 1}},     // push button normal
        {teButton, 6, {teButton, 1, 5}},     // push button default
        {teButton, 26, {teButton, 3, 12}},   // last check box state
        {teButton, 29, {teButton, 5, 1}},
        {teButton, 30, {teButton, 0, 31}},   // past the runs
        {teEdit, 9, {teEdit, 2, 1}},
        {teRebar, 4, {teRebar, 3, 1}},       // band
        {teStatus, 1, {teStatus, 0, 2}},     // the status background
        {teTab, 43, {teTab, 10, 1}},         // tab body
        {teToolBar, 37, {teToolBar, 6, 6}},
        {teTrackBar, 34, {teTrackBar, 9, 1}},  // tics
        {teWindow, 5, {teWindow, 0, 6}},     // an element without runs
    };
    for (const Row& r : rows)
        EXPECT_EQ(GetElementDetails(r.element, r.detail), r.expected) << ThemeClassName(r.element) << ' ' << r.detail;

    // What the style is asked to draw for a few of them.
    EXPECT_EQ(StyleLookOf(GetElementDetails(teToolBar, 3)), (StyleLook{.shape = StyleShape::ToolButton, .hot = true}));
    EXPECT_EQ(StyleLookOf(GetElementDetails(teToolBar, 5)),
              (StyleLook{.shape = StyleShape::ToolButton, .enabled = false}));
    EXPECT_EQ(StyleLookOf(GetElementDetails(teButton, 26)),
              (StyleLook{.shape = StyleShape::CheckBox, .enabled = false, .mixed = true}));
    EXPECT_EQ(StyleLookOf(GetElementDetails(teButton, 6)),
              (StyleLook{.shape = StyleShape::PushButton, .defaulted = true}));
    EXPECT_EQ(StyleLookOf(GetElementDetails(teStatus, 1)).shape, StyleShape::Background);
    EXPECT_EQ(ThemeClassName(teTreeview), "treeview");
}

TEST(TThemeServices, ThemesAreEnabledOnlyWhenLibraryStyleControlsAndApplicationAllAgree) {
    struct Row {
        const char* what;
        bool canBind, appThemed, themeActive;
        int version;
        unsigned properties;
        bool available, enabled;
    };
    const Row rows[] = {
        {"everything", true, true, true, 604, 7, true, true},
        {"no library", false, true, true, 604, 7, false, false},
        {"application not themed", true, false, true, 604, 7, false, false},
        {"no active style", true, true, false, 604, 7, false, false},
        {"controls older than 6.0", true, true, true, 515, 7, false, false},
        {"controls exactly 6.0", true, true, true, 600, 7, true, true},
        {"application keeps its controls plain", true, true, true, 604, ThemeAllowNonClient, true, false},
    };
    for (const Row& r : rows) {
        FakeThemeLibrary lib;
        lib.canBind = r.canBind;
        lib.appThemed = r.appThemed;
        lib.themeActive = r.themeActive;
        lib.version = r.version;
        lib.appProperties = r.properties;
        TThemeServices s(lib);
        EXPECT_EQ(s.LibraryLoaded(), r.canBind) << r.what;
        EXPECT_EQ(s.ThemesAvailable(), r.available) << r.what;
        EXPECT_EQ(s.ThemesEnabled(), r.enabled) << r.what;
        // A theme exists exactly while themes are available.
        EXPECT_EQ(s.Theme(teButton) != 0, r.available) << r.what;
    }
}

TEST(TThemeServices, ThemesAreCachedPerElementAndClosedByAThemeChange) {
    FakeThemeLibrary lib;
    TThemeServices s(lib);
    int changes = 0;
    s.OnThemeChange = [&](TThemeServices* sender) {
        EXPECT_EQ(sender, &s);
        ++changes;
    };
    const ThemeHandle button = s.Theme(teButton);
    EXPECT_EQ(s.Theme(teButton), button);
    const ThemeHandle toolbar = s.Theme(teToolBar);
    EXPECT_NE(toolbar, button);
    EXPECT_EQ(lib.opened.size(), 2u);

    s.ApplyThemeChange();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lib.closed, (std::vector<ThemeHandle>{button, toolbar}));
    const ThemeHandle fresh = s.Theme(teButton);
    EXPECT_NE(fresh, button);
    EXPECT_EQ(lib.opened.size(), 3u);

    // Drawing goes through the element's theme with the detail's part and state.
    QImage image(8, 8, QImage::Format_ARGB32);
    QPainter p(&image);
    s.DrawElement(p, GetElementDetails(teButton, tbPushButtonHot), image.rect());
    EXPECT_EQ(lib.drawn, (std::vector<TThemedElementDetails>{{teButton, 1, 2}}));

    // With the application window gone nothing is closed; switching themes off closes all.
    lib.windowAlive = false;
    s.UpdateThemes();
    EXPECT_EQ(lib.closed.size(), 2u);
    lib.windowAlive = true;
    lib.themeActive = false;
    s.ApplyThemeChange();
    EXPECT_EQ(lib.closed.size(), 3u);
    EXPECT_EQ(s.Theme(teButton), 0u);
    EXPECT_EQ(changes, 2);
}

TEST(ThemeLibrary, IsBoundOnceForAllUsersAndFreedByTheLast) {
    FakeThemeLibrary lib;
    {
        TThemeServices a(lib);
        TThemeServices b(lib);
        EXPECT_EQ(lib.binds, 1);
        EXPECT_EQ(lib.loadCount(), 2);
    }
    EXPECT_EQ(lib.unbinds, 1);
    EXPECT_FALSE(lib.Loaded());
    lib.Unload();  // one too many: the count stays at 0
    EXPECT_EQ(lib.loadCount(), 0);
    EXPECT_TRUE(lib.Load());
    EXPECT_EQ(lib.binds, 2);
    lib.Unload();

    // A library that cannot be bound still counts its users.
    FakeThemeLibrary missing;
    missing.canBind = false;
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.loadCount(), 1);
    missing.Unload();
    EXPECT_EQ(missing.unbinds, 0);
}

TEST(QtThemeLibrary, DrawsWithTheApplicationStyleAndFollowsAStyleSwitch) {
    QtThemeLibrary lib;
    TThemeServices s(lib);
    ASSERT_TRUE(s.LibraryLoaded());
    EXPECT_TRUE(s.ThemesEnabled());
    EXPECT_GE(lib.controlsVersion(), 600);

    // A flat toolbar button at rest leaves the picture alone; hot, it shows a face.
    const auto paint = [&](int detail) {
        QImage image(24, 22, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        s.DrawElement(p, GetElementDetails(teToolBar, detail), image.rect());
        return image;
    };
    QImage blank(24, 22, QImage::Format_ARGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(paint(ttbButtonNormal), blank);
    EXPECT_NE(paint(ttbButtonHot), blank);
    EXPECT_NE(paint(ttbButtonPressed), paint(ttbButtonHot));

    // A push button face covers its corners only partly in a style with rounded buttons.
    const ThemeHandle button = s.Theme(teButton);
    const bool rounded = lib.isThemeBackgroundPartiallyTransparent(button, GetElementDetails(teButton, 2));
    EXPECT_EQ(rounded, QApplication::style()->name().compare("fusion", Qt::CaseInsensitive) == 0);

    // The watcher turns a style switch into one theme change.
    ThemeChangeWatcher watcher(s, QCoreApplication::instance());
    int changes = 0;
    s.OnThemeChange = [&](TThemeServices*) { ++changes; };
    const QString old = QApplication::style()->name();
    QWidget shown;
    shown.show();
    QApplication::setStyle(QStringLiteral("windows"));
    QApplication::setStyle(old);
    QTest::qWait(20);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(s.Theme(teButton), button);  // reopened for the style in force
}
