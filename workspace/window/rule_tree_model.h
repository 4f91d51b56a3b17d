#pragma once
// The rule tree the user sees (TreeViewStruct), as a model over the document: the element
// base node "エレメント" and the class base node "クラス", in the grouped style a group node
// per run of rules with the same element name, and one node per rule.
//
// - Rules are shown in the order of their selectors (compareSelectors; equal selectors in
//   document order), whatever order the document keeps them in.
// - A rule node holds only the rule's address: it shows the rule's selector (in the grouped
//   style a class rule shows "." + its class). A very long selector shows its start only.
// - The model costs a pointer per rule; the view builds nothing per rule that is not shown.
// - The tree can be laid out away from the window's thread (prepare) and then shown at once.
// - The document must outlive the model's use of its rules: rebuild (or clear) after the
//   document changes, except for a rule removed through removeRule.
#include <QAbstractItemModel>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/rule_tree.h"

namespace pavik {

class RuleTreeModel : public QAbstractItemModel {
public:
    explicit RuleTreeModel(QObject* parent = nullptr);
    ~RuleTreeModel() override;

private:
    struct Holder;

public:
    // The tree laid out, not yet shown.
    class Layout {
    public:
        Layout();
        Layout(Layout&&) noexcept;
        Layout& operator=(Layout&&) noexcept;
        ~Layout();

    private:
        friend class RuleTreeModel;
        std::unique_ptr<Holder> bases[2];
        bool grouped = false;
    };
    // The document's rules in the order they are shown, laid out in a style. Touches no
    // model: it may run on another thread.
    static Layout prepare(const StyleDocument& doc, bool grouped);
    // Shows a prepared tree (a model reset), and gives back the one shown before.
    Layout show(Layout layout);
    void rebuild(const StyleDocument& doc, bool grouped) { show(prepare(doc, grouped)); }
    // Only the two base nodes.
    void clear();
    // Removes the rule's node, and its group node when that is left empty.
    void removeRule(const CssRuleNode* rule);

    // Changes whenever the rules shown, or their places, change: what was made from one
    // walk holds while it stays the same.
    uint64_t shape() const { return shape_; }
    // Whether the rules are grouped by element name.
    bool grouped() const { return shown_.grouped; }
    // How many rules a base node holds, in its groups or directly.
    size_t ruleCountUnder(const QModelIndex& base) const;
    QModelIndex elementBase() const { return index(0, 0); }
    QModelIndex classBase() const { return index(1, 0); }
    // The node of `rule`, or an invalid index.
    QModelIndex indexOfRule(const CssRuleNode* rule) const;

    RuleTreeKind kind(const QModelIndex& index) const;
    // The rule of a rule node, else null.
    CssRuleNode* rule(const QModelIndex& index) const;
    // The node as the writer and the sample page take it (level 0 for a base node).
    RuleTreeNode node(const QModelIndex& index) const;
    // Every node in index order (depth first, parents before children).
    RuleTree nodes() const;
    // The same, walked without making them (for the sample page; it may run on another
    // thread while the model does not change).
    RuleTreeWalk walk() const;
    // The place of a node in that order (0 for an invalid index).
    size_t walkIndex(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A base node or a group node: the nodes that hold rules.
    struct Holder {
        RuleTreeKind kind;
        int row;                  // under its parent
        std::string text;         // CP932
        std::vector<CssRuleNode*> rules;
        std::vector<std::unique_ptr<Holder>> groups;  // the element base node, grouped style
        int childCount() const { return static_cast<int>(groups.size() + rules.size()); }
    };

    // The holder an index stands for, or null for a rule node.
    Holder* holderAt(const QModelIndex& index) const;
    // The holder of a rule node's parent (the index's own holder for no rule node).
    Holder* parentHolder(const QModelIndex& index) const { return static_cast<Holder*>(index.internalPointer()); }
    // The text of a rule node; `made` holds it when it is not the selector itself.
    std::string_view ruleText(const Holder& parent, const CssRuleNode& rule, std::string& made) const;
    static Layout emptyLayout();
    size_t nodeCount() const;

    Layout shown_;
    uint64_t shape_ = 0;
};

}  // namespace pavik
