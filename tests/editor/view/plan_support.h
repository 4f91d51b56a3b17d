#pragma once
// Fixtures for paint-plan tests: an editor core with chosen rows and fixed metrics
// (text height 12: cell pitch 6, row height 14).
#include <string>
#include <vector>

#include "editor/editor_core.h"
#include "editor/view/paint_metrics.h"
#include "editor/view/paint_planner.h"

namespace pavik::test {

// Replaces the text with exactly these rows (CR bytes included as given).
void setRows(EditorCore& core, const std::vector<std::string>& rows);
void setIndent(EditorCore& core, int row, int indent);

// "Kind bytes@col" per run, with "*" after the kind when selected.
std::vector<std::string> describe(const std::vector<PaintRun>& runs);

struct PlanFixture {
    EditorCore core;
    PaintSettings settings;
    PaintMetrics metrics;
    CharSet dependence{kDefaultDependenceChar};

    PlanFixture();
    // Metrics again after the settings changed.
    void remeasure(int textHeight = 12, int charPich = 0, int leftMgn = 0);
    RowPlan plan(int row) const;
    PaintPlanner planner() const { return PaintPlanner(core, settings, metrics); }
    PaintRect client() const { return {0, 0, metrics.textArea.right, metrics.textArea.bottom}; }
};

}  // namespace pavik::test
