// Screenshots of the selector chooser on each of its pages, with "A" chosen (and the class
// "red" typed on the class page). Clicks and keys go through real events.
// Run under xvfb-run: selector_shots folder [-style fusion|windows]
#include <QLineEdit>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "dialogs/frm_css_select.h"
#include "shot_support.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: selector_shots folder [-style name]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString style = QApplication::style()->name();
    pavik::TfrmCSSSelect d(nullptr);
    d.move(40, 40);
    d.show();
    shots::wait(500);
    QTreeWidgetItem* a = shots::find(d.TVcssBasic, {QStringLiteral("A")});
    QTest::mouseClick(d.TVcssBasic->viewport(), Qt::LeftButton, {}, d.TVcssBasic->visualItemRect(a).center());
    const char* pages[] = {"basic", "class", "child"};
    for (int i = 0; i < 3; ++i) {
        QTabBar* tabs = d.PageControlCSS->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        if (i == 1) QTest::keyClicks(d.EditClassChild, QStringLiteral("red"));
        shots::shot(folder, QStringLiteral("50-selector-%1-%2").arg(QLatin1String(pages[i]), style), 600);
    }
    return 0;
}
