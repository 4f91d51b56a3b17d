#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>
#include <memory>

#include "components/pv_panel.h"
#include "components/pv_panel_dock.h"
#include "components/pv_spinner.h"
#include "components/pv_status_bar.h"
#include "components/theme_button.h"
#include "components/theme_manager.h"
#include "theme_fake.h"

using namespace pavik;
using pavik::test::FakeThemeLibrary;

TEST(ThemedButton, GlyphCellsAndDetailsFollowTheButtonState) {
    EXPECT_EQ(GlyphCell(2, bsUp), 0);
    EXPECT_EQ(GlyphCell(2, bsDisabled), 1);
    EXPECT_EQ(GlyphCell(1, bsDisabled), 0);  // no greyed picture in the strip
    EXPECT_EQ(GlyphCell(2, bsDown), 0);
    EXPECT_EQ(GlyphCell(3, bsDown), 2);
    EXPECT_EQ(GlyphCell(3, bsExclusive), 0);
    EXPECT_EQ(GlyphCell(4, bsExclusive), 3);
    EXPECT_EQ(SpeedButtonDetail(bsUp, false), ttbButtonNormal);
    EXPECT_EQ(SpeedButtonDetail(bsUp, true), ttbButtonHot);
    EXPECT_EQ(SpeedButtonDetail(bsDown, true), ttbButtonPressed);
    EXPECT_EQ(SpeedButtonDetail(bsExclusive, false), ttbButtonPressed);
    EXPECT_EQ(SpeedButtonDetail(bsDisabled, true), ttbButtonDisabled);
}

TEST(ThemedButton, LayoutSharesTheRoomBetweenMarginSpacingGlyphAndCaption) {
    struct Row {
        const char* what;
        QSize area, glyph, caption;
        TButtonLayout layout;
        int margin, spacing;
        bool rtl;
        QPoint glyphAt, captionAt;
    };
    const Row rows[] = {
        {"glyph alone is centred", {13, 14}, {9, 9}, {0, 0}, blGlyphLeft, -1, -1, false, {2, 3}, {11, 7}},
        {"both automatic: thirds", {100, 24}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1, false, {14, 4}, {44, 6}},
        {"right to left swaps sides", {100, 24}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1, true, {70, 4}, {16, 6}},
        {"given margin", {100, 24}, {16, 16}, {40, 13}, blGlyphLeft, 4, -1, false, {4, 4}, {40, 6}},
        {"given spacing", {100, 24}, {16, 16}, {40, 13}, blGlyphLeft, -1, 4, false, {20, 4}, {40, 6}},
        {"glyph on top", {40, 60}, {16, 16}, {30, 13}, blGlyphTop, -1, -1, false, {12, 10}, {5, 36}},
        {"glyph at the bottom", {40, 60}, {16, 16}, {30, 13}, blGlyphBottom, 2, 3, false, {12, 42}, {5, 26}},
    };
    for (const Row& r : rows) {
        const ButtonPlacement at = ButtonLayout(r.area, r.glyph, r.caption, r.layout, r.margin, r.spacing, r.rtl);
        EXPECT_EQ(at.glyph, r.glyphAt) << r.what;
        EXPECT_EQ(at.caption, r.captionAt) << r.what;
    }
}

namespace {

// A window under a manager whose styles draw with marker colours.
struct ThemedWindow {
    ThemedWindow() {
        window = std::make_unique<QWidget>();
        window->resize(300, 200);
    }
    void manage() {
        manager = std::make_unique<TThemeManager>(nullptr, &services);
        manager->Loaded();
    }
    void themesOff() { manager->setOptions(DefaultThemeOptions & ~themeOption(toAllowControls)); }

    FakeThemeLibrary lib;
    TThemeServices services{lib};
    std::unique_ptr<QWidget> window;
    std::unique_ptr<TThemeManager> manager;
};

QRgb colorAt(QWidget* w, QPoint p) { return w->grab().toImage().pixel(p); }
QRgb rgb(TColor c, const QWidget* w) { return toQColor(c, w->palette()).rgb(); }

}  // namespace

TEST(ThemedPanel, APanelOfItsParentsColourShowsTheParentBackgroundWithCaptionGrabbersAndSimpleStatus) {
    ThemedWindow t;
    auto* panel = new TPvCustomPanel(t.window.get());  // raised edge by default
    panel->setGeometry(10, 10, 120, 60);
    panel->setColor(clWindow);
    auto* same = new TPvCustomPanel(t.window.get());
    same->setGeometry(140, 10, 120, 60);
    same->setDockSite(true);
    auto* docked = new QWidget;
    docked->setWindowTitle("Tools");
    same->DockManager()->InsertControl(docked);
    auto* bar = new TPvStatusBar(t.window.get());
    bar->setGeometry(0, 170, 300, 19);
    bar->setSimpleStatus(true);
    bar->setSimpleCaption("Ready");
    // The window's background is the panels' default colour.
    QPalette pal = t.window->palette();
    pal.setColor(QPalette::Window, toQColor(clBtnFace, pal));
    t.window->setPalette(pal);
    t.manage();

    // Another colour: the panel keeps its own face and edge.
    EXPECT_EQ(colorAt(panel, {0, 0}), rgb(cl3DLight, panel));
    EXPECT_EQ(t.lib.parentBackgrounds, 0);
    // Its parent's colour: the parent's background, no edge, but the grabbers and the
    // simple caption in its frame still show.
    EXPECT_EQ(colorAt(same, {0, 0}), FakeThemeLibrary::ParentColor.rgb());
    EXPECT_EQ(colorAt(same, {60, 5}), rgb(clActiveCaption, same));
    EXPECT_EQ(colorAt(bar, {0, 0}), FakeThemeLibrary::ParentColor.rgb());
    EXPECT_EQ(colorAt(bar, {0, 2}), rgb(clBtnShadow, bar));
    EXPECT_GT(t.lib.parentBackgrounds, 0);

    // Themes off: the classic face again.
    t.themesOff();
    EXPECT_EQ(colorAt(same, {0, 0}), rgb(cl3DLight, same));
}

TEST(ThemedSpeedButton, TheSpinnerButtonsGetAToolbarFaceByStateAndTheGreyedGlyphWhenDisabled) {
    ThemedWindow t;
    auto* spinner = new TPvSpinner(t.window.get());
    spinner->move(10, 10);
    t.manage();
    TPvRapidFireButton* minus = spinner->MinusButton();
    ASSERT_EQ(minus->size(), QSize(15, 16));
    const auto drawnFor = [&] {
        t.lib.drawn.clear();
        const QImage image = minus->grab().toImage();
        EXPECT_EQ(t.lib.drawn.size(), 1u);
        return std::pair(t.lib.drawn.empty() ? TThemedElementDetails{} : t.lib.drawn.back(), image);
    };
    const QPoint onSign(7, 8);  // on the bar of the minus sign (content inset by 1, glyph 9 x 9)
    const QRgb ink = rgb(clBtnText, minus);

    auto [rest, restImage] = drawnFor();
    EXPECT_EQ(rest, (TThemedElementDetails{teToolBar, 1, 1}));
    EXPECT_EQ(restImage.pixel(0, 0), FakeThemeLibrary::ParentColor.rgb());
    EXPECT_EQ(restImage.pixel(onSign), ink);

    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QCoreApplication::sendEvent(minus, &enter);
    EXPECT_EQ(drawnFor().first, (TThemedElementDetails{teToolBar, 1, 2}));
    minus->setDown(true);
    auto [pressed, pressedImage] = drawnFor();
    EXPECT_EQ(pressed, (TThemedElementDetails{teToolBar, 1, 3}));
    EXPECT_EQ(pressedImage.pixel(onSign), ink);  // the themed face does not shift the sign
    minus->setDown(false);

    minus->setFlat(false);
    EXPECT_EQ(drawnFor().first, (TThemedElementDetails{teButton, 1, 2}));
    minus->setFlat(true);

    spinner->setEnabled(false);
    auto [disabled, disabledImage] = drawnFor();
    EXPECT_EQ(disabled, (TThemedElementDetails{teToolBar, 1, 4}));
    EXPECT_EQ(disabledImage.pixel(onSign), rgb(clGrayText, minus));

    QImage own(5, 5, QImage::Format_ARGB32);  // an own picture takes the sign's place
    own.fill(Qt::red);
    own.setPixelColor(0, 0, Qt::transparent);
    spinner->setGlyphMinus(QPixmap::fromImage(own));
    spinner->setNumGlyphsMinus(1);
    spinner->setEnabled(true);
    EXPECT_EQ(drawnFor().second.pixelColor(onSign), QColor(Qt::red));
    spinner->setGlyphMinus(QPixmap());

    // Themes off: the button paints itself, the styles draw nothing.
    spinner->setEnabled(true);
    t.themesOff();
    t.lib.drawn.clear();
    EXPECT_EQ(colorAt(minus, {2, 2}), rgb(clBtnFace, minus));
    EXPECT_TRUE(t.lib.drawn.empty());
}
