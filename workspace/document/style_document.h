#pragma once
// The open style sheet in file order: its rules, each with its declarations in file order,
// and among them the at-rule text kept as written; every comment rides with the item it
// stood before. Sorting and grouping are the rule tree's (rule_tree.h), never the document's.
// The document owns every record. A rule stays where it was made until it is removed or the
// document is cleared, so tree items elsewhere hold plain pointers to it. A declaration is
// held by value in its rule: a pointer to one lasts until its rule gains or loses one.
//
// Memory: a rule costs its record and one block for its declarations; the rules are made
// in chunks, not one by one.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/small_string.h"

namespace pavik {

// The record of a rule. All texts are CP932 bytes.
struct TData2 {
    SmallString Name;      // element name
    SmallString Selector;  // selector text as read
    SmallString CssClass;  // class name (see deriveSelectorParts)
    SmallString Value;     // status text
    std::int32_t IE = 3;   // support levels (3 = no information)
    std::int32_t NS4 = 3;
    std::int32_t NS6 = 3;
    std::int32_t Group = 11;  // index into the selector group names
    bool Written = false;     // unused: the writer writes every rule once, in file order
    // The comments that stood before the rule, as written, one after the other on lines of
    // their own; line ends CR LF. Empty when there were none.
    SmallString Comment;
};

// A declaration of a rule: what a TData2 record of a declaration holds.
struct Declaration {
    SmallString Name;     // property name as written
    SmallString Value;    // the value, trimmed
    SmallString Comment;  // the comments before it, as TData2::Comment
};

// A root of the document: the rule's record (shared with the rule tree) and its declarations.
struct CssRuleNode {
    TData2 Data;
    std::vector<Declaration> Declarations;
    SmallString ClosingComment;  // the comments after the last declaration, before "}"
};

// At-rule text kept as the file held it (CP932, every line end CR LF), led by the comments
// that stood before it. It is not a rule of the document and cannot be edited.
struct KeptText {
    size_t BeforeRule;  // the index of the rule it stands before; ruleCount() after the last
    std::string Text;
};

// Name and CssClass of a rule, derived from its selector text.
struct SelectorParts {
    std::string Name;
    std::string CssClass;
};
SelectorParts deriveSelectorParts(std::string_view selector);
// A rule record for a selector, with Name and CssClass derived from it (and no support
// information).
TData2 ruleRecordFor(std::string_view selector);

// The rule tree's order: ASCII letters compared without regard to case first, then lower
// case before upper case at the first difference, then by bytes. Returns <0, 0, >0.
int compareSelectors(std::string_view a, std::string_view b);

// Appends comment text after `to`, on a line of its own when `to` holds some already.
void appendComment(std::string& to, std::string_view comment);
void appendComment(SmallString& to, std::string_view comment);

// A declaration taken out of its rule, with what taking it moved: put back, the rule is as
// it was.
struct TakenDeclaration {
    size_t rule = 0;  // the rule's index
    size_t at = 0;    // its index among the rule's declarations
    Declaration decl;
    size_t movedComment = 0;  // bytes its comments put in front of the item after it
};

// A rule taken out of the document, likewise.
struct TakenRule {
    size_t at = 0;  // its index among the rules
    CssRuleNode node;
    size_t movedComment = 0;  // bytes its comments put in front of the item after it
    size_t keptFrom = 0;      // the first kept text that stood after it
};

// One change made through the mutators, as recorded while a change log is attached. A
// declaration or rule that the change added is held in `taken` only while a history has
// taken it back out; one it removed is held there until it is put back.
struct ValueChange {
    size_t rule = 0, decl = 0;
    std::string before, after;
};
struct DeclarationChange {
    bool added = false;
    TakenDeclaration taken;
};
struct RuleChange {
    bool added = false;
    TakenRule taken;
};
using DocumentChange = std::variant<ValueChange, DeclarationChange, RuleChange>;

class StyleDocument {
public:
    StyleDocument() = default;
    StyleDocument(StyleDocument&&) = default;
    StyleDocument& operator=(StyleDocument&&) = default;

    // The rules in document order.
    const std::vector<CssRuleNode*>& rules() const { return rules_; }
    size_t ruleCount() const { return rules_.size(); }
    bool empty() const { return rules_.empty(); }

    // The kept at-rule texts in file order (BeforeRule never decreases).
    const std::vector<KeptText>& keptTexts() const { return kept_; }
    // "@charset ...;" when the file began with it, written before anything else; else empty.
    const std::string& charset() const { return charset_; }
    void setCharset(std::string statement) { charset_ = std::move(statement); }
    // The comments after the last item of the file.
    const std::string& trailingComments() const { return trailing_; }
    void setTrailingComments(std::string comments) { trailing_ = std::move(comments); }

    // Adds a rule after every item and returns it.
    CssRuleNode* addRule(TData2 data);
    // Adds kept text after every item.
    void addKeptText(std::string text);
    // Adds a declaration as the last child of rule and returns it.
    Declaration* addDeclaration(CssRuleNode* rule, std::string name, std::string value);
    // Gives a declaration of rule a new value; false (nothing recorded) when it has it already.
    bool setValue(CssRuleNode* rule, Declaration* decl, std::string_view value);
    // Removes a rule with its declarations; its records are released. The comments before
    // it stay, before the item that followed it.
    void removeRule(const CssRuleNode* rule);
    // Removes one declaration of rule; does nothing when decl is not one of its children.
    // The comments before it stay, before the declaration that followed it or the "}".
    void removeDeclaration(CssRuleNode* rule, const Declaration* decl);
    // Removes every rule, kept text and comment.
    void clear();

    // The first rule, in document order, whose selector equals the text exactly, or null.
    // Selectors of rules already in the document must not be changed.
    CssRuleNode* GetNodeParent(std::string_view selector) const;
    // The first declaration of rule whose name equals the text exactly, or null.
    static const Declaration* GetNodeSame(std::string_view name, const CssRuleNode* rule);
    static Declaration* GetNodeSame(std::string_view name, CssRuleNode* rule);

    // Total number of declarations (for progress reports).
    size_t declarationCount() const;

    // While a log is attached, every change made through the mutators above (not the reader's
    // charset, kept text and trailing comments) is appended to it. Null detaches.
    void setChangeLog(std::vector<DocumentChange>* log) { log_ = log; }
    // The index of a rule of the document (ruleCount() when it is not one).
    size_t indexOf(const CssRuleNode* rule) const;

    // Taking out and putting back exactly, for undoing and redoing recorded changes. A rule put
    // back takes a new place (a rule of the tree showing it before is a stale pointer).
    TakenDeclaration takeDeclaration(size_t rule, size_t at);
    void putDeclaration(TakenDeclaration& taken);
    TakenRule takeRule(size_t at);
    void putRule(TakenRule& taken);
    void setValueAt(size_t rule, size_t decl, std::string_view value) { rules_[rule]->Declarations[decl].Value = value; }

private:
    CssRuleNode* newPlace();

    void rebuildIndex() const;

    // Where the rules live: chunks that never move, of 16 rules, then twice as many each up
    // to ChunkRules, so that a small sheet stays small. A removed rule's place is emptied and
    // not used again until clear().
    static constexpr size_t ChunkRules = 1024;
    static size_t chunkSize(size_t index);
    std::vector<std::unique_ptr<CssRuleNode[]>> chunks_;
    size_t used_ = 0;  // places taken in the last chunk
    std::vector<CssRuleNode*> rules_;
    std::vector<KeptText> kept_;
    std::string charset_, trailing_;
    // First rule per selector (its own text, which stays where it is): built by the first
    // lookup, kept up to date by additions, dropped by removals.
    mutable std::unordered_map<std::string_view, CssRuleNode*> firstBySelector_;
    mutable bool indexValid_ = false;
    std::vector<DocumentChange>* log_ = nullptr;
};

// Whether two documents hold the same text item by item (what the writer writes of them):
// charset, kept texts, trailing comments, and per rule its selector, comments and
// declarations. The support levels and group of a rule do not count.
bool sameText(const StyleDocument& a, const StyleDocument& b);
// Where a rule stands, so that it is found again in the document read anew from the same
// text (after a save): its selector, and how many rules of that selector come before it.
struct RulePlace {
    std::string Selector;  // CP932
    size_t Occurrence = 0;
    friend bool operator==(const RulePlace&, const RulePlace&) = default;
};
// The place of `rule`, or nothing when it is not in the document.
std::optional<RulePlace> placeOfRule(const StyleDocument& doc, const CssRuleNode* rule);
// The rule at `place`, or null when the document has none there.
CssRuleNode* ruleAtPlace(const StyleDocument& doc, const RulePlace& place);

}  // namespace pavik
