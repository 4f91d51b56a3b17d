#include "plan_support.h"

namespace pavik::test {

void setRows(EditorCore& core, const std::vector<std::string>& rows) {
    core.Clear();
    core.ChangeRow(0, rows.empty() ? std::string() : rows[0], true);
    for (size_t i = 1; i < rows.size(); ++i)
        core.AddRow(rows[i], core.DefaultRowAttr(false, 0, core.DefWrapPos()));
}

void setIndent(EditorCore& core, int row, int indent) {
    TRowAttr a = core.RowAttr(row);
    a.indent = static_cast<std::int16_t>(indent);
    core.ChangeRowAttr(row, a);
}

std::vector<std::string> describe(const std::vector<PaintRun>& runs) {
    static const char* names[] = {"Text", "Mark", "ParaEnd", "Fold", "EndOfText", "Special", "Keyword"};
    std::vector<std::string> out;
    for (const PaintRun& r : runs) {
        std::string s = names[static_cast<int>(r.kind)];
        if (r.selected) s += "*";
        s += " " + r.bytes + "@" + std::to_string(r.col);
        out.push_back(s);
    }
    return out;
}

PlanFixture::PlanFixture() {
    settings.dependence = &dependence;
    remeasure();
}

void PlanFixture::remeasure(int textHeight, int charPich, int leftMgn) {
    MetricsInput in;
    in.textHeight = textHeight;
    in.charPich = charPich;
    in.leftMgn = leftMgn;
    in.viewOpt = settings.viewOpt;
    in.rowDspFmt = settings.rowDspFmt;
    in.clientWidth = 600;
    in.clientHeight = 300;
    metrics = computeMetrics(in);
    core.VisibleRows = metrics.visibleRows;
    core.VisibleCols = metrics.visibleCols;
}

RowPlan PlanFixture::plan(int row) const { return planner().planRow(row, client()); }

}  // namespace pavik::test
