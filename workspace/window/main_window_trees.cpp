// The rule tree, the property tree and the support lamps.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeView>
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
#include "workspace/window/long_work.h"
#include "workspace/window/rule_tree_model.h"
#include "workspace/document/rule_tree.h"
#include "workspace/document/sample_page.h"

namespace pavik {
namespace {

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

// Category nodes show an open folder while selected.
QIcon categoryIcon() {
    QIcon icon = imageListIcon(ImageCategory);
    const QIcon open = imageListIcon(ImageCategoryOpen);
    for (int size : {16, 32}) icon.addPixmap(open.pixmap(size, size), QIcon::Selected);
    return icon;
}

}  // namespace

// The selection places' view of the window.
class TfrmMain::PlacesLink final : public SelectionPlacesHost {
public:
    explicit PlacesLink(TfrmMain& window) : w_(window) {}

    QTreeView* ruleTree() const override { return w_.TreeViewStruct; }
    QTreeWidget* propertyTree() const override { return w_.TreeViewTarget; }
    const StyleDocument& document() const override { return w_.Document; }
    const CssRuleNode* selectedRule() const override { return w_.ruleOfNode(w_.CurStructNode); }
    QTreeWidgetItem* selectedProperty() const override { return w_.selectedPropertyNode(); }
    QModelIndex nodeOfRule(const CssRuleNode* rule) const override { return w_.structNodeOfRule(rule); }
    void takeUpRule() override { w_.TreeViewStructClick(); }
    void takeUpProperty() override { w_.TreeViewTargetClick(false); }

private:
    TfrmMain& w_;
};

void TfrmMain::createSelectionPlaces() {
    placesLink_ = std::make_unique<PlacesLink>(*this);
    places_ = std::make_unique<SelectionPlaces>(*placesLink_);
}

CssRuleNode* TfrmMain::ruleOfNode(const QModelIndex& node) const { return structModel_->rule(node); }

StructNodeKind TfrmMain::kindOfNode(const QModelIndex& node) const { return toNodeKind(structModel_->kind(node)); }

RuleTreeNode TfrmMain::structNode(const QModelIndex& node) const { return structModel_->node(node); }

RuleTree TfrmMain::currentRuleTree() const { return structModel_->nodes(); }

QModelIndex TfrmMain::structNodeOfRule(const CssRuleNode* rule) const { return structModel_->indexOfRule(rule); }

void TfrmMain::removeStructNode(const QModelIndex& node) {
    const QScopedValueRollback quiet(structChangeQuiet_, true);
    structModel_->removeRule(ruleOfNode(node));
    TreeViewStruct->clearSelection();
    TreeViewStruct->setCurrentIndex(QModelIndex());
    TreeViewStructChange();
    BrowserStateChange(3, 3, 3);
}

void TfrmMain::NodeBaseAdd() {
    const QScopedValueRollback quiet(structChangeQuiet_, true);
    ++ruleTreeShown_;
    structModel_->clear();
    ElementBaseNode = structModel_->elementBase();
    ClassBaseNode = structModel_->classBase();
}

void TfrmMain::ChangeCSStreeExecute() {
    const bool grouped = ChangeCSStree->isChecked();
    const StyleDocument& doc = Document;
    showRuleTree(work_->run([&] { return RuleTreeModel::prepare(doc, grouped); }));
}

void TfrmMain::showRuleTree(RuleTreeModel::Layout layout) {
    commitTypedValues();
    const QScopedValueRollback quiet(structChangeQuiet_, true);
    clearPropertyTree();
    structModel_->show(std::move(layout));
    ElementBaseNode = structModel_->elementBase();
    ClassBaseNode = structModel_->classBase();
    ++ruleTreeShown_;
    TreeViewStruct->doItemsLayout();
    expandRuleBases();
    TreeViewStruct->setCurrentIndex(ElementBaseNode);
    TreeViewStructChange();
    BrowserStateChange(3, 3, 3);
    Refresh_Status();
}

void TfrmMain::expandRuleBases() {
    // The whole tree expanded, a base node at a time: the view lays out what it holds at
    // once, and a base node with many rules once the long work is done, in a turn of the
    // event loop of its own.
    constexpr size_t ManyRules = 100000;
    std::vector<int> many;
    for (int base : {0, 1}) {
        if (structModel_->ruleCountUnder(structModel_->index(base, 0)) > ManyRules)
            many.push_back(base);
        else
            expandRuleBase(base);
    }
    expandRuleBasesLater(std::move(many));
}

void TfrmMain::expandRuleBase(int base) {
    const QModelIndex node = structModel_->index(base, 0);
    if (node == structModel_->elementBase() && structModel_->grouped()) {
        TreeViewStruct->expandRecursively(node);  // its groups too
        TreeViewStruct->doItemsLayout();
    } else {
        TreeViewStruct->expand(node);
    }
}

void TfrmMain::expandRuleBasesLater(std::vector<int> bases) {
    if (bases.empty()) return;
    work_->afterWork([this, bases, shown = ruleTreeShown_]() mutable {
        if (shown != ruleTreeShown_) return;  // another tree is shown by now
        expandRuleBase(bases.front());
        bases.erase(bases.begin());
        expandRuleBasesLater(std::move(bases));
    });
}

void TfrmMain::clearStyleSheet() {
    previewStale_ = true;
    clearSourcePane();
    // The trees go before the records their nodes point to.
    clearPropertyTree();
    values_->reset();
    NodeBaseAdd();
    StyleDocument before = std::exchange(Document, StyleDocument());
    freeAside(std::move(before));
    pendingNote_ = {};
    pendingEscapes_.clear();
}

void TfrmMain::AnalyzeCSS(DecodedText text, bool tell) {
    clearStyleSheet();

    if (tell) {
        pendingEscapes_ = text.escaped;
        if (isVisible()) QTimer::singleShot(0, this, [this] { tellAboutEscapes(); });
    }
    ProgressSink* sink = work_->sink();
    const bool grouped = ChangeCSStree->isChecked();
    RuleTreeModel::Layout layout;
    CssReadResult read = work_->run([&] {
        CssReadResult r = ::pavik::AnalyzeCSS(text.cp932, sink);
        text.cp932 = std::string();  // read: a big text is not held while the preview is made
        layout = RuleTreeModel::prepare(r.Document, grouped);
        return r;
    });
    Document = std::move(read.Document);  // the rules stay where they are
    if (tell) pendingNote_ = {std::move(read.AtRules), read.NestedRules, read.DroppedRules};
    progress_.setProgress(0);
    Refresh_Status();
    showRuleTree(std::move(layout));  // ChangeCSStreeExecute, with the tree laid out beside the read
}

void TfrmMain::TreeViewStructChange() {
    commitTypedValues();
    setBoxCategorySelected(false);
    values_->reset();
    values_->clearTagInfo();
    values_->showRule({}, {});  // until a rule is taken up, the box names none
}

void TfrmMain::TreeViewStructClick() {
    const QModelIndex node = TreeViewStruct->currentIndex();
    if (!node.isValid() || kindOfNode(node) == StructNodeKind::Group) return;
    BrowserStateChange(3, 3, 3);
    setBoxCategorySelected(false);
    if (CssRuleNode* rule = ruleOfNode(node)) {
        const TData2& r = rule->Data;
        showPreviewOf(node, fromCp932(sampleAnchors_.of(*rule)));
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
    for (const CssRuleNode* rule : Document.rules()) {
        auto* item = new QTreeWidgetItem({fromCp932(rule->Data.Selector)});
        item->setData(0, Qt::UserRole, fromCp932(rule->Data.Value));
        for (const Declaration& d : rule->Declarations) {
            auto* child = new QTreeWidgetItem(item, {fromCp932(d.Name)});
            child->setData(0, Qt::UserRole, fromCp932(d.Value));
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
            const QModelIndex item = TreeViewStruct->indexAt(me->position().toPoint());
            structPressedOn_ = TreeViewStruct->currentIndex();
            if (!item.isValid()) {
                TreeViewStruct->clearSelection();
                TreeViewStruct->setCurrentIndex(QModelIndex());
            } else if (me->button() == Qt::RightButton) {
                TreeViewStruct->setCurrentIndex(item);
                guarded([this] { TreeViewStructClick(); });
            }
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // A click on the rule already selected starts afresh, as a click on another does.
            const QModelIndex node = TreeViewStruct->currentIndex();
            if (node.isValid() && node == structPressedOn_ && kindOfNode(node) != StructNodeKind::Group)
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
