#include "support.h"

namespace pavik::test {

void EventLog::attach(EditorCore& e, bool withChange) {
    e.OnLineInsert = [this](EditorCore&, int i, std::string& s) {
        lines.push_back("insert " + std::to_string(i) + " " + s);
    };
    e.OnLineDelete = [this](EditorCore&, int i) { lines.push_back("delete " + std::to_string(i)); };
    e.OnUndoChange = [this](EditorCore&, bool u, bool r) {
        lines.push_back(std::string("undo ") + (u ? "T" : "F") + (r ? "T" : "F"));
    };
    if (withChange) e.OnChange = [this](EditorCore&) { lines.push_back("change"); };
}

std::vector<std::string> EventLog::undoChanges() const {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (l.rfind("undo ", 0) == 0) out.push_back(l.substr(5));
    return out;
}

std::vector<std::string> rowsOf(const EditorCore& e) {
    std::vector<std::string> rows;
    for (int i = 0; i < e.RowCount(); ++i) rows.push_back(e.RowText(i));
    return rows;
}

std::string joinedRows(const EditorCore& e) {
    std::string s;
    for (int i = 0; i < e.RowCount(); ++i) s += e.RowText(i);
    return s;
}

void load(EditorCore& e, std::string_view text, int wrap) {
    e.SetDefWrapPos(wrap);
    e.SetText(text);
}

std::string repeat(std::string_view unit, size_t n) {
    std::string s;
    s.reserve(unit.size() * n);
    for (size_t i = 0; i < n; ++i) s += unit;
    return s;
}

}  // namespace pavik::test
