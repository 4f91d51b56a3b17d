#pragma once
// Drop-down list of colours drawn as swatches with their names, filled from a chosen set of
// the colour tables.
#include <QComboBox>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

#include "platform/colors.h"

namespace pavik {

enum TColorSelectionItem {
    csSystem,      // the 16 basic colours, English names
    csSystemJ,     // the 16 basic colours, Japanese names
    csCustom,      // "その他..." and the custom colours added before it
    csDefault,     // "標準" with DefaultColor
    csExtended,    // the lines of ExtendedColors
    csSystemCol,   // the system-colour keywords
    csWebSafe0,
    csWebSafe51,
    csWebSafe102,
    csWebSafe153,
    csWebSafe204,
    csWebSafe255,
    csColorName,   // the 145 colour names
};

// A set of TColorSelectionItem.
class TColorSelection {
public:
    constexpr TColorSelection() = default;
    constexpr TColorSelection(std::initializer_list<TColorSelectionItem> items) {
        for (TColorSelectionItem i : items) bits_ |= bit(i);
    }
    constexpr bool contains(TColorSelectionItem i) const { return (bits_ & bit(i)) != 0; }
    constexpr bool operator==(const TColorSelection&) const = default;

private:
    static constexpr std::uint32_t bit(TColorSelectionItem i) { return std::uint32_t{1} << i; }
    std::uint32_t bits_ = 0;
};

class TColorLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColorLookupComboBox(QWidget* parent = nullptr);

    TColorSelection Selection() const { return selection_; }
    void setSelection(TColorSelection selection);
    TColor DefaultColor() const { return defaultColor_; }
    void setDefaultColor(TColor color);
    // Further entries, one a line: name "=" value (decimal, or hexadecimal after "$").
    const QStringList& ExtendedColors() const { return extendedColors_; }
    void setExtendedColors(const QStringList& lines);
    int MaxCustomCount() const { return maxCustomCount_; }
    void setMaxCustomCount(int count);  // 0..255
    bool ShowName() const { return showName_; }
    void setShowName(bool show);

    // Fired before ExtendedColors is read, so that the owner can fill it.
    std::function<void(TColorLookupComboBox*)> OnLoadExtendedColors;
    // Fired after the user chose an item (never when code sets the selection).
    std::function<void(TColorLookupComboBox*)> OnChange;
    // The standard colour dialog for "その他...", given the current colour; nothing on cancel.
    // Replaceable so that tests need no modal dialog.
    std::function<std::optional<TColor>(TColor start)> ChooseCustomColor;

    // Rebuilds the list from Selection; custom entries are dropped.
    void PopulateList();
    // Colour of the selected item; clNone when nothing is selected.
    TColor GetSelectedColor() const;
    // Selects the first item of that colour. clNone selects nothing. A colour not in the
    // list is added as a custom entry when csCustom is selected, else nothing is selected.
    void SetSelectedColor(TColor color);
    // Inserts a custom entry before the last item, dropping the oldest one first when
    // MaxCustomCount are already kept. An empty name becomes "$" + 6 hex digits.
    void AddCustomColor(const QString& name, TColor color);
    void LoadExtendedColors();

    TColor itemColor(int index) const;
    int customCount() const { return customCount_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addEntry(const QString& name, TColor color);
    void userActivated(int index);

    TColorSelection selection_{csSystemJ};
    TColor defaultColor_ = clNone;
    QStringList extendedColors_;
    int maxCustomCount_ = 3;
    bool showName_ = true;
    int customCount_ = 0;
};

}  // namespace pavik
