#pragma once
// The box model command of the main window: runs the box model editor over the selected
// rule and stores what the user changed in it (box_write_back.h decides what is stored).
#include <functional>

namespace pavik {

class TdlgBoxEdit;
class TfrmMain;

class BoxEditCommand {
public:
    // Connects the window's EditBox action to EditBoxExecute.
    explicit BoxEditCommand(TfrmMain& window);

    // EditBoxExecute: nothing while no rule is selected. After OK the changed rows are
    // stored, the property tree marks each box property the rule now sets, and when anything
    // was stored the style sheet becomes unsaved and the preview is rebuilt (automatic
    // refresh on). Cancel, or OK without a change, leaves everything as it was.
    void execute();

    // Runs the dialog modally and returns its result; tests replace it to play the user.
    std::function<int(TdlgBoxEdit&)> runDialog;

private:
    TfrmMain& w_;
};

}  // namespace pavik
