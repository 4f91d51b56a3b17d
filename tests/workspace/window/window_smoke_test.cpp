// The real embedded browser: a generated preview page is shown and a rule click scrolls it
// to the rule's anchor.
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <string>

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

    // Waits until the page reports a value for the script that `done` accepts.
    static double waitForScript(QWebEngineView* view, const QString& script, double atLeast, int ms) {
        double value = -1;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            bool answered = false;
            view->page()->runJavaScript(script, [&](const QVariant& v) {
                value = v.toDouble();
                answered = true;
            });
            while (!answered && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (value >= atLeast) break;
        }
        return value;
    }
};

TEST_F(RealBrowser, PreviewPageLoadsAndARuleClickJumpsToItsAnchor) {
    std::string sheet;
    for (int i = 0; i < 150; ++i) sheet += ".c" + std::to_string(100 + i) + " { color: red; }\r\n";
    auto w = makeRealWindow(writeFile("many.css", sheet));
    w->resize(900, 700);
    showAndSettle(*w);
    auto* view = qobject_cast<QWebEngineView*>(w->WebBrowserIE);
    ASSERT_NE(view, nullptr);

    // The sample page has one anchor per rule.
    EXPECT_GE(waitForScript(view, "document.getElementsByName('.c249').length", 1, 20000), 1);
    EXPECT_EQ(waitForScript(view, "window.scrollY", 0, 2000), 0);

    // The browser says when the page is loaded and scrolled.
    int shown = 0;
    w->browser()->OnPageShown = [&] { ++shown; };
    QTreeWidgetItem* last = w->ClassBaseNode->child(w->ClassBaseNode->childCount() - 1);
    ASSERT_EQ(last->text(0), QStringLiteral(".c249"));
    w->TreeViewStruct->setCurrentItem(last);
    w->TreeViewStructClick();
    QElapsedTimer t;
    t.start();
    while (shown == 0 && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(shown, 1);
    EXPECT_GT(waitForScript(view, "window.scrollY", 0, 2000), 100);

    // A value change keeps the page and brings its new style.
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

}  // namespace
}  // namespace pavik::test
