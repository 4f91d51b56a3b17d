// Screenshots of the new style sheet and new class dialogs, each with a name typed in: one
// the dialog accepts and one it refuses. Run under xvfb-run: new_name_shots folder
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "dialogs/dlg_new_class.h"
#include "dialogs/dlg_new_css.h"
#include "shot_support.h"

namespace {

QString folder;

template <typename D>
void typed(D& dialog, QLineEdit* edit, const QString& text, const QString& name) {
    dialog.move(40, 40);
    dialog.show();
    edit->clear();
    QTest::keyClicks(edit, text);
    shots::shot(folder, name, 700);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: new_name_shots folder\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    pavik::TdlgNewCSS sheet([] { return QString(); }, nullptr);
    sheet.EditPath->setText(folder);
    typed(sheet, sheet.EditNewCSS, QStringLiteral("main"), QStringLiteral("40-new-css"));
    typed(sheet, sheet.EditNewCSS, QStringLiteral("a/b"), QStringLiteral("41-new-css-refused"));
    sheet.hide();
    pavik::TdlgNewClass cls(nullptr);
    typed(cls, cls.EditNewClass, QStringLiteral("caption"), QStringLiteral("42-new-class"));
    typed(cls, cls.EditNewClass, QStringLiteral("a b"), QStringLiteral("43-new-class-refused"));
    return 0;
}
