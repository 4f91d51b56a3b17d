// The rule tree, the property tree and the support lamps.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "dialogs/selector_groups.h"
#include "platform/text_encoding.h"
#include "platform/qt_text.h"
#include "platform/sjis.h"
#include "vocabulary/element_tables.h"
#include "workspace/document/css_reader.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/image_list_main.h"
#include "workspace/document/rule_tree.h"
#include "workspace/document/sample_page.h"

namespace pavik {
namespace {

// Item data of TreeViewStruct: its kind, its rule, its text as CP932.
constexpr int KindRole = Qt::UserRole;
constexpr int RuleRole = Qt::UserRole + 1;
constexpr int TextRole = Qt::UserRole + 2;
constexpr int ImageRole = Qt::UserRole + 3;
// Item data of TreeViewTarget: index of its record, its image number.
constexpr int RecordRole = Qt::UserRole;
constexpr int TargetImageRole = Qt::UserRole + 1;

StructNodeKind toNodeKind(RuleTreeKind k) {
    switch (k) {
    case RuleTreeKind::ElementBase: return StructNodeKind::ElementBase;
    case RuleTreeKind::ClassBase: return StructNodeKind::ClassBase;
    case RuleTreeKind::Group: return StructNodeKind::Group;
    case RuleTreeKind::Rule: break;
    }
    return StructNodeKind::Rule;
}

RuleTreeKind toTreeKind(StructNodeKind k) {
    switch (k) {
    case StructNodeKind::ElementBase: return RuleTreeKind::ElementBase;
    case StructNodeKind::ClassBase: return RuleTreeKind::ClassBase;
    case StructNodeKind::Group: return RuleTreeKind::Group;
    case StructNodeKind::Rule: break;
    }
    return RuleTreeKind::Rule;
}

QTreeWidgetItem* makeStructItem(const RuleTreeNode& n) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, fromCp932(n.Text));
    item->setIcon(0, imageListIcon(n.ImageIndex));
    item->setData(0, KindRole, static_cast<int>(toNodeKind(n.Kind)));
    item->setData(0, RuleRole, QVariant::fromValue(reinterpret_cast<quintptr>(n.Rule)));
    item->setData(0, TextRole, QByteArray::fromStdString(n.Text));
    item->setData(0, ImageRole, n.ImageIndex);
    return item;
}

// Category nodes show an open folder while selected.
QIcon categoryIcon() {
    QIcon icon = imageListIcon(ImageCategory);
    const QIcon open = imageListIcon(ImageCategoryOpen);
    for (int size : {16, 32}) icon.addPixmap(open.pixmap(size, size), QIcon::Selected);
    return icon;
}

}  // namespace

CssRuleNode* TfrmMain::ruleOfNode(const QTreeWidgetItem* node) const {
    if (!node) return nullptr;
    return reinterpret_cast<CssRuleNode*>(node->data(0, RuleRole).value<quintptr>());
}

StructNodeKind TfrmMain::kindOfNode(const QTreeWidgetItem* node) const {
    return static_cast<StructNodeKind>(node->data(0, KindRole).toInt());
}

RuleTreeNode TfrmMain::structNode(const QTreeWidgetItem* node, int level) const {
    return RuleTreeNode{toTreeKind(kindOfNode(node)), level, node->data(0, ImageRole).toInt(),
                        node->data(0, TextRole).toByteArray().toStdString(), ruleOfNode(node)};
}

RuleTree TfrmMain::currentRuleTree() const {
    RuleTree tree;
    tree.reserve(static_cast<size_t>(Document.ruleCount()) + 64);
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
        tree.push_back(structNode(item, level));
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), level + 1);
    };
    for (int i = 0; i < TreeViewStruct->topLevelItemCount(); ++i) walk(TreeViewStruct->topLevelItem(i), 0);
    return tree;
}

QTreeWidgetItem* TfrmMain::structNodeOfRule(const CssRuleNode* rule) const {
    if (!rule) return nullptr;
    for (QTreeWidgetItemIterator it(TreeViewStruct); *it; ++it)
        if (ruleOfNode(*it) == rule) return *it;
    return nullptr;
}

void TfrmMain::removeStructNode(QTreeWidgetItem* node) {
    const QSignalBlocker block(TreeViewStruct);
    if (CurStructNode == node) CurStructNode = nullptr;
    structPressedOn_ = nullptr;
    QTreeWidgetItem* parent = node->parent();
    delete node;
    if (parent && kindOfNode(parent) == StructNodeKind::Group && parent->childCount() == 0) delete parent;
    TreeViewStruct->clearSelection();
    TreeViewStruct->setCurrentItem(nullptr);
    TreeViewStructChange();
}

void TfrmMain::NodeBaseAdd() {
    TreeViewStruct->setUpdatesEnabled(false);
    CurStructNode = nullptr;
    structPressedOn_ = nullptr;
    TreeViewStruct->clear();
    RuleTree bases = buildRuleTree(StyleDocument(), false);  // just the two base nodes
    QList<QTreeWidgetItem*> roots;
    for (const RuleTreeNode& n : bases) roots.append(makeStructItem(n));
    TreeViewStruct->addTopLevelItems(roots);
    ElementBaseNode = roots.value(0);
    ClassBaseNode = roots.value(1);
    TreeViewStruct->setUpdatesEnabled(true);
}

void TfrmMain::ChangeCSStreeExecute() {
    commitTypedValues();
    TreeViewStruct->setUpdatesEnabled(false);
    const QSignalBlocker block(TreeViewStruct);
    CurStructNode = nullptr;
    structPressedOn_ = nullptr;
    clearPropertyTree();
    TreeViewStruct->clear();

    const RuleTree shape = buildRuleTree(Document, ChangeCSStree->isChecked());
    QList<QTreeWidgetItem*> roots;
    std::vector<QTreeWidgetItem*> parents;  // the last item of each level
    for (const RuleTreeNode& n : shape) {
        QTreeWidgetItem* item = makeStructItem(n);
        parents.resize(static_cast<size_t>(n.Level) + 1);
        if (n.Level == 0)
            roots.append(item);
        else
            parents[static_cast<size_t>(n.Level) - 1]->addChild(item);
        parents[static_cast<size_t>(n.Level)] = item;
    }
    TreeViewStruct->addTopLevelItems(roots);
    ElementBaseNode = roots.value(0);
    ClassBaseNode = roots.value(1);
    TreeViewStruct->expandAll();
    TreeViewStruct->setCurrentItem(ElementBaseNode);
    TreeViewStruct->setUpdatesEnabled(true);
    TreeViewStructChange();
    Refresh_Status();
}

void TfrmMain::AnalyzeCSS(const DecodedText& text, bool tell) {
    clearSourcePane();
    // The trees go before the records their nodes point to.
    clearPropertyTree();
    values_->reset();
    NodeBaseAdd();
    Document.clear();
    pendingNote_ = {};
    pendingEscapes_.clear();

    if (tell) {
        pendingEscapes_ = text.escaped;
        if (isVisible()) QTimer::singleShot(0, this, [this] { tellAboutEscapes(); });
    }
    CssReadResult read = ::pavik::AnalyzeCSS(text.cp932, &progress_);
    Document = std::move(read.Document);
    if (tell) pendingNote_ = {std::move(read.AtRules), read.NestedRules, read.DroppedRules};
    progress_.setProgress(0);
    Refresh_Status();
    ChangeCSStreeExecute();
}

void TfrmMain::TreeViewStructChange() {
    commitTypedValues();
    setBoxCategorySelected(false);
    values_->reset();
    values_->clearTagInfo();
    values_->showRule({}, {});  // until a rule is taken up, the box names none
}

void TfrmMain::TreeViewStructClick() {
    QTreeWidgetItem* node = TreeViewStruct->currentItem();
    if (!node || kindOfNode(node) == StructNodeKind::Group) return;
    BrowserStateChange(3, 3, 3);
    setBoxCategorySelected(false);
    if (CssRuleNode* rule = ruleOfNode(node)) {
        const TData2& r = rule->Data;
        NavigatePreview(PreviewHTMLPath, fromCp932(ruleAnchorName(r)));
        CurStructNode = node;
        BrowserStateChange(r.IE, r.NS4, r.NS6);
        const std::string_view group = selectorGroupName(r.Group);
        values_->showRule(QString::fromUtf8(group.data(), static_cast<qsizetype>(group.size())),
                          fromCp932(r.Selector));
        SetAttrAll(sjis::toUpperAscii(r.Name));
    }
    Refresh_Status();
}

void TfrmMain::SetAttrAll(const std::string& elementName) {
    GetAttrList(elementName);
    progress_.setProgress(0);
    progress_.setStatus("対応ノード展開中");
    TreeViewTarget->setUpdatesEnabled(false);
    clearPropertyTree();

    std::vector<PropertyTreeNode> nodes = buildPropertyTree(AttrList, ruleOfNode(CurStructNode));
    static const QIcon category = categoryIcon();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    QList<QTreeWidgetItem*> roots;
    ProgressSteps steps(&progress_, nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        const PropertyTreeNode& n = nodes[i];
        auto* item = new QTreeWidgetItem;
        item->setText(0, fromCp932(n.Data.Name));
        item->setData(0, RecordRole, static_cast<int>(i));
        if (n.Data.Kind == 0) {
            item->setIcon(0, category);
            item->setData(0, TargetImageRole, n.ImageIndex);
        } else {
            setTargetImage(item, n.ImageIndex);
        }
        if (n.Parent < 0)
            roots.append(item);
        else
            items[static_cast<size_t>(n.Parent)]->addChild(item);
        items.push_back(item);
        targetRecords_.push_back(n.Data);
        steps.step(i + 1);
    }
    TreeViewTarget->addTopLevelItems(roots);
    TreeViewTarget->collapseAll();
    TreeViewTarget->setUpdatesEnabled(true);
    progress_.setProgress(0);
}

const TData* TfrmMain::targetRecordOf(const QTreeWidgetItem* node) const {
    if (!node) return nullptr;
    const int i = node->data(0, RecordRole).toInt();
    return i >= 0 && static_cast<size_t>(i) < targetRecords_.size() ? &targetRecords_[static_cast<size_t>(i)]
                                                                      : nullptr;
}

int TfrmMain::targetImageOf(const QTreeWidgetItem* node) const {
    return node ? node->data(0, TargetImageRole).toInt() : -1;
}

void TfrmMain::setTargetImage(QTreeWidgetItem* node, int image) {
    node->setData(0, TargetImageRole, image);
    node->setIcon(0, imageListIcon(image));
}

void TfrmMain::clearPropertyTree() {
    CurTargetNode = nullptr;
    TreeViewTarget->clear();
    targetRecords_.clear();
}

void TfrmMain::BrowserStateChange(int ie, int ns4, int ns6) { values_->setLamps(ie, ns4, ns6); }

void TfrmMain::fillHiddenTree() {
    TVCSSDataHide->clear();
    QList<QTreeWidgetItem*> roots;
    for (const auto& rule : Document.rules()) {
        auto* item = new QTreeWidgetItem({fromCp932(rule->Data.Selector)});
        item->setData(0, Qt::UserRole, fromCp932(rule->Data.Value));
        for (const auto& d : rule->Declarations) {
            auto* child = new QTreeWidgetItem(item, {fromCp932(d->Name)});
            child->setData(0, Qt::UserRole, fromCp932(d->Value));
        }
        roots.append(item);
    }
    TVCSSDataHide->addTopLevelItems(roots);
}

void TfrmMain::TVCSSDataHideClick() {
    if (QTreeWidgetItem* item = TVCSSDataHide->currentItem())
        StatusBar->setMessage(item->data(0, Qt::UserRole).toString());
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TreeViewStruct->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            // TreeViewStructMouseDown
            auto* me = static_cast<QMouseEvent*>(event);
            QTreeWidgetItem* item = TreeViewStruct->itemAt(me->position().toPoint());
            structPressedOn_ = TreeViewStruct->currentItem();
            if (!item) {
                TreeViewStruct->clearSelection();
                TreeViewStruct->setCurrentItem(nullptr);
            } else if (me->button() == Qt::RightButton) {
                TreeViewStruct->setCurrentItem(item);
                guarded([this] { TreeViewStructClick(); });
            }
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // A click on the rule already selected starts afresh, as a click on another does.
            QTreeWidgetItem* node = TreeViewStruct->currentItem();
            if (node && node == structPressedOn_ && kindOfNode(node) != StructNodeKind::Group)
                guarded([this] { TreeViewStructChange(); });
            guarded([this] { TreeViewStructClick(); });
        }
    } else if (watched == TreeViewTarget->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            guarded([this] { TreeViewTargetClick(); });
    } else if (watched == EditHTML && event->type() == QEvent::Resize && shown_) {
        guarded([this] { rewrapHTMLPane(); });
    } else if (watched == TVCSSDataHide && event->type() == QEvent::Show) {
        guarded([this] { fillHiddenTree(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace pavik
