// Screenshots of the value panels in the real window: opens a style sheet, selects a rule,
// shows a colour, a length and a keyword property, changes each, and saves the screen after
// each step into the given folder. Run under xvfb-run.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "shot_support.h"

using shots::clickProperty;
using shots::find;
using shots::shot;
using shots::wait;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: value_shots sheet.css folder\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const std::unique_ptr<pavik::TfrmMain> window =
        shots::openWindow(QString::fromLocal8Bit(argv[1]), QSize(1280, 900));
    pavik::TfrmMain& w = *window;

    shots::selectElementRule(w, {QStringLiteral("H1"), QStringLiteral("body")});
    shot(folder, "01-rule");

    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("color")});
    shot(folder, "02-colour");
    w.valueArea().BitBtnClear->click();
    shot(folder, "03-colour-cleared");

    clickProperty(w, {QStringLiteral("フォント"), QStringLiteral("font-size")});
    shot(folder, "04-length");
    w.valueArea().EditCommon->clear();
    QTest::keyClicks(w.valueArea().EditCommon, "40");
    QTest::keyClick(w.valueArea().EditCommon, Qt::Key_Return);
    shot(folder, "05-length-changed");

    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("text-align")});
    shot(folder, "06-keyword");
    const int i = w.valueArea().CmbBoxCommon->findText(QStringLiteral("center"));
    w.valueArea().CmbBoxCommon->setCurrentIndex(i);
    emit w.valueArea().CmbBoxCommon->activated(i);
    shot(folder, "07-keyword-changed");

    clickProperty(w, {QStringLiteral("ボックス")});
    shot(folder, "08-category");
    w.bCSSSaved = true;  // no save question on close
    w.close();
    return 0;
}
