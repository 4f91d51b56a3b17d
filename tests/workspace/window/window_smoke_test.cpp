// The real embedded browser: a generated preview page is shown and a rule click scrolls it
// to the rule's anchor, a value change brings the new style without a reload; the sample page
// runs no script, and no page reads another local file.
#include <QComboBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "workspace/document/sample_page.h"

#include "../../support/drag_drop.h"
#include "window_support.h"

namespace pavik::test {
namespace {

class RealBrowser : public WindowTest {
protected:
    std::unique_ptr<TfrmMain> makeRealWindow(const QString& file) {
        MainWindowServices s;
        s.makeBrowser = [](QWidget* parent) { return makeWebEnginePreview(parent); };
        auto m = std::make_unique<FakeMessages>();
        messages = m.get();
        s.messages = std::move(m);
        s.help = std::make_unique<FakeHelp>(false, &helpCalls);
        s.arguments = QStringList{file};
        return std::make_unique<TfrmMain>(std::move(s));
    }

    // A shown window with 150 class rules, .c100 to .c249, open.
    std::unique_ptr<TfrmMain> openManyRules() {
        std::string sheet;
        for (int i = 0; i < 150; ++i) sheet += ".c" + std::to_string(100 + i) + " { color: red; }\r\n";
        auto w = makeRealWindow(writeFile("many.css", sheet));
        w->resize(900, 700);
        showAndSettle(*w);
        return w;
    }

    // A shown window of the sheet, counting in `shown` the pages the browser has shown.
    std::unique_ptr<TfrmMain> showSheet(const std::string& sheet, int& shown) {
        auto w = makeRealWindow(writeFile("sheet.css", sheet));
        w->resize(900, 700);
        w->browser()->OnPageShown = [&shown] { ++shown; };
        showAndSettle(*w);
        return w;
    }

    // The value of a script run beside the page's own (it runs where the page's are off).
    static QVariant evaluate(QWebEngineView* view, const QString& script, int ms = 5000) {
        QVariant value;
        bool answered = false;
        view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
            value = v;
            answered = true;
        });
        QElapsedTimer t;
        t.start();
        while (!answered && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return value;
    }

    // Waits until the script's value reaches `atLeast`; returns the last value.
    static double waitForScript(QWebEngineView* view, const QString& script, double atLeast, int ms) {
        double value = -1;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            value = evaluate(view, script, ms).toDouble();
            if (value >= atLeast) break;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return value;
    }

    // Shows a page of the given kind and waits until it has loaded.
    static void show(TfrmMain& w, QWebEngineView* view, const QString& path, PreviewPage page) {
        bool loaded = false;
        auto c = QObject::connect(view, &QWebEngineView::loadFinished, [&] { loaded = true; });
        w.browser()->navigate(path, QString(), page);
        QElapsedTimer t;
        t.start();
        while (!loaded && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QObject::disconnect(c);
    }
};

TEST_F(RealBrowser, PreviewPageLoadsAndARuleClickJumpsToItsAnchor) {
    auto w = openManyRules();
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);

    // The sample page has one anchor per rule.
    EXPECT_GE(waitForScript(view, "document.getElementsByName('.c249').length", 1, 20000), 1);
    EXPECT_EQ(waitForScript(view, "window.scrollY", 0, 2000), 0);

    // The browser says when the page is loaded and scrolled.
    int shown = 0;
    w->browser()->OnPageShown = [&] { ++shown; };
    const QModelIndex last = child(w->ClassBaseNode, w->TreeViewStruct->model()->rowCount(w->ClassBaseNode) - 1);
    ASSERT_EQ(last.data().toString(), QStringLiteral(".c249"));
    w->TreeViewStruct->setCurrentIndex(last);
    w->TreeViewStructClick();
    QElapsedTimer t;
    t.start();
    while (shown == 0 && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(shown, 1);
    EXPECT_GT(waitForScript(view, "window.scrollY", 0, 2000), 100);

    // A value change keeps the page and brings its new style, with the sample page's scripts off.
    ASSERT_FALSE(view->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    waitForScript(view, "window.pavikKept = 1", 1, 2000);
    w->TreeViewTarget->setCurrentItem(findItem(w->TreeViewTarget, QStringLiteral("テキスト/text-align")));
    w->TreeViewTargetClick();
    const int right = w->valueArea().CmbBoxCommon->findText(QStringLiteral("right"));
    ASSERT_GT(right, 0);
    w->valueArea().CmbBoxCommon->setCurrentIndex(right);
    emit w->valueArea().CmbBoxCommon->activated(right);
    t.restart();
    while (shown == 1 && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(shown, 2);
    const char* const style = "getComputedStyle(document.getElementsByClassName('c249')[0]).textAlign";
    EXPECT_EQ(waitForScript(view, QStringLiteral("%1 == 'right' ? 1 : 0").arg(style), 0, 2000), 1);
    EXPECT_EQ(waitForScript(view, "window.pavikKept || 0", 0, 2000), 1);
    EXPECT_GT(waitForScript(view, "window.scrollY", 0, 2000), 100);
    EXPECT_EQ(waitForScript(view, "document.querySelectorAll('link').length", 0, 2000), 1);
    EXPECT_TRUE(w->browser()->hasDocument());
    EXPECT_TRUE(messages->errors.isEmpty());
}

// A rebuild that keeps the place (a save) leaves the page where the user scrolled it, whether
// only its style sheet is fetched again or the page is loaded anew, at any text size.
TEST_F(RealBrowser, ARebuildKeepingThePlaceLeavesThePageWhereItWasScrolled) {
    auto w = openManyRules();
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_GE(waitForScript(view, "document.getElementsByName('.c249').length", 1, 20000), 1);
    w->browser()->setTextSize(4);
    int shown = 0;
    w->browser()->OnPageShown = [&] { ++shown; };
    const auto waitUntil = [](const std::function<bool()>& done) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    };
    // The same page (only its style sheet fetched again), then a changed one (loaded anew).
    for (const bool changed : {false, true}) {
        // Scrolled well before the rebuild, as a user scrolls: the view knows where the page is.
        ASSERT_EQ(waitForScript(view, "window.scrollTo(0, 600), window.pavikKept = 1, window.scrollY", 600, 2000), 600);
        ASSERT_TRUE(waitUntil([&] { return !view->page()->isLoading() && view->page()->scrollPosition().y() > 700; }));
        if (changed) {
            QFile page(w->PreviewHTMLPath);
            ASSERT_TRUE(page.open(QIODevice::Append));
            page.write("<!-- changed -->");
        }
        const int before = shown;
        w->browser()->navigateKeepingPlace(w->PreviewHTMLPath, PreviewPage::Sample);
        ASSERT_TRUE(waitUntil([&] { return shown > before && !view->page()->isLoading(); }));
        if (changed)
            EXPECT_EQ(waitForScript(view, "window.pavikKept ? 0 : 1", 1, 5000), 1);  // loaded anew
        else
            EXPECT_EQ(evaluate(view, "window.pavikKept || 0").toInt(), 1);
        EXPECT_EQ(waitForScript(view, "Math.abs(window.scrollY - 600) < 3 ? 1 : 0", 1, 5000), 1) << changed;
    }
}

TEST_F(RealBrowser, SamplePageRunsNoScriptAndReadsNoOtherLocalFile) {
    auto w = makeRealWindow(writeFile("evil.css",
                                      "svg/onload=console[`log`](`X`) { color: red }\r\n"
                                      "svg/onload=document.title=1 { color: red }\r\n"
                                      "H1 { color: red }\r\n"));
    showAndSettle(*w);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);
    ASSERT_GE(waitForScript(view, "document.getElementsByName('H1').length", 1, 20000), 1);
    EXPECT_EQ(evaluate(view, "document.getElementsByTagName('svg').length").toInt(), 0);
    EXPECT_NE(evaluate(view, "document.title").toString(), QStringLiteral("1"));
    // The linked style sheet still applies.
    EXPECT_EQ(waitForScript(view, "getComputedStyle(document.getElementsByTagName('H1')[0]).color == 'rgb(255, 0, 0)' ? 1 : 0",
                            1, 5000),
              1);

    // Whatever a page holds, as the sample page it runs no script and reads no other file.
    writeFile("secret.txt", "secret");
    const QString page = writeFile("page.html", "<html><head><script>fetch('secret.txt').then(function()"
                                                "{document.title='read'},function(){document.title='refused'})"
                                                "</script></head><body>page</body></html>");
    const QString readSecret = QStringLiteral(
        "(function(){try{var x=new XMLHttpRequest();x.open('GET','secret.txt',false);x.send();"
        "return x.responseText;}catch(e){return 'refused';}})()");
    show(*w, view, page, PreviewPage::Sample);
    EXPECT_EQ(evaluate(view, "document.title").toString(), QString());
    EXPECT_EQ(evaluate(view, readSecret).toString(), QStringLiteral("refused"));
    // A user's own page runs its scripts, but they read no local file either, as in a browser
    // that opened the page from disk.
    show(*w, view, page, PreviewPage::User);
    EXPECT_EQ(waitForScript(view, "document.title == 'refused' ? 1 : 0", 1, 10000), 1);
    EXPECT_EQ(evaluate(view, readSecret).toString(), QStringLiteral("refused"));
    EXPECT_TRUE(messages->errors.isEmpty());
}

// A user's page shows what it links from disk (a style sheet and an image from "../", a frame,
// a font), but as in a browser that opened it from disk every local file is an origin of its
// own: its script reads no frame's document, no pixel of a drawn image, no rule of a linked
// style sheet, and nothing fetched or asked for in CORS mode (a JSON module, a crossorigin image).
TEST_F(RealBrowser, AUserPageShowsWhatItLinksButItsScriptsReadNoLocalFile) {
    auto w = makeRealWindow(writeFile("style.css", "P { color: red }\r\n"));
    showAndSettle(*w);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);
    const char png[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0\xfd\xd4\x9a\x73\0\0\0\x10IDATx"
                       "\x9c\x63\xf8\xcf\xc0\0\x44\x0c\x10\x0a\0\x1f\xee\x03\xfd\x8b\x5f\x14\xd4\0\0\0\0IEND\xae\x42\x60\x82";
    const QString image = writeFile("site/img.png", std::string(png, sizeof png - 1));
    writeFile("site/up.css", "span { color: rgb(0, 0, 255) }");
    writeFile("site/frame.html", "<p>framed</p><script>parent.postMessage(document.body.firstChild.textContent, '*')</script>");
    const auto url = [](const QString& path) { return QUrl::fromLocalFile(path).toString(); };
    QDirIterator fonts(QStringLiteral("/usr/share/fonts"), {QStringLiteral("*.ttf")}, QDir::Files, QDirIterator::Subdirectories);
    const QString font = fonts.hasNext() ? url(fonts.next()) : QString();
    const QString script = QStringLiteral(
        "var out = {}; function show() { document.getElementById('out').textContent = JSON.stringify(out); }"
        "function settle(key, promise) { promise.then(function () { out[key] = 'read'; show(); },"
        "                                             function () { out[key] = 'refused'; show(); }); }"
        "window.addEventListener('message', function (e) { out.frame = e.data; show(); });"
        "window.addEventListener('load', function () {"
        "  var img = document.getElementById('im'), g = document.createElement('canvas').getContext('2d');"
        "  out.image = img.naturalWidth; g.drawImage(img, 0, 0);"
        "  try { g.getImageData(0, 0, 1, 1); out.pixel = 'read'; } catch (e) { out.pixel = e.name; }"
        "  out.cors = document.getElementById('cors').naturalWidth;"
        "  try { out.secret = document.getElementById('fs').contentDocument.body.textContent; } catch (e) {}"
        "  try { out.rules = document.styleSheets[0].cssRules.length; } catch (e) { out.rules = e.name; }"
        "  out.color = getComputedStyle(document.querySelector('span')).color;"
        "  settle('json', import('%1', {assert: {type: 'json'}})); settle('fetch', fetch('%2'));"
        "  settle('font', document.fonts.load('12px F').then(function (f) { if (!f.length) throw 0; }));"
        "});").arg(url(writeFile("site/x.json", "{\"k\": 1}")), url(image));
    const QString page = writeFile(
        "site/sub/page.html",
        QStringLiteral("<html><head><link rel='stylesheet' href='../up.css'><style>@font-face { font-family: F; "
                       "src: url(%3) }</style><script>%4</script></head><body><span>s</span><img id='im' "
                       "src='../img.png'><img id='cors' crossorigin src='%1'><iframe src='../frame.html'></iframe>"
                       "<iframe id='fs' src='%2'></iframe><pre id='out'></pre></body></html>")
            .arg(url(image), url(writeFile("secret.txt", "secret")), font.isEmpty() ? QStringLiteral("none.ttf") : font,
                 script)
            .toStdString());
    show(*w, view, page, PreviewPage::User);
    const char* const ready = "(function () { var t = document.getElementById('out').textContent;"
                              " var o = t ? JSON.parse(t) : {}; return ['frame', 'json', 'fetch', 'font']"
                              ".every(function (k) { return k in o; }) ? 1 : 0; })()";
    ASSERT_EQ(waitForScript(view, ready, 1, 20000), 1);
    const QJsonObject out =
        QJsonDocument::fromJson(evaluate(view, "document.getElementById('out').textContent").toString().toUtf8()).object();
    // Shown: the style sheet and the image from "../", the frame, the font.
    EXPECT_EQ(out["color"].toString(), QStringLiteral("rgb(0, 0, 255)"));
    EXPECT_EQ(out["image"].toInt(), 2);
    EXPECT_EQ(out["frame"].toString(), QStringLiteral("framed"));
    if (!font.isEmpty()) EXPECT_EQ(out["font"].toString(), QStringLiteral("read"));
    // Read: nothing.
    EXPECT_EQ(out["pixel"].toString(), QStringLiteral("SecurityError"));
    EXPECT_FALSE(out.contains("secret"));
    EXPECT_EQ(out["rules"].toString(), QStringLiteral("SecurityError"));
    EXPECT_EQ(out["cors"].toInt(), 0);
    EXPECT_EQ(out["json"].toString(), QStringLiteral("refused"));
    EXPECT_EQ(out["fetch"].toString(), QStringLiteral("refused"));
}

// A page dropped on the view: the view does not take the drop (it would show the file), the
// preview pages do; the page shows with the style sheet at the saved text size, and without
// it once switched off.
TEST_F(RealBrowser, APageDroppedOnTheViewIsPreviewedWithTheStyleSheetAtTheSavedTextSize) {
    writeSettings("[SYSTEM]\r\nBaseFSize=4\r\n");
    auto w = makeRealWindow(writeFile("style.css", "P { color: red }\r\n"));
    w->resize(900, 700);
    showAndSettle(*w);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);
    ASSERT_GE(waitForScript(view, "document.getElementsByName('P').length", 1, 20000), 1);
    EXPECT_DOUBLE_EQ(view->zoomFactor(), 1.25);

    const QString page = writeFile("site/page.html", "<html><head><title>mine</title></head><body><p>text</p></body></html>");
    const QPoint overView = view->mapTo(w.get(), QPoint(view->width() / 2, view->height() / 2));
    const DragOutcome drop = dragFiles(w.get(), overView, {QUrl::fromLocalFile(page)});
    EXPECT_EQ(drop.receiver, w->PageControlDown);
    EXPECT_EQ(drop.action, Qt::CopyAction);
    const char* const red = "document.title == '' && document.getElementsByTagName('p').length == 1 && "
                            "getComputedStyle(document.getElementsByTagName('p')[0]).color == 'rgb(255, 0, 0)' ? 1 : 0";
    EXPECT_EQ(waitForScript(view, red, 1, 20000), 1);
    EXPECT_EQ(w->sHTMLFileName, page);
    EXPECT_DOUBLE_EQ(view->zoomFactor(), 1.25);

    w->ApplyCSS->trigger();
    const char* const plain = "getComputedStyle(document.getElementsByTagName('p')[0]).color == 'rgb(0, 0, 0)' ? 1 : 0";
    EXPECT_EQ(waitForScript(view, plain, 1, 20000), 1);
    EXPECT_TRUE(messages->errors.isEmpty());
}

// A change set in place in the shown page's style sheet gives every element the style a
// fresh load of the written sheet gives it: on Bootstrap 5, and on a sheet of an @import,
// @media blocks, equal selectors and a rule the browser drops.
TEST_F(RealBrowser, AChangeSetInPlaceStylesThePageAsTheWrittenSheetDoes) {
    const char* const bootstrap = "/usr/share/javascript/bootstrap5/css/bootstrap.css";
    // Every element's computed style, as a hash and a length; transitions and animations
    // (a change in place starts them, a load does not) are ended first.
    const QString styles = QStringLiteral(
        "(function(){document.getAnimations().forEach(function(a){a.cancel();});"
        "var all=document.body.getElementsByTagName('*'),h=0,n=0;"
        "for(var i=0;i<all.length;i++){var cs=getComputedStyle(all[i]),s='';"
        "for(var k=0;k<cs.length;k++)s+=cs[k]+':'+cs.getPropertyValue(cs[k])+';';"
        "for(var j=0;j<s.length;j++)h=(h*31+s.charCodeAt(j))|0;n+=s.length;}return h+'/'+n;})()");
    struct Case {
        const char* what;
        std::string sheet;
        std::function<void(StyleDocument&)> change;
    };
    const auto bySelector = [](StyleDocument& d, std::string_view selector, int nth) {
        for (CssRuleNode* r : d.rules())
            if (r->Data.Selector.view() == selector && nth-- == 0) return r;
        ADD_FAILURE() << selector;
        return d.rules()[0];
    };
    std::string manyRules = "P { color: red; }\n";
    for (int i = 0; i < 10000; ++i) manyRules += ".c" + std::to_string(i) + " { color: #" + std::to_string(100000 + i) + "; }\n";
    manyRules += "P { color: blue; }\n";
    std::string bootstrapSheet;
    if (QFileInfo::exists(bootstrap)) readFileBytes(bootstrap, bootstrapSheet);
    const std::vector<Case> cases = {
        {"import, media and equal selectors",
         "@import url(\"none.css\");\nH1 { color: red; }\n@media screen { H1 { color: blue; } .a { margin-left: 3px; } }\n"
         ".a { color: red; margin-left: 1px; }\nP { color: black; }\n.a { color: blue; }\n"
         "::-moz-selection { color: red; }\n.b { color: green; }\n",
         [&](StyleDocument& d) {
             bySelector(d, "H1", 0)->Declarations[0].Value = "green";  // the @media rule still wins
             bySelector(d, ".a", 0)->Declarations[0].Value = "yellow";  // the later .a still wins
             bySelector(d, ".a", 0)->Declarations[1].Value = "7px";     // over the @media rule
             d.addDeclaration(bySelector(d, ".a", 1), "padding-left", "9px");
             bySelector(d, ".b", 0)->Declarations[0].Value = "purple";  // after a dropped rule
             bySelector(d, "::-moz-selection", 0)->Declarations[0].Value = "blue";
         }},
        {"10,000 rules, whose map is read before the change", manyRules,
         [&](StyleDocument& d) {
             bySelector(d, ".c40", 0)->Declarations[0].Value = "rgb(9, 8, 7)";
             bySelector(d, "P", 1)->Declarations[0].Value = "olive";  // the later P, far down
         }},
        {"Bootstrap 5", bootstrapSheet,
         [&](StyleDocument& d) {
             d.addDeclaration(bySelector(d, "body", 0), "color", "rgb(1, 2, 3)");
             bySelector(d, ".btn", 0)->Declarations[0].Value = "";
             d.addDeclaration(bySelector(d, ".table", 0), "border-left", "4px solid red");
         }},
    };
    for (const Case& c : cases) {
        if (c.sheet.empty()) {
            std::printf("%s skipped: not installed\n", c.what);
            continue;
        }
        int shown = 0;
        auto w = showSheet(c.sheet, shown);
        auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
        ASSERT_NE(view, nullptr);
        QElapsedTimer t;
        t.start();
        while ((w->Document.empty() || shown == 0) && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_GT(shown, 0) << c.what;
        const QString before = evaluate(view, styles, 20000).toString();
        evaluate(view, "window.pavikKept = 1; document.querySelector('link').pavikKept = 1;");

        const int changed = shown;  // the rebuild may see it shown already
        c.change(w->Document);
        w->RefreshPreview();
        t.restart();
        while (shown == changed && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_GT(shown, changed) << c.what;
        // Set in place: the page and its link to the sheet are those from before.
        EXPECT_EQ(evaluate(view, "(window.pavikKept || 0) + (document.querySelector('link').pavikKept || 0)").toInt(), 2)
            << c.what;
        const QString inPlace = evaluate(view, styles, 20000).toString();
        EXPECT_NE(inPlace, before) << c.what;

        bool loaded = false;
        auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&] { loaded = true; });
        view->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
        t.restart();
        while (!loaded && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QObject::disconnect(connection);
        ASSERT_TRUE(loaded) << c.what;
        EXPECT_EQ(evaluate(view, "window.pavikKept || 0").toInt(), 0) << c.what;  // loaded anew
        EXPECT_EQ(evaluate(view, styles, 20000).toString(), inPlace) << c.what;
        EXPECT_TRUE(messages->errors.isEmpty()) << c.what;
    }
}

// On a sheet too big for one page, a click on a rule beyond the page shown puts the samples of
// its rules in place of the shown ones, with the page and its style sheet kept: the page is
// then parsed and styled as a fresh load of the written page, with unique anchors, and a value
// change is still set in place.
TEST_F(RealBrowser, APageOfOtherRulesInPlaceIsAsTheWrittenPageLoaded) {
    const char* const tags[] = {"DIV", "P", "SPAN", "UL", "LI", "TABLE", "TD", "TR", "EM", "B", "H1", "H2", "PRE", "A"};
    std::string sheet = "@media screen { SPAN { color: teal; } }\nA { color: green; }\nA:hover { color: red; }\n";
    for (const char* outer : tags)
        for (const char* inner : tags) sheet += std::string(outer) + " " + inner + " { margin-left: 3px; }\n";
    for (int i = 0; i < 1800; ++i) {
        const std::string n = std::to_string(i);
        sheet += "DIV.k" + n + " { padding-left: " + std::to_string(i % 9) + "px; }\n";
        if (i % 6 == 0) sheet += "A.h" + n + " { color: blue; }\nA.h" + n + ":hover { color: navy; }\n";
    }
    for (int i = 0; i < 3000; ++i) {
        const std::string n = std::to_string(i);
        sheet += ".c" + n + " { color: rgb(" + std::to_string(i % 256) + ", 0, 0); }\n";
        if (i % 40 == 0) sheet += "@media screen { .c" + n + " { font-weight: bold; } .k" + n + " { margin-top: 2px; } }\n";
    }
    int shown = 0;
    auto w = showSheet(sheet, shown);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);
    const auto waitShown = [&](int past) {
        QElapsedTimer t;
        t.start();
        while (shown <= past && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return shown > past;
    };
    ASSERT_TRUE(waitShown(0));
    // The sheet's page, loaded (the page shown first may be of no sheet yet).
    ASSERT_GE(waitForScript(view, "document.getElementsByName('A').length", 1, 20000), 1);
    QElapsedTimer loading;
    loading.start();
    while (view->page()->isLoading() && loading.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // The body as parsed and every element's computed style, as a hash and a length.
    const QString page = QStringLiteral(
        "(function(){document.getAnimations().forEach(function(a){a.cancel();});"
        "var all=document.body.getElementsByTagName('*'),s=document.body.outerHTML,h=0,n=0;"
        "for(var i=0;i<all.length;i++){var cs=getComputedStyle(all[i]);"
        "for(var k=0;k<cs.length;k++)s+=cs[k]+':'+cs.getPropertyValue(cs[k])+';';"
        "for(var j=0;j<s.length;j++)h=(h*31+s.charCodeAt(j))|0;n+=s.length;s='';}return h+'/'+n;})()");
    const char* const uniqueAnchors = "(function(){var a=document.querySelectorAll('a[name]'),s=new Set();"
                                      "a.forEach(function(e){s.add(e.name);});return s.size===a.length?a.length:-1;})()";
    const auto kept = [&] {
        return evaluate(view, "(window.pavikKept || 0) + (document.querySelector('link').pavikKept || 0)").toInt();
    };
    const auto reloaded = [&] {
        bool loaded = false;
        auto connection = QObject::connect(view, &QWebEngineView::loadFinished, [&] { loaded = true; });
        view->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
        QElapsedTimer t;
        t.start();
        while (!loaded && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QObject::disconnect(connection);
        EXPECT_EQ(evaluate(view, "window.pavikKept || 0").toInt(), 0);  // loaded anew
        return loaded ? evaluate(view, page, 20000).toString() : QString();
    };
    // The element and descendant rules come first; the class rules after them in text order:
    // ".c...", "A.h...", "DIV.k...".
    const QModelIndex far = findItem(w->TreeViewStruct, QStringLiteral("クラス/A.h102"));
    const QModelIndex first = findItem(w->TreeViewStruct, QStringLiteral("エレメント/A"));
    ASSERT_TRUE(far.isValid() && first.isValid());
    ASSERT_GE(w->ruleTreeModel().walkIndex(far), PageWindowNodes + PageWindowNodes / 2);
    // Out to a page of element, descendant and class rules, then back to the first page.
    const struct {
        QModelIndex rule;
        const char* anchor;
        const char* gone;  // an anchor of the page before
    } clicks[] = {{far, "A.h102", "A"}, {first, "A", "A.h102"}};
    for (const auto& c : clicks) {
        evaluate(view, "window.scrollTo(0, 0); window.pavikKept = 1; document.querySelector('link').pavikKept = 1;");
        const QString before = evaluate(view, page, 20000).toString();
        const int past = shown;
        w->TreeViewStruct->setCurrentIndex(c.rule);
        w->TreeViewStructClick();
        ASSERT_TRUE(waitShown(past)) << c.anchor;
        EXPECT_EQ(kept(), 2) << c.anchor;
        EXPECT_EQ(evaluate(view, QStringLiteral("document.getElementsByName('%1').length").arg(c.anchor)).toInt(), 1);
        EXPECT_EQ(evaluate(view, QStringLiteral("document.getElementsByName('%1').length").arg(c.gone)).toInt(), 0);
        EXPECT_GT(evaluate(view, uniqueAnchors).toInt(), int(PageWindowNodes / 2)) << c.anchor;  // -1: not unique
        if (c.rule == far) {
            EXPECT_GT(evaluate(view, "window.scrollY").toInt(), 100);
        }
        QString inPlace = evaluate(view, page, 20000).toString();
        EXPECT_NE(inPlace, before) << c.anchor;

        if (c.rule == far) {
            // A value change on the new page is set in place.
            for (CssRuleNode* r : w->Document.rules())
                if (r->Data.Selector.view() == "A.h102") r->Declarations[0].Value = "rgb(1, 2, 3)";
            const int changed = shown;
            w->RefreshPreview();
            ASSERT_TRUE(waitShown(changed));
            EXPECT_EQ(kept(), 2);
            EXPECT_EQ(evaluate(view, "getComputedStyle(document.getElementsByClassName('h102')[0]).color").toString(),
                      QStringLiteral("rgb(1, 2, 3)"));
            inPlace = evaluate(view, page, 20000).toString();
        }
        EXPECT_EQ(reloaded(), inPlace) << c.anchor;
    }
    EXPECT_TRUE(messages->errors.isEmpty());
}

// A UTF-8 sheet that names its encoding shows its characters on the sample page and on a
// UTF-8 page of the user's: the preview's copy of the sheet names its own, Shift_JIS.
TEST_F(RealBrowser, TheSheetsCharactersShowOnTheSamplePageAndOnAUtf8Page) {
    auto w = makeRealWindow(writeFile("utf8.css", "@charset \"UTF-8\";\nH1::after { content: \"日本語テキスト\" }\n"));
    showAndSettle(*w);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);
    const QString shown = QStringLiteral(
        "(function(){var h=document.getElementsByTagName('h1')[0];"
        "return h ? getComputedStyle(h,'::after').content : '';})() == '\"日本語テキスト\"' ? 1 : 0");
    EXPECT_EQ(waitForScript(view, shown, 1, 20000), 1);
    EXPECT_TRUE(w->RichEditSrc->Text().starts_with("@charset \"UTF-8\";\r\n"));
    QFile css(w->PreviewCSSPath);
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    EXPECT_TRUE(css.readAll().startsWith("@charset \"Shift_JIS\";\r\n/* Generator"));

    w->FileOpenHTMLAccept(writeFile("site/page.html", "<html><head><meta charset=\"utf-8\"></head>\n"
                                                      "<body><h1>見出し</h1></body></html>\n"));
    EXPECT_EQ(waitForScript(view, QStringLiteral("document.getElementsByTagName('h1')[0].textContent == '見出し' && ") + shown,
                            1, 20000),
              1);
    EXPECT_TRUE(messages->errors.isEmpty());
}

}  // namespace
}  // namespace pavik::test
