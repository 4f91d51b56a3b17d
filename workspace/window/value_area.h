#pragma once
// The value area, the right-hand column of the main window: the tag information with the
// three support lamps, the current value, and the panel of the clicked property with its
// value editors. It owns these controls and their state. What a panel shows is decided by
// value_panel.h and what an editor stores by value_store.h; this class applies both to the
// widgets. It reaches the window only through ValueAreaHost.
//
// The editors store only what the user changed. They are connected to user signals
// (activated, clicked, editingFinished, mouse clicks into the edit box, on the swatch and
// on the font label), and the edit boxes store only a text the user edited (or a number
// whose unit the user changed), so values set from code never store anything. A typed text
// is stored when the focus leaves its box, and by commitTyped, which the window runs before
// another rule or property is taken up and before its commands. The window's handlers
// (CmbBoxCommonChange, EditCommonClick, ...) delegate to the methods below of the same
// purpose.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"
#include "workspace/window/fitted_text.h"

class QAbstractScrollArea;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QWidget;

namespace pavik {

class HelpDesk;
class TALed;
class FileChooser;
class UserMessages;

// What the value area needs from the window.
class ValueAreaHost {
public:
    virtual ~ValueAreaHost() = default;
    // The name (CP932) of the property a value goes to: set while a rule and a property
    // are selected and the rule is still in the document; nothing otherwise.
    virtual std::optional<std::string> targetProperty() const = 0;
    // Stores the write into the selected rule's property, marks the property's node and
    // runs the tail (unsaved mark, preview rebuild, status line). False when the document
    // did not change, and then nothing else happened.
    virtual bool commitValue(const ValueWrite& write) = 0;
    // The user's preview page (image addresses are relative to its folder); empty while
    // the built-in page is in use.
    virtual QString previewPageFile() const = 0;
    virtual UserMessages& messages() = 0;
    // The file dialog of the image address.
    virtual FileChooser& files() = 0;
    // Runs a handler; an exception it throws ends in a message box.
    virtual void guarded(const std::function<void()>& handler) = 0;
    // Shows a notice in the status line, after the tail of a store.
    virtual void showNotice(const QString& text) = 0;
    // The user typed into an editor or picked a unit: hasTypedText() may have changed.
    virtual void typedTextChanged() = 0;
    // The help routines of the dialogs the editors run.
    virtual HelpDesk* helpDesk() = 0;
};

class ValueArea : public QObject {
public:
    // Builds the controls into `column`. `fileOpenURL` is the window's action that the
    // file button of the image address runs.
    ValueArea(QWidget* column, QAction* fileOpenURL, ValueAreaHost& host);

    // ---- Controls (named as in the window layout; owned by the column) ------------------
    ElidedTitleBox* GroupBoxTagInfo = nullptr;  // its title: the selector, elided to the box
    QLabel* lblTagInfo = nullptr;
    QLabel* lblChildInfo = nullptr;
    TALed* ALedIe5 = nullptr;
    TALed* ALedNS4 = nullptr;
    TALed* ALedNS6 = nullptr;
    QGroupBox* GroupBoxNowData = nullptr;
    ElidedLabel* StaticTxtNowData = nullptr;  // elided to the box, whole in its tooltip
    QScrollArea* ScrollBoxSet = nullptr;
    QWidget* PanelCommon = nullptr;
    QWidget* PanelSizeSelect = nullptr;
    QWidget* PanelHide = nullptr;
    QGroupBox* RadioGroupSize = nullptr;
    QLineEdit* EditCommon = nullptr;
    QLabel* TxtCommon = nullptr;
    QComboBox* CmbBoxCommon = nullptr;
    QComboBox* CmbBoxCommon2 = nullptr;
    QPlainTextEdit* MemoHint = nullptr;
    QTextEdit* RichEditHint = nullptr;
    QLabel* ShapeColor = nullptr;
    ElidedLabel* StaticTxtSwatch = nullptr;  // beside the swatch: a value it cannot paint
    QWidget* PanelSwatch = nullptr;          // ShapeColor and StaticTxtSwatch side by side
    QPushButton* BitBtnClear = nullptr;
    QCheckBox* CheckBoxColor = nullptr;
    ElidedLabel* StaticTxtFont = nullptr;
    QToolButton* SBOpenURL = nullptr;
    QWidget* PanelURL = nullptr;  // EditCommon and SBOpenURL side by side (image address)

    // ---- Shown by the window --------------------------------------------------------------
    // Hides every value control and empties them.
    void reset();
    // The tag information of a rule: its group name and, as the box title, its selector
    // (elided to the box's width, whole in the title's tooltip).
    void showRule(const QString& tagInfo, const QString& selector);
    void clearTagInfo();
    // Sets the three lamps from support levels (0 red blinking, 1 green, 2 yellow, else off).
    void setLamps(int ie, int ns4, int ns6);
    // Builds the panel of a plan (after reset()); a category page is loaded by
    // showCategoryPage instead. The length editor takes the focus when the plan says so
    // and `focusEditor` is set.
    void showPanel(const ValuePanelPlan& plan, bool focusEditor = true);
    // Loads the category page `resource` into RichEditHint and shows it; a page that cannot
    // be loaded is reported and nothing is shown.
    void showCategoryPage(std::string_view resource);
    void setChildInfo(const QString& category);

    // ---- Editors (the window's handlers delegate here) --------------------------------------
    void unitClicked();                  // RadioGroupSizeClick
    // CmbBoxCommonChange: the chosen item at once, or (typed) the text the user typed
    // into the drop-down, on Enter or when the focus leaves it.
    void keywordChosen(bool typed);
    // CmbBoxCommon2Change: the same for the second drop-down; an empty text stores nothing.
    void secondKeywordChosen(bool typed);
    // EditCommonClick and Enter in EditCommon: the edited number with its unit, or the
    // edited image address. A text the user did not change stores nothing.
    void editCommitted(bool byEnter);
    void chooseImageFile();              // FileOpenURLExecute
    void imageFileChosen(const QString& file);  // FileOpenURLAccept
    void transparentClicked();           // CheckBoxColorClick
    void clearClicked();                 // BitBtnClearClick
    // The dialogs (value_area_pickers.cpp), each storing its result after OK:
    void swatchClicked();     // ShapeColorMouseDown: the colour picker from the swatch
    void colorCommand();      // ColoPickerExecute: the same from the command, at any time; stores
                              // only into a colour property
    void fontLabelClicked();  // StaticTxtFontMouseDown: the font family chooser

    // Stores a write through the window and shows its result. False when nothing was stored.
    bool store(const ValueWrite& write);

    // Whether an editor in use holds text the user typed (or a unit picked) and not stored.
    bool hasTypedText() const;
    // Stores that text, as leaving its box does; nothing when there is none.
    void commitTyped();

    // ---- State ------------------------------------------------------------------------------
    int unitIndex() const;  // RadioGroupSize.ItemIndex; -1 none
    void setUnitIndex(int index);
    TColor ShapeColorBrush() const { return swatch_; }  // clNone: a value it cannot paint
    void showSwatch(const SwatchLook& look);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(QWidget* column, QAction* fileOpenURL);
    void connectEditors();
    // Shows PanelCommon holding `controls`, top to bottom.
    void showControls(const std::vector<ValueControl>& controls);
    // The drop-down's text as CP932, or nothing (refused with a message) when it cannot be
    // stored.
    std::optional<std::string> typedValue(const QString& text);
    void refuseUnencodable(const QString& text, const std::vector<std::string>& characters);
    void refuseUnwritable(const std::string& value);
    // The editor sits in the value panel (not in PanelHide).
    bool inUse(const QWidget* editor) const;
    bool unitChanged() const;
    // Runs the colour picker from the current colour; the text to store after OK, or nothing
    // when the user cancelled or chose no other colour.
    std::optional<std::string> pickColor(bool foregroundLabel);

    ValueAreaHost& host_;
    TColor swatch_ = clWhite;
    // What the edit box showed: the unit then selected (length panel only; -1 otherwise),
    // and the whole value when the box showed only part of it (UTF-8).
    int shownUnit_ = -1;
    QString editPartOf_;
    std::optional<CssColor> color_;  // the colour panel's current colour, read whole
    bool committing_ = false;  // a typed text is being stored (its questions move the focus)
};

// Scrolls a view's vertical scroll bar to `position` by line steps.
void scrollVertTo(QAbstractScrollArea* window, int position);

}  // namespace pavik
