#pragma once
// Small helpers for building the main window's controls.
#include <QString>
#include <QVBoxLayout>
#include <QWidget>

namespace pavik {

// Gives a control its layout name.
template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A column without margins or spacing.
inline QVBoxLayout* tightColumn(QWidget* w) {
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    return l;
}

}  // namespace pavik
