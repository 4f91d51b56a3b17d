// The main window's action states, decided from the workspace state alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "workspace/window/action_states.h"

namespace pavik::test {
namespace {

// Enabled in every situation.
const std::set<UiItem> kAlways = {UiItem::FileExit, UiItem::FileOpenURL, UiItem::ChangeCSStree, UiItem::ColoPicker,
                                  UiItem::Setting,  UiItem::TBCust,      UiItem::ShowAbout};

// The other enabled items, in UiItem order, blank-separated; "!" before an item of kAlways
// that is not enabled.
std::string enabled(const UiStates& u) {
    std::string out;
    for (std::size_t i = 0; i < UiItemCount; ++i) {
        const auto item = static_cast<UiItem>(i);
        const bool always = kAlways.count(item) > 0;
        if (u[item].enabled == always) continue;
        if (!out.empty()) out += ' ';
        out += std::string(always ? "!" : "") + std::string(uiItemName(item));
    }
    return out;
}

WorkspaceState open() {
    WorkspaceState s;
    s.styleSheetOpen = true;
    return s;
}

TEST(ActionStates, MainSituations) {
    WorkspaceState noFile;

    WorkspaceState selected = open();
    selected.styleSheetPane.hasSelection = true;

    WorkspaceState undo = open();
    undo.styleSheetPane.canUndo = true;
    undo.htmlPane.canRedo = true;

    // A read-only pane only copies, whatever its selection and history allow.
    WorkspaceState readOnly = open();
    readOnly.htmlPane = {.canUndo = true, .canRedo = true, .hasSelection = true, .readOnly = true};

    WorkspaceState extras;
    extras.helpFile = extras.homePage = extras.mailAddress = extras.boxCategory = true;

    const struct {
        const char* what;
        WorkspaceState state;
        std::string expected;
    } cases[] = {
        {"no file", noFile, "EditPaste1 EditPaste2"},
        {"file open", open(), "Refresh AddImportantTag EditPaste1 EditPaste2"},
        {"selection", selected, "Refresh AddImportantTag EditCut1 EditCopy1 EditPaste1 EditPaste2"},
        {"undo and redo", undo, "Refresh AddImportantTag EditPaste1 EditUndo1 EditPaste2 EditRedo2"},
        {"read-only", readOnly, "Refresh AddImportantTag EditPaste1 EditCopy2"},
        {"help, addresses, box", extras, "EditBox mnuHelpView mnuHelpKey GoHomePage ToMail EditPaste1 EditPaste2"},
    };
    for (const auto& c : cases) EXPECT_EQ(enabled(decideUiStates(c.state)), c.expected) << c.what;
}

TEST(ActionStates, PagesFollowTheOpenAndAppliedStyleSheetAndTheUserPage) {
    using enum UiItem;
    UiStates u = decideUiStates(WorkspaceState{});
    EXPECT_FALSE(u[TabSheetSrc].visible);
    EXPECT_FALSE(u[TabSheetHTML].visible);
    EXPECT_TRUE(*u[ApplyCSS].checked);
    EXPECT_FALSE(u[ChangeCSStree].checked.has_value());  // its own mark

    WorkspaceState notApplied = open();
    notApplied.applyCSS = false;
    notApplied.userPage = true;
    u = decideUiStates(notApplied);
    EXPECT_FALSE(u[TabSheetSrc].visible);
    EXPECT_FALSE(u[AddImportantTag].enabled);  // it writes into the hidden page's pane
    EXPECT_TRUE(u[Refresh].enabled);
    EXPECT_FALSE(*u[ApplyCSS].checked);
    EXPECT_TRUE(u[TabSheetHTML].visible);

    u = decideUiStates(open());
    EXPECT_TRUE(u[TabSheetSrc].visible);
}

TEST(ActionStates, NamesAreDistinct) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < UiItemCount; ++i) names.insert(uiItemName(static_cast<UiItem>(i)));
    EXPECT_EQ(names.size(), UiItemCount);
}

}  // namespace
}  // namespace pavik::test
