#pragma once
// The rule commands of the main window: adding a rule composed in the selector chooser,
// adding a class rule, deleting the selected rule. The window's handlers cssBasicExecute,
// cssClassExecute and DelItemExecute delegate here.
#include <QString>

class QTreeWidgetItem;

namespace pavik {

class TfrmMain;
struct CssRuleNode;
struct TData2;

class RuleCommands {
public:
    // Connects the window's cssBasic and DelItem actions to their handlers.
    explicit RuleCommands(TfrmMain& window);

    // Runs the selector chooser; after OK, adds the rule it composed unless a rule with that
    // selector exists already (then nothing happens). The new rule becomes the selected rule
    // and the preview follows it (automatic refresh on).
    void cssBasicExecute();
    // Deletes the rule last clicked in the rule tree with its declarations, then regenerates
    // the preview and the style sheet pane. Nothing while no rule is selected.
    void DelItemExecute();

private:
    // Adds `rule` as the last rule, rebuilds the rule tree and selects the new rule.
    void addRule(TData2 rule);

    TfrmMain& w_;
};

}  // namespace pavik
