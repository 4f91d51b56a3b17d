// Screenshots of the colour picker and the font chooser opened over a rule in the real window,
// and of a sheet of effect labels (turned, along an arc, raised, disabled) and numeric edits.
// Clicks go through real mouse events; each dialog is photographed while it runs modally.
// Run under xvfb-run with a 1280x1024 screen: picker_shots sheet.css folder
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "components/pv_edit.h"
#include "components/pv_label.h"
#include "dialogs/color_lookup_combo_box.h"
#include "dialogs/frm_color_picker.h"
#include "dialogs/frm_font_select.h"
#include "shot_support.h"

namespace {

using namespace pavik;

using shots::clickProperty;
using shots::find;
using shots::wait;
using shots::whenShown;

QString folder;

void shot(const QString& name) { shots::shot(folder, name, 700); }

void choose(TColorLookupComboBox* box, const QString& text) {
    const int i = box->findText(text);
    box->setCurrentIndex(i);
    emit box->activated(i);
}

TPvLabel* effectLabel(QWidget* parent, const QString& caption, int x, int y) {
    auto* l = new TPvLabel(parent);
    QFont f = l->font();
    f.setPixelSize(18);
    l->setFont(f);
    l->move(x, y);
    l->setColor(clWhite);
    l->setCaption(caption);
    return l;
}

void labelSheet() {
    auto* sheet = new QWidget;
    sheet->setWindowTitle(QStringLiteral("TPvLabel / TPvNumericEdit"));
    sheet->resize(900, 560);
    sheet->move(0, 0);
    int x = 20;
    for (const int angle : {30, 120, 210, 300}) {
        TPvLabel* l = effectLabel(sheet, QStringLiteral("回転 %1°").arg(angle), x, 20);
        l->setAngle(angle);
        l->setFrameSides(sdAll);
        x += l->width() + 20;
    }
    TPvLabel* arc = effectLabel(sheet, QStringLiteral("Pavik text along an arc"), 20, 220);
    arc->setAutoSize(false);
    arc->resize(260, 260);
    arc->setRotation(roCurve);
    arc->setAngle(80);
    arc->setBorderOuter(fsRaised);
    arc->setFontColor(clNavy);

    TPvLabel* raised = effectLabel(sheet, QStringLiteral("浮き出し tsRaised"), 320, 240);
    raised->setTextStyle(tsRaised);
    raised->setColor(clBtnFace);
    raised->setBorderOuter(fsGroove);
    raised->setBorderWidth(3);
    TPvLabel* shadow = effectLabel(sheet, QStringLiteral("影付き tsShadow"), 320, 300);
    shadow->setTextStyle(tsShadow);
    shadow->setShadowDepth(3);
    shadow->setFontColor(clRed);
    TPvLabel* disabled = effectLabel(sheet, QStringLiteral("無効 disabled"), 320, 360);
    disabled->setTextStyle(tsRaised);
    disabled->setColor(clBtnFace);
    disabled->setEnabled(false);

    auto* edit = new TPvNumericEdit(sheet);
    edit->move(620, 240);
    edit->setText(QStringLiteral("-1234"));
    auto* framed = new TPvNumericEdit(sheet);
    framed->move(620, 280);
    framed->setFrameVisible(true);
    framed->setFrameStyle(fsLowered);
    framed->setIntValue(255);
    sheet->show();
    QApplication::setActiveWindow(sheet);
    wait(300);
    edit->setFocus();
    wait(100);
    framed->setFocus();  // the first edit is left: "(1,234)"
    shot("30-labels");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: picker_shots sheet.css folder\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[2]);
    const std::unique_ptr<pavik::TfrmMain> window =
        shots::openWindow(QString::fromLocal8Bit(argv[1]), QSize(1280, 900));
    pavik::TfrmMain& w = *window;

    shots::selectElementRule(w, {QStringLiteral("H1")});
    clickProperty(w, {QStringLiteral("テキスト"), QStringLiteral("color")});

    whenShown<TfrmColorPicker>([](TfrmColorPicker& p) {
        shot("10-picker-colours");
        p.PageControl1->setCurrentIndex(1);
        shot("11-picker-websafe");
        p.PageControl1->setCurrentIndex(2);
        p.TrackBarGreen->setValue(128);
        shot("12-picker-rgb");
        p.PageControl1->setCurrentIndex(0);
        choose(p.CLCmbBoxColorName, QStringLiteral("CornFlowerBlue"));
        shot("13-picker-name");
        QTest::mouseClick(p.BitBtnOK, Qt::LeftButton);
    });
    QTest::mouseClick(w.valueArea().ShapeColor, Qt::LeftButton);
    shot("14-colour-stored");

    whenShown<TfrmColorPicker>([](TfrmColorPicker& p) {
        shot("15-colour-command");
        QTest::mouseClick(p.BitBtnCancel, Qt::LeftButton);
    });
    w.ColoPicker->trigger();

    clickProperty(w, {QStringLiteral("フォント"), QStringLiteral("font-family")});
    whenShown<TfrmFontSelect>([](TfrmFontSelect& f) {
        shot("20-font-family");
        f.PageControl->setCurrentIndex(1);
        QTest::mouseClick(f.StaticText[6], Qt::LeftButton);
        shot("21-font-name");
        QTest::mouseClick(f.BitBtnOK, Qt::LeftButton);
    });
    QTest::mouseClick(w.valueArea().StaticTxtFont, Qt::LeftButton);
    shot("22-font-stored");

    labelSheet();
    w.bCSSSaved = true;  // no save question on close
    w.close();
    return 0;
}
