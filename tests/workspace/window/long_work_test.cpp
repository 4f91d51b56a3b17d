// Long work with the window kept alive: events and progress while a step runs, input held
// off, a close that stops the work; and closing the main window while it opens a big sheet.
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <csignal>
#include <future>
#include <mutex>
#include <thread>

#include "components/pv_progress_bar.h"
#include "platform/file_bytes.h"
#include "platform/termination_signals.h"
#include "window_support.h"
#include "workspace/window/free_aside.h"
#include "workspace/window/long_work.h"
#include "workspace/window/main_window_status.h"

namespace pavik::test {
namespace {

std::string onDisk(const QString& path) {
    std::string bytes;
    readFileBytes(path.toStdString(), bytes);
    return bytes;
}

class KeyCounter : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

// A step of 50 reports 10 ms apart, far longer than the moment before events are taken up.
void slowStep(ProgressSink* sink, int& reports) {
    for (reports = 0; reports < 50; ++reports) {
        sink->setProgress(reports * 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Garbage that runs `onFree` when it goes.
struct Garbage {
    std::function<void()> onFree;
    explicit Garbage(std::function<void()> f) : onFree(std::move(f)) {}
    Garbage(Garbage&& other) noexcept : onFree(std::exchange(other.onFree, nullptr)) {}
    ~Garbage() {
        if (onFree) onFree();
    }
};

TEST(FreeAside, FreesOnAThreadOfItsOwnWithoutWaitingAndWhatIsLeftBeforeItGoes) {
    std::mutex mutex;
    std::vector<std::thread::id> freedOn;
    std::promise<void> go;
    std::shared_future<void> released = go.get_future().share();
    {
        FreeAside freer;
        for (int i = 0; i < 3; ++i)
            freer.free(Garbage([&] {
                released.wait_for(std::chrono::seconds(10));  // held until the caller has gone on
                const std::lock_guard lock(mutex);
                freedOn.push_back(std::this_thread::get_id());
            }));
        {
            const std::lock_guard lock(mutex);
            EXPECT_TRUE(freedOn.empty());
        }
        go.set_value();
    }
    ASSERT_EQ(freedOn.size(), 3u);
    for (const std::thread::id id : freedOn) EXPECT_NE(id, std::this_thread::get_id());
}

TEST(LongWork, ALongStepKeepsTheWindowAliveHoldsOffInputAndStopsWhenAsked) {
    KeyCounter window;
    MainStatusBar bar(&window);
    StatusProgress progress;
    progress.setBar(&bar);
    window.show();
    LongWork work(window, progress);

    int turns = 0, reports = 0;
    std::vector<int> shown;
    bar.PvProgressBar->OnChange = [&](TPvCustomProgressBar*, int percent) { shown.push_back(percent); };
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&] { ++turns; });
    beat.start(5);
    QTimer::singleShot(0, [&] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&window, &key);
    });
    work.run([&] { slowStep(work.sink(), reports); });
    EXPECT_EQ(reports, 50);
    EXPECT_GT(turns, 2);  // the event loop went on while the step ran
    EXPECT_EQ(window.keys, 0);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](int p) { return p > 0 && p < 100; }));
    EXPECT_FALSE(work.busy());

    // Work put after the long work, even while a step runs, runs outside every step.
    std::vector<bool> busyWhenRun;
    QTimer::singleShot(0, [&] { work.afterWork([&] { busyWhenRun.push_back(work.busy()); }); });
    work.run([&] { slowStep(work.sink(), reports); });
    for (int i = 0; i < 100 && busyWhenRun.empty(); ++i) QTest::qWait(5);
    EXPECT_EQ(busyWhenRun, std::vector<bool>{false});

    // A close request stops the step at its next report, and the work's next step at its
    // start; once the work is over it comes to its action, cleared.
    int stops = 0;
    work.setOnStop([&] { stops += !work.busy() && !work.stopRequested(); });
    QTimer::singleShot(0, [&] { work.requestStop(); });
    EXPECT_THROW(work.run([&] { slowStep(work.sink(), reports); }), WorkStopped);
    EXPECT_LT(reports, 50);
    EXPECT_THROW(work.run([] {}), WorkStopped);
    for (int i = 0; i < 100 && stops == 0; ++i) QTest::qWait(5);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(work.run([] { return 7; }), 7);

    // A hidden window, and a step that runs into another one, run in place.
    window.hide();
    const std::thread::id here = std::this_thread::get_id();
    EXPECT_EQ(work.run([] { return std::this_thread::get_id(); }), here);
}

class ClosingWhileOpening : public WindowTest {};

// The window is closed while it reads a big sheet, after the user dropped the changes to
// the sheet open before: nothing asks again, no file is written, the settings are.
TEST_F(ClosingWhileOpening, StopsTheOpenAndLeavesEveryFileAsItWas) {
    const std::string small = "H1 { color : red ; }\r\n";
    auto w = openSheet(small);
    w->bCSSSaved = false;
    messages->choices = {1};  // No: the changes go
    std::string big;
    for (int i = 0; i < 40000; ++i) big += ".c" + std::to_string(i) + " a { color: #123456; margin: 0; }\r\n";
    const QString bigFile = writeFile("big.css", big);

    QTimer::singleShot(0, w.get(), [&] { w->close(); });  // taken up while the sheet is read
    files->answers = {bigFile};
    w->FileOpenCSS->trigger();
    settle();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(messages->confirms.size(), 1);
    EXPECT_TRUE(messages->errors.isEmpty());
    EXPECT_TRUE(w->sCSSFileName.isEmpty());
    EXPECT_TRUE(w->Document.empty());
    w.reset();
    EXPECT_EQ(onDisk(bigFile), big);
    EXPECT_EQ(onDisk(file), small);
    EXPECT_FALSE(settings().ReadSection("TB1Pos").empty());  // written by the close
}

// A close or a signal during long work takes effect once the work is over, also after a step
// that reports nothing (the rule tree's new type is laid out in one): a cancelled close leaves
// the preview of the sheet as it is and everything at rest, and no later command closes.
TEST_F(ClosingWhileOpening, ACloseOrSignalDuringTheWorkTakesEffectOnceItIsOver) {
    std::string big;
    for (int i = 0; i < 40000; ++i) big += ".c" + std::to_string(i) + " a { color: #123456; }\r\n";
    const struct { const char* what; bool bySignal, rebuild; } cases[] = {
        {"tree type, close", false, false}, {"tree type, signal", true, false}, {"rebuild, close", false, true}};
    for (const auto& c : cases) {
        auto w = openSheet(big);
        w->Document.addDeclaration(w->Document.rules()[0], "background", "navy");
        w->bCSSSaved = false;
        messages->choices = {2};  // Cancel
        TerminationSignals watch([&w](int) { w->closeBySignal(); });
        bool busyWhenAsked = false;
        QTimer::singleShot(0, w.get(), [&] {
            busyWhenAsked = w->longWork().busy();
            c.bySignal ? void(::raise(SIGTERM)) : void(w->close());
        });
        c.rebuild ? w->guarded([&] { w->RefreshPreview(); }) : w->ChangeCSStree->trigger();
        for (int i = 0; i < 100 && w->isVisible() && w->StatusBar->PvProgressBar->Percent() != 0; ++i) settle();
        settle();
        EXPECT_TRUE(busyWhenAsked) << c.what;
        EXPECT_EQ(w->isVisible(), !c.bySignal) << c.what;
        EXPECT_EQ(messages->confirms.size(), c.bySignal ? 0 : 1) << c.what;
        if (c.bySignal) continue;
        EXPECT_EQ(w->ruleTreeModel().grouped(), !c.rebuild) << c.what;
        if (c.rebuild) EXPECT_NE(onDisk(w->PreviewCSSPath).find("navy"), std::string::npos);
        EXPECT_EQ(w->StatusBar->PvProgressBar->Percent(), 0) << c.what;
        EXPECT_EQ(w->StatusBar->message(), QStringLiteral("操作を待っています :)")) << c.what;
        w->Refresh->trigger();
        settle();
        EXPECT_TRUE(w->isVisible()) << c.what;
        EXPECT_EQ(messages->confirms.size(), 1) << c.what;
    }
}

// A handler that arrives while a big sheet is read (a queued drop, a focus change) waits until
// the work is done, and then finds the new document in place.
TEST_F(ClosingWhileOpening, AHandlerArrivingDuringTheWorkRunsAfterIt) {
    auto w = openSheet("H1 { color : red ; }\r\n");
    std::string big;
    for (int i = 0; i < 40000; ++i) big += ".c" + std::to_string(i) + " a { color: #123456; }\r\n";
    const QString bigFile = writeFile("big.css", big);

    std::vector<std::pair<bool, size_t>> runs;  // busy, rules, when the handler ran
    QTimer::singleShot(0, w.get(), [&] {
        w->guarded([&] { runs.emplace_back(w->longWork().busy(), w->Document.ruleCount()); });
    });
    files->answers = {bigFile};
    w->FileOpenCSS->trigger();
    settle();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].first);
    EXPECT_EQ(runs[0].second, 40000u);
}

}  // namespace
}  // namespace pavik::test
