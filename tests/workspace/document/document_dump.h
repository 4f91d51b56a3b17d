#pragma once
// Compact text form of a document for comparisons in tests, one line per item in document
// order: "selector [name|class] /*comment*/ {name=value; /*comment*/ name=value /*closing*/}"
// for a rule, "@ text" for kept text; "charset text" first and "trailing text" last.
// No test framework: the fuzz target uses it too.
#include <string>

#include "workspace/document/style_document.h"

namespace pavik::test {

// `written`: as the writer puts the rule, leaving out declarations with an empty value that
// declare no custom property; their comments go with what follows.
inline std::string dumpRule(const CssRuleNode& r, bool written = false) {
    std::string s = r.Data.Selector + " [" + r.Data.Name + "|" + r.Data.CssClass + "]";
    if (!r.Data.Comment.empty()) s += " " + r.Data.Comment;
    s += " {";
    std::string pending;
    bool first = true;
    for (const auto& d : r.Declarations) {
        appendComment(pending, d.Comment);
        if (written && d.Value.empty() && !d.Name.starts_with("--")) continue;
        if (!first) s += "; ";
        first = false;
        if (!pending.empty()) s += pending + " ";
        pending.clear();
        s += d.Name + "=" + d.Value;
    }
    appendComment(pending, r.ClosingComment);
    if (!pending.empty()) s += " " + pending;
    return s + "}";
}

inline std::string dump(const StyleDocument& doc, bool written = false) {
    std::string s;
    if (!doc.charset().empty()) s += "charset " + doc.charset() + "\n";
    size_t k = 0;
    const auto& kept = doc.keptTexts();
    for (size_t i = 0; i <= doc.ruleCount(); ++i) {
        for (; k < kept.size() && kept[k].BeforeRule <= i; ++k) s += "@ " + kept[k].Text + "\n";
        if (i < doc.ruleCount()) s += dumpRule(*doc.rules()[i], written) + "\n";
    }
    if (!doc.trailingComments().empty()) s += "trailing " + doc.trailingComments() + "\n";
    return s;
}

// The same as the writer puts it.
inline std::string dumpWritten(const StyleDocument& doc) { return dump(doc, true); }

}  // namespace pavik::test
