#include <gtest/gtest.h>

#include "workspace/document/css_reader.h"
#include "workspace/values/box_write_back.h"
#include "workspace/values/value_store.h"

using namespace pavik;

namespace {

// Two rules with the same selector: the document keeps them in file order.
struct Sheet {
    StyleDocument doc = AnalyzeCSS("P { margin : 10px 5px ; border-style : hidden ; color : ; }\r\n"
                                   "P { color : red ; }\r\n")
                            .Document;
    CssRuleNode* first() const { return doc.rules().at(0); }
    CssRuleNode* second() const { return doc.rules().at(1); }
    static std::string declarations(const CssRuleNode* rule) {
        std::string s;
        for (const auto& d : rule->Declarations) s += d.Name + "=" + d.Value + ";";
        return s;
    }
};

}  // namespace

TEST(BoxWriteBack, StoresOnlyTheChangedRowsThatApplyIntoThatRule) {
    Sheet s;
    ASSERT_EQ(Sheet::declarations(s.first()), "margin=10px 5px;border-style=hidden;color=;");

    const BoxOpening o = readBoxRule(s.second());
    BoxEditModel m = o.model;
    m.setUnit(BoxRow::MarginTop, "px");  // number 0: a unit alone is no change
    m.setUnit(BoxRow::Padding, "em");
    m.setNumber(BoxRow::Padding, 3);
    m.setUnit(BoxRow::BorderTopWidth, "thin");
    m.setStyle(BoxRow::BorderTopStyle, "dotted");
    const auto applies = [](std::string_view property) { return property != "padding-left"; };
    const std::vector<std::string> stored = writeBoxResult(s.doc, &s.second()->Data, boxResult(o.model, m), applies);
    EXPECT_EQ(stored, (std::vector<std::string>{"border-top-width", "padding", "padding-top", "padding-bottom",
                                                "padding-right", "border-top-style"}));
    // New declarations go to the end in row order; the other rule of that selector is untouched.
    EXPECT_EQ(Sheet::declarations(s.second()),
              "color=red;border-top-width=thin;padding=3em;padding-top=3em;padding-bottom=3em;"
              "padding-right=3em;border-top-style=dotted;");
    EXPECT_EQ(Sheet::declarations(s.first()), "margin=10px 5px;border-style=hidden;color=;");
    // An empty value is not written out, so it does not count as set.
    EXPECT_FALSE(ruleSetsProperty(s.doc, &s.first()->Data, "color"));
    EXPECT_TRUE(ruleSetsProperty(s.doc, &s.second()->Data, "color"));

    // A rule no longer in the document takes nothing.
    const TData2* gone = &s.second()->Data;
    s.doc.removeRule(s.second());
    EXPECT_TRUE(writeBoxResult(s.doc, gone, boxResult(o.model, m), applies).empty());
}
