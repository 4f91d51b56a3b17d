// The source panes' commands and events, the Help menu's web and mail items, and the one
// routine that sets the state of every action and state-bound control: action_states.h
// decides, UpdateActionStates applies.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <stdexcept>

#include "components/file_name_keep.h"
#include "workspace/window/file_commands.h"
#include "workspace/window/history_commands.h"
#include "workspace/window/frm_main.h"
#include "workspace/window/pane_commands.h"
#include "workspace/window/preview_pages.h"

namespace pavik {
namespace {

// The tab widget that shows `page` as one of its pages (a page's parent is the tab widget's
// stack), or null.
QTabWidget* tabWidgetOf(QWidget* page) {
    QWidget* stack = page->parentWidget();
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void applyState(QObject* control, const UiItemState& state) {
    if (auto* action = qobject_cast<QAction*>(control)) {
        action->setEnabled(state.enabled);
        action->setVisible(state.visible);
        if (state.checked) action->setChecked(*state.checked);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->menuAction()->setEnabled(state.enabled);
    } else if (auto* widget = qobject_cast<QWidget*>(control)) {
        if (QTabWidget* tabs = tabWidgetOf(widget)) {
            const int tab = tabs->indexOf(widget);
            if (tabs->isTabVisible(tab) != state.visible) tabs->setTabVisible(tab, state.visible);  // it lays out anew
        } else
            widget->setEnabled(state.enabled);
    }
}

void openAddress(ShellOpen* shell, const QString& address) {
    if (shell && !address.isEmpty()) shell->open(address);
}

}  // namespace

// ---- Action states -----------------------------------------------------------------------

WorkspaceState TfrmMain::workspaceState() const {
    WorkspaceState s;
    s.styleSheetOpen = !sCSSFileName.isEmpty();
    s.ruleTreeSelection = ruleOfNode(TreeViewStruct->currentIndex()) != nullptr;
    s.styleSheetUnsaved = styleSheetUnsaved();
    s.recentFiles = fileCommands_ && !fileCommands_->recentList().Entries().isEmpty();
    s.applyCSS = bApplyCSS;
    s.userPage = CmbBoxPreviewHTML->currentIndex() > 0;
    s.htmlPageUnsaved = !bHTMLSaved;
    for (int b = 0; b < 4; ++b) s.browserPrograms[static_cast<size_t>(b)] = previewPages_->browserProgram(b);
    s.boxCategory = boxCategory_;
    s.helpFile = helpDesk_->available();
    const bool shell = services_.shell != nullptr;
    s.homePage = shell && !services_.addresses.homePage.isEmpty();
    s.supportBoard = shell && !services_.addresses.supportBoard.isEmpty();
    s.mailAddress = shell && !services_.addresses.mail.isEmpty();
    s.styleSheetPane = srcCommands_->state();
    s.htmlPane = htmlCommands_->state();
    const QWidget* focus = focusWidget();
    const auto within = [focus](const QWidget* pane) { return focus && (focus == pane || pane->isAncestorOf(focus)); };
    s.focusedPane = within(RichEditSrc) ? FocusedPane::StyleSheet : within(EditHTML) ? FocusedPane::Html : FocusedPane::None;
    if (historyCommands_) {
        s.documentCanUndo = historyCommands_->history().canUndo();
        s.documentCanRedo = historyCommands_->history().canRedo();
    }
    return s;
}

void TfrmMain::UpdateActionStates() {
    if (uiObjects_.empty()) {
        for (std::size_t i = 0; i < UiItemCount; ++i) {
            const std::string_view name = uiItemName(static_cast<UiItem>(i));
            QObject* control = findChild<QObject*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
            if (!control) throw std::logic_error("no control named " + std::string(name));
            uiObjects_.push_back(control);
        }
    }
    const WorkspaceState state = workspaceState();
    const UiStates states = decideUiStates(state);
    for (std::size_t i = 0; i < UiItemCount; ++i) applyState(uiObjects_[i], states[static_cast<UiItem>(i)]);
    if (historyCommands_) historyCommands_->showHints(undoTarget(state));
}

void TfrmMain::setBoxCategorySelected(bool selected) {
    boxCategory_ = selected;
    UpdateActionStates();
}

// ---- Source panes ------------------------------------------------------------------------

void TfrmMain::createPaneCommands() {
    auto link = [this](TAFEdit* pane, bool& saved, bool& canUndo) {
        return PaneCommands::Link{pane, &saved, &canUndo, [this] { Refresh_Status(); },
                                  [this] { refreshStatusSoon(); }, [this] { UpdateActionStates(); }};
    };
    srcCommands_ = std::make_unique<PaneCommands>(link(RichEditSrc, bCSSSaved, bCSSCanUndo));
    htmlCommands_ = std::make_unique<PaneCommands>(link(EditHTML, bHTMLSaved, bHTMLCanUndo));
}

PaneCommands& TfrmMain::commandsOf(const TAFEdit* pane) const {
    return pane == RichEditSrc ? *srcCommands_ : *htmlCommands_;
}

void TfrmMain::connectPaneCommands() {
    const std::pair<QAction*, void (TfrmMain::*)()> handlers[] = {
        {EditCut1, &TfrmMain::EditCut1Execute},     {EditCopy1, &TfrmMain::EditCopy1Execute},
        {EditPaste1, &TfrmMain::EditPaste1Execute}, {EditUndo1, &TfrmMain::EditUndo1Execute},
        {EditRedo1, &TfrmMain::EditRedo1Execute},   {EditCut2, &TfrmMain::EditCut2Execute},
        {EditCopy2, &TfrmMain::EditCopy2Execute},   {EditPaste2, &TfrmMain::EditPaste2Execute},
        {EditUndo2, &TfrmMain::EditUndo2Execute},   {EditRedo2, &TfrmMain::EditRedo2Execute},
        {GoHomePage, &TfrmMain::GoHomePageClick},   {GoBBS, &TfrmMain::GoBBSClick},
        {ToMail, &TfrmMain::ToMailClick},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });

    RichEditSrc->OnSelect = [this](TAFEdit&) { guarded([this] { RichEditSrcSelect(); }); };
    RichEditSrc->OnDisSelect = [this](TAFEdit&) { guarded([this] { RichEditSrcDisSelect(); }); };
    EditHTML->OnSelect = [this](TAFEdit&) { guarded([this] { EditHTMLSelect(); }); };
    EditHTML->OnDisSelect = [this](TAFEdit&) { guarded([this] { EditHTMLDisSelect(); }); };
    RichEditSrc->OnMouseWheel = [this](TAFEdit&, QWheelEvent& event, bool&) {
        guarded([this, delta = event.angleDelta().y()] { RichEditSrcMouseWheel(delta); });
    };
    EditHTML->OnMouseWheel = [this](TAFEdit&, QWheelEvent& event, bool&) {
        guarded([this, delta = event.angleDelta().y()] { EditHTMLMouseWheel(delta); });
    };
    connect(PageControlSrc, &QTabWidget::currentChanged, this,
            [this](int page) { guarded([this, page] { PageControlSrcChange(page); }); });
    // The Edit menu's undo and redo follow the focus (undoTarget).
    focusFollow_ = connect(qApp, &QApplication::focusChanged, this, [this] { guarded([this] { UpdateActionStates(); }); });
    for (TAFEdit* pane : {RichEditSrc, EditHTML})
        pane->OnPasteForeignText = [this](TAFEdit& sender, std::string_view utf8, std::string& cp932) {
            guardedNow([&] { cp932 = convertPastedText(&sender, utf8); });
        };
}

std::string TfrmMain::convertPastedText(const TAFEdit* pane, std::string_view utf8) {
    const bool css = pane == RichEditSrc;
    Cp932Encoded text = css ? encodeCp932CssEscaped(utf8) : encodeCp932Escaped(utf8, htmlReference);
    if (text.ok()) return std::move(text.bytes);
    // In the style sheet pane, in a form that saving can tell from the text's own escapes.
    if (css) text = encodeCssEscapedInto(utf8, sourcePaneText(), CSSForm.escapes);
    const QString list = describeEscapes(text.unencodable, CSSForm.escapes, !css);
    const QString message =
        css ? QStringLiteral("貼り付けた次の文字は Shift_JIS で表せないため、CSS のエスケープに置き換えました: %1").arg(list) +
                  (CSSForm.encoding == TextEncoding::Cp932 ? QString() : QStringLiteral("\n保存すると元の文字に戻ります。"))
            : QStringLiteral("貼り付けた次の文字は Shift_JIS で表せないため、文字参照に置き換えました: %1").arg(list);
    // Told once the paste is done, not from inside it.
    QTimer::singleShot(0, this, [this, message] { services_.messages->information(this, message); });
    return std::move(text.bytes);
}

void TfrmMain::EditCut1Execute() { srcCommands_->cut(); }
void TfrmMain::EditCopy1Execute() { srcCommands_->copy(); }
void TfrmMain::EditPaste1Execute() { srcCommands_->paste(); }
void TfrmMain::EditUndo1Execute() {
    switch (undoTarget(workspaceState())) {
    case UndoTarget::StyleSheetPane: return srcCommands_->undo();
    case UndoTarget::HtmlPane: return htmlCommands_->undo();
    case UndoTarget::Document: return historyCommands_->undo();
    }
}

void TfrmMain::EditRedo1Execute() {
    switch (undoTarget(workspaceState())) {
    case UndoTarget::StyleSheetPane: return srcCommands_->redo();
    case UndoTarget::HtmlPane: return htmlCommands_->redo();
    case UndoTarget::Document: return historyCommands_->redo();
    }
}
void TfrmMain::EditCut2Execute() { htmlCommands_->cut(); }
void TfrmMain::EditCopy2Execute() { htmlCommands_->copy(); }
void TfrmMain::EditPaste2Execute() { htmlCommands_->paste(); }
void TfrmMain::EditUndo2Execute() { htmlCommands_->undo(); }
void TfrmMain::EditRedo2Execute() { htmlCommands_->redo(); }

void TfrmMain::RichEditSrcChange() { srcCommands_->change(); }
void TfrmMain::EditHTMLChange() { htmlCommands_->change(); }
void TfrmMain::RichEditSrcSelect() { srcCommands_->selectionChanged(); }
void TfrmMain::RichEditSrcDisSelect() { srcCommands_->selectionChanged(); }
void TfrmMain::EditHTMLSelect() { htmlCommands_->selectionChanged(); }
void TfrmMain::EditHTMLDisSelect() { htmlCommands_->selectionChanged(); }
void TfrmMain::RichEditSrcUndoChange(bool canUndo, bool canRedo) { srcCommands_->undoChange(canUndo, canRedo); }
void TfrmMain::EditHTMLUndoChange(bool canUndo, bool canRedo) { htmlCommands_->undoChange(canUndo, canRedo); }
void TfrmMain::RichEditSrcMouseWheel(int wheelDelta) { srcCommands_->mouseWheel(wheelDelta); }
void TfrmMain::EditHTMLMouseWheel(int wheelDelta) { htmlCommands_->mouseWheel(wheelDelta); }

void TfrmMain::PageControlSrcChange(int page) {
    if (page == 0) TreeViewStruct->setFocus();
    if (page == 1) RichEditSrc->setFocus();
}

// The panes report from inside their own operations, when their rows may be half done:
// the status line, which repaints at once, is refreshed right after the operation instead.
void TfrmMain::refreshStatusSoon() {
    if (statusQueued_) return;
    statusQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        statusQueued_ = false;
        guarded([this] { Refresh_Status(); });
    });
}

// ---- Web and mail items ------------------------------------------------------------------

void TfrmMain::GoHomePageClick() {
    openAddress(services_.shell.get(), services_.addresses.homePage);
    Refresh_Status();
}

void TfrmMain::GoBBSClick() {
    openAddress(services_.shell.get(), services_.addresses.supportBoard);
    Refresh_Status();
}

void TfrmMain::ToMailClick() {
    openAddress(services_.shell.get(), services_.addresses.mail);
    Refresh_Status();
}

}  // namespace pavik
