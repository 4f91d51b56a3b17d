#include "editor/display_text.h"

#include <algorithm>

namespace pavik {

int expandedWidth(std::string_view text, int tabSize) {
    int w = 0;
    for (char c : text) w += c == '\t' ? tabWidthAt(w, tabSize) : 1;
    return w;
}

int charIndexToCol(std::string_view text, int indent, int tabSize, int index) {
    index = std::clamp(index, 0, static_cast<int>(text.size()));
    return std::max(indent, 0) + expandedWidth(text.substr(0, static_cast<size_t>(index)), tabSize);
}

int colToCharIndex(std::string_view text, int indent, int tabSize, int col) {
    indent = std::max(indent, 0);
    if (col < indent) return col - indent;
    int rel = col - indent;
    int w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int cw = text[i] == '\t' ? tabWidthAt(w, tabSize) : 1;
        if (w + cw > rel) return static_cast<int>(i);
        w += cw;
    }
    return static_cast<int>(text.size());
}

std::string tabsToSpaces(std::string_view text, int tabSize) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t')
            out.append(static_cast<size_t>(tabWidthAt(static_cast<int>(out.size()), tabSize)), ' ');
        else
            out.push_back(c);
    }
    return out;
}

DisplayLine buildDisplayLine(std::string_view text, int indent, int tabSize) {
    DisplayLine d;
    indent = std::max(indent, 0);
    d.cells.assign(static_cast<size_t>(indent), ' ');
    d.kinds.assign(static_cast<size_t>(indent), CellKind::Indent);
    int w = 0;
    for (char c : text) {
        if (c == '\t') {
            int n = tabWidthAt(w, tabSize);
            d.cells.append(static_cast<size_t>(n - 1), ' ');
            d.kinds.insert(d.kinds.end(), static_cast<size_t>(n - 1), CellKind::TabFill);
            d.cells.push_back('\t');
            d.kinds.push_back(CellKind::TabEnd);
            w += n;
        } else {
            d.cells.push_back(c);
            d.kinds.push_back(CellKind::Text);
            ++w;
        }
    }
    return d;
}

}  // namespace pavik
