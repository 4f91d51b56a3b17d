#include "workspace/window/rule_tree_model.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/qt_text.h"
#include "platform/sjis.h"
#include "workspace/document/rule_tree.h"
#include "workspace/window/image_list_main.h"

namespace pavik {
namespace {

// A node shows at most this much of its text; the column never shows more.
constexpr size_t MaxShownBytes = 1024;

int imageOfRuleUnder(RuleTreeKind parent) { return parent == RuleTreeKind::ClassBase ? ImageClassRule : ImageElementRule; }

int imageOfHolder(RuleTreeKind kind) {
    switch (kind) {
        case RuleTreeKind::ElementBase: return ImageElementBase;
        case RuleTreeKind::ClassBase: return ImageClassBase;
        default: return ImageGroup;
    }
}

}  // namespace

RuleTreeModel::Layout::Layout() = default;
RuleTreeModel::Layout::Layout(Layout&&) noexcept = default;
RuleTreeModel::Layout& RuleTreeModel::Layout::operator=(Layout&&) noexcept = default;
RuleTreeModel::Layout::~Layout() = default;

RuleTreeModel::RuleTreeModel(QObject* parent) : QAbstractItemModel(parent), shown_(emptyLayout()) {}

RuleTreeModel::~RuleTreeModel() = default;

RuleTreeModel::Layout RuleTreeModel::emptyLayout() {
    Layout layout;
    layout.bases[0] = std::make_unique<Holder>(Holder{RuleTreeKind::ElementBase, 0, toCp932(std::string_view("エレメント")), {}, {}});
    layout.bases[1] = std::make_unique<Holder>(Holder{RuleTreeKind::ClassBase, 1, toCp932(std::string_view("クラス")), {}, {}});
    return layout;
}

void RuleTreeModel::clear() { show(emptyLayout()); }

RuleTreeModel::Layout RuleTreeModel::show(Layout layout) {
    beginResetModel();
    ++shape_;
    std::swap(shown_, layout);
    endResetModel();
    return layout;
}

RuleTreeModel::Layout RuleTreeModel::prepare(const StyleDocument& doc, bool grouped) {
    Layout layout = emptyLayout();
    layout.grouped = grouped;
    Holder& elements = *layout.bases[0];
    Holder& classes = *layout.bases[1];
    for (CssRuleNode* r : ruleDisplayOrder(doc)) {
        const TData2& d = r->Data;
        if (!grouped) {
            (d.CssClass.empty() ? elements : classes).rules.push_back(r);
        } else if (!d.Name.empty()) {
            if (elements.groups.empty() || elements.groups.back()->text != d.Name)
                elements.groups.push_back(std::make_unique<Holder>(
                    Holder{RuleTreeKind::Group, static_cast<int>(elements.groups.size()), std::string(d.Name), {}, {}}));
            elements.groups.back()->rules.push_back(r);
        } else {
            classes.rules.push_back(r);
        }
    }
    return layout;
}

void RuleTreeModel::removeRule(const CssRuleNode* rule) {
    const QModelIndex at = indexOfRule(rule);
    if (!at.isValid()) return;
    Holder* holder = parentHolder(at);
    const QModelIndex parentIndex = at.parent();
    ++shape_;
    beginRemoveRows(parentIndex, at.row(), at.row());
    holder->rules.erase(holder->rules.begin() + at.row());
    endRemoveRows();
    if (holder->kind != RuleTreeKind::Group || !holder->rules.empty()) return;
    auto& groups = shown_.bases[0]->groups;
    const int row = holder->row;
    beginRemoveRows(elementBase(), row, row);
    groups.erase(groups.begin() + row);
    for (size_t g = static_cast<size_t>(row); g < groups.size(); ++g) groups[g]->row = static_cast<int>(g);
    endRemoveRows();
}

QModelIndex RuleTreeModel::indexOfRule(const CssRuleNode* rule) const {
    if (!rule) return {};
    auto find = [&](Holder& h) -> QModelIndex {
        const auto it = std::find(h.rules.begin(), h.rules.end(), rule);
        return it == h.rules.end() ? QModelIndex() : createIndex(static_cast<int>(it - h.rules.begin()), 0, &h);
    };
    for (const auto& base : shown_.bases) {
        if (QModelIndex found = find(*base); found.isValid()) return found;
        for (const auto& group : base->groups)
            if (QModelIndex found = find(*group); found.isValid()) return found;
    }
    return {};
}

RuleTreeModel::Holder* RuleTreeModel::holderAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    Holder* parent = parentHolder(index);
    if (!parent) return shown_.bases[static_cast<size_t>(index.row())].get();
    if (index.row() < static_cast<int>(parent->groups.size())) return parent->groups[static_cast<size_t>(index.row())].get();
    return nullptr;
}

RuleTreeKind RuleTreeModel::kind(const QModelIndex& index) const {
    const Holder* h = holderAt(index);
    return h ? h->kind : RuleTreeKind::Rule;
}

CssRuleNode* RuleTreeModel::rule(const QModelIndex& index) const {
    if (!index.isValid() || holderAt(index)) return nullptr;
    const Holder* parent = parentHolder(index);
    return parent->rules[static_cast<size_t>(index.row()) - parent->groups.size()];
}

std::string_view RuleTreeModel::ruleText(const Holder& parent, const CssRuleNode& rule, std::string& made) const {
    // Grouped, a class rule shows "." + its class; a rule with neither part (":root") shows
    // its selector rather than a bare ".".
    const TData2& d = rule.Data;
    if (!shown_.grouped || parent.kind != RuleTreeKind::ClassBase || d.CssClass.empty()) return d.Selector;
    made = "." + d.CssClass;
    return made;
}

RuleTreeNode RuleTreeModel::node(const QModelIndex& index) const {
    if (const Holder* h = holderAt(index))
        return {h->kind, h->kind == RuleTreeKind::Group ? 1 : 0, imageOfHolder(h->kind), h->text, nullptr};
    const Holder& parent = *parentHolder(index);
    CssRuleNode* r = rule(index);
    std::string made;
    return {RuleTreeKind::Rule, parent.kind == RuleTreeKind::Group ? 2 : 1, imageOfRuleUnder(parent.kind),
            std::string(ruleText(parent, *r, made)), r};
}

size_t RuleTreeModel::nodeCount() const {
    size_t count = 2;
    for (const auto& base : shown_.bases) {
        count += base->rules.size() + base->groups.size();
        for (const auto& group : base->groups) count += group->rules.size();
    }
    return count;
}

size_t RuleTreeModel::ruleCountUnder(const QModelIndex& base) const {
    const Holder* h = holderAt(base);
    if (!h) return 0;
    size_t count = h->rules.size();
    for (const auto& group : h->groups) count += group->rules.size();
    return count;
}

RuleTreeWalk RuleTreeModel::walk() const {
    return {nodeCount(), [this](const RuleTreeWalk::Visit& visit) {
                for (const auto& base : shown_.bases) {
                    visit(base->kind, nullptr);
                    for (const auto& group : base->groups) {
                        visit(RuleTreeKind::Group, nullptr);
                        for (const CssRuleNode* r : group->rules) visit(RuleTreeKind::Rule, r);
                    }
                    for (const CssRuleNode* r : base->rules) visit(RuleTreeKind::Rule, r);
                }
            }};
}

size_t RuleTreeModel::walkIndex(const QModelIndex& index) const {
    if (!index.isValid()) return 0;
    const auto groupsBefore = [](const Holder& base, size_t end) {
        size_t n = 0;
        for (size_t g = 0; g < end && g < base.groups.size(); ++g) n += 1 + base.groups[g]->rules.size();
        return n;
    };
    const Holder& first = *shown_.bases[0];
    const size_t secondBase = 1 + first.rules.size() + groupsBefore(first, first.groups.size());
    const Holder* parent = parentHolder(index);
    if (!parent) return index.row() == 0 ? 0 : secondBase;
    const auto row = static_cast<size_t>(index.row());
    if (parent->kind == RuleTreeKind::Group) {
        size_t g = 0;
        while (g < first.groups.size() && first.groups[g].get() != parent) ++g;
        return 1 + groupsBefore(first, g) + 1 + row;
    }
    const size_t start = parent == &first ? 0 : secondBase;
    if (row < parent->groups.size()) return start + 1 + groupsBefore(*parent, row);
    return start + 1 + groupsBefore(*parent, parent->groups.size()) + (row - parent->groups.size());
}

RuleTree RuleTreeModel::nodes() const {
    RuleTree out;
    out.reserve(nodeCount());
    std::string made;
    auto addRules = [&](const Holder& h, int level) {
        for (CssRuleNode* r : h.rules)
            out.push_back({RuleTreeKind::Rule, level, imageOfRuleUnder(h.kind), std::string(ruleText(h, *r, made)), r});
    };
    for (const auto& base : shown_.bases) {
        out.push_back({base->kind, 0, imageOfHolder(base->kind), base->text, nullptr});
        for (const auto& group : base->groups) {
            out.push_back({RuleTreeKind::Group, 1, ImageGroup, group->text, nullptr});
            addRules(*group, 2);
        }
        addRules(*base, 1);
    }
    return out;
}

QModelIndex RuleTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < 2 ? createIndex(row, 0, nullptr) : QModelIndex();
    Holder* h = holderAt(parent);
    if (!h || row >= h->childCount()) return {};
    return createIndex(row, 0, h);
}

QModelIndex RuleTreeModel::parent(const QModelIndex& child) const {
    const Holder* p = child.isValid() ? parentHolder(child) : nullptr;
    if (!p) return {};
    return createIndex(p->row, 0, p->kind == RuleTreeKind::Group ? shown_.bases[0].get() : nullptr);
}

int RuleTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return 2;
    const Holder* h = holderAt(parent);
    return h ? h->childCount() : 0;
}

int RuleTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant RuleTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::DecorationRole)) return {};
    const Holder* h = holderAt(index);
    if (role == Qt::DecorationRole)
        return imageListIcon(h ? imageOfHolder(h->kind) : imageOfRuleUnder(parentHolder(index)->kind));
    std::string made;
    std::string_view text = h ? std::string_view(h->text) : ruleText(*parentHolder(index), *rule(index), made);
    if (text.size() > MaxShownBytes) text = text.substr(0, sjis::charStart(text, MaxShownBytes));
    return fromCp932(text);
}

Qt::ItemFlags RuleTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // A rule is a leaf: the view neither asks it for children nor keeps it as expanded.
    const Qt::ItemFlags leaf = holderAt(index) ? Qt::NoItemFlags : Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | leaf;
}

}  // namespace pavik
