// Opening big style sheets and pages through the main window, as the user does: the file
// read, the document, the rule tree, the source pane and the preview files, with a browser
// that only records. Each case runs in a process of its own, so that its peak memory is its
// own; time and memory are also given per MB of input on top of an almost empty sheet.
//
//   open_bench                          every case, as a table
//   open_bench --run=<case>             one case in this process, one line of figures
//   open_bench --write=<case> <file>    writes the case's input and exits (open_blackbox.sh)
//
// Figures of a case: open (ms from the command to the preview files written), stall (the
// longest time the event loop did not turn from the command until the window was painted),
// peak (VmHWM) and settled (VmRSS) MB, and the steps timed alone afterwards: read (file to
// CP932), parse (the reader), tree (the rule tree rebuilt), refresh (sample page, style
// sheet, pane), with the longest stall of the last two (restall).
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
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

// Minified rules on one line, about 47 bytes each (10 MB hold 220,000), of four shapes.
std::string oneLine(size_t bytes) {
    std::string s;
    s.reserve(bytes + 64);
    for (size_t i = 0; s.size() < bytes; ++i) {
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
        if (std::strncmp(argv[i], "--write=", 8) == 0 && i + 1 < argc) {
            const Case* c = findCase(argv[i] + 8);
            if (!c) return std::fprintf(stderr, "no case %s\n", argv[i] + 8), 2;
            return writeInput(*c, argv[i + 1]) ? 0 : (std::fprintf(stderr, "%s is a file of its own\n", c->name), 2);
        }
    }
    return runAll(argv[0]);
}
