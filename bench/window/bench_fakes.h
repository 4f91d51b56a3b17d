#pragma once
// Stand-ins for the main window's browser and message boxes in benchmarks.
#include <cstdio>

#include "workspace/window/frm_main.h"

namespace bench {

// Records navigations and renders nothing.
class NullBrowser : public pavik::PreviewBrowser {
public:
    QWidget* widget() override { return nullptr; }
    void navigate(const QString&, const QString&, pavik::PreviewPage) override { ++count; }
    bool hasDocument() const override { return count > 0; }
    int count = 0;
};

// Answers No (or the only button) and prints errors.
class SilentMessages : public pavik::UserMessages {
public:
    bool confirm(QWidget*, const QString&) override { return false; }
    void error(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void information(QWidget*, const QString&) override {}
    int choose(QWidget*, const QString&, const QStringList& buttons) override { return buttons.size() > 1 ? 1 : 0; }
};

}  // namespace bench
