#include "test_support.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace pavik::test {

ManualTimers::ManualTimers() {
    old_ = setTimerFactory([this] {
        auto t = std::make_unique<ManualTimer>();
        made_.push_back(t.get());
        return t;
    });
}

ManualTimers::~ManualTimers() { setTimerFactory(old_); }

QPalette distinctPalette() {
    QPalette pal;
    const auto set = [&](QPalette::ColorRole role, QRgb rgb) {
        pal.setColor(QPalette::All, role, QColor(rgb));
    };
    set(QPalette::Window, 0xD4D0C8);
    set(QPalette::Button, 0xC8C4BC);
    set(QPalette::Light, 0xFFFFFF);
    set(QPalette::Midlight, 0xE0E0E0);
    set(QPalette::Dark, 0x808080);
    set(QPalette::Mid, 0xA0A0A0);
    set(QPalette::Shadow, 0x404040);
    set(QPalette::ButtonText, 0x101010);
    set(QPalette::Text, 0x202020);
    set(QPalette::Base, 0xFAFAFA);
    set(QPalette::Highlight, 0x0A246A);
    set(QPalette::HighlightedText, 0xFEFEFE);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x909090));
    return pal;
}

QImage drawn(int w, int h, const std::function<void(Canvas&)>& draw, QColor background) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(background);
    QPainter p(&img);
    Canvas c(p, distinctPalette());
    draw(c);
    return img;
}

}  // namespace pavik::test
