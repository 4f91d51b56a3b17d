#pragma once
// The open style sheet: one rule per root, its declarations as children in file order.
// The document owns every record; tree items elsewhere hold plain pointers to them, which
// stay valid until the record is removed or the document is cleared.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pavik {

// One record per rule and per declaration. All texts are CP932 bytes.
struct TData2 {
    std::string Name;      // rule: element name; declaration: property name as written
    std::string Selector;  // rule: selector text as read; declaration: empty
    std::string CssClass;  // rule: class name (see deriveSelectorParts); declaration: empty
    std::string Value;     // rule: status text; declaration: the value, trimmed
    std::int32_t IE = 3;   // support levels, rules only (3 = no information)
    std::int32_t NS4 = 3;
    std::int32_t NS6 = 3;
    std::int32_t Group = 11;  // index into the selector group names, rules only
    bool Written = false;     // set while the style sheet is regenerated
    std::string Comment;      // rule: the comment written before it, one line
};

// A root of the document: the rule's record (shared with the rule tree) and its declarations.
struct CssRuleNode {
    TData2 Data;
    std::vector<std::unique_ptr<TData2>> Declarations;
};

// At-rules kept as the file held them (CP932, every line end CR LF). They are not rules of
// the document: the writer puts the statements before the rules and the blocks after them.
struct KeptAtRules {
    std::vector<std::string> Statements;  // "@import ...;", "@charset ...;", in file order
    std::vector<std::string> Blocks;      // "@media ... { ... }", in order of their "@"
    bool empty() const { return Statements.empty() && Blocks.empty(); }
};

// Name and CssClass of a rule, derived from its selector text.
struct SelectorParts {
    std::string Name;
    std::string CssClass;
};
SelectorParts deriveSelectorParts(std::string_view selector);

// Rule order: ASCII letters compared without regard to case first, then lower case before
// upper case at the first difference, then by bytes. Returns <0, 0, >0.
int compareSelectors(std::string_view a, std::string_view b);

class StyleDocument {
public:
    StyleDocument() = default;
    StyleDocument(StyleDocument&&) = default;
    StyleDocument& operator=(StyleDocument&&) = default;

    const std::vector<std::unique_ptr<CssRuleNode>>& rules() const { return rules_; }
    size_t ruleCount() const { return rules_.size(); }
    bool empty() const { return rules_.empty(); }

    const KeptAtRules& keptAtRules() const { return kept_; }
    KeptAtRules& keptAtRules() { return kept_; }

    // Adds a rule as the last root and returns it.
    CssRuleNode* addRule(TData2 data);
    // Adds a declaration as the last child of rule and returns its record.
    TData2* addDeclaration(CssRuleNode* rule, std::string name, std::string value);
    // Removes a rule with its declarations; its records are released.
    void removeRule(const CssRuleNode* rule);
    // Removes one declaration of rule; does nothing when decl is not one of its children.
    void removeDeclaration(CssRuleNode* rule, const TData2* decl);
    // Removes every rule and every kept at-rule.
    void clear();

    // Stable sort of the roots by selector text (compareSelectors); declarations keep their order.
    void sortRules();

    // The first rule, in document order, whose selector equals the text exactly, or null.
    // Selectors of rules already in the document must not be changed.
    CssRuleNode* GetNodeParent(std::string_view selector) const;
    // The first declaration of rule whose name equals the text exactly, or null.
    static TData2* GetNodeSame(std::string_view name, const CssRuleNode* rule);

    // Total number of declarations (for progress reports).
    size_t declarationCount() const;

private:
    void rebuildIndex() const;

    std::vector<std::unique_ptr<CssRuleNode>> rules_;
    KeptAtRules kept_;
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // First rule per selector: built by the first lookup, kept up to date by additions,
    // dropped by removals.
    mutable std::unordered_map<std::string, CssRuleNode*, TextHash, std::equal_to<>>
        firstBySelector_;
    mutable bool indexValid_ = false;
};

}  // namespace pavik
