#include <gtest/gtest.h>

#include <QObject>
#include <memory>

#include "components/frame_controller.h"
#include "test_support.h"

using namespace pavik;

namespace {

class Edit : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool UseFrameController MEMBER use)
    Q_PROPERTY(uint Color MEMBER color)
    Q_PROPERTY(bool ParentColor MEMBER parentColor)
    Q_PROPERTY(int FrameStyle MEMBER frameStyle)
    Q_PROPERTY(uint FrameSides MEMBER frameSides)
    Q_PROPERTY(bool FrameVisible MEMBER frameVisible)
    Q_PROPERTY(int FrameColor MEMBER frameColor)  // not a colour property: left alone
public:
    bool use = true;
    uint color = 0;
    bool parentColor = true;
    int frameStyle = -1;
    uint frameSides = 0;
    bool frameVisible = false;
    int frameColor = -1;
};

class Plain : public QObject {
    Q_OBJECT
    Q_PROPERTY(uint Color MEMBER color)
public:
    uint color = 7;
};

}  // namespace

TEST(TPvFrameController, PushesSettingsByName) {
    TPvFrameController fc;
    Edit a;
    Plain plain;
    fc.addControl(&a);
    fc.addControl(&a);
    fc.addControl(&plain);
    EXPECT_EQ(fc.controlCount(), 2);
    EXPECT_FALSE(a.parentColor);
    EXPECT_EQ(a.color, clWindow);
    EXPECT_EQ(a.frameStyle, fsFlat);
    EXPECT_EQ(a.frameSides, sdAll);
    EXPECT_EQ(a.frameColor, -1);
    EXPECT_EQ(plain.color, 7u);  // no "UseFrameController"

    a.use = false;
    fc.setFrameStyle(fsLowered);
    EXPECT_EQ(a.frameStyle, fsFlat);
    a.use = true;
    fc.setFrameSides(sdTop | sdBottom);
    EXPECT_EQ(a.frameSides, sdTop | sdBottom);
    EXPECT_EQ(a.frameStyle, fsFlat);  // only the changed setting is pushed

    fc.setFrameFlat(true);  // also shows the frame in the flat style on all sides
    EXPECT_TRUE(a.frameVisible);
    EXPECT_EQ(fc.FrameSides(), sdAll);
    EXPECT_EQ(fc.FrameStyle(), fsStatus);

    fc.setParentColor(true);
    EXPECT_TRUE(a.parentColor);
    a.color = 0;
    fc.setColor(clRed);  // an own colour ends the parent's
    EXPECT_FALSE(fc.ParentColor());
    EXPECT_EQ(a.color, clRed);

    fc.beginUpdate();
    fc.setFrameVisible(false);
    EXPECT_TRUE(a.frameVisible);
    fc.endUpdate();
    EXPECT_FALSE(a.frameVisible);
    EXPECT_EQ(a.frameStyle, fsStatus);

    {
        auto b = std::make_unique<Edit>();
        fc.addControl(b.get());
        EXPECT_EQ(fc.controlCount(), 3);
    }
    EXPECT_EQ(fc.controlCount(), 2);  // a destroyed control unlinks itself
    fc.setFrameStyle(fsGroove);
    EXPECT_EQ(a.frameStyle, fsGroove);
}

#include "frame_controller_test.moc"
