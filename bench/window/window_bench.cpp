// Main window figures for a real style sheet: start to a shown rule tree and preview, and
// one preview rebuild (regenerate, write, pane reload, navigate), with a stand-in browser
// that only records; and one value change until the real embedded browser has loaded the
// regenerated page and scrolled to the rule's anchor.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QComboBox>
#include <QLineEdit>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

#include "bench_fakes.h"
#include "workspace/window/frm_main.h"

namespace {

const char* const kSheets[] = {
    "/usr/share/javascript/bootstrap4/css/bootstrap.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.css",
};

using bench::NullBrowser;
using bench::SilentMessages;

std::unique_ptr<pavik::TfrmMain> makeWindow(const QString& sheet, bool realBrowser = false) {
    pavik::MainWindowServices s;
    if (realBrowser)
        s.makeBrowser = [](QWidget* parent) { return pavik::makeWebEnginePreview(parent); };
    else
        s.makeBrowser = [](QWidget*) { return std::make_unique<NullBrowser>(); };
    s.messages = std::make_unique<SilentMessages>();
    s.help = pavik::makeDesktopHelp(QString());
    s.arguments = QStringList{sheet};
    return std::make_unique<pavik::TfrmMain>(std::move(s));
}

// Runs the event loop until the sheet given at start is open (it is read once the window shows).
void waitOpened(pavik::TfrmMain& w) {
    QElapsedTimer t;
    t.start();
    while (w.Document.empty() && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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
    waitOpened(*w);
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
        waitOpened(*w);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->TreeViewStruct->model()->rowCount());
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

// Selects `rule` and its text-align property; false when it has none.
bool selectTextAlign(pavik::TfrmMain& w, const QModelIndex& rule) {
    w.TreeViewStruct->setCurrentIndex(rule);
    w.TreeViewStructClick();
    QTreeWidgetItem* property = nullptr;
    for (int i = 0; i < w.TreeViewTarget->topLevelItemCount() && !property; ++i)
        for (int j = 0; j < w.TreeViewTarget->topLevelItem(i)->childCount(); ++j)
            if (w.TreeViewTarget->topLevelItem(i)->child(j)->text(0) == QLatin1String("text-align"))
                property = w.TreeViewTarget->topLevelItem(i)->child(j);
    if (!property) return false;
    w.TreeViewTarget->setCurrentItem(property);
    w.TreeViewTargetClick();
    return true;
}

QModelIndex elementRule(pavik::TfrmMain& w, const char* name) {
    const QAbstractItemModel* m = w.TreeViewStruct->model();
    for (int i = 0; i < m->rowCount(w.ElementBaseNode); ++i)
        if (m->index(i, 0, w.ElementBaseNode).data().toString() == QLatin1String(name))
            return m->index(i, 0, w.ElementBaseNode);
    return {};
}

// One value change through the keyword drop-down: store, regenerate, write, pane reload
// and navigation (the recording browser does not render).
void BM_ValueChange(benchmark::State& state, const char* sheet) {
    auto w = openShown(state, sheet);
    if (!w) return;
    const QModelIndex rule = elementRule(*w, "body");
    if (!rule.isValid() || !selectTextAlign(*w, rule)) {
        state.SkipWithError("no body rule with text-align");
        return;
    }
    const int items[2] = {w->valueArea().CmbBoxCommon->findText("left"), w->valueArea().CmbBoxCommon->findText("right")};
    auto* nav = static_cast<NullBrowser*>(w->browser());
    int k = 0;
    for (auto _ : state) {
        const int before = nav->count;
        w->valueArea().CmbBoxCommon->setCurrentIndex(items[k ^= 1]);
        emit w->valueArea().CmbBoxCommon->activated(items[k]);
        if (nav->count != before + 1) state.SkipWithError("no navigation");
    }
    state.counters["rules"] = static_cast<double>(w->Document.ruleCount());
}

// Runs the event loop until `count` reaches `target` or `ms` went by.
bool waitFor(const int& count, int target, int ms) {
    QElapsedTimer t;
    t.start();
    while (count < target && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return count >= target;
}

// One value change with the real embedded browser, timed until the browser has loaded the
// regenerated page and scrolled to the anchor of the rule, which lies far down the page.
// Counters: our part (store, regenerate, write, pane reload, navigation call) and the
// browser's part, per change.
void BM_ValueChangeShownInBrowser(benchmark::State& state, const char* sheet) {
    if (!QFileInfo::exists(sheet)) {
        state.SkipWithError("style sheet not installed");
        return;
    }
    auto w = makeWindow(QString::fromLatin1(sheet), true);
    w->resize(1000, 760);
    w->show();
    int shown = 0;
    w->browser()->OnPageShown = [&] { ++shown; };
    if (!waitFor(shown, 1, 30000)) {
        state.SkipWithError("the browser did not show the start page");
        return;
    }
    // The last element rule that offers text-align: its sample is near the end of the page.
    const QModelIndex elements = w->ElementBaseNode;
    bool selected = false;
    for (int i = w->TreeViewStruct->model()->rowCount(elements) - 1; i >= 0 && !selected; --i)
        selected = selectTextAlign(*w, w->TreeViewStruct->model()->index(i, 0, elements));
    if (!selected || !waitFor(shown, 2, 30000)) {
        state.SkipWithError("no rule with text-align, or its page not shown");
        return;
    }
    state.SetLabel(w->valueArea().GroupBoxTagInfo->title().toStdString());
    const int items[2] = {w->valueArea().CmbBoxCommon->findText("left"), w->valueArea().CmbBoxCommon->findText("right")};
    double ours = 0, browser = 0;
    int k = 0;
    for (auto _ : state) {
        const int before = shown;
        QElapsedTimer t;
        t.start();
        w->valueArea().CmbBoxCommon->setCurrentIndex(items[k ^= 1]);
        emit w->valueArea().CmbBoxCommon->activated(items[k]);
        const double rebuilt = static_cast<double>(t.nsecsElapsed()) / 1e6;
        if (!waitFor(shown, before + 1, 30000)) {
            state.SkipWithError("the browser did not finish");
            break;
        }
        const double total = static_cast<double>(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(total / 1000);
        ours += rebuilt;
        browser += total - rebuilt;
    }
    const double n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ours_ms"] = ours / n;
    state.counters["browser_ms"] = browser / n;
    state.counters["rules"] = static_cast<double>(w->Document.ruleCount());
}

}  // namespace

BENCHMARK_CAPTURE(BM_StartToShownTreeAndPreview, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToShownTreeAndPreview, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RefreshPreview, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RefreshPreview, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueChange, bootstrap4, kSheets[0])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueChange, bootstrap5, kSheets[1])->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueChangeShownInBrowser, bootstrap5, kSheets[1])
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The embedded browser's sandbox cannot run as root.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QTemporaryDir home;  // settings and preview files of the runs
    qputenv("PAVIK_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
