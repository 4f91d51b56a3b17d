#include "dialogs/frm_css_select.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_help.h"
#include "dialogs/dlg_new_class.h"
#include "dialogs/selector_table.h"
#include "platform/help.h"
#include "platform/page_resources.h"
#include "platform/qt_text.h"

// Resources of a static library are registered by hand.
static void initSelectorImages() { Q_INIT_RESOURCE(images); }

namespace pavik {
namespace {

// Why OK is greyed.
constexpr const char* ChooseElement = "要素を選んでください";
constexpr const char* ChooseParent = "親要素を選んでください";
constexpr const char* ChooseChild = "子要素を選んでください";

constexpr int HelpTopic = 52;
constexpr int RowRole = Qt::UserRole;

QString latin(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

template <typename T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// The three support levels as three small squares (IE5.5, NS4, NS6), coloured as the lamps.
QIcon levelIcon(const SelectorRow& r) {
    static std::map<int, QIcon> cache;
    const int key = r.IE * 100 + r.NS4 * 10 + r.NS6;
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    QPixmap pixmap(25, 9);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const int levels[] = {r.IE, r.NS4, r.NS6};
    for (int i = 0; i < 3; ++i) {
        const QColor fill = levels[i] == 0 ? QColor(0xFF, 0, 0) : levels[i] == 1 ? QColor(0, 0x80, 0)
                            : levels[i] == 2 ? QColor(0xFF, 0xFF, 0) : QColor(0xC0, 0xC0, 0xC0);
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.setBrush(fill);
        p.drawRect(i * 9, 0, 7, 7);
    }
    p.end();
    return cache.emplace(key, QIcon(pixmap)).first->second;
}

QString levelText(int level) {
    switch (level) {
    case 0: return QStringLiteral("未対応");
    case 1: return QStringLiteral("対応");
    case 2: return QStringLiteral("一部対応");
    default: return QStringLiteral("情報なし");
    }
}

QString levelsTip(const SelectorRow& r) {
    return QStringLiteral("IE5.5 %1 / NS4 %2 / NS6 %3").arg(levelText(r.IE), levelText(r.NS4), levelText(r.NS6));
}

QTreeWidget* makeTree(QWidget* parent, const char* name) {
    auto* tree = named(new QTreeWidget(parent), name);
    tree->setHeaderHidden(true);
    tree->setIndentation(12);
    tree->setIconSize(QSize(25, 9));
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setMouseTracking(true);  // hot tracking
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    setHelpContext(tree, 10004);
    return tree;
}

QLabel* exampleLine(const QString& text, int helpContext, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setContentsMargins(2, 1, 2, 1);
    QFont small = label->font();
    small.setPixelSize(11);
    label->setFont(small);
    setHelpContext(label, helpContext);
    return label;
}

// A drawing of what the example does to a page.
QLabel* exampleImage(const char* name, QWidget* parent) {
    auto* image = named(new QLabel(parent), name);
    image->setPixmap(QPixmap(QStringLiteral(":/images/%1.svg").arg(QLatin1String(name))));
    image->setAlignment(Qt::AlignCenter);
    setHelpContext(image, 10006);
    return image;
}

// A page: its example line and picture, its info label, its controls, and its guide filling
// the rest.
void layOutPage(QWidget* page, const QString& example, int exampleHelp, const char* image, QLabel* info,
                QLayout* controls, QTextEdit* guide) {
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(exampleLine(example, exampleHelp, page));
    layout->addWidget(exampleImage(image, page));
    layout->addWidget(info);
    layout->addLayout(controls);
    layout->addWidget(guide, 1);
}

QTextEdit* guide(QWidget* parent, const char* name) {
    auto* edit = named(new QTextEdit(parent), name);
    edit->setReadOnly(true);
    return edit;
}

// A tree's selected node: the current node when it is selected, else the last one selected;
// null when nothing is selected.
QTreeWidgetItem* selectedNode(const QTreeWidget* tree) {
    QTreeWidgetItem* current = tree->currentItem();
    if (current && current->isSelected()) return current;
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.last();
}

int selectedRow(const QTreeWidget* tree) { return TfrmCSSSelect::rowOf(selectedNode(tree)); }

}  // namespace

TfrmCSSSelect::TfrmCSSSelect(HelpDesk* desk, QWidget* owner) : QDialog(owner), desk_(desk) {
    initSelectorImages();
    setUpDialogFrame(this, "frmCSSSelect", QStringLiteral("スタイルセレクタ"), QStringLiteral("MS UI Gothic"), 13);
    setFixedSize(450, 406);
    ReportError = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    createControls();
    FormCreate();
    installControlHelp(this, desk_);
}

void TfrmCSSSelect::createControls() {
    TVcssBasic = makeTree(this, "TVcssBasic");
    TVcssBasic2 = makeTree(this, "TVcssBasic2");
    TVcssBasic2->hide();
    auto* trees = new QVBoxLayout;
    trees->addWidget(TVcssBasic, 1);
    trees->addWidget(TVcssBasic2, 1);
    connect(TVcssBasic, &QTreeWidget::itemSelectionChanged, this, &TfrmCSSSelect::TVcssBasicClick);
    connect(TVcssBasic, &QTreeWidget::itemClicked, this, &TfrmCSSSelect::TVcssBasicClick);
    connect(TVcssBasic2, &QTreeWidget::itemSelectionChanged, this, &TfrmCSSSelect::TVcssBasic2Click);
    connect(TVcssBasic2, &QTreeWidget::itemClicked, this, &TfrmCSSSelect::TVcssBasic2Click);

    PageControlCSS = named(new QTabWidget(this), "PageControlCSS");
    PageControlCSS->addTab(createBasicPage(), QStringLiteral("基本"));
    PageControlCSS->addTab(createClassPage(), QStringLiteral("範囲"));
    PageControlCSS->addTab(createChildPage(), QStringLiteral("相関　( All Child )"));
    PageControlCSS->setCurrentIndex(SelectorPageBasic);
    connect(PageControlCSS, &QTabWidget::currentChanged, this, &TfrmCSSSelect::PageControlCSSChange);

    PanelTag = named(new QLabel(this), "PanelTag");
    PanelTag->setFrameShape(QFrame::Panel);
    PanelTag->setFrameShadow(QFrame::Sunken);
    PanelTag->setFixedHeight(22);
    PanelTag->setContentsMargins(4, 0, 4, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(PageControlCSS, 1);
    right->addWidget(PanelTag);

    auto* upper = new QHBoxLayout;
    auto* treeColumn = new QWidget(this);
    treeColumn->setFixedWidth(170);
    treeColumn->setLayout(trees);
    trees->setContentsMargins(0, 0, 0, 0);
    upper->addWidget(treeColumn);
    upper->addLayout(right, 1);

    BitBtnOK = named(new QPushButton(QStringLiteral("OK"), this), "BitBtnOK");
    BitBtnOK->setDefault(true);
    BitBtnCancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "BitBtnCancel");
    BitBtnHelp = named(new QPushButton(QStringLiteral("ヘルプ"), this), "BitBtnHelp");
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnHelp, &QPushButton::clicked, this, [this] {
        if (desk_) desk_->CallHTMLHelpContext(HelpTopic);
    });
    LabelOkReason = makeOkReason(this, {QString::fromUtf8(ChooseElement), QString::fromUtf8(ChooseParent),
                                        QString::fromUtf8(ChooseChild), TdlgNewClass::classNameProblem(QString())});
    QHBoxLayout* buttons = rightAlignedRow({LabelOkReason, BitBtnOK, BitBtnCancel, BitBtnHelp});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(upper, 1);
    layout->addLayout(buttons);
}

QWidget* TfrmCSSSelect::createBasicPage() {
    auto* page = new QWidget;
    LabelInfoBasic = named(new QLabel(page), "LabelInfoBasic");
    ListBoxBasic = named(new QListWidget(page), "ListBoxBasic");
    ListBoxBasic->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxBasic->setToolTip(QStringLiteral("まとめて指定　ex.(P,DIV,SPAN)"));
    ListBoxBasic->setFixedHeight(64);
    setHelpContext(ListBoxBasic, 10008);

    AddBasic = named(new QAction(QStringLiteral("追加"), this), "AddBasic");
    AddBasic->setToolTip(QStringLiteral("追加"));
    DelBasic = named(new QAction(QStringLiteral("削除"), this), "DelBasic");
    DelBasic->setToolTip(QStringLiteral("削除"));
    connect(AddBasic, &QAction::triggered, this, &TfrmCSSSelect::AddBasicExecute);
    connect(DelBasic, &QAction::triggered, this, &TfrmCSSSelect::DelBasicExecute);
    auto button = [page](QAction* action) {
        auto* b = new QToolButton(page);
        b->setObjectName(QStringLiteral("Btn") + action->objectName());
        b->setDefaultAction(action);
        b->setFixedWidth(44);
        return b;
    };
    auto* actions = new QVBoxLayout;
    actions->addWidget(button(AddBasic));
    actions->addWidget(button(DelBasic));
    actions->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(ListBoxBasic, 1);
    list->addLayout(actions);

    RichEditBASIC = guide(page, "RichEditBASIC");
    layOutPage(page, QStringLiteral("A { color : red; }"), 10010, "selector_basic", LabelInfoBasic, list,
               RichEditBASIC);
    return page;
}

QWidget* TfrmCSSSelect::createClassPage() {
    auto* page = new QWidget;
    LabelInfoTagChild = named(new QLabel(page), "LabelInfoTagChild");
    EditClassChild = named(new QLineEdit(page), "EditClassChild");
    setHelpContext(EditClassChild, 10014);
    connect(EditClassChild, &QLineEdit::textChanged, this, &TfrmCSSSelect::EditClassChildChange);
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("クラス名"), page));
    name->addWidget(EditClassChild, 1);

    RichEditCLASS = guide(page, "RichEditCLASS");
    layOutPage(page, QStringLiteral("A.red { color : red; }"), 10012, "selector_class", LabelInfoTagChild, name,
               RichEditCLASS);
    return page;
}

QWidget* TfrmCSSSelect::createChildPage() {
    auto* page = new QWidget;
    LabelInfoAllChild = named(new QLabel(page), "LabelInfoAllChild");
    EditParent1 = named(new QLineEdit(page), "EditParent1");
    EditParent1->setReadOnly(true);
    setHelpContext(EditParent1, 10018);
    EditChild1 = named(new QLineEdit(page), "EditChild1");
    EditChild1->setReadOnly(true);
    setHelpContext(EditChild1, 10020);
    auto* edits = new QHBoxLayout;
    edits->addWidget(EditParent1);
    edits->addWidget(EditChild1);

    RichEditCHILD = guide(page, "RichEditCHILD");
    layOutPage(page, QStringLiteral("DIV STRONG { font-weight : bolder; }"), 10016, "selector_child",
               LabelInfoAllChild, edits, RichEditCHILD);
    return page;
}

void TfrmCSSSelect::fillTrees() {
    QList<QTreeWidgetItem*> upper, lower;
    QTreeWidgetItem* element[2] = {};
    for (int i = 0; i < SelectorRowCount; ++i) {
        const SelectorRow& r = SelectorTable[static_cast<size_t>(i)];
        for (int t = 0; t < 2; ++t) {
            QTreeWidgetItem* item = r.Kind == 0 ? new QTreeWidgetItem : new QTreeWidgetItem(element[t]);
            item->setText(0, latin(r.Name));
            item->setIcon(0, levelIcon(r));
            item->setToolTip(0, levelsTip(r));
            item->setData(0, RowRole, i);
            if (r.Kind == 0) {
                element[t] = item;
                (t == 0 ? upper : lower).append(item);
            }
        }
    }
    TVcssBasic->addTopLevelItems(upper);
    TVcssBasic2->addTopLevelItems(lower);
}

void TfrmCSSSelect::FormCreate() {
    BitBtnHelp->setEnabled(desk_ && desk_->available());
    fillTrees();
    showOkReason(BitBtnOK, LabelOkReason, QString::fromUtf8(ChooseElement));
    LabelInfoBasic->setText(QStringLiteral("選択タグへの指定"));
    LabelInfoTagChild->setText(QStringLiteral("選択タグへ名前を付けての指定"));
    LabelInfoAllChild->setText(QStringLiteral("親要素に含まれる全ての子要素"));
    TVcssBasic->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DelBasic->setEnabled(false);
}

void TfrmCSSSelect::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TfrmCSSSelect::FormShow() {
    TVcssBasic->setFocus();
    const std::pair<const char*, QTextEdit*> pages[] = {
        {"SELECTORBASIC", RichEditBASIC}, {"SELECTORCLASS", RichEditCLASS}, {"SELECTORCHILD", RichEditCHILD}};
    for (const auto& [name, edit] : pages) {
        const PageText page = loadPageResource(name);
        if (!page.ok()) {
            ReportError(page.error);
            break;
        }
        edit->setHtml(page.text);
    }
}

int TfrmCSSSelect::rowOf(const QTreeWidgetItem* node) { return node ? node->data(0, RowRole).toInt() : -1; }

SelectorChoice TfrmCSSSelect::choice() const {
    SelectorChoice c;
    c.page = PageControlCSS->currentIndex();
    c.row = selectedRow(TVcssBasic);
    for (int i = 0; i < ListBoxBasic->count(); ++i) c.list.push_back(toCp932(ListBoxBasic->item(i)->text()));
    c.cssClass = toCp932(EditClassChild->text());
    c.classUsable = TdlgNewClass::acceptsClassName(EditClassChild->text());
    c.parentRow = parentRow_;
    c.childRow = childRow_;
    return c;
}

void TfrmCSSSelect::showChoice() {
    const SelectorChoice c = choice();
    if (c.page == SelectorPageClass && c.row >= 0 && !EditClassChild->text().isEmpty())
        PanelTag->setText(QString::fromUtf8(classSelector(c.row, EditClassChild->text().toStdString())));
    else
        PanelTag->setText(latin(selectorRowText(panelRow_)));
    showOkReason(BitBtnOK, LabelOkReason, choiceProblem(c, EditClassChild->text()));
}

QString TfrmCSSSelect::choiceProblem(const SelectorChoice& c, const QString& typedClass) {
    if (composeSelector(c)) return {};
    switch (c.page) {
    case SelectorPageClass:
        if (!selectorRow(c.row)) return QString::fromUtf8(ChooseElement);
        return TdlgNewClass::classNameProblem(typedClass);
    case SelectorPageChild:
        return QString::fromUtf8(canBeParentRow(c.parentRow) ? ChooseChild : ChooseParent);
    default:
        return QString::fromUtf8(ChooseElement);
    }
}

void TfrmCSSSelect::takeClickedRow(const QTreeWidget* tree, bool (*fits)(int), int& chosen, QLineEdit* edit) {
    const int row = selectedRow(tree);
    if (row >= 0) {
        panelRow_ = row;
        if (PageControlCSS->currentIndex() == SelectorPageChild && fits(row)) {
            chosen = row;
            edit->setText(latin(SelectorTable[static_cast<size_t>(row)].Name));
        }
    }
    showChoice();
}

void TfrmCSSSelect::TVcssBasicClick() { takeClickedRow(TVcssBasic, canBeParentRow, parentRow_, EditParent1); }

void TfrmCSSSelect::TVcssBasic2Click() { takeClickedRow(TVcssBasic2, canBeChildRow, childRow_, EditChild1); }

void TfrmCSSSelect::EditClassChildChange() { showChoice(); }

void TfrmCSSSelect::PageControlCSSChange(int page) {
    TVcssBasic2->setVisible(page == SelectorPageChild);
    {
        // Leaving the basic page keeps only the current node selected; no node is clicked.
        const QSignalBlocker block(TVcssBasic);
        if (page == SelectorPageBasic) {
            TVcssBasic->setSelectionMode(QAbstractItemView::ExtendedSelection);
        } else {
            QTreeWidgetItem* keep = selectedNode(TVcssBasic);
            TVcssBasic->setSelectionMode(QAbstractItemView::SingleSelection);
            TVcssBasic->clearSelection();
            if (keep) {
                TVcssBasic->setCurrentItem(keep);
                keep->setSelected(true);
            }
        }
    }
    if (page == SelectorPageClass) EditClassChild->setFocus();
    if (page != SelectorPageChild) {
        const int row = selectedRow(TVcssBasic);
        if (row >= 0) panelRow_ = row;
    }
    showChoice();
}

void TfrmCSSSelect::AddBasicExecute() {
    const QList<QTreeWidgetItem*> selected = TVcssBasic->selectedItems();
    for (const QTreeWidgetItem* item : selected) ListBoxBasic->addItem(latin(selectorRowText(rowOf(item))));
    if (!selected.isEmpty()) DelBasic->setEnabled(true);
    showChoice();
}

void TfrmCSSSelect::DelBasicExecute() {
    const QList<QListWidgetItem*> selected = ListBoxBasic->selectedItems();
    for (QListWidgetItem* item : selected) delete item;
    if (ListBoxBasic->count() == 0) DelBasic->setEnabled(false);
    showChoice();
}

}  // namespace pavik
