#include <gtest/gtest.h>

#include <map>
#include <set>

#include "vocabulary/element_tables.h"

using namespace pavik;

namespace {

int countApplicable(const AttrGroupTable& t) {
    int n = 0;
    for (bool a : t.applies) n += a;
    return n;
}

std::vector<std::string> wordsOf(std::string_view s) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        size_t end = std::min(s.find(' ', i), s.size());
        words.emplace_back(s.substr(i, end - i));
        i = end + 1;
    }
    return words;
}

}  // namespace

TEST(ElementTables, NamesAndFixedPropertyNumbers) {
    EXPECT_EQ(AttrNames[0], "color");
    EXPECT_EQ(AttrNames[AttrBackgroundImage], "background-image");
    EXPECT_EQ(AttrNames[AttrBorderStyle], "border-style");
    EXPECT_EQ(AttrNames[AttrBorderWidth], "border-width");
    EXPECT_EQ(AttrNames[AttrMargin], "margin");
    EXPECT_EQ(AttrNames[AttrPadding], "padding");
    EXPECT_EQ(AttrNames[AttrPaddingLeft], "padding-left");
    EXPECT_EQ(AttrNames[93], "cursor");
    EXPECT_EQ(std::set<std::string_view>(TagNames.begin(), TagNames.end()).size(), size_t(TagCount));
    EXPECT_EQ(std::set<std::string_view>(AttrNames.begin(), AttrNames.end()).size(), size_t(AttrCount));
    EXPECT_EQ(attrIndex("z-index"), 75);
    EXPECT_EQ(attrIndex("Z-INDEX"), -1);
    EXPECT_EQ(tagIndex("TD"), 52);
}

TEST(ElementTables, EveryElementBelongsToExactlyOneGroup) {
    std::map<std::string, int> seen;
    for (const AttrGroupDef& g : AttrGroups)
        for (const std::string& e : wordsOf(g.elements)) {
            EXPECT_GE(tagIndex(e), 0) << e;
            ++seen[e];
        }
    for (std::string_view tag : TagNames) EXPECT_EQ(seen[std::string(tag)], 1) << tag;
    EXPECT_EQ(seen.size(), size_t(TagCount));
}

TEST(ElementTables, GroupEntryCountsMatchApplicableProperties) {
    for (int g = 0; g < AttrGroupCount; ++g) {
        const AttrGroupTable& t = attrGroupTable(g);
        bool extra = AttrGroups[g].elements == "INPUT" || AttrGroups[g].elements == "TEXTAREA";
        EXPECT_EQ(AttrGroups[g].unnamedEntry.empty(), !extra) << AttrGroups[g].elements;
        EXPECT_EQ(countApplicable(t) + (extra ? 1 : 0), t.n) << AttrGroups[g].elements;
    }
}

TEST(ElementTables, EntryCountPerElement) {
    const std::map<std::string_view, int> expected = {
        {"DIV", 84}, {"SPAN", 57}, {"BODY", 76}, {"ADDRESS", 76}, {"H1", 76}, {"H2", 76}, {"H3", 76},
        {"H4", 76}, {"H5", 76}, {"H6", 76}, {"P", 76}, {"PRE", 71}, {"BLOCKQUOTE", 76}, {"Q", 55},
        {"CITE", 57}, {"STRONG", 57}, {"SUB", 55}, {"SUP", 55}, {"VAR", 57}, {"SAMP", 57}, {"CODE", 57},
        {"ABBR", 50}, {"ACRONYM", 55}, {"INS", 55}, {"DEL", 55}, {"FONT", 51}, {"CENTER", 75},
        {"HR", 51}, {"B", 56}, {"I", 56}, {"S", 56}, {"STRIKE", 56}, {"TT", 56}, {"U", 56},
        {"BIG", 56}, {"SMALL", 56}, {"UL", 79}, {"OL", 79}, {"LI", 79}, {"DL", 76}, {"DT", 76},
        {"DD", 76}, {"A", 57}, {"FORM", 76}, {"INPUT", 66}, {"TEXTAREA", 76}, {"SELECT", 60},
        {"OPTION", 54}, {"BUTTON", 59}, {"FIELDSET", 76}, {"LEGEND", 55}, {"TABLE", 70}, {"TD", 69},
        {"TH", 69}, {"TR", 43}, {"TBODY", 34}, {"THEAD", 34}, {"TFOOT", 34}, {"COLGROUP", 35},
        {"COL", 36}, {"CAPTION", 60}, {"IMG", 42}};
    ASSERT_EQ(expected.size(), size_t(TagCount));
    for (auto [tag, n] : expected) {
        EXPECT_EQ(GetAttrList(tag), n) << tag;
        EXPECT_EQ(AttrList.size(), size_t(n)) << tag;
        // Named entries come in property-number order.
        int previous = -1;
        for (const AttrEntry& e : AttrList) {
            if (e.name.empty()) continue;
            int p = attrIndex(e.name);
            EXPECT_GT(p, previous) << tag << " " << e.name;
            previous = p;
        }
    }
}

TEST(ElementTables, DivZoomIsFilterOnlyThere) {
    ASSERT_EQ(GetAttrList("DIV"), 84);
    EXPECT_EQ(AttrList[79], (AttrEntry{"zoom", 1, 0, 0, 7}));
    EXPECT_EQ(AttrList[0], (AttrEntry{"color", 1, 1, 1, 0}));
    EXPECT_EQ(AttrList[68], (AttrEntry{"position", 1, 1, 1, 4}));  // not overridden
    EXPECT_EQ(AttrList[69], (AttrEntry{"top", 1, 0, 1, 4}));       // overridden
    for (std::string_view tag : TagNames) {
        if (tag == "DIV") continue;
        for (const AttrEntry& e : attrListFor(tag)) {
            if (e.name == "zoom") {
                EXPECT_EQ(e.category, 4) << tag;
            }
        }
    }
}

TEST(ElementTables, SharedGroupsGiveEqualLists) {
    EXPECT_EQ(attrListFor("H3"), attrListFor("H1"));
    EXPECT_EQ(attrListFor("STRONG"), attrListFor("CITE"));
    EXPECT_EQ(attrListFor("TH"), attrListFor("TD"));
    EXPECT_NE(attrListFor("ACRONYM"), attrListFor("Q"));  // same ranges, different levels
}

TEST(ElementTables, OverriddenLevels) {
    auto find = [](std::string_view tag, std::string_view name) {
        for (const AttrEntry& e : attrListFor(tag))
            if (e.name == name) return e;
        return AttrEntry{"<absent>"};
    };
    EXPECT_EQ(find("ABBR", "color"), (AttrEntry{"color", 0, 0, 1, 0}));
    EXPECT_EQ(find("ABBR", "margin"), (AttrEntry{"margin", 0, 0, 2, 3}));
    EXPECT_EQ(find("SELECT", "cursor"), (AttrEntry{"cursor", 0, 0, 1, 8}));
    EXPECT_EQ(find("OPTION", "display"), (AttrEntry{"display", 0, 1, 1, 4}));
    EXPECT_EQ(find("TABLE", "bottom"), (AttrEntry{"bottom", 1, 0, 2, 4}));
    EXPECT_EQ(find("LI", "list-style-type"), (AttrEntry{"list-style-type", 1, 2, 1, 5}));
    EXPECT_EQ(find("LI", "list-style-image"), (AttrEntry{"list-style-image", 1, 0, 1, 5}));
    EXPECT_EQ(find("IMG", "color").name, "<absent>");
}

TEST(ElementTables, UnnamedLastEntryOfInputAndTextarea) {
    ASSERT_EQ(GetAttrList("INPUT"), 66);
    EXPECT_EQ(AttrList[64], (AttrEntry{"cursor", 1, 0, 1, 8}));
    EXPECT_EQ(AttrList[65], (AttrEntry{"", 1, 0, 0, 8}));
    ASSERT_EQ(GetAttrList("TEXTAREA"), 76);
    EXPECT_EQ(AttrList[74].name, "cursor");
    EXPECT_EQ(AttrList[75], (AttrEntry{"", 1, 0, 0, 8}));
    for (std::string_view tag : TagNames) {
        if (tag == "INPUT" || tag == "TEXTAREA") continue;
        for (const AttrEntry& e : attrListFor(tag)) EXPECT_FALSE(e.name.empty()) << tag;
    }
}

TEST(ElementTables, AllPropertiesAndUnknownNames) {
    ASSERT_EQ(GetAttrList(""), AttrCount);
    for (int p = 0; p < AttrCount; ++p) {
        EXPECT_EQ(AttrList[p].name, AttrNames[p]);
        EXPECT_EQ(AttrList[p], allPropertiesRow(p));
    }
    EXPECT_EQ(AttrList[7], (AttrEntry{"word-spacing", 0, 0, 1, 0}));
    EXPECT_EQ(AttrList[87], (AttrEntry{"border-spacing", 0, 0, 1, 6}));
    EXPECT_EQ(AttrList[90], (AttrEntry{"filter", 1, 0, 0, 7}));

    // A missing name empties the previous result.
    EXPECT_EQ(GetAttrList("div"), 0);
    EXPECT_TRUE(AttrList.empty());
    GetAttrList("TBODY");
    EXPECT_EQ(GetAttrList("MARQUEE"), 0);
    EXPECT_TRUE(AttrList.empty());

    ASSERT_EQ(GetAttrList("IMG"), 42);
    EXPECT_EQ(AttrList[0], (AttrEntry{"border-color", 1, 0, 1, 3}));
}
