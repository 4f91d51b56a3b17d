// Opening big style sheets and pages through the main window, as the user does: the file
// read, the document, the rule tree, the source pane and the preview files, with a browser
// that only records. Each case runs in a process of its own, so that its peak memory is its
// own; time and memory are also given per MB of input on top of an almost empty sheet.
//
//   open_bench                          every case, as a table
//   open_bench --run=<case>             one case in this process, one line of figures
//   open_bench --write=<case> <file>    writes the case's input and exits (open_blackbox.sh)
//   open_bench --browser                every style sheet case with the real browser, as a table
//   open_bench --browse=<case>          one of those in this process
//
// With the real browser, the sheet is given as on the command line and the figures are:
// shown (ms from making the window to its first paint), preview (ms from making the window
// to the preview shown, scrolled), the browser's processes' peak and settled MB (every
// process the program started), then per action the ms until the browser has shown it and
// the longest stall of the window meanwhile: a click on a rule near the one shown (near,
// nearstall), one far from it (far, farstall), a value change (change, changestall; the
// first change, then the mean of four more: change2).
//
// Figures of a case: open (ms from the command to the preview files written), stall (the
// longest time the event loop did not turn from the command until the window was painted),
// peak (VmHWM) and settled (VmRSS) MB, and the steps timed alone afterwards: read (file to
// CP932), parse (the reader), tree (the rule tree rebuilt), refresh (sample page, style
// sheet, pane), with the longest stall of the last two (restall).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>
#include <unistd.h>

#include "platform/text_encoding.h"
#include "workspace/document/css_reader.h"
#include "bench_fakes.h"
#include "workspace/window/frm_main.h"

namespace {

constexpr const char* kBootstrap5 = "/usr/share/javascript/bootstrap5/css/bootstrap.css";

// ---- Inputs ------------------------------------------------------------------------------

std::string hex6(size_t i) {
    char b[8];
    std::snprintf(b, sizeof b, "%06zx", (i * 2654435761u) & 0xFFFFFF);
    return b;
}

// Minified rules on one line, about 47 bytes each (10 MB hold 220,000), of four shapes;
// `bytes` of them, or `rules` rules.
std::string oneLine(size_t bytes, size_t rules = SIZE_MAX) {
    std::string s;
    s.reserve(std::min(bytes, rules * 50) + 64);
    for (size_t i = 0; s.size() < bytes && i < rules; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 4) {
            case 0: s += "div.c" + n + " p{color:#" + hex6(i) + ";margin:0 4px;order:1}"; break;
            case 1: s += ".c" + n + " .d>a:hover{color:#" + hex6(i) + ";top:0;order:1}"; break;
            case 2: s += "h" + std::to_string(i % 6 + 1) + "#x" + n + "{font-size:" + std::to_string(i % 40) + "px;left:0;order:1}"; break;
            default: s += "ul li.c" + n + "{background:#" + hex6(i) + ";padding:1px;order:1}"; break;
        }
    }
    return s;
}

// Rules one declaration a line, about 51 bytes each.
std::string formatted(size_t rules) {
    std::string s;
    s.reserve(rules * 50);
    for (size_t i = 0; i < rules; ++i) {
        const std::string n = std::to_string(i);
        s += (i % 3 == 0 ? "p.c" : ".c") + n + " a {\n  color: #" + hex6(i) + ";\n  margin: 0 auto;\n}\n";
    }
    return s;
}

std::string smallRules(size_t rules) {
    std::string s;
    s.reserve(rules * 20);
    for (size_t i = 0; i < rules; ++i) s += ".s" + std::to_string(i) + "{color:red}\n";
    return s;
}

// 450 bytes: twenty levels of "& &", each doubling the selector of the level above.
std::string nesting() {
    std::string s = ".menu li {\n  color: maroon;\n", close;
    for (int level = 0; level < 20; ++level) {
        s += "  & & {\n  left: 0;\n";
        close += "}\n";
    }
    return s + close + "}\n";
}

// A page of about `bytes` bytes in UTF-8, Japanese text in paragraphs.
std::string page(size_t bytes) {
    const std::string para = "のテキストです。日本語の段落が続きます。 Some English words too.</p>\n";
    std::string s = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>大きなページ</title></head>\n<body class=\"big\">\n";
    s.reserve(bytes + 256);
    for (size_t i = 0; s.size() < bytes; ++i) s += "<p class=\"c" + std::to_string(i % 100) + "\">段落 " + std::to_string(i) + para;
    return s + "</body></html>\n";
}

struct Case {
    const char* name;
    const char* what;
    std::string (*make)();  // null: the file at `file`
    const char* file = nullptr;
    bool isPage = false;
};

const Case kCases[] = {
    {"empty", "almost empty sheet", [] { return std::string("body { margin: 0; }\n"); }},
    {"bootstrap5", "Bootstrap 5", nullptr, kBootstrap5},
    {"rules2k", "2,000 rules on one line", [] { return oneLine(SIZE_MAX, 2000); }},
    {"rules5k", "4,998 rules on one line", [] { return oneLine(SIZE_MAX, 4998); }},
    {"line10", "10 MB on one line", [] { return oneLine(size_t{10} << 20); }},
    {"rules660k", "32 MB, 660,000 rules", [] { return formatted(660000); }},
    {"line100", "100 MB on one line", [] { return oneLine(size_t{100} << 20); }},
    {"small1m", "1,000,000 small rules", [] { return smallRules(1000000); }},
    {"nesting", "450 bytes of nesting", nesting},
    {"page100", "100 MB page as preview", [] { return page(size_t{100} << 20); }, nullptr, true},
};

const Case* findCase(const char* name) {
    for (const Case& c : kCases)
        if (std::strcmp(c.name, name) == 0) return &c;
    return nullptr;
}

bool writeInput(const Case& c, const std::string& file) {
    if (!c.make) return false;
    std::ofstream(file, std::ios::binary) << c.make();
    return true;
}

// ---- One case in this process --------------------------------------------------------------

using bench::NullBrowser;
using bench::SilentMessages;

// VmHWM or VmRSS of this process, in MB.
double statusMB(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(in, line))
        if (line.compare(0, n, key) == 0) return std::atof(line.c_str() + n + 1) / 1024.0;
    return 0;
}

double msSince(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The longest time the event loop did not turn between start() and stop().
class StallWatch {
public:
    StallWatch() {
        beat_.setInterval(2);
        QObject::connect(&beat_, &QTimer::timeout, [this] {
            worst_ = std::max(worst_, msSince(tick_));
            tick_.start();
        });
    }
    void start() {
        worst_ = 0;
        tick_.start();
        beat_.start();
    }
    double stop() {
        beat_.stop();
        return std::max(worst_, msSince(tick_));
    }

private:
    QTimer beat_;
    QElapsedTimer tick_;
    double worst_ = 0;
};

int runCase(const Case& c, int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("PAVIK_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);

    QString input = c.file ? QString::fromLatin1(c.file) : home.filePath(QStringLiteral("input"));
    if (!c.file) writeInput(c, input.toStdString());
    if (!QFileInfo::exists(input)) {
        std::printf("%s skipped: %s is not installed\n", c.name, qPrintable(input));
        return 0;
    }
    const QString sheet = c.isPage ? home.filePath(QStringLiteral("empty.css")) : input;
    if (c.isPage) writeInput(kCases[0], sheet.toStdString());
    const qint64 inputBytes = QFileInfo(input).size();

    pavik::MainWindowServices s;
    s.makeBrowser = [](QWidget*) { return std::make_unique<NullBrowser>(); };
    s.messages = std::make_unique<SilentMessages>();
    s.help = pavik::makeDesktopHelp(QString());
    auto w = std::make_unique<pavik::TfrmMain>(std::move(s));
    w->show();
    if (c.isPage) w->FileOpenCSSAccept(sheet);
    settle(300);

    StallWatch watch;
    QElapsedTimer open;
    watch.start();
    open.start();
    if (c.isPage)
        w->FileOpenHTMLAccept(input);
    else
        w->FileOpenCSSAccept(sheet);
    const double openMs = msSince(open);
    const bool written = QFileInfo::exists(w->PreviewHTMLPath) && QFileInfo::exists(w->PreviewCSSPath);
    settle(500);  // painted, too
    const double stall = watch.stop();
    const double peak = statusMB("VmHWM:"), settled = statusMB("VmRSS:");

    // The steps alone, each result let go before the next measurement.
    QElapsedTimer t;
    double readMs = 0, parseMs = 0;
    {
        t.start();
        pavik::DecodedText text;
        (void)pavik::readTextFile(sheet.toStdString(), text);
        readMs = msSince(t);
        t.start();
        const pavik::CssReadResult parsed = pavik::AnalyzeCSS(text.cp932);
        parseMs = msSince(t);
    }
    settle(100);
    watch.start();
    t.start();
    w->ChangeCSStreeExecute();
    const double treeMs = msSince(t);
    t.start();
    w->RefreshExecute();
    const double refreshMs = msSince(t);
    settle(300);
    const double restall = watch.stop();

    std::printf("%s mb=%.2f rules=%zu open=%.0f stall=%.0f peak=%.0f settled=%.0f read=%.0f parse=%.0f tree=%.0f "
                "refresh=%.0f restall=%.0f%s\n",
                c.name, static_cast<double>(inputBytes) / (1 << 20), w->Document.ruleCount(), openMs, stall, peak,
                settled, readMs, parseMs, treeMs, refreshMs, restall, written ? "" : " (preview files missing)");
    return 0;
}

// ---- One case with the real browser ----------------------------------------------------------

// The processes this one started, and theirs: peak (VmHWM) and resident (VmRSS) MB, summed.
struct ChildMemory {
    double peak = 0, rss = 0;
};
ChildMemory childMemory() {
    std::vector<int> parents{static_cast<int>(::getpid())};
    ChildMemory m;
    for (size_t k = 0; k < parents.size(); ++k) {
        const QString list = QStringLiteral("/proc/%1/task/%1/children").arg(parents[k]);
        std::ifstream in(list.toStdString());
        int child = 0;
        while (in >> child) {
            parents.push_back(child);
            std::ifstream status("/proc/" + std::to_string(child) + "/status");
            std::string line;
            while (std::getline(status, line)) {
                if (line.rfind("VmHWM:", 0) == 0) m.peak += std::atof(line.c_str() + 6) / 1024.0;
                if (line.rfind("VmRSS:", 0) == 0) m.rss += std::atof(line.c_str() + 6) / 1024.0;
            }
        }
    }
    return m;
}

// Runs the event loop until `count` passes `from` or `ms` went by; false on the timeout.
bool waitPast(const int& count, int from, int ms) {
    QElapsedTimer t;
    t.start();
    while (count <= from && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return count > from;
}

// The first paint of a widget, timed.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& w, const QElapsedTimer& since) : since_(since) { w.installEventFilter(this); }
    double ms = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && ms < 0) ms = msSince(since_);
        return false;
    }

private:
    const QElapsedTimer& since_;
};

// The element rules of the tree, in order.
std::vector<QModelIndex> elementRules(pavik::TfrmMain& w) {
    const QAbstractItemModel* m = w.TreeViewStruct->model();
    std::vector<QModelIndex> rules;
    for (int i = 0; i < m->rowCount(w.ElementBaseNode); ++i) {
        const QModelIndex node = m->index(i, 0, w.ElementBaseNode);
        if (m->rowCount(node) == 0) rules.push_back(node);
        for (int j = 0; j < m->rowCount(node); ++j) rules.push_back(m->index(j, 0, node));
    }
    return rules;
}

QTreeWidgetItem* propertyItem(pavik::TfrmMain& w, const QString& name) {
    for (QTreeWidgetItemIterator it(w.TreeViewTarget); *it; ++it)
        if ((*it)->text(0) == name) return *it;
    return nullptr;
}

int runBrowserCase(const Case& c, int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("PAVIK_HOME", home.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString sheet = c.file ? QString::fromLatin1(c.file) : home.filePath(QStringLiteral("input.css"));
    if (!c.file) writeInput(c, sheet.toStdString());
    if (!QFileInfo::exists(sheet)) {
        std::printf("%s skipped: %s is not installed\n", c.name, qPrintable(sheet));
        return 0;
    }

    QElapsedTimer start;
    start.start();
    pavik::MainWindowServices s;
    s.makeBrowser = [](QWidget* parent) { return pavik::makeWebEnginePreview(parent); };
    s.messages = std::make_unique<SilentMessages>();
    s.help = pavik::makeDesktopHelp(QString());
    s.arguments = QStringList{sheet};
    auto w = std::make_unique<pavik::TfrmMain>(std::move(s));
    FirstPaint painted(*w, start);
    int shown = 0;
    w->browser()->OnPageShown = [&] { ++shown; };
    w->resize(1000, 760);
    w->show();
    StallWatch watch;
    // The page shown at first may be of no sheet yet: the sheet's comes once it is read.
    while (start.elapsed() < 300000 && (w->Document.empty() || shown == 0 || !QFileInfo::exists(w->PreviewCSSPath)))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double previewMs = msSince(start);
    settle(2000);
    const ChildMemory memory = childMemory();
    std::fprintf(stderr, "%s: shown %.0f, preview %.0f ms\n", c.name, painted.ms, previewMs);

    const std::vector<QModelIndex> rules = elementRules(*w);
    if (rules.empty()) {  // nothing to click: the opening figures alone
        std::printf("%s mb=%.2f shown=%.0f preview=%.0f browserpeak=%.0f browserrss=%.0f (no element rules)\n", c.name,
                    double(QFileInfo(sheet).size()) / (1 << 20), painted.ms, previewMs, memory.peak, memory.rss);
        return 0;
    }
    // A click, timed until the browser has shown it, with the longest stall meanwhile.
    auto timed = [&](const std::function<void()>& act, double& stall) {
        const int before = shown;
        watch.start();
        QElapsedTimer t;
        t.start();
        act();
        const bool ok = waitPast(shown, before, 120000);
        const double ms = msSince(t);
        stall = watch.stop();
        std::fprintf(stderr, "%s: an action shown in %.0f ms, longest stall %.0f ms\n", c.name, ms, stall);
        return ok ? ms : -1;
    };
    auto click = [&](const QModelIndex& node) {
        w->TreeViewStruct->setCurrentIndex(node);
        w->TreeViewStructClick();
    };
    // A rule with text-align, from the middle of the tree on.
    size_t middle = rules.size() / 2;
    QTreeWidgetItem* property = nullptr;
    for (const size_t last = std::min(rules.size(), middle + 20); middle < last && !property; ++middle) {
        click(rules[middle]);
        settle(50);
        property = propertyItem(*w, QStringLiteral("text-align"));
    }
    --middle;
    settle(1000);
    double nearStall = 0, farStall = 0, changeStall = 0, stall2 = 0;
    const double nearMs = timed([&] { click(rules[std::min(middle + 3, rules.size() - 1)]); }, nearStall);
    const double farMs = timed([&] { click(rules[rules.size() / 8]); }, farStall);
    // Back to the page of the middle: the changes start once the browser has shown it.
    const int beforeBack = shown;
    click(rules[middle]);
    waitPast(shown, beforeBack, 120000);
    settle(1000);
    property = propertyItem(*w, QStringLiteral("text-align"));  // the property tree was made anew
    double changeMs = -1, change2Ms = 0;
    // Through the keyword drop-down; a rule without text-align gets its first declaration
    // changed as the store changes it, then the same refresh.
    std::function<void(int)> change;
    QComboBox* box = w->valueArea().CmbBoxCommon;
    const int items[2] = {box->findText("left"), box->findText("right")};
    pavik::CssRuleNode* rule = static_cast<pavik::RuleTreeModel*>(w->TreeViewStruct->model())->rule(rules[middle]);
    if (property) {
        w->TreeViewTarget->setCurrentItem(property);
        w->TreeViewTargetClick();
        change = [&](int k) {
            box->setCurrentIndex(items[k & 1]);
            emit box->activated(items[k & 1]);
        };
    } else if (rule && !rule->Declarations.empty()) {
        change = [&](int k) {
            rule->Declarations[0].Value = k & 1 ? "inherit" : "initial";
            w->RefreshPreview();
        };
    }
    if (change) {
        changeMs = timed([&] { change(0); }, changeStall);
        for (int k = 1; k <= 4; ++k) {
            double st = 0;
            change2Ms += timed([&] { change(k); }, st) / 4;
            stall2 = std::max(stall2, st);
        }
    }
    std::printf("%s mb=%.2f rules=%zu shown=%.0f preview=%.0f browserpeak=%.0f browserrss=%.0f near=%.0f nearstall=%.0f "
                "far=%.0f farstall=%.0f change=%.0f changestall=%.0f change2=%.0f change2stall=%.0f\n",
                c.name, static_cast<double>(QFileInfo(sheet).size()) / (1 << 20), w->Document.ruleCount(), painted.ms,
                previewMs, memory.peak, memory.rss, nearMs, nearStall, farMs, farStall, changeMs, changeStall, change2Ms,
                stall2);
    std::fflush(stdout);
    return 0;
}

// ---- Every case, each in a child process -----------------------------------------------------

struct Figures {
    double mb = 0, open = 0, peak = 0, settled = 0;
};

Figures parse(const std::string& line) {
    Figures f;
    auto field = [&](const char* key) {
        const size_t at = line.find(std::string(" ") + key + "=");
        return at == std::string::npos ? 0.0 : std::atof(line.c_str() + at + std::strlen(key) + 2);
    };
    f.mb = field("mb");
    f.open = field("open");
    f.peak = field("peak");
    f.settled = field("settled");
    return f;
}

int runAllBrowser(const char* self) {
    for (const Case& c : kCases) {
        if (c.isPage || std::strcmp(c.name, "nesting") == 0 || std::strcmp(c.name, "line100") == 0) continue;
        const std::string command = std::string(self) + " --browse=" + c.name;
        if (std::system(command.c_str()) != 0) std::printf("%s failed\n", c.name);
        std::fflush(stdout);
    }
    return 0;
}

int runAll(const char* self) {
    Figures base;
    std::printf("%-10s %-24s %s\n", "case", "input", "figures (ms, MB)");
    for (const Case& c : kCases) {
        const std::string command = std::string(self) + " --run=" + c.name;
        FILE* child = ::popen(command.c_str(), "r");
        if (!child) return 1;
        std::string line;
        char buf[1024];
        while (std::fgets(buf, sizeof buf, child)) line += buf;
        ::pclose(child);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        const Figures f = parse(line);
        if (std::strcmp(c.name, "empty") == 0) base = f;
        std::printf("%-10s %-24s %s\n", c.name, c.what, line.c_str() + std::strlen(c.name));
        if (&c != &kCases[0] && base.open > 0) {
            std::printf("%-35s over empty: %.0f ms, %.0f MB peak, %.0f MB settled", "", f.open - base.open,
                        f.peak - base.peak, f.settled - base.settled);
            if (f.mb >= 0.1)
                std::printf("; per MB: %.1f ms, %.1f MB peak", (f.open - base.open) / f.mb, (f.peak - base.peak) / f.mb);
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--run=", 6) == 0) {
            const Case* c = findCase(argv[i] + 6);
            if (!c) return std::fprintf(stderr, "no case %s\n", argv[i] + 6), 2;
            return runCase(*c, argc, argv);
        }
        if (std::strncmp(argv[i], "--browse=", 9) == 0) {
            const Case* c = findCase(argv[i] + 9);
            if (!c) return std::fprintf(stderr, "no case %s\n", argv[i] + 9), 2;
            return runBrowserCase(*c, argc, argv);
        }
        if (std::strcmp(argv[i], "--browser") == 0) return runAllBrowser(argv[0]);
        if (std::strncmp(argv[i], "--write=", 8) == 0 && i + 1 < argc) {
            const Case* c = findCase(argv[i] + 8);
            if (!c) return std::fprintf(stderr, "no case %s\n", argv[i] + 8), 2;
            return writeInput(*c, argv[i + 1]) ? 0 : (std::fprintf(stderr, "%s is a file of its own\n", c->name), 2);
        }
    }
    return runAll(argv[0]);
}
