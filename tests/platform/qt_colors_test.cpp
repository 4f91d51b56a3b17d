#include <gtest/gtest.h>

#include <QPalette>

#include "platform/qt_colors.h"

using namespace pavik;

TEST(QtColors, SystemColoursFollowThePalette) {
    QPalette p;
    p.setColor(QPalette::Button, QColor(1, 2, 3));
    p.setColor(QPalette::Base, QColor(4, 5, 6));
    p.setColor(QPalette::Text, QColor(7, 8, 9));
    p.setColor(QPalette::Highlight, QColor(10, 11, 12));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(13, 14, 15));
    EXPECT_EQ(toQColor(clBtnFace, p), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(clWindow, p), QColor(4, 5, 6));
    EXPECT_EQ(toQColor(clWindowText, p), QColor(7, 8, 9));
    EXPECT_EQ(toQColor(clHighlight, p), QColor(10, 11, 12));
    EXPECT_EQ(toQColor(clGrayText, p), QColor(13, 14, 15));
    EXPECT_EQ(toQColor(0x800000FF, p), QColor(Qt::black));  // no such element
}

TEST(QtColors, PlainValuesAndNoColour) {
    QPalette p;
    EXPECT_EQ(toQColor(0x00563412, p), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(toQColor(0x02563412, p), QColor(0x12, 0x34, 0x56));  // palette-relative form
    EXPECT_EQ(toQColor(clNone, p).alpha(), 0);
    EXPECT_EQ(toQColor(clDefault, p).alpha(), 0);
}
