#include "workspace/document/doc_types.h"

#include "vocabulary/fixed_texts.h"

namespace pavik {

// Public and system identifiers exactly as the W3C publishes them.
const std::array<DocTypeItem, DocTypeCount> DocTypeItems = {{
    {"!DOCTYPE 指定無し", 0, "", false},
    {"HTML 4.0 Strict", 1, "HTML 4.0//EN\">", false},
    {"HTML 4.0 Strict", 2, "HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">", false},
    {"HTML 4.0 Transitional", 1, "HTML 4.0 Transitional//EN\">", false},
    {"HTML 4.0 Transitional", 2,
     "HTML 4.0 Transitional//EN\" \"http://www.w3.org/TR/REC-html40/loose.dtd\">", false},
    {"HTML 4.1 Strict", 1, "HTML 4.01//EN\">", false},
    {"HTML 4.1 Strict", 2, "HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">", false},
    {"HTML 4.1 Transitional", 1, "HTML 4.01 Transitional//EN\">", false},
    {"HTML 4.1 Transitional", 2,
     "HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">", false},
    {"XHTML 1.0 Strict", 1,
     "XHTML 1.0 Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">", false},
    {"XHTML 1.0 Strict", 2,
     "XHTML 1.0 Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">", true},
    {"XHTML 1.0 Transitional", 1,
     "XHTML 1.0 Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
     false},
    {"XHTML 1.0 Transitional", 2,
     "XHTML 1.0 Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
     true},
    {"XHTML 1.1", 1, "XHTML 1.1//EN\" \"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">", false},
    {"XHTML 1.1", 2, "XHTML 1.1//EN\" \"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">", true},
}};

std::string docTypeLine(int index) {
    if (index <= 0 || index >= DocTypeCount) return {};
    const DocTypeItem& item = DocTypeItems[index];
    return doctypeLineStart(item.WithXmlDeclaration) + std::string(item.Rest);
}

}  // namespace pavik
