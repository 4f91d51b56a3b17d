// Main window figures for a real style sheet: start to a shown rule tree and preview, and
// one preview rebuild (regenerate, write, pane reload, navigate). The browser is a stand-in
// that only records, so its own rendering is not measured.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "workspace/window/frm_main.h"

namespace {

const char* const kSheets[] = {
    "/usr/share/javascript/bootstrap4/css/bootstrap.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.css",
};

class NullBrowser : public pavik::PreviewBrowser {
public:
    QWidget* widget() override { return nullptr; }
    void navigate(const QString&, const QString&, PreviewPage) override { ++count; }
    bool hasDocument() const override { return count > 0; }
    int count = 0;
};

class SilentMessages : public pavik::UserMessages {
public:
    bool confirm(QWidget*, const QString&) override { return false; }
    void error(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void information(QWidget*, const QString&) override {}
};

std::unique_ptr<pavik::TfrmMain> makeWindow(const QString& sheet) {
    pavik::MainWindowServices s;
    s.makeBrowser = [](QWidget*) { return std::make_unique<NullBrowser>(); };
    s.messages = std::make_unique<SilentMessages>();
    s.help = pavik::makeDesktopHelp(QString());
    s.arguments = QStringList{sheet};
    return std::make_unique<pavik::TfrmMain>(std::move(s));
}

// A shown window with the sheet open, or none (and the benchmark skipped) when the sheet
// is not installed.
std::unique_ptr<pavik::TfrmMain> openShown(benchmark::State& state, const char* sheet) {
    if (!QFileInfo::exists(sheet)) {
        state.SkipWithError("style sheet not installed");
        return nullptr;
    }
    auto w = makeWindow(QString::fromLatin1(sheet));
    w->show();
    QCoreApplication::processEvents();
    return w;
}

void BM_StartToShownTreeAndPreview(benchmark::State& state, const char* sheet) {
    if (!QFileInfo::exists(sheet)) {
        state.SkipWithError("style sheet not installed");
        return;
    }
    for (auto _ : state) {
        auto w = makeWindow(QString::fromLatin1(sheet));
        w->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->TreeViewStruct->topLevelItemCount());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}

void BM_RefreshPreview(benchmark::State& state, const char* sheet) {
    auto w = openShown(state, sheet);
    if (!w) return;
    state.counters["rules"] = static_cast<double>(w->Document.ruleCount());
    for (auto _ : state) w->RefreshExecute();
}

// One value change through the keyword drop-down: store, regenerate, write, pane reload
// and navigation (the recording browser does not render).
void BM_ValueChange(benchmark::State& state, const char* sheet) {
    auto w = openShown(state, sheet);
    if (!w) return;
    QTreeWidgetItem* rule = nullptr;
    QTreeWidgetItem* elements = w->TreeViewStruct->topLevelItem(0);
    for (int i = 0; i < elements->childCount() && !rule; ++i)
        if (elements->child(i)->text(0) == QLatin1String("body")) rule = elements->child(i);
    if (!rule) {
        state.SkipWithError("no body rule");
        return;
    }
    w->TreeViewStruct->setCurrentItem(rule);
    w->TreeViewStructClick();
    QTreeWidgetItem* property = nullptr;
    for (int i = 0; i < w->TreeViewTarget->topLevelItemCount() && !property; ++i)
        for (int j = 0; j < w->TreeViewTarget->topLevelItem(i)->childCount(); ++j)
            if (w->TreeViewTarget->topLevelItem(i)->child(j)->text(0) == QLatin1String("text-align"))
                property = w->TreeViewTarget->topLevelItem(i)->child(j);
    if (!property) {
        state.SkipWithError("no text-align in the first rule's property tree");
        return;
    }
    w->TreeViewTarget->setCurrentItem(property);
    w->TreeViewTargetClick();
    const int items[2] = {w->CmbBoxCommon->findText("left"), w->CmbBoxCommon->findText("right")};
    auto* nav = static_cast<NullBrowser*>(w->browser());
    int k = 0;
    for (auto _ : state) {
        const int before = nav->count;
        w->CmbBoxCommon->setCurrentIndex(items[k ^= 1]);
        emit w->CmbBoxCommon->activated(items[k]);
        if (nav->count != before + 1) state.SkipWithError("no navigation");
    }
    state.counters["rules"] = static_cast<double>(w->Document.ruleCount());
}

}  // namespace

BENCHMARK_CAPTURE(BM_StartToShownTreeAndPreview, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToShownTreeAndPreview, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RefreshPreview, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RefreshPreview, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueChange, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueChange, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;  // settings and preview files of the runs
    qputenv("PAVIK_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
