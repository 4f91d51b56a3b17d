// One screen of the source editor planned, and planned and painted, at the top and at the
// end of a text; and one keystroke from its key event to the repainted pane. The cost must
// not grow with the text. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <memory>
#include <string>

#include "editor/view/af_edit.h"
#include "editor/view/edit_presets.h"
#include "platform/cp932.h"

namespace {

using namespace pavik;

// A style sheet of about `bytes` bytes: rules with tabs, Japanese comments and values.
std::string styleSheet(size_t bytes) {
    const std::string comment = toCp932("/* 見出しの余白と文字色　（全角空白入り） */\r\n");
    const std::string family = toCp932("\t font-family: \"ＭＳ ゴシック\", monospace;\r\n");
    std::string s;
    s.reserve(bytes + 512);
    for (int i = 0; s.size() < bytes; ++i) {
        s += comment;
        s += "DIV.box" + std::to_string(i) + " P, H" + std::to_string(i % 6 + 1) + ".title {\r\n";
        s += "\tcolor: #" + std::to_string(100000 + i % 900000) + ";\r\n";
        s += "\tmargin: 0 auto 1em 2px; padding: 3px 4px !important;\r\n";
        s += family;
        s += "}\r\n";
    }
    return s;
}

struct Editor {
    std::unique_ptr<TAFEdit> edit;
    explicit Editor(size_t bytes) : edit(std::make_unique<TAFEdit>()) {
        applyRichEditSrcPreset(*edit);
        edit->resize(800, 600);
        edit->show();
        QApplication::processEvents();
        edit->SetText(styleSheet(bytes));
        QApplication::processEvents();
    }
    void moveTo(bool end) {
        EditorCore& core = edit->core();
        core.TopRow = end ? std::max(core.RowCount() - edit->Metrics().visibleRows, 0) : 0;
        core.Caret = {0, core.TopRow};
    }
};

Editor& editor(size_t bytes) {
    static std::unique_ptr<Editor> small;
    static std::unique_ptr<Editor> large;
    auto& e = bytes < 1000000 ? small : large;
    if (!e) e = std::make_unique<Editor>(bytes);
    return *e;
}

size_t sizeOf(const benchmark::State& state) { return state.range(0) ? 5u << 20 : 50u << 10; }

void BM_PlanScreen(benchmark::State& state) {
    Editor& e = editor(sizeOf(state));
    e.moveTo(state.range(1) != 0);
    PaintSettings settings;
    CharSet dependence{kDefaultDependenceChar};
    settings.dependence = &dependence;
    const PaintMetrics& m = e.edit->Metrics();
    const PaintPlanner planner(e.edit->core(), settings, m);
    const PaintRect client{0, 0, m.textArea.right, m.textArea.bottom};
    size_t runs = 0;
    for (auto _ : state) {
        const ScreenPlan plan = planner.planScreen(client);
        for (const RowPlan& r : plan.rows) runs += r.runs.size();
        benchmark::DoNotOptimize(runs);
    }
    state.counters["rows"] = e.edit->core().RowCount();
}

void BM_PlanAndPaintScreen(benchmark::State& state) {
    Editor& e = editor(sizeOf(state));
    e.moveTo(state.range(1) != 0);
    QImage image(e.edit->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        e.edit->viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = e.edit->core().RowCount();
}

// A key event through the editor (its core change, the dirty rows planned and painted by
// the window's paint of what the key left to repaint), alternately typing "x" and
// Backspace on a row in view, so that the text keeps its size.
void BM_KeystrokeToPaint(benchmark::State& state) {
    Editor& e = editor(sizeOf(state));
    e.moveTo(state.range(1) != 0);
    EditorCore& core = e.edit->core();
    core.Caret = {6, core.TopRow + 5};
    QApplication::processEvents();
    QKeyEvent typeX(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    bool type = true;
    for (auto _ : state) {
        QApplication::sendEvent(e.edit.get(), type ? &typeX : &backspace);
        QApplication::processEvents();
        type = !type;
    }
    if (!type) {
        QApplication::sendEvent(e.edit.get(), &backspace);
        QApplication::processEvents();
    }
    state.counters["rows"] = core.RowCount();
}

// {0: 50 KB, 1: 5 MB} x {0: top, 1: end}
BENCHMARK(BM_PlanScreen)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"5MB", "end"})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlanAndPaintScreen)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"5MB", "end"})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToPaint)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"5MB", "end"})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
