// The real embedded browser: a generated preview page is shown and a rule click scrolls it
// to the rule's anchor.
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

    QTreeWidgetItem* last = w->ClassBaseNode->child(w->ClassBaseNode->childCount() - 1);
    ASSERT_EQ(last->text(0), QStringLiteral(".c249"));
    w->TreeViewStruct->setCurrentItem(last);
    w->TreeViewStructClick();
    EXPECT_GT(waitForScript(view, "window.scrollY", 100, 20000), 100);
    EXPECT_TRUE(w->browser()->hasDocument());
    EXPECT_TRUE(messages->errors.isEmpty());
}

}  // namespace
}  // namespace pavik::test
