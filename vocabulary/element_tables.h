#pragma once
// The HTML elements and CSS properties the editor knows, which properties apply to each
// element, their category and their support levels in three browsers.
//
// Support levels are always given in the order IE 5.5, Netscape 4, Netscape 6:
// 0 not supported, 1 supported, 2 partly supported (3, no information, never occurs here).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pavik {

inline constexpr int TagCount = 62;
inline constexpr int AttrCount = 94;
inline constexpr int CategoryCount = 9;
inline constexpr int AttrGroupCount = 41;

// Element names, upper case.
extern const std::array<std::string_view, TagCount> TagNames;
// Property names, lower case. The index is the property number, which other code
// addresses directly (37 "border-style", 42 "border-width", 47 "margin", 52 "padding" ...).
extern const std::array<std::string_view, AttrCount> AttrNames;
// Category captions (UTF-8), by category number 0..8.
extern const std::array<std::string_view, CategoryCount> CategoryNames;

// Fixed property numbers used outside the tables.
inline constexpr int AttrBackgroundImage = 26;
inline constexpr int AttrBorderStyle = 37;
inline constexpr int AttrBorderWidth = 42;
inline constexpr int AttrMargin = 47;
inline constexpr int AttrPadding = 52;
inline constexpr int AttrPaddingLeft = 56;

struct AttrEntry {
    std::string name;  // empty for the extra entry of INPUT and TEXTAREA
    int ie = 0, ns4 = 0, ns6 = 0;
    int category = 0;
    bool operator==(const AttrEntry&) const = default;
};

// Result of the last GetAttrList call; replaced whole by every call.
extern std::vector<AttrEntry> AttrList;

// Fills AttrList with the properties that apply to an element and returns their count.
// The name is compared exactly (upper case); an empty name asks for all 94 properties;
// any other unknown name yields 0 and an empty list.
int GetAttrList(std::string_view elementName);

// The same result without touching AttrList.
std::vector<AttrEntry> attrListFor(std::string_view elementName);

// Position in TagNames / AttrNames (exact, case-sensitive), or -1.
int tagIndex(std::string_view name);
int attrIndex(std::string_view name);

// A property's category and general support levels (the all-properties row).
// index must be in 0..AttrCount-1.
AttrEntry allPropertiesRow(int index);

// One element group, as defined in the source: the elements it serves (blank-separated),
// its entry count, the applicable property numbers as ranges ("0-3, 5-28"), the entries
// whose levels differ from the all-properties row ("71=101 72=111", IE NS4 NS6 digits),
// entries whose category differs ("81=7"), and an optional last entry that belongs to no
// property ("8=100": category 8, levels 1 0 0).
struct AttrGroupDef {
    std::string_view elements;
    int n;
    std::string_view applicable;
    std::string_view levels;
    std::string_view categories = {};
    std::string_view unnamedEntry = {};
};
extern const std::array<AttrGroupDef, AttrGroupCount> AttrGroups;

// A group expanded: applicability flags and its n entries (names left out).
struct AttrGroupTable {
    struct Entry {
        std::uint8_t category, ie, ns4, ns6;
    };
    std::array<bool, AttrCount> applies{};
    int n = 0;
    std::array<Entry, AttrCount + 1> entries{};
};
const AttrGroupTable& attrGroupTable(int group);  // group 0..AttrGroupCount-1

// Group of an element (0..AttrGroupCount-1), or -1 for a name not in TagNames.
int elementGroup(std::string_view elementName);

}  // namespace pavik
