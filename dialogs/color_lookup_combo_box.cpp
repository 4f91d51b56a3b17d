#include "dialogs/color_lookup_combo_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "dialogs/color_tables.h"
#include "platform/int_text.h"
#include "platform/qt_colors.h"
#include "vocabulary/shared_routines.h"

namespace pavik {
namespace {

constexpr int kItemHeight = 14;
constexpr int kDefaultWidth = 120;
constexpr int kColorRole = Qt::UserRole;

// One entry: a swatch with a black outline and the name beside it, or, without the name,
// the whole rectangle in the colour.
void paintColorItem(QPainter& p, const QRect& r, TColor color, const QString& name, bool showName,
                    const QBrush& background, const QColor& textColor) {
    p.save();
    if (!showName) {
        p.fillRect(r, toQColor(color));
        p.restore();
        return;
    }
    p.fillRect(r, background);
    const QRect swatch(r.left() + 2, r.top() + 2, 24, r.height() - 4);
    p.fillRect(swatch, toQColor(color));
    p.setPen(Qt::black);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    p.setPen(textColor);
    p.drawText(QRect(r.left() + 30, r.top() + 1, r.width() - 30, r.height() - 1),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    p.restore();
}

class ColorItemDelegate : public QStyledItemDelegate {
public:
    explicit ColorItemDelegate(TColorLookupComboBox* combo)
        : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        paintColorItem(*p, option.rect, combo_->itemColor(index.row()),
                       index.data(Qt::DisplayRole).toString(), combo_->ShowName(),
                       selected ? pal.highlight() : pal.base(),
                       selected ? pal.highlightedText().color() : pal.text().color());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        // Tall enough for the name in the current font.
        return {kDefaultWidth, std::max(kItemHeight, option.fontMetrics.height() + 2)};
    }

private:
    TColorLookupComboBox* combo_;
};

}  // namespace

TColorLookupComboBox::TColorLookupComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new ColorItemDelegate(this));
    connect(this, &QComboBox::activated, this, &TColorLookupComboBox::userActivated);
    ChooseCustomColor = [this](TColor start) -> std::optional<TColor> {
        const QColor c = QColorDialog::getColor(toQColor(start), this);
        if (!c.isValid()) return std::nullopt;
        return RGBToColor(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                          static_cast<std::uint8_t>(c.blue()));
    };
    PopulateList();
}

void TColorLookupComboBox::setSelection(TColorSelection selection) {
    if (selection == selection_) return;
    selection_ = selection;
    PopulateList();
}

void TColorLookupComboBox::setDefaultColor(TColor color) {
    if (color == defaultColor_) return;
    defaultColor_ = color;
    PopulateList();
}

void TColorLookupComboBox::setExtendedColors(const QStringList& lines) {
    if (lines == extendedColors_) return;
    extendedColors_ = lines;
    PopulateList();
}

void TColorLookupComboBox::setMaxCustomCount(int count) {
    count = std::clamp(count, 0, 255);
    if (count == maxCustomCount_) return;
    maxCustomCount_ = count;
    PopulateList();
}

void TColorLookupComboBox::setShowName(bool show) {
    if (show == showName_) return;
    showName_ = show;
    update();
}

void TColorLookupComboBox::addEntry(const QString& name, TColor color) {
    addItem(name, QVariant::fromValue<uint>(color));
}

void TColorLookupComboBox::PopulateList() {
    const QSignalBlocker blocker(this);
    clear();
    customCount_ = 0;
    const TColorSelection& s = selection_;
    if (s.contains(csDefault)) addEntry(QStringLiteral("標準"), defaultColor_);
    for (int i = 0; i < BasicColorCount; ++i)
        if (s.contains(csSystem))
            addEntry(QString::fromUtf8(BasicColorNames[i].data(), BasicColorNames[i].size()),
                     BasicColors[i]);
    for (int i = 0; i < BasicColorCount; ++i)
        if (s.contains(csSystemJ))
            addEntry(QString::fromUtf8(BasicColorNamesJ[i].data(), BasicColorNamesJ[i].size()),
                     BasicColors[i]);
    if (s.contains(csExtended)) LoadExtendedColors();
    if (s.contains(csCustom)) addEntry(QStringLiteral("その他..."), clNone);
    auto addTable = [this](const auto& table) {
        for (const ColorEntry& e : table)
            addEntry(QString::fromUtf8(e.Name.data(), e.Name.size()), e.Value);
    };
    if (s.contains(csSystemCol)) addTable(SystemColors);
    if (s.contains(csColorName)) addTable(ColorNames);
    constexpr TColorSelectionItem kWebSafe[] = {csWebSafe0,   csWebSafe51,  csWebSafe102,
                                                csWebSafe153, csWebSafe204, csWebSafe255};
    for (int k = 0; k < WebSafeTableCount; ++k)
        if (s.contains(kWebSafe[k])) addTable(WebSafeColors(k));
}

TColor TColorLookupComboBox::itemColor(int index) const {
    if (index < 0 || index >= count()) return clNone;
    return itemData(index, kColorRole).value<uint>();
}

TColor TColorLookupComboBox::GetSelectedColor() const { return itemColor(currentIndex()); }

void TColorLookupComboBox::SetSelectedColor(TColor color) {
    const QSignalBlocker blocker(this);
    if (color == clNone) {
        setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < count(); ++i) {
        if (itemColor(i) == color) {
            setCurrentIndex(i);
            return;
        }
    }
    if (selection_.contains(csCustom) && maxCustomCount_ > 0) {
        AddCustomColor(QString(), color);
        setCurrentIndex(count() - 2);
    } else {
        setCurrentIndex(-1);
    }
}

void TColorLookupComboBox::AddCustomColor(const QString& name, TColor color) {
    // Without room for custom entries nothing is kept (deleting would hit "その他...").
    if (maxCustomCount_ == 0 || count() == 0) return;
    const QSignalBlocker blocker(this);
    if (customCount_ >= maxCustomCount_) {
        removeItem(count() - maxCustomCount_ - 1);
        --customCount_;
    }
    const QString text =
        name.isEmpty() ? QStringLiteral("$%1").arg(color, 6, 16, QLatin1Char('0')).toUpper() : name;
    insertItem(count() - 1, text, QVariant::fromValue<uint>(color));
    ++customCount_;
}

void TColorLookupComboBox::LoadExtendedColors() {
    if (OnLoadExtendedColors) OnLoadExtendedColors(this);
    for (const QString& line : extendedColors_) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;  // no name part
        const std::optional<std::int32_t> value = parseInt32(line.mid(eq + 1).toStdString());
        addEntry(line.left(eq), value ? static_cast<TColor>(*value) : clNone);
    }
}

void TColorLookupComboBox::userActivated(int index) {
    if (selection_.contains(csCustom) && index >= 0 && index == count() - 1) {
        if (ChooseCustomColor) {
            const std::optional<TColor> chosen = ChooseCustomColor(GetSelectedColor());
            if (chosen) AddCustomColor(QString(), *chosen);
        }
        const QSignalBlocker blocker(this);
        setCurrentIndex(count() - 2);
    }
    if (OnChange) OnChange(this);
}

QSize TColorLookupComboBox::sizeHint() const {
    return {kDefaultWidth, QComboBox::sizeHint().height()};
}

QSize TColorLookupComboBox::minimumSizeHint() const {
    return {kDefaultWidth / 2, QComboBox::minimumSizeHint().height()};
}

void TColorLookupComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                QStyle::SC_ComboBoxEditField, this);
    paintColorItem(painter, field, GetSelectedColor(), currentText(), showName_,
                   palette().base(), palette().text().color());
}

}  // namespace pavik
