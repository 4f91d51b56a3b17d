#pragma once
// Compact text form of a document for comparisons in tests:
// one line per rule, "selector [name|class] /*comment*/ {name=value; name=value}".
#include <string>

#include "workspace/document/style_document.h"

namespace pavik::test {

inline std::string dumpRule(const CssRuleNode& r) {
    std::string s = r.Data.Selector + " [" + r.Data.Name + "|" + r.Data.CssClass + "]";
    if (!r.Data.Comment.empty()) s += " " + r.Data.Comment;
    s += " {";
    for (size_t i = 0; i < r.Declarations.size(); ++i) {
        if (i) s += "; ";
        s += r.Declarations[i]->Name + "=" + r.Declarations[i]->Value;
    }
    return s + "}";
}

inline std::string dump(const StyleDocument& doc) {
    std::string s;
    for (const auto& r : doc.rules()) s += dumpRule(*r) + "\n";
    return s;
}

// The same, leaving out declarations with an empty value (the writer drops them).
inline std::string dumpWritten(const StyleDocument& doc) {
    std::string s;
    for (const auto& r : doc.rules()) {
        if (r->Data.Selector.empty()) continue;
        CssRuleNode copy;
        copy.Data = r->Data;
        for (const auto& d : r->Declarations)
            if (!d->Value.empty()) copy.Declarations.push_back(std::make_unique<TData2>(*d));
        s += dumpRule(copy) + "\n";
    }
    return s;
}

}  // namespace pavik::test
