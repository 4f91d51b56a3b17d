#include "dialogs/frm_setting.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cstdlib>

#include "dialogs/dialog_help.h"
#include "editor/view/af_edit.h"
#include "platform/file_association.h"
#include "platform/font_rules.h"
#include "platform/help.h"
#include "platform/qt_colors.h"
#include "vocabulary/shared_routines.h"

namespace pavik {
namespace {

constexpr int HelpTopic = 50;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont sampleFont(const EditFont& f) {
    QFont font = TAFEdit::editorFont(qs(f.name), -12);
    font.setPointSize(f.size);
    return font;
}

// The platform's font dialog as a page of another dialog. On its own it closes itself on
// Escape, and on Enter in its lists, hiding its lists and boxes inside the dialog around it:
// here those keys and every close go to that dialog instead (Escape cancels, Enter is OK).
class FontPage : public QFontDialog {
public:
    explicit FontPage(QDialog* dialog) : QFontDialog(dialog), dialog_(dialog) {}
    void done(int result) override { dialog_->done(result); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) return dialog_->reject();
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (!event->modifiers() || event->modifiers() == Qt::KeypadModifier))
            return dialog_->accept();
        QFontDialog::keyPressEvent(event);
    }

private:
    QDialog* dialog_;
};

// The font dialog with a colour button below it: the platform's font dialog has no colour.
class FontColorDialog : public QDialog {
public:
    FontColorDialog(QWidget* owner, const EditFont& current) : QDialog(owner), color_(current.color) {
        setWindowTitle(QStringLiteral("フォント"));
        fonts_ = new FontPage(this);
        fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        fonts_->setWindowFlags(Qt::Widget);
        fonts_->setSizeGripEnabled(false);
        // Inside this dialog it needs no margins of its own: they would leave a strip of
        // empty dialog above the colour and OK buttons.
        fonts_->layout()->setContentsMargins(0, 0, 0, 0);
        fonts_->setCurrentFont(sampleFont(current));
        auto* color = new QPushButton(QStringLiteral("色(&C)..."), this);
        connect(color, &QPushButton::clicked, this, [this] {
            const QColor c = QColorDialog::getColor(toQColor(color_), this, QStringLiteral("色の設定"));
            if (c.isValid()) color_ = RGBToColor(c.red(), c.green(), c.blue());
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* lower = new QHBoxLayout;
        lower->addWidget(color);
        lower->addStretch(1);
        lower->addWidget(buttons);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(fonts_, 1);
        layout->addLayout(lower);
    }
    EditFont chosen() const {
        const QFont f = fonts_->currentFont();
        return {f.family().toStdString(), f.pointSize(), color_};
    }

private:
    QFontDialog* fonts_;
    TColor color_;
};

class QtSettingChoosers : public SettingChoosers {
public:
    std::optional<EditFont> chooseFont(QWidget* owner, const EditFont& current) override {
        FontColorDialog dialog(owner, current);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.chosen();
    }
    std::optional<TColor> chooseColor(QWidget* owner, TColor current) override {
        const QColor c = QColorDialog::getColor(toQColor(current), owner, QStringLiteral("色の設定"));
        if (!c.isValid()) return std::nullopt;
        return RGBToColor(c.red(), c.green(), c.blue());
    }
    std::optional<QString> chooseProgram(QWidget* owner, const QString& filter, const QString& folder) override {
        const QString file = QFileDialog::getOpenFileName(owner, QStringLiteral("開く"), folder, filter);
        if (file.isEmpty()) return std::nullopt;
        return file;
    }
};

// "実行ファイル (names)" for a browser kind, and every file.
QString programFilter(int kind) {
    QStringList names;
    for (std::string_view n : browserProgramNames(kind)) names.append(qs(n));
    return QStringLiteral("実行ファイル (%1);;すべてのファイル (*)").arg(names.join(' '));
}

}  // namespace

std::unique_ptr<SettingChoosers> makeQtSettingChoosers() { return std::make_unique<QtSettingChoosers>(); }

TfrmSetting::TfrmSetting(const IniFile& ini, FileAssociation* association, HelpDesk* help, QWidget* owner,
                         std::unique_ptr<SettingChoosers> choosers)
    : QDialog(owner), association_(association), help_(help), choosers_(std::move(choosers)) {
    setObjectName("frmSetting");
    setWindowTitle(QStringLiteral("環境設定"));
    ReportError = [this](const QString& text) { QMessageBox::critical(this, QStringLiteral("エラー"), text); };
    createPages();
    FormCreate(ini);
    installControlHelp(this, help_);
}

TfrmSetting::~TfrmSetting() = default;

void TfrmSetting::createPages() {
    auto action = [this](const char* name, const QString& caption) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto button = [](QAction* a, QWidget* parent) {
        auto* b = new QPushButton(a->text(), parent);
        b->setObjectName(QStringLiteral("Btn") + a->objectName());
        QObject::connect(b, &QPushButton::clicked, a, &QAction::trigger);
        return b;
    };
    auto checkBox = [](const char* name, const QString& caption, QWidget* parent) {
        auto* c = new QCheckBox(caption, parent);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");

    // General.
    tbsPrefGeneral = new QWidget;
    tbsPrefGeneral->setObjectName("tbsPrefGeneral");
    CBlastopen = checkBox("CBlastopen", QStringLiteral("起動時に前回編集したスタイルシートを読込む"), tbsPrefGeneral);
    CBAutoRefresh = checkBox("CBAutoRefresh", QStringLiteral("プレビューの自動更新"), tbsPrefGeneral);
    EditCSSNewDefFolder = new QLineEdit(tbsPrefGeneral);
    EditCSSNewDefFolder->setObjectName("EditCSSNewDefFolder");
    BitBtnDefFolder = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QString(), tbsPrefGeneral);
    BitBtnDefFolder->setObjectName("BitBtnDefFolder");
    BitBtnDefFolder->setToolTip(QStringLiteral("新規作成デフォルトフォルダ"));
    connect(BitBtnDefFolder, &QPushButton::clicked, this, &TfrmSetting::BitBtnDefFolderClick);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(EditCSSNewDefFolder, 1);
    folderRow->addWidget(BitBtnDefFolder);
    auto* general = new QVBoxLayout(tbsPrefGeneral);
    general->addWidget(CBlastopen);
    general->addWidget(CBAutoRefresh);
    general->addSpacing(12);
    general->addWidget(new QLabel(QStringLiteral("新規作成デフォルトフォルダ"), tbsPrefGeneral));
    general->addLayout(folderRow);
    general->addStretch(1);
    setHelpContext(CBlastopen, 10050);
    setHelpContext(CBAutoRefresh, 10052);

    // Font and colours.
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    FontEdit = action("FontEdit", QStringLiteral("フォントの選択"));
    ColorSelect = action("ColorSelect", QStringLiteral("背景色"));
    ColorSelectTag = action("ColorSelectTag", QStringLiteral("｛　｝の色"));
    ColorSelectSelect = action("ColorSelectSelect", QStringLiteral("選択範囲"));
    ColorSelectSelBak = action("ColorSelectSelBak", QStringLiteral("選択範囲背景色"));
    RichEditSetting = new QTextEdit(TabSheet1);
    RichEditSetting->setObjectName("RichEditSetting");
    RichEditSetting->setReadOnly(true);
    RichEditSetting->setTextInteractionFlags(Qt::NoTextInteraction);
    auto* buttons = new QVBoxLayout;
    for (QAction* a : {FontEdit, ColorSelect, ColorSelectTag, ColorSelectSelect, ColorSelectSelBak})
        buttons->addWidget(button(a, TabSheet1));
    buttons->addStretch(1);
    auto* sample = new QVBoxLayout;
    sample->addWidget(new QLabel(QStringLiteral("プレビュー"), TabSheet1));
    sample->addWidget(RichEditSetting, 1);
    auto* fonts = new QHBoxLayout(TabSheet1);
    fonts->addLayout(sample, 1);
    fonts->addLayout(buttons);

    connect(FontEdit, &QAction::triggered, this, [this] {
        if (std::optional<EditFont> f = choosers_->chooseFont(this, chosen_.font)) FontEditAccept(*f);
    });
    chooseColor(ColorSelect, &SettingValues::backColor);
    chooseColor(ColorSelectTag, &SettingValues::tagColor);
    chooseColor(ColorSelectSelect, &SettingValues::selColor);
    chooseColor(ColorSelectSelBak, &SettingValues::selBak);

    // Browsers.
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    auto* browsers = new QGridLayout(TabSheet2);
    struct Row {
        QLineEdit* TfrmSetting::*edit;
        QAction* TfrmSetting::*chooser;
        const char* editName;
        const char* chooserName;
        const char* label;
    };
    const Row rows[] = {
        {&TfrmSetting::EditIE, &TfrmSetting::FileOpenIE, "EditIE", "FileOpenIE", "InternetExplorer"},
        {&TfrmSetting::EditNS4, &TfrmSetting::FileOpenNS4, "EditNS4", "FileOpenNS4", "Netscape Navigator"},
        {&TfrmSetting::EditNS6, &TfrmSetting::FileOpenNS6, "EditNS6", "FileOpenNS6", "Netscape 又は Mozilla"},
        {&TfrmSetting::EditOpera, &TfrmSetting::FileOpenOpera, "EditOpera", "FileOpenOpera", "Opera"},
    };
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = this->*rows[i].edit = new QLineEdit(TabSheet2);
        edit->setObjectName(QString::fromLatin1(rows[i].editName));
        QAction* chooser = this->*rows[i].chooser = action(rows[i].chooserName, QStringLiteral("..."));
        connect(chooser, &QAction::triggered, this, [this, edit, i] { chooseProgram(edit, programFilter(i)); });
        QPushButton* b = button(chooser, TabSheet2);
        b->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        b->setText(QString());
        browsers->addWidget(new QLabel(QString::fromUtf8(rows[i].label), TabSheet2), 2 * i, 0, 1, 2);
        browsers->addWidget(edit, 2 * i + 1, 0);
        browsers->addWidget(b, 2 * i + 1, 1);
    }
    browsers->setRowStretch(8, 1);

    // Association.
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    ChkBoxExtIcon = checkBox("ChkBoxExtIcon", QStringLiteral("カスケーディングスタイルシートにアイコンを指定"), TabSheet3);
    ChkBoxExtMenu = checkBox("ChkBoxExtMenu", QStringLiteral("スタイルシート右クリック時「Pavik」で編集コマンド"), TabSheet3);
    ChkBoxExtDefault = checkBox("ChkBoxExtDefault", QStringLiteral("ダブルクリック時「Pavik」で編集"), TabSheet3);
    BitBtnExtApply = new QPushButton(QStringLiteral("適用"), TabSheet3);
    BitBtnExtApply->setObjectName("BitBtnExtApply");
    connect(BitBtnExtApply, &QPushButton::clicked, this, &TfrmSetting::BitBtnExtApplyClick);
    auto* applyRow = new QHBoxLayout;
    applyRow->addStretch(1);
    applyRow->addWidget(BitBtnExtApply);
    auto* assoc = new QVBoxLayout(TabSheet3);
    assoc->addWidget(ChkBoxExtIcon);
    assoc->addWidget(ChkBoxExtMenu);
    assoc->addWidget(ChkBoxExtDefault);
    assoc->addStretch(1);
    assoc->addLayout(applyRow);
    setHelpContext(ChkBoxExtIcon, 10024);
    setHelpContext(ChkBoxExtMenu, 10026);
    setHelpContext(ChkBoxExtDefault, 10028);
    setHelpContext(BitBtnExtApply, 10030);

    PageControl1->addTab(tbsPrefGeneral, QStringLiteral("動作設定"));
    PageControl1->addTab(TabSheet1, QStringLiteral("フォント、色"));
    PageControl1->addTab(TabSheet2, QStringLiteral("ブラウザ"));
    PageControl1->addTab(TabSheet3, QStringLiteral("関連付け"));

    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnHelp = new QPushButton(QStringLiteral("ヘルプ"), this);
    BitBtnHelp->setObjectName("BitBtnHelp");
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnHelp, &QPushButton::clicked, this, [this] { help_->CallHTMLHelpContext(HelpTopic); });
    auto* lower = new QHBoxLayout;
    lower->addStretch(1);
    lower->addWidget(BitBtnOK);
    lower->addWidget(BitBtnCancel);
    lower->addWidget(BitBtnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(lower);
    resize(440, 330);
}

void TfrmSetting::FormCreate(const IniFile& ini) {
    BitBtnHelp->setEnabled(help_ && help_->available());

    const char* path = std::getenv("PATH");
    chosen_ = readSettingValues(ini, findBrowsers(path ? path : ""));
    CBlastopen->setChecked(chosen_.lastOpen);
    CBAutoRefresh->setChecked(chosen_.autoRefresh);
    EditCSSNewDefFolder->setText(qs(chosen_.newDefFolder));
    QLineEdit* edits[] = {EditIE, EditNS4, EditNS6, EditOpera};
    for (int i = 0; i < 4; ++i) edits[i]->setText(qs(chosen_.browsers[i]));
    paintSample();
    readAssociation();
}

void TfrmSetting::readAssociation() {
    const AssocChoice registered = association_ ? association_->read() : AssocChoice{};
    ChkBoxExtIcon->setChecked(registered.icon);
    ChkBoxExtMenu->setChecked(registered.menu);
    ChkBoxExtDefault->setChecked(registered.isDefault);
    TabSheet3->setEnabled(association_ != nullptr);
}

void TfrmSetting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PageControl1->setCurrentWidget(tbsPrefGeneral);
}

SettingValues TfrmSetting::values() const {
    SettingValues v = chosen_;
    v.lastOpen = CBlastopen->isChecked();
    v.autoRefresh = CBAutoRefresh->isChecked();
    v.newDefFolder = EditCSSNewDefFolder->text().toStdString();
    const QLineEdit* edits[] = {EditIE, EditNS4, EditNS6, EditOpera};
    for (int i = 0; i < 4; ++i) v.browsers[i] = edits[i]->text().toStdString();
    return v;
}

void TfrmSetting::paintSample() {
    QPalette palette = RichEditSetting->palette();
    palette.setColor(QPalette::Base, toQColor(chosen_.backColor));
    RichEditSetting->setPalette(palette);

    QTextCharFormat text;
    text.setFont(sampleFont(chosen_.font));
    text.setForeground(toQColor(chosen_.font.color));
    QTextCharFormat brace = text;
    brace.setForeground(toQColor(chosen_.tagColor));
    brace.setFontWeight(QFont::Bold);
    QTextCharFormat word = text;  // shown selected
    word.setForeground(toQColor(chosen_.selColor));
    word.setBackground(RichEditSetting->palette().color(QPalette::Highlight));

    RichEditSetting->clear();
    QTextCursor c(RichEditSetting->document());
    c.insertText(QStringLiteral("Pavik :) "), text);
    c.insertText(QStringLiteral("{"), brace);
    c.insertBlock(QTextBlockFormat(), text);
    c.insertText(QStringLiteral("Dorvi"), word);
    c.insertText(QStringLiteral(" : Sertane ;"), text);
    c.insertBlock(QTextBlockFormat(), text);
    c.insertText(QStringLiteral("}"), brace);
}

void TfrmSetting::chooseColor(QAction* action, TColor SettingValues::*colour) {
    connect(action, &QAction::triggered, this, [this, colour] {
        if (std::optional<TColor> c = choosers_->chooseColor(this, chosen_.*colour)) acceptColor(colour, *c);
    });
}

void TfrmSetting::acceptColor(TColor SettingValues::*colour, TColor color) {
    chosen_.*colour = color;
    paintSample();
}

void TfrmSetting::FontEditAccept(const EditFont& font) {
    const EditFont fallback;
    chosen_.font = {std::string(fontNameOr(font.name, fallback.name)), fontSizeOr(font.size, fallback.size), font.color};
    paintSample();
}

void TfrmSetting::chooseProgram(QLineEdit* edit, const QString& filter) {
    if (std::optional<QString> file = choosers_->chooseProgram(this, filter, qs(GetWindowsDir())))
        edit->setText(*file);
}

void TfrmSetting::BitBtnDefFolderClick() {
    std::string folder = EditCSSNewDefFolder->text().toStdString();
    if (SelectFolder("新規作成デフォルトフォルダ", folder)) EditCSSNewDefFolder->setText(qs(folder));
}

void TfrmSetting::BitBtnExtApplyClick() {
    if (!association_) return;
    const AssocResult result = association_->apply(
        {ChkBoxExtIcon->isChecked(), ChkBoxExtMenu->isChecked(), ChkBoxExtDefault->isChecked()});
    // The boxes show what is registered now, also after a partial failure.
    readAssociation();
    if (result.ok()) return;
    QStringList failures;
    for (const std::string& f : result.failures) failures.append(qs(f));
    ReportError(QStringLiteral("ファイルの関連付けを書き込めませんでした。\n%1").arg(failures.join('\n')));
}

}  // namespace pavik
