#pragma once
// The rule commands of the main window: adding a rule composed in the selector chooser,
// adding a class rule from the new-class dialog, deleting the selected rule. The window's
// handlers cssBasicExecute, cssClassExecute and DelItemExecute delegate here.
//
// A new rule goes last into the document, its Name and CssClass derived from its selector as
// the reader derives them, so that it looks the same after a save and reload. A selector that
// a rule has already adds nothing. After a change the pane follows the rules as every change
// does (RefreshPreview asks before it drops hand edits in the pane).
namespace pavik {

class TfrmMain;
struct TData2;

class RuleCommands {
public:
    // Connects the window's cssBasic, cssClass and DelItem actions to their handlers.
    explicit RuleCommands(TfrmMain& window);

    // Runs the selector chooser; after OK, adds the rule it composed. The new rule becomes the
    // selected rule; the preview and the pane follow while automatic refresh is on.
    void cssBasicExecute();
    // Runs the new-class dialog; after OK, adds the class rule "." + name (no element, no
    // support information, the class group) as cssBasicExecute adds its rule.
    void cssClassExecute();
    // Deletes the rule highlighted in the rule tree with its declarations, then rebuilds the
    // preview and the pane. Nothing while the tree highlights no rule (a base or group node).
    void DelItemExecute();

private:
    // Adds `rule` as the last rule, rebuilds the rule tree and selects the new rule.
    void addRule(TData2 rule);

    TfrmMain& w_;
};

}  // namespace pavik
