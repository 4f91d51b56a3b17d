// Screenshots of the visual styles: the main window, the box model editor (spinners, one
// under the mouse) and a sheet of the component set's panels (a panel of its parent's colour
// and one of another colour, dock sites with their grabbers, a status bar with a simple
// caption, spinners with pictures of their own), first in the style the program was started
// with, then after switching the application style at run time, then with themed controls
// turned off.
// Run under xvfb-run with a 1280x1024 screen:
//   theme_shots sheet.css folder [-style fusion|windows] [other-style]
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "components/pv_panel.h"
#include "components/pv_panel_dock.h"
#include "components/pv_spinner.h"
#include "components/pv_status_bar.h"
#include "components/theme_manager.h"
#include "dialogs/dlg_box_edit.h"
#include "shot_support.h"

namespace {

using namespace pavik;

QString folder;

void shot(const QString& name) { shots::shot(folder, name, 700); }

QWidget* titled(const QString& title) {
    auto* w = new QWidget;
    w->setWindowTitle(title);
    return w;
}

// Two 9 x 9 pictures of a triangle pointing left or right, dark and greyed, on magenta (the
// colour left out).
QPixmap arrowStrip(bool right) {
    QImage strip(18, 9, QImage::Format_RGB32);
    strip.fill(Qt::magenta);
    QPainter p(&strip);
    p.setPen(Qt::NoPen);
    for (int cell = 0; cell < 2; ++cell) {
        p.setBrush(cell == 0 ? QColor(0, 0, 128) : QColor(160, 160, 160));
        const int x = cell * 9;
        p.drawPolygon(right ? QPolygon({{x + 2, 1}, {x + 7, 4}, {x + 2, 7}}) : QPolygon({{x + 7, 1}, {x + 2, 4}, {x + 7, 7}}));
    }
    p.end();
    return QPixmap::fromImage(strip);
}

QWidget* componentSheet() {
    auto* sheet = new QWidget;
    sheet->setWindowTitle(QStringLiteral("TPvCustomPanel / TPvSpinner / TPvStatusBar"));
    sheet->resize(760, 420);
    sheet->move(260, 200);

    auto* same = new TPvCustomPanel(sheet);
    same->setGeometry(10, 10, 170, 60);
    same->setCaption(QStringLiteral("親と同じ色のパネル"));
    auto* other = new TPvCustomPanel(sheet);
    other->setGeometry(190, 10, 170, 60);
    other->setColor(clInfoBk);
    other->setCaption(QStringLiteral("別の色のパネル"));
    auto* spinner = new TPvSpinner(sheet);
    spinner->move(380, 20);
    spinner->setValue(12);
    auto* hover = new TPvSpinner(sheet);
    hover->setObjectName("hover");
    hover->move(480, 20);
    hover->setValue(3);
    auto* off = new TPvSpinner(sheet);
    off->move(580, 20);
    off->setEnabled(false);
    for (const bool enabled : {true, false}) {
        auto* own = new TPvSpinner(sheet);
        own->move(670, enabled ? 10 : 40);
        own->setValue(7);
        own->setGlyphMinus(arrowStrip(false));
        own->setGlyphPlus(arrowStrip(true));
        own->setEnabled(enabled);
    }

    auto* stacked = new TPvCustomPanel(sheet);
    stacked->setGeometry(10, 90, 250, 200);
    stacked->setBorderOuter(fsLowered);
    stacked->setDockSite(true);
    stacked->DockManager()->InsertControl(titled(QStringLiteral("Tools")));
    stacked->DockManager()->InsertControl(titled(QStringLiteral("スタイル")));

    auto* host = new TPvCustomPanel(sheet);
    host->setGeometry(280, 90, 460, 200);
    host->setBorderOuter(fsLowered);
    auto* top = new TPvCustomPanel;
    host->insertControl(top, alTop);
    top->resize(460, 110);
    top->setDockSite(true);
    top->DockManager()->InsertControl(titled(QStringLiteral("Selectors")));
    top->DockManager()->InsertControl(titled(QStringLiteral("Values")));
    auto* plain = new TPvCustomPanel;
    host->insertControl(plain, alClient);
    plain->setPaintDockGrabbers(false);
    plain->setDockSite(true);
    plain->DockManager()->InsertControl(titled(QStringLiteral("Style title bar")));

    auto* bar = new TPvStatusBar(sheet);
    bar->setGeometry(0, 400, 760, 19);
    bar->setSimpleStatus(true);
    bar->setSimpleCaption(QStringLiteral("SimpleStatus: 準備完了"));
    return sheet;
}

void hoverOver(QWidget* sheetOrDialog, const char* spinnerName) {
    if (auto* s = sheetOrDialog->findChild<TPvSpinner*>(spinnerName)) {
        QWidget* plus = s->PlusButton();
        QTest::mouseMove(plus, plus->rect().center());
    }
}

// Opens the box model editor over the selected rule and photographs it with the mouse
// over the first spinner's plus button, once it is up.
void boxDialog(TfrmMain& w, const QString& name) {
    auto* poll = new QTimer(&w);
    int tries = 0;
    QObject::connect(poll, &QTimer::timeout, &w, [&w, poll, name, tries]() mutable {
        auto* d = w.findChild<TdlgBoxEdit*>();
        if (!d || !d->isVisible()) {
            if (++tries > 50) {
                std::fprintf(stderr, "no box dialog\n");
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        QTest::mouseMove(d->PvSpinMa->PlusButton(), d->PvSpinMa->PlusButton()->rect().center());
        shot(name);
        d->reject();
    });
    poll->start(200);
    w.EditBoxExecute();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: theme_shots sheet.css folder [-style name] [other-style]\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[2]);
    const QString first = QApplication::style()->name();
    const QString second = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                     : first.compare("fusion", Qt::CaseInsensitive) == 0 ? "windows" : "fusion";
    pavik::MainWindowServices s = pavik::MainWindowServices::standard();
    s.arguments = QStringList{QString::fromLocal8Bit(argv[1])};
    s.messages = std::make_unique<shots::PrintedMessages>();
    pavik::TfrmMain w(std::move(s));
    w.resize(1100, 800);
    w.move(0, 0);
    w.show();
    shots::wait(2500);
    shots::selectElementRule(w, {QStringLiteral("body")});
    shots::clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("color")});

    QWidget* sheet = componentSheet();
    const auto round = [&](const QString& prefix) {
        sheet->hide();
        shot(prefix + "-main");
        boxDialog(w, prefix + "-box");
        sheet->show();
        sheet->raise();
        hoverOver(sheet, "hover");
        shot(prefix + "-components");
    };

    round("1-" + first);
    QApplication::setStyle(second);
    round("2-" + second);
    w.ThemeManager1->setOptions(DefaultThemeOptions & ~themeOption(toAllowControls));
    round("3-classic");

    delete sheet;
    w.bCSSSaved = true;
    w.close();
    return 0;
}
