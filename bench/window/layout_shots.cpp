// Screenshots of the window's layout and of the dialogs whose layout changed: a long selector
// clicked, property names and a keyword hint, the toolbar bands after the window narrowed,
// the box editor's three pages, the toolbar settings, the settings dialog's pages, the font
// chooser and the name dialogs with a greyed OK. Clicks go through real mouse events; each
// dialog is photographed while it runs modally.
// Run under xvfb-run with a 1600x1000 screen: layout_shots sheet.css folder [-style name]
// The sheet should hold the rules "P" and a long selector (its first element rule).
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "dialogs/dlg_box_edit.h"
#include "dialogs/dlg_new_class.h"
#include "dialogs/dlg_new_css.h"
#include "dialogs/frm_font_select.h"
#include "dialogs/frm_set_tbar.h"
#include "dialogs/frm_setting.h"
#include "shot_support.h"
#include "workspace/window/control_bar.h"

namespace {

using namespace pavik;

using shots::clickProperty;
using shots::wait;
using shots::whenShown;

QString folder;

void shot(const QString& name) { shots::shot(folder, name, 700); }

// Element rule `row` (or the one named `name`) clicked as the user clicks it.
void clickRule(TfrmMain& w, int row, const QString& name = QString()) {
    const QAbstractItemModel* m = w.TreeViewStruct->model();
    QModelIndex rule = m->index(row, 0, w.ElementBaseNode);
    for (int i = 0; i < m->rowCount(w.ElementBaseNode) && !name.isEmpty(); ++i)
        if (m->index(i, 0, w.ElementBaseNode).data().toString() == name) rule = m->index(i, 0, w.ElementBaseNode);
    w.TreeViewStruct->scrollTo(rule);
    QTest::mouseClick(w.TreeViewStruct->viewport(), Qt::LeftButton, {}, w.TreeViewStruct->visualRect(rule).center());
    wait(300);
}

template <typename D>
void photographPages(D& d, QTabWidget* pages, const QString& name) {
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        shot(QStringLiteral("%1-%2").arg(name).arg(i + 1));
    }
    d.reject();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: layout_shots sheet.css folder\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[2]);
    const std::unique_ptr<pavik::TfrmMain> window =
        shots::openWindow(QString::fromLocal8Bit(argv[1]), QSize(1000, 700));
    pavik::TfrmMain& w = *window;

    clickRule(w, 0);
    shot("01-long-selector");
    clickRule(w, 0, QStringLiteral("P"));
    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("text-justify")});
    shot("02-names-and-hint");

    // The bands as saved in a wide window, then the window made narrower.
    w.resize(1300, 700);
    wait(300);
    w.ControlBarDown->setBandLeft(w.CmbBoxExDoctype, 985);
    w.resize(760, 700);
    shot("03-bands-narrowed");
    w.resize(1000, 700);
    wait(300);

    clickProperty(w, {QStringLiteral("ボックス")});
    whenShown<TdlgBoxEdit>([](TdlgBoxEdit& d) {
        d.CBba->setCurrentIndex(d.CBba->findText(QStringLiteral("medium")));
        photographPages(d, d.PageControl1, QStringLiteral("10-box"));
    });
    w.EditBox->trigger();

    whenShown<TfrmSetTBar>([](TfrmSetTBar& d) {
        shot("20-toolbar-settings");
        d.reject();
    });
    w.TBCust->trigger();

    whenShown<TfrmSetting>([](TfrmSetting& d) {
        // The font dialog of the settings, found by its title.
        QTimer::singleShot(1500, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* f = qobject_cast<QDialog*>(top); f && f->isVisible() && f->windowTitle() == QStringLiteral("フォント")) {
                    shot("35-settings-font");
                    f->reject();
                }
        });
        d.FontEdit->trigger();
        photographPages(d, d.PageControl1, QStringLiteral("30-settings"));
    });
    w.Setting->trigger();

    clickProperty(w, {QStringLiteral("フォント"), QStringLiteral("font-family")});
    whenShown<TfrmFontSelect>([](TfrmFontSelect& d) {
        shot("40-font-nothing-chosen");
        d.reject();
    });
    QTest::mouseClick(w.valueArea().StaticTxtFont, Qt::LeftButton);

    whenShown<TdlgNewClass>([](TdlgNewClass& d) {
        QTest::keyClicks(d.EditNewClass, "x{y}");
        shot("50-new-class-refused");
        d.reject();
    });
    w.cssClass->trigger();

    const QString taken = QFileInfo(QString::fromLocal8Bit(argv[1])).completeBaseName();
    const QString sheetFolder = QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath();
    whenShown<TdlgNewCSS>([taken, sheetFolder](TdlgNewCSS& d) {
        d.EditPath->setText(sheetFolder);
        QTest::keyClicks(d.EditNewCSS, taken);
        shot("51-new-css-taken");
        d.reject();
    });
    w.NewCSS->trigger();

    w.bCSSSaved = true;  // no save question on close
    w.close();
    return 0;
}
