#include "vocabulary/element_tables.h"

#include <stdexcept>

namespace pavik {

namespace {

struct AllRow {
    std::string_view name;
    std::uint8_t category, ie, ns4, ns6;
};

// Every property with its category and general support levels, by property number.
constexpr std::array<AllRow, AttrCount> kAll = {{
    {"color", 0, 1, 1, 1},
    {"text-align", 0, 1, 1, 1},
    {"text-justify", 0, 1, 0, 0},
    {"text-indent", 0, 1, 1, 1},
    {"vertical-align", 0, 1, 0, 1},
    {"text-transform", 0, 1, 0, 1},
    {"letter-spacing", 0, 1, 0, 1},
    {"word-spacing", 0, 0, 0, 1},
    {"text-decoration", 0, 1, 1, 1},
    {"white-space", 0, 1, 0, 1},
    {"line-break", 0, 1, 0, 0},
    {"word-break", 0, 1, 0, 0},
    {"word-wrap", 0, 1, 0, 0},
    {"writing-mode", 0, 1, 0, 0},
    {"text-underline-position", 0, 1, 0, 0},
    {"layout-grid-type", 0, 1, 0, 0},
    {"layout-grid-line", 0, 1, 0, 0},
    {"layout-grid-char", 0, 1, 0, 0},
    {"layout-grid-mode", 0, 1, 0, 0},
    {"font-family", 1, 1, 1, 1},
    {"font-size", 1, 1, 1, 1},
    {"font-weight", 1, 1, 1, 1},
    {"line-height", 1, 1, 1, 1},
    {"font-style", 1, 1, 0, 1},
    {"font-variant", 1, 1, 0, 1},
    {"background-color", 2, 1, 1, 1},
    {"background-image", 2, 1, 1, 1},
    {"background-repeat", 2, 1, 1, 1},
    {"background-position", 2, 1, 0, 1},
    {"background-attachment", 2, 1, 0, 1},
    {"background-position-x", 2, 1, 0, 0},
    {"background-position-y", 2, 1, 0, 0},
    {"border-color", 3, 1, 1, 1},
    {"border-top-color", 3, 1, 0, 1},
    {"border-right-color", 3, 1, 0, 1},
    {"border-bottom-color", 3, 1, 0, 1},
    {"border-left-color", 3, 1, 0, 1},
    {"border-style", 3, 1, 1, 1},
    {"border-top-style", 3, 1, 0, 1},
    {"border-right-style", 3, 1, 0, 1},
    {"border-bottom-style", 3, 1, 0, 1},
    {"border-left-style", 3, 1, 0, 1},
    {"border-width", 3, 1, 1, 1},
    {"border-top-width", 3, 1, 1, 1},
    {"border-right-width", 3, 1, 1, 1},
    {"border-bottom-width", 3, 1, 1, 1},
    {"border-left-width", 3, 1, 1, 1},
    {"margin", 3, 1, 1, 1},
    {"margin-top", 3, 1, 1, 1},
    {"margin-right", 3, 1, 1, 1},
    {"margin-bottom", 3, 1, 1, 1},
    {"margin-left", 3, 1, 1, 1},
    {"padding", 3, 1, 1, 1},
    {"padding-top", 3, 1, 1, 1},
    {"padding-right", 3, 1, 1, 1},
    {"padding-bottom", 3, 1, 1, 1},
    {"padding-left", 3, 1, 1, 1},
    {"height", 3, 1, 0, 1},
    {"width", 3, 1, 1, 1},
    {"overflow", 3, 1, 0, 1},
    {"overflow-x", 3, 1, 0, 0},
    {"overflow-y", 3, 1, 0, 0},
    {"scrollbar-base-color", 3, 1, 0, 0},
    {"scrollbar-face-color", 3, 1, 0, 0},
    {"scrollbar-arrow-color", 3, 1, 0, 0},
    {"scrollbar-highlight-color", 3, 1, 0, 0},
    {"scrollbar-3dlight-color", 3, 1, 0, 0},
    {"scrollbar-shadow-color", 3, 1, 0, 0},
    {"scrollbar-darkshadow-color", 3, 1, 0, 0},
    {"scrollbar-track-color", 3, 1, 0, 0},
    {"position", 4, 1, 1, 1},
    {"top", 4, 1, 1, 1},
    {"bottom", 4, 1, 0, 1},
    {"left", 4, 1, 1, 1},
    {"right", 4, 1, 0, 1},
    {"z-index", 4, 1, 1, 1},
    {"display", 4, 1, 1, 1},
    {"visibility", 4, 1, 0, 1},
    {"float", 4, 1, 1, 1},
    {"clear", 4, 1, 1, 1},
    {"clip", 4, 1, 0, 1},
    {"zoom", 4, 1, 0, 0},
    {"list-style-type", 5, 1, 1, 1},
    {"list-style-image", 5, 1, 0, 1},
    {"list-style-position", 5, 1, 0, 1},
    {"table-layout", 6, 1, 0, 0},
    {"border-collapse", 6, 1, 0, 0},
    {"border-spacing", 6, 0, 0, 1},
    {"empty-cells", 6, 0, 0, 1},
    {"caption-side", 6, 0, 0, 1},
    {"filter", 7, 1, 0, 0},
    {"content", 8, 0, 0, 1},
    {"quotes", 8, 0, 0, 1},
    {"cursor", 8, 1, 0, 1},
}};

// clang-format off
constexpr std::array<AttrGroupDef, AttrGroupCount> kGroups = {{
    {"DIV", 84, "0-3, 5-28, 30-81, 90-93", "71=101 72=111 73=101 74=111 76=101 77=111 79=101 80=100", "81=7"},
    {"SPAN", 57, "0, 4-9, 12-14, 19-27, 32-47, 49-56, 70-78, 81, 90-93", "22=101 23=111 47=222 49=121 50=020 51=121 52=121 53=101 54=121 55=121 56=121"},
    {"BODY", 76, "0-3, 5-12, 15-59, 62-74, 76-77, 81, 91-93", "23=111 43=101 44=101 45=101 46=101 57=001 58=011 59=001 70=011 71=011 72=001 73=011 74=001"},
    {"ADDRESS", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "23=111"},
    {"H1 H2 H3 H4 H5 H6", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "23=111"},
    {"P", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "23=111"},
    {"PRE", 71, "0-1, 3, 6-8, 12-28, 30-61, 70-81, 90-93", "23=111"},
    {"BLOCKQUOTE", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "23=111"},
    {"Q", 55, "0, 4-8, 12-14, 19-27, 32-47, 49, 51-56, 70-78, 81, 90-93", "0=101 8=101 19=101 21=101 22=101 25=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=202 49=101 51=101 52=101 53=101 54=101 55=101 56=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"CITE STRONG", 57, "0, 4-8, 12-14, 19-27, 32-56, 70-78, 81, 90-93", "23=111 47=212 48=010 50=011"},
    {"SUB SUP", 55, "0, 5-8, 12-14, 19-27, 32-47, 49-56, 70-78, 81, 90-93", "23=111 47=222 49=120 50=020 51=121 52=121 53=101 54=121 55=121 56=121"},
    {"VAR SAMP CODE", 57, "0, 4-8, 12-14, 19-27, 32-56, 70-78, 81, 90-93", "23=111 47=222 48=010 49=121 50=020 51=121 52=121 54=121 55=121 56=121"},
    {"ABBR", 50, "0, 4-8, 19-27, 32-47, 49, 51-56, 70-78, 91-93", "0=001 4=001 5=001 6=001 8=001 19=001 20=001 21=001 22=001 23=001 24=001 25=001 26=001 27=001 32=001 33=001 34=001 35=001 36=001 37=001 38=001 39=001 40=001 41=001 42=001 43=001 44=001 45=001 46=001 47=002 49=001 51=001 52=001 53=001 54=001 55=001 56=001 70=001 71=001 72=001 73=001 74=001 75=001 76=001 77=001 78=001 93=001"},
    {"ACRONYM", 55, "0, 4-8, 12-14, 19-27, 32-47, 49, 51-56, 70-78, 81, 90-93", "0=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=202 49=101 51=101 52=101 53=101 54=101 55=101 56=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"INS DEL", 55, "0, 4-8, 12-14, 19-27, 32-47, 49, 51-56, 70-78, 81, 90-93", "0=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=202 49=101 51=101 52=101 53=101 54=101 55=101 56=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"FONT", 51, "0, 4-8, 12-14, 25-27, 32-56, 70-78, 81, 90-93", "47=222 48=010 49=121 50=020 51=121 52=121 53=110 54=120 55=121 56=121"},
    {"CENTER", 75, "0, 2-3, 5-28, 30-61, 70-81, 90-93", "23=111 32=101 37=101"},
    {"HR", 51, "0-1, 13, 25-28, 30-52, 54-58, 70-81, 90-93", "0=100 1=110 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 48=101 52=122 54=010 55=010 56=010 70=101 71=101 73=101 75=001 78=001 79=110"},
    {"B I S STRIKE TT U BIG SMALL", 56, "0, 4-7, 12-14, 19-27, 32-56, 70-78, 81, 90-93", "23=111 47=222 48=010 49=121 50=020 51=121 52=121 54=121 55=121 56=121"},
    {"UL OL", 79, "0-3, 5-28, 30-61, 70-84, 90-93", "3=101 23=111"},
    {"LI", 79, "0-3, 5-28, 30-61, 70-84, 90-93", "1=101 3=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 49=101 51=101 52=121 54=101 56=101 58=101 70=101 71=101 73=101 75=101 76=101 78=101 82=121"},
    {"DL", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "3=101 23=111"},
    {"DT", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "0=101 3=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 48=101 49=101 51=101 52=121 54=101 56=101 58=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"DD", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "0=101 1=101 3=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 48=101 49=101 51=101 52=121 53=101 54=101 56=101 58=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"A", 57, "0, 4-8, 12-14, 19-27, 32-56, 70-78, 81, 90-93", "23=111 26=121 27=121 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=222 48=010 49=121 50=010 51=121 52=121 54=121 55=121 56=121"},
    {"FORM", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "23=111 25=101 59=100 71=121 73=121 75=121"},
    {"INPUT", 66, "0, 4-8, 13-14, 19-28, 30-61, 70-78, 80-81, 90-93", "0=101 21=101 23=111 25=121 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=121 49=101 50=121 51=121 52=121 54=101 55=121 56=121 58=101 59=100 70=101 71=101 73=101 75=101", {}, "8=100"},
    {"TEXTAREA", 76, "0, 4-8, 12-14, 19-78, 80-81, 90-93", "0=101 8=101 19=101 20=101 21=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 49=101 50=101 51=101 52=101 53=101 54=101 55=101 56=101 58=101 70=101 71=101 73=101 75=101 76=101 78=101", {}, "8=100"},
    {"SELECT", 60, "0, 4-8, 19-28, 32-59, 61, 70-78, 80-81, 90-93", "0=101 6=001 8=101 19=101 20=101 21=101 22=001 25=101 26=001 27=101 28=001 32=001 33=001 34=001 35=001 36=001 37=001 38=001 39=001 40=001 41=001 42=001 43=001 44=001 45=001 46=001 47=121 49=101 50=101 51=101 52=001 53=001 54=001 55=001 56=001 58=101 59=001 71=121 73=121 75=101 78=101 93=001"},
    {"OPTION", 54, "0, 5-8, 19-28, 32-58, 70-77, 90-93", "0=101 6=001 8=001 19=001 20=001 21=001 22=001 23=001 25=101 26=001 27=101 28=001 32=001 33=001 34=001 35=001 36=001 37=001 38=001 39=001 40=001 41=001 42=001 43=001 44=001 45=001 46=001 47=001 49=001 50=001 51=101 52=001 53=001 54=001 55=001 56=001 57=001 58=001 70=001 71=002 72=002 73=002 74=002 75=001 76=011 77=001 93=001"},
    {"BUTTON", 59, "0, 4-8, 13-14, 19-28, 30-56, 70-78, 81, 90-93", "0=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=101 48=101 49=101 50=101 51=101 52=101 53=101 54=101 55=101 56=101 70=101 71=101 73=101 75=101 76=101 78=101"},
    {"FIELDSET", 76, "0-3, 5-28, 30-61, 70-81, 90-93", "0=101 1=101 3=101 8=101 19=101 20=101 21=101 22=001 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=101 48=101 49=101 50=101 51=101 52=101 53=100 54=101 55=101 56=101 58=101 59=100 70=101 71=101 73=101 75=101 76=101 78=101 79=110"},
    {"LEGEND", 55, "0, 5-8, 13-14, 19-27, 32-56, 70-78, 81, 90-93", "0=101 8=101 19=101 20=101 21=101 22=101 25=101 26=101 27=101 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=101 48=101 49=001 50=101 51=101 52=101 53=101 54=101 55=101 56=101 70=100 71=100 72=100 73=100 74=100 75=100 76=101 78=001"},
    {"TABLE", 70, "0, 3, 5-11, 15-28, 30-58, 70-81, 85-88, 90, 93", "0=100 8=100 9=001 19=101 20=100 21=100 22=101 23=100 24=100 26=101 27=100 28=100 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=121 49=100 50=101 51=101 52=001 53=011 54=011 55=011 56=011 58=101 70=101 71=101 72=102 73=101 74=102 75=101 78=101 80=100"},
    {"TD TH", 69, "0-1, 3-11, 13-28, 30-48, 50, 52-58, 70-77, 80-81, 88, 90-93", "4=111 23=111 32=101 37=101 42=101 43=101 44=101 45=101 46=101 47=020 48=010 50=010 54=101 56=101 58=101 70=110 71=110 72=100 73=110 74=100 75=100 80=100"},
    {"TR", 43, "0-1, 3-11, 15-28, 30-31, 47-48, 52-53, 57, 70-77, 79, 81, 93", "0=100 1=101 3=101 8=101 9=001 19=101 20=101 21=101 22=101 26=101 27=100 28=100 47=020 48=010 52=020 53=020 70=110 71=110 72=100 73=110 74=100 75=100 79=010"},
    {"TBODY THEAD TFOOT", 34, "0-1, 3-11, 15-28, 30-31, 57, 59, 76-77, 81, 88, 93", "0=100 1=101 3=101 8=101 9=001 19=101 20=101 21=101 22=101 25=101 26=101 27=100 28=100 57=100 59=001 76=101"},
    {"COLGROUP", 35, "0-1, 3-6, 8-11, 15-28, 30-31, 52-56, 58, 76, 81, 93", "0=100 1=100 3=100 4=100 5=100 6=100 8=100 9=100 19=100 20=100 21=100 22=100 23=100 24=100 25=100 26=100 27=100 28=100 52=100 53=100 54=100 55=100 56=100 58=101 76=100 93=100"},
    {"COL", 36, "0-1, 3-6, 8-11, 15-28, 30-31, 52-56, 58, 76-77, 81, 93", "0=100 1=100 3=100 4=100 5=100 6=100 8=100 9=100 19=100 20=100 21=100 22=100 23=100 24=100 25=100 26=100 27=100 28=100 52=100 53=100 54=100 55=100 56=100 58=101 76=100 77=100 93=100"},
    {"CAPTION", 60, "0-1, 3, 5-9, 13-14, 19-28, 30-48, 50-58, 70-71, 73, 75-77, 81, 89-93", "22=101 23=111 47=001 48=011 50=011 51=011 54=101 56=101 57=001 58=001 71=010 73=010 75=010"},
    {"IMG", 42, "32-58, 70-78, 80-81, 90-93", "32=101 37=101 42=101 43=101 44=101 45=101 46=101 49=121 50=121 51=121 52=021 53=001 54=021 55=021 56=021 58=101 70=101 71=101 73=101 75=101"},
}};
// clang-format on

// --- Compile-time expansion of the group definitions. A malformed definition reaches the
// throw below during constant evaluation, which stops the build.

constexpr void malformed(bool really = true) {
    if (really) throw std::logic_error("malformed element group definition");
}

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int readNumber(std::string_view s, size_t& i) {
    if (i >= s.size() || !isDigit(s[i])) malformed();
    int v = 0;
    while (i < s.size() && isDigit(s[i])) v = v * 10 + (s[i++] - '0');
    return v;
}

constexpr void skipBlanks(std::string_view s, size_t& i) {
    while (i < s.size() && s[i] == ' ') ++i;
}

constexpr std::uint8_t level(char c) {
    if (c < '0' || c > '2') malformed();
    return static_cast<std::uint8_t>(c - '0');
}

constexpr std::array<bool, AttrCount> parseRanges(std::string_view s) {
    std::array<bool, AttrCount> flags{};
    int previous = -1;
    size_t i = 0;
    while (true) {
        skipBlanks(s, i);
        if (i >= s.size()) break;
        int first = readNumber(s, i), last = first;
        if (i < s.size() && s[i] == '-') last = readNumber(s, ++i);
        if (first <= previous || last < first || last >= AttrCount) malformed();
        for (int p = first; p <= last; ++p) flags[p] = true;
        previous = last;
        if (i < s.size() && s[i] == ',') ++i;
    }
    return flags;
}

// Items "p=d" (one digit) or "p=ddd" (three digits), separated by blanks.
struct Item {
    int property;
    char digits[3];
};

template <typename F>
constexpr void forEachItem(std::string_view s, int digitCount, F&& f) {
    size_t i = 0;
    while (true) {
        skipBlanks(s, i);
        if (i >= s.size()) break;
        Item item{readNumber(s, i), {}};
        if (i + 1 + digitCount > s.size() || s[i] != '=') malformed();
        ++i;
        for (int d = 0; d < digitCount; ++d) {
            if (!isDigit(s[i])) malformed();
            item.digits[d] = s[i++];
        }
        if (i < s.size() && s[i] != ' ') malformed();
        f(item);
    }
}

constexpr AttrGroupTable expand(const AttrGroupDef& def) {
    AttrGroupTable t;
    t.applies = parseRanges(def.applicable);
    t.n = def.n;
    if (def.n < 0 || def.n > AttrCount + 1) malformed();

    // Per property first, then packed into entry order.
    std::array<AttrGroupTable::Entry, AttrCount> perProperty{};
    for (int p = 0; p < AttrCount; ++p)
        perProperty[p] = {kAll[p].category, kAll[p].ie, kAll[p].ns4, kAll[p].ns6};
    forEachItem(def.levels, 3, [&](const Item& it) {
        if (it.property >= AttrCount || !t.applies[it.property]) malformed();
        auto& e = perProperty[it.property];
        e.ie = level(it.digits[0]);
        e.ns4 = level(it.digits[1]);
        e.ns6 = level(it.digits[2]);
    });
    forEachItem(def.categories, 1, [&](const Item& it) {
        if (it.property >= AttrCount || !t.applies[it.property] || it.digits[0] - '0' >= CategoryCount)
            malformed();
        perProperty[it.property].category = static_cast<std::uint8_t>(it.digits[0] - '0');
    });

    int k = 0;
    for (int p = 0; p < AttrCount && k < def.n; ++p)
        if (t.applies[p]) t.entries[k++] = perProperty[p];
    if (!def.unnamedEntry.empty() && k < def.n) {
        // "c=ddd": category c, levels ddd.
        forEachItem(def.unnamedEntry, 3, [&](const Item& it) {
            if (it.property >= CategoryCount) malformed();
            t.entries[k] = {static_cast<std::uint8_t>(it.property), level(it.digits[0]),
                            level(it.digits[1]), level(it.digits[2])};
        });
    }
    return t;
}

constexpr std::array<AttrGroupTable, AttrGroupCount> expandAll() {
    std::array<AttrGroupTable, AttrGroupCount> all{};
    for (int g = 0; g < AttrGroupCount; ++g) all[g] = expand(kGroups[g]);
    return all;
}

constexpr std::array<AttrGroupTable, AttrGroupCount> kTables = expandAll();

constexpr std::array<std::string_view, TagCount> kTagNames = {
    "DIV", "SPAN", "BODY", "ADDRESS", "H1", "H2", "H3", "H4", "H5", "H6", "P",
    "PRE", "BLOCKQUOTE", "Q", "CITE", "STRONG", "SUB", "SUP", "VAR", "SAMP", "CODE", "ABBR",
    "ACRONYM", "INS", "DEL", "FONT", "CENTER", "HR", "B", "I", "S", "STRIKE", "TT",
    "U", "BIG", "SMALL", "UL", "OL", "LI", "DL", "DT", "DD", "A", "FORM",
    "INPUT", "TEXTAREA", "SELECT", "OPTION", "BUTTON", "FIELDSET", "LEGEND", "TABLE", "TD", "TH", "TR",
    "TBODY", "THEAD", "TFOOT", "COLGROUP", "COL", "CAPTION", "IMG",
};

constexpr bool listsWord(std::string_view list, std::string_view word) {
    size_t i = 0;
    while (i < list.size()) {
        size_t end = list.find(' ', i);
        if (end == std::string_view::npos) end = list.size();
        if (list.substr(i, end - i) == word) return true;
        i = end + 1;
    }
    return false;
}

constexpr std::array<int, TagCount> groupsOfTags() {
    std::array<int, TagCount> groups{};
    for (int t = 0; t < TagCount; ++t) {
        groups[t] = -1;
        for (int g = 0; g < AttrGroupCount && groups[t] < 0; ++g)
            if (listsWord(kGroups[g].elements, kTagNames[t])) groups[t] = g;
    }
    return groups;
}

constexpr std::array<int, TagCount> kTagGroup = groupsOfTags();

constexpr std::array<std::string_view, AttrCount> attrNames() {
    std::array<std::string_view, AttrCount> names{};
    for (int p = 0; p < AttrCount; ++p) names[p] = kAll[p].name;
    return names;
}

}  // namespace

const std::array<std::string_view, TagCount> TagNames = kTagNames;
const std::array<std::string_view, AttrCount> AttrNames = attrNames();
const std::array<std::string_view, CategoryCount> CategoryNames = {
    "テキスト", "フォント", "背景", "ボックス", "位置", "リスト", "テーブル", "フィルタ", "その他",
};
const std::array<AttrGroupDef, AttrGroupCount> AttrGroups = kGroups;

std::vector<AttrEntry> AttrList;

int tagIndex(std::string_view name) {
    for (int i = 0; i < TagCount; ++i)
        if (kTagNames[i] == name) return i;
    return -1;
}

int attrIndex(std::string_view name) {
    for (int i = 0; i < AttrCount; ++i)
        if (kAll[i].name == name) return i;
    return -1;
}

AttrEntry allPropertiesRow(int index) {
    const AllRow& r = kAll.at(static_cast<size_t>(index));
    return {std::string(r.name), r.ie, r.ns4, r.ns6, r.category};
}

const AttrGroupTable& attrGroupTable(int group) { return kTables.at(static_cast<size_t>(group)); }

int elementGroup(std::string_view elementName) {
    int t = tagIndex(elementName);
    return t < 0 ? -1 : kTagGroup[t];
}

std::vector<AttrEntry> attrListFor(std::string_view elementName) {
    std::vector<AttrEntry> list;
    if (elementName.empty()) {
        list.reserve(AttrCount);
        for (int p = 0; p < AttrCount; ++p) list.push_back(allPropertiesRow(p));
        return list;
    }
    int group = elementGroup(elementName);
    if (group < 0) return list;
    const AttrGroupTable& t = kTables[group];
    list.resize(static_cast<size_t>(t.n));
    for (int k = 0; k < t.n; ++k) {
        const auto& e = t.entries[k];
        list[k].ie = e.ie;
        list[k].ns4 = e.ns4;
        list[k].ns6 = e.ns6;
        list[k].category = e.category;
    }
    // Names go to the applicable properties in property-number order; an entry past them
    // keeps its empty name.
    size_t k = 0;
    for (int p = 0; p < AttrCount && k < list.size(); ++p)
        if (t.applies[p]) list[k++].name = kAll[p].name;
    return list;
}

int GetAttrList(std::string_view elementName) {
    AttrList = attrListFor(elementName);
    return static_cast<int>(AttrList.size());
}

}  // namespace pavik
