// The box model editor with the real embedded browser: its preview page is shown, read as
// Shift_JIS, with scripts off.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdlib>

#include "dialogs/dlg_box_edit.h"
#include "workspace/document/css_reader.h"

using namespace pavik;

TEST(BoxEditSmoke, RealViewShowsThePreviewInShiftJisWithScriptsOff) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ::setenv("PAVIK_HOME", home.path().toLocal8Bit().constData(), 1);
    const StyleDocument doc = AnalyzeCSS("P { margin: 7px; border-style: solid; }").Document;
    QStringList errors;
    TdlgBoxEdit::Services s;
    s.makeBrowser = [](QWidget* parent) { return makeWebEnginePreview(parent); };
    s.reportError = [&](QWidget*, const QString& text) { errors.append(text); };
    TdlgBoxEdit d(doc.rules().front(), std::move(s));
    d.show();

    auto* view = qobject_cast<QWebEngineView*>(d.WBboxedit);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->height(), 110);
    EXPECT_FALSE(view->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));

    QString text;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000 && !text.contains(QStringLiteral("ボックステスト"))) {
        bool answered = false;
        view->page()->toPlainText([&](const QString& plain) {
            text = plain;
            answered = true;
        });
        while (!answered && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_TRUE(text.contains(QStringLiteral("ボックステスト"))) << text.toStdString();
    EXPECT_TRUE(d.browser()->hasDocument());
    EXPECT_TRUE(errors.isEmpty());
    ::unsetenv("PAVIK_HOME");
}
