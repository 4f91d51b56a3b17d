#include "dialogs/frm_font_select.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_frame.h"
#include "dialogs/font_choice.h"
#include "platform/help.h"
#include "platform/page_resources.h"

namespace pavik {
namespace {

const QString NoFont = QStringLiteral("フォントを選んでください");

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

template <typename T>
T* named(T* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QTextEdit* guide(QWidget* parent, const char* name) {
    auto* edit = named(new QTextEdit(parent), QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return edit;
}

}  // namespace

TfrmFontSelect::TfrmFontSelect(HelpDesk* desk, QWidget* owner) : QDialog(owner) {
    setUpDialogFrame(this, "frmFontSelect", QStringLiteral("フォント選択"), QStringLiteral("MS UI Gothic"), 13);
    resize(420, 400);

    PageControl = named(new QTabWidget(this), "PageControl");
    auto* familyPage = new QWidget;
    RadioGroup1 = named(new QGroupBox(familyPage), "RadioGroup1");
    auto* radios = new QGridLayout(RadioGroup1);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(GenericFontFamilies.size()); ++i) {
        auto* r = named(new QRadioButton(utf8(GenericFontFamilies[static_cast<size_t>(i)]), RadioGroup1),
                        QStringLiteral("RadioGroup1Item%1").arg(i));
        RadioGroup1Items[static_cast<size_t>(i)] = r;
        group->addButton(r, i);
        radios->addWidget(r, i / 2, i % 2);  // two columns
    }
    connect(group, &QButtonGroup::idClicked, this, &TfrmFontSelect::RadioGroup1Click);
    RichEdit1 = guide(familyPage, "RichEdit1");
    auto* familyLayout = new QVBoxLayout(familyPage);
    familyLayout->addWidget(RadioGroup1);
    familyLayout->addWidget(RichEdit1, 1);
    PageControl->addTab(familyPage, QStringLiteral("ファミリー"));

    auto* namePage = new QWidget;
    auto* samples = new QGridLayout;
    for (int i = 0; i < static_cast<int>(FontSamples.size()); ++i) {
        const FontSample& s = FontSamples[static_cast<size_t>(i)];
        auto* label = named(new QLabel(utf8(s.caption), namePage), QStringLiteral("StaticText%1").arg(i + 1));
        QFont sampleFont(utf8(s.family));
        sampleFont.setPixelSize(13);
        label->setFont(sampleFont);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        StaticText[static_cast<size_t>(i)] = label;
        samples->addWidget(label, i / 3, i % 3);
    }
    RichEdit2 = guide(namePage, "RichEdit2");
    auto* nameLayout = new QVBoxLayout(namePage);
    nameLayout->addLayout(samples);
    nameLayout->addWidget(RichEdit2, 1);
    PageControl->addTab(namePage, QStringLiteral("フォント名"));

    EditFontName = named(new QLineEdit(this), "EditFontName");
    EditFontName->hide();
    connect(EditFontName, &QLineEdit::textChanged, this, &TfrmFontSelect::EditFontNameChange);

    BitBtnOK = named(new QPushButton(QStringLiteral("OK"), this), "BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "BitBtnCancel");
    BitBtnHelp = named(new QPushButton(QStringLiteral("ヘルプ"), this), "BitBtnHelp");
    BitBtnHelp->setEnabled(desk && desk->available());
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    LabelOkReason = makeOkReason(this, {NoFont});
    QHBoxLayout* buttons = rightAlignedRow({LabelOkReason, BitBtnOK, BitBtnCancel, BitBtnHelp});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);
    PageControl->setCurrentIndex(0);

    FormCreate();
}

void TfrmFontSelect::FormCreate() {
    const std::pair<const char*, QTextEdit*> pages[] = {{"FONTFAMILY", RichEdit1}, {"FONTNAME", RichEdit2}};
    for (const auto& [name, edit] : pages) {
        const PageText page = loadPageResource(name);
        if (!page.ok()) {
            QMessageBox::warning(this, windowTitle(), page.error);
            break;
        }
        edit->setHtml(page.text);
    }
    EditFontNameChange();
}

QString TfrmFontSelect::result() const { return EditFontName->text(); }

void TfrmFontSelect::RadioGroup1Click(int index) {
    if (index >= 0 && index < static_cast<int>(GenericFontFamilies.size()))
        EditFontName->setText(utf8(GenericFontFamilies[static_cast<size_t>(index)]));
}

void TfrmFontSelect::StaticTextClick(int index) {
    if (index >= 0 && index < static_cast<int>(FontSamples.size()))
        EditFontName->setText(utf8(FontSamples[static_cast<size_t>(index)].family));
}

void TfrmFontSelect::EditFontNameChange() {
    showOkReason(BitBtnOK, LabelOkReason, EditFontName->text().isEmpty() ? NoFont : QString());
}

bool TfrmFontSelect::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (size_t i = 0; i < StaticText.size(); ++i) {
            if (watched == StaticText[i] && StaticText[i]->rect().contains(
                                                static_cast<QMouseEvent*>(event)->position().toPoint())) {
                StaticTextClick(static_cast<int>(i));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pavik
