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
#include <QFile>
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
#include "workspace/document/css_reader.h"
#include "workspace/document/document_history.h"
#include "workspace/values/value_store.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/history_commands.h"

namespace {

const char* const kSheets[] = {
    "/usr/share/javascript/bootstrap4/css/bootstrap.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.css",
};

// The 10 MB sheet: a body rule with text-align, then rules of about 150 bytes each, with
// comments, until 10 MB. Written into the benchmark's home folder.
std::string tenMegabyteSheetFile;
const char* const kTenMegabytes = "<the 10 MB sheet>";

std::string tenMegabyteSheet() {
    std::string s = "body { text-align: left; color: #333; }\n";
    for (size_t i = 0; s.size() < (size_t{10} << 20); ++i) {
        const std::string n = std::to_string(i);
        s += "/* part " + n + " */\n.box-" + n + " P, DIV.c" + n + " > A:hover {\n  margin: " + std::to_string(i % 9) +
             "px auto;\n  color: #" + std::to_string(100000 + i % 900000) + ";\n  background: url(\"i" + n +
             ".png\") no-repeat;\n}\n";
    }
    return s;
}

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
    if (sheet == kTenMegabytes) sheet = tenMegabyteSheetFile.c_str();
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

// A shown window with the sheet open and body's text-align selected, or none (skipped).
std::unique_ptr<pavik::TfrmMain> openOnBodyTextAlign(benchmark::State& state, const char* sheet) {
    auto w = openShown(state, sheet);
    if (!w) return nullptr;
    const QModelIndex rule = elementRule(*w, "body");
    if (!rule.isValid() || !selectTextAlign(*w, rule)) {
        state.SkipWithError("no body rule with text-align");
        return nullptr;
    }
    return w;
}

// One value change through the keyword drop-down: store, regenerate, write, pane reload
// and navigation (the recording browser does not render).
void BM_ValueChange(benchmark::State& state, const char* sheet) {
    auto w = openOnBodyTextAlign(state, sheet);
    if (!w) return;
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

// One undo and one redo of a value change, each with its preview rebuild (as BM_ValueChange).
void BM_UndoRedoValueChange(benchmark::State& state, const char* sheet) {
    auto w = openOnBodyTextAlign(state, sheet);
    if (!w) return;
    QComboBox* box = w->valueArea().CmbBoxCommon;
    box->setCurrentIndex(box->findText("right"));
    emit box->activated(box->currentIndex());
    pavik::HistoryCommands& history = w->historyCommands();
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
    if (!history.history().canUndo()) state.SkipWithError("no step");
    state.counters["rules"] = static_cast<double>(w->Document.ruleCount());
}

// What recording a value change as a step adds to storing it: the store alone, and the
// store recorded (finding the rule's index, keeping the value before and after), on the
// document of the 10 MB sheet. The value change around it regenerates the whole sheet.
void BM_ValueStore(benchmark::State& state, bool recorded) {
    static pavik::StyleDocument doc = pavik::AnalyzeCSS(tenMegabyteSheet()).Document;
    pavik::DocumentHistory history;
    // The last rule: the one found last.
    const pavik::TData2* rule = &doc.rules().back()->Data;
    const char* values[2] = {"1px", "2px"};
    int k = 0;
    for (auto _ : state) {
        if (recorded) {
            pavik::HistoryStep step(history, doc, "v", {});
            pavik::storeValue(doc, rule, "margin", values[k ^= 1]);
        } else {
            pavik::storeValue(doc, rule, "margin", values[k ^= 1]);
        }
    }
    state.counters["rules"] = static_cast<double>(doc.ruleCount());
    state.counters["history_KB"] = static_cast<double>(history.bytes()) / 1024;
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
BENCHMARK_CAPTURE(BM_ValueChange, synthetic10MB, kTenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoRedoValueChange, synthetic10MB, kTenMegabytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ValueStore, alone10MB, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ValueStore, recorded10MB, true)->Unit(benchmark::kMicrosecond);
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
    tenMegabyteSheetFile = (home.path() + QStringLiteral("/ten.css")).toStdString();
    {
        QFile out(QString::fromStdString(tenMegabyteSheetFile));
        if (out.open(QIODevice::WriteOnly)) out.write(QByteArray::fromStdString(tenMegabyteSheet()));
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
