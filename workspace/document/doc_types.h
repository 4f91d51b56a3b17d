#pragma once
// The document types offered for preview pages: the items of the document-type combo box
// and the first line each one gives a page.
#include <array>
#include <string>
#include <string_view>

namespace pavik {

struct DocTypeItem {
    std::string_view Caption;  // UTF-8
    int ImageIndex;            // image beside the caption in the combo box
    std::string_view Rest;     // what follows DoctypeHead: public identifier end, system identifier
    bool WithXmlDeclaration;
};

inline constexpr int DocTypeCount = 15;
extern const std::array<DocTypeItem, DocTypeCount> DocTypeItems;

// The document-type line of an item (no line end); empty for item 0 and for an index
// outside the table.
std::string docTypeLine(int index);

}  // namespace pavik
