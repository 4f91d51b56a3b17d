#include "workspace/values/value_panel.h"

#include <algorithm>
#include <cctype>

#include "dialogs/color_tables.h"
#include "platform/cp932.h"
#include "platform/int_text.h"
#include "platform/sjis.h"
#include "vocabulary/element_tables.h"
#include "vocabulary/shared_routines.h"
#include "workspace/document/declarations.h"

namespace pavik {
namespace {

struct CategoryPage {
    std::string_view nodeText;  // UTF-8
    std::string_view resource;
};
constexpr std::array<CategoryPage, 9> kCategoryPages = {{
    {"テキスト", "TYPETEXT"},
    {"フォント", "TYPEFONT"},
    {"背景", "TYPEBACKGROUND"},
    {"ボックス", "TYPEBOX"},
    {"スクロールバー", "TYPESCROLLBAR"},
    {"位置", "TYPEPOSITION"},
    {"リスト", "TYPELIST"},
    {"テーブル", "TYPETABLE"},
    {"その他", "TYPEOTHER"},
}};

constexpr std::array<std::string_view, 15> kColorProperties = {
    "color",
    "background-color",
    "border-color",
    "border-top-color",
    "border-right-color",
    "border-bottom-color",
    "border-left-color",
    "scrollbar-base-color",
    "scrollbar-face-color",
    "scrollbar-arrow-color",
    "scrollbar-highlight-color",
    "scrollbar-3dlight-color",
    "scrollbar-shadow-color",
    "scrollbar-darkshadow-color",
    "scrollbar-track-color",
};
// The colours that offer "transparent": border-color and its four sides.
constexpr size_t kTransparentFirst = 2, kTransparentLast = 6;

int colorPropertyIndex(std::string_view name) {
    for (size_t i = 0; i < kColorProperties.size(); ++i)
        if (kColorProperties[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

bool isColorProperty(std::string_view name) { return colorPropertyIndex(name) >= 0; }

namespace {

// "rgb(r,g,b)": components end at "," or ")"; the third ends the scan.
TColor rgbTextToColor(std::string_view text) {
    std::array<int, 3> comp = {-1, -1, -1};
    size_t i = sjis::find(text, '(');
    if (i != sjis::npos) {
        size_t n = 0;
        std::string cur;
        for (++i; i < text.size() && n < comp.size();) {
            const size_t len = sjis::charLength(text, i);
            const char c = text[i];
            if (len == 1 && (c == ',' || c == ')')) {
                const std::optional<std::int32_t> v = parseInt32(cur);
                if (!v) return clWhite;
                comp[n++] = *v;
                cur.clear();
            } else {
                cur.append(text.substr(i, len));
            }
            i += len;
        }
    }
    auto low = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    return RGBToColor(low(comp[0]), low(comp[1]), low(comp[2]));
}

// "#rrggbb" as $02BBGGRR; the first character is skipped whatever it is.
TColor hashTextToColor(std::string_view text) {
    if (text.size() != 7) return clWhite;
    std::array<int, 6> d{};
    for (size_t i = 0; i < d.size(); ++i) {
        d[i] = hexDigit(text[i + 1]);
        if (d[i] < 0) return clWhite;
    }
    const auto byte = [&](size_t i) { return static_cast<TColor>(d[i] * 16 + d[i + 1]); };
    return 0x02000000u | byte(4) << 16 | byte(2) << 8 | byte(0);
}

std::string display(std::string_view cp932) { return decodeCp932(cp932); }

}  // namespace

std::string_view sizeUnitCaption(int itemIndex) {
    if (itemIndex < 0 || itemIndex >= static_cast<int>(SizeUnits.size())) return {};
    return SizeUnits[static_cast<size_t>(itemIndex)];
}

std::string_view categoryPageName(std::string_view nodeText) {
    const std::string text = decodeCp932(nodeText);
    for (const CategoryPage& p : kCategoryPages)
        if (p.nodeText == text) return p.resource;
    return {};
}

TColor ColorTextToColor(std::string_view text) {
    const std::string lower = sjis::toLowerAscii(text);
    if (sjis::contains(lower, "rgb")) return rgbTextToColor(text);
    if (sjis::contains(text, '#')) return hashTextToColor(text);
    for (const ColorEntry& e : ColorNames)
        if (sjis::equalsIgnoreCase(withoutStarMark(e.Name), text)) return e.Value;
    for (const ColorEntry& e : SystemColors)
        if (sjis::toLowerAscii(e.Name) == text) return e.Value;
    return clWhite;
}

TColor swatchColorOf(std::string_view text) {
    const TColor c = ColorTextToColor(text);
    if (c != clWhite) return c;
    const std::optional<CssColor> css = readCssColor(text);
    return css ? css->color : clWhite;
}

SwatchLook swatchLookOf(const std::optional<std::string>& value) {
    if (!value || value->empty()) return {};
    // White may be a reading of nothing: it counts only when the picker reads a colour too.
    const TColor color = swatchColorOf(*value);
    if (color != clWhite || readCssColor(*value)) return {color, false, {}};
    return {clNone, true, display(*value)};
}

std::optional<LengthParts> splitLength(std::string_view value) {
    const std::string lower = sjis::toLowerAscii(value);
    for (size_t u = 0; u < SizeUnits.size(); ++u) {
        const size_t p = sjis::find(lower, SizeUnits[u]);
        if (p == sjis::npos) continue;
        const std::string_view number = sjis::trim(value.substr(0, p));
        const bool whole = sjis::trim(value.substr(p + SizeUnits[u].size())).empty();
        return LengthParts{std::string(number), static_cast<int>(u), whole};
    }
    return std::nullopt;
}

std::optional<ImageAddress> imageAddress(std::string_view value) {
    const size_t open = sjis::find(value, ImageWrapOpen);
    if (open == sjis::npos) return std::nullopt;
    const std::string_view rest = value.substr(open + ImageWrapOpen.size());
    const size_t close = sjis::find(rest, ImageWrapClose);
    if (close == sjis::npos) return ImageAddress{std::string(), false};
    const bool whole = sjis::trim(value.substr(0, open)).empty() &&
                       sjis::trim(rest.substr(close + ImageWrapClose.size())).empty();
    return ImageAddress{std::string(sjis::trim(rest.substr(0, close))), whole};
}

std::string wrapImageAddress(std::string_view address) {
    std::string v(ImageWrapOpen);
    v += address;
    v += ImageWrapClose;
    return v;
}

namespace {

constexpr std::array<std::string_view, 4> kWideKeywords = {"inherit", "initial", "unset", "revert"};

// A function written out: a name and "(" ("url(", "calc(").
bool isFunctionText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '-')) ++i;
    return i > 0 && i < text.size() && text[i] == '(';
}

// An image value written out rather than an address: a function ("url(", "linear-gradient(")
// or a keyword.
bool isImageValueText(std::string_view text) {
    text = sjis::trim(text);
    if (sjis::equalsIgnoreCase(text, "none")) return true;
    for (std::string_view keyword : kWideKeywords)
        if (sjis::equalsIgnoreCase(text, keyword)) return true;
    return isFunctionText(text);
}

}  // namespace

std::optional<std::string> composeEditValue(std::string_view property, std::string_view editText,
                                            std::string_view unitCaption) {
    if (editText.empty()) return std::string();
    if (property == AttrNames[AttrBackgroundImage])
        return isImageValueText(editText) ? std::string(editText) : wrapImageAddress(editText);
    return lengthEditValue(property, editText, unitCaption);
}

namespace {

constexpr std::array<std::string_view, 16> kLengthUnits = {
    "em", "ex", "px", "%", "cm", "mm", "in", "pt", "pc", "q", "rem", "ch", "vw", "vh", "vmin", "vmax",
};
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the CSS number at the start of `text` ("-1.5", ".5", "1e3"); 0 when none.
size_t numberLength(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t intStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    bool digits = i > intStart;
    if (i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1])) {
        for (++i; i < text.size() && isDigit(text[i]);) ++i;
        digits = true;
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && isDigit(text[e])) {
            while (e < text.size() && isDigit(text[e])) ++e;
            i = e;
        }
    }
    return i;
}

// Keywords length properties take besides those of their lists.
struct ExtraKeyword {
    std::string_view property;
    std::string_view keyword;
};
constexpr ExtraKeyword kExtraKeywords[] = {
    {"top", "auto"},           {"bottom", "auto"},       {"left", "auto"},
    {"right", "auto"},         {"z-index", "auto"},      {"letter-spacing", "normal"},
    {"word-spacing", "normal"}, {"line-height", "normal"}, {"zoom", "normal"},
};

bool isKeywordOf(std::string_view text, std::string_view property) {
    for (const ExtraKeyword& k : kExtraKeywords)
        if (k.property == property && sjis::equalsIgnoreCase(k.keyword, text)) return true;
    const ValuePanelFill fill = sizeAttrPanelFill(sizeAttrIndex(property));
    for (const auto* list : {&fill.combo1, &fill.combo2})
        for (const std::string& item : *list)
            if (!item.empty() && sjis::equalsIgnoreCase(item, text)) return true;
    for (std::string_view keyword : kWideKeywords)
        if (sjis::equalsIgnoreCase(keyword, text)) return true;
    return false;
}

}  // namespace

std::optional<std::string> lengthEditValue(std::string_view property, std::string_view editText,
                                           std::string_view unitCaption) {
    const std::string_view text = sjis::trim(editText);
    if (const size_t n = numberLength(text); n > 0) {
        const std::string_view unit = text.substr(n);
        if (unit.empty()) return std::string(text) + std::string(unitCaption);
        for (std::string_view u : kLengthUnits)
            if (sjis::equalsIgnoreCase(unit, u)) return std::string(text);
        return std::nullopt;
    }
    if (isKeywordOf(text, property)) return std::string(text);
    if (isFunctionText(text) && text.back() == ')') return std::string(text);  // calc(...), var(...)
    return std::nullopt;
}

ImagePathText imagePathText(const std::filesystem::path& file,
                            const std::optional<std::filesystem::path>& previewPage) {
    std::filesystem::path chosen = file.lexically_normal();
    if (previewPage) {
        const std::filesystem::path rel =
            chosen.lexically_relative(previewPage->lexically_normal().parent_path());
        if (!rel.empty()) chosen = rel;
    }
    ImagePathText r;
    r.text = chosen.generic_string();
    Cp932Encoded enc = encodeCp932(r.text);
    r.cp932 = std::move(enc.bytes);
    r.unencodable = std::move(enc.unencodable);
    return r;
}

ValuePanelPlan planValuePanel(const PropertyNodeInfo* node,
                              const std::optional<std::string>& currentValue) {
    ValuePanelPlan p;
    if (!node) return p;

    const auto categoryName = [](int group) {
        return group >= 0 && group < CategoryCount ? std::string(CategoryNames[static_cast<size_t>(group)])
                                                   : std::string();
    };
    p.childInfo = categoryName(node->group);
    if (node->isCategory) {
        p.kind = ValuePanelKind::Category;
        p.pageName = categoryPageName(node->name);
        p.enableEditBox = decodeCp932(node->name) == BoxCategoryName;
        if (!p.pageName.empty()) {
            p.showPanel = true;
            p.controls = {ValueControl::RichEditHint};
        }
        return p;
    }

    p.lamps = {node->ie, node->ns4, node->ns6};
    p.selectsProperty = true;

    const std::string& name = node->name;
    // A declaration with an empty value counts as no value: the writer leaves it out.
    const std::string* whole = currentValue && !currentValue->empty() ? &*currentValue : nullptr;
    // What the editors show: the value without "!important".
    const std::string bare = whole ? std::string(splitImportance(*whole).value) : std::string();
    const std::string* value = whole ? &bare : nullptr;
    // The first item equal to the value, letter case ignored; else the value as edit text.
    const auto showInCombo = [&p, value] {
        const auto& items = p.fill.combo1;
        const auto it = std::find_if(items.begin(), items.end(), [&](const std::string& item) {
            return sjis::equalsIgnoreCase(item, *value);
        });
        if (it != items.end())
            p.comboIndex = static_cast<int>(it - items.begin());
        else
            p.comboText = display(*value);
    };

    if (const int c = colorPropertyIndex(name); c >= 0) {
        p.kind = ValuePanelKind::Color;
        if (value) {
            p.nowData = display(*whole);
            p.swatch = swatchLookOf(*value);
            p.color = readCssColor(*value);
            if (*value == TransparentValue) {
                p.transparentTicked = true;
                p.nowData = NoValueText;
            }
        }
        p.showPanel = true;
        p.controls = {ValueControl::ShapeColor, ValueControl::BitBtnClear};
        if (c >= static_cast<int>(kTransparentFirst) && c <= static_cast<int>(kTransparentLast))
            p.controls.push_back(ValueControl::CheckBoxColor);
        return p;
    }

    if (const int k = name.empty() ? -1 : keywordAttrIndex(name); k >= 0) {
        p.kind = ValuePanelKind::Keyword;
        p.fill = keywordAttrPanelFill(k);
        p.showPanel = true;
        p.controls = {ValueControl::CmbBoxCommon, ValueControl::MemoHint};
        if (value) {
            showInCombo();
            p.nowData = display(*whole);
        }
        return p;
    }

    if (const int s = sizeAttrIndex(name); s >= 0) {
        p.kind = ValuePanelKind::Length;
        p.fill = sizeAttrPanelFill(s);
        p.showPanel = true;
        p.controls = {ValueControl::PanelSizeSelect};
        if (p.fill.useCombo1) p.controls.push_back(ValueControl::CmbBoxCommon);
        if (p.fill.useCombo2) p.controls.push_back(ValueControl::CmbBoxCommon2);
        if (p.fill.useMemo) p.controls.push_back(ValueControl::MemoHint);
        p.focusEdit = true;
        if (value) {
            p.nowData = display(*whole);
            if (const std::optional<LengthParts> len = splitLength(*value)) {
                p.editText = display(len->number);
                p.unitIndex = len->unitIndex;
                if (!len->whole && !len->number.empty()) p.editPartOf = display(*value);
            } else if (p.fill.useCombo1) {
                showInCombo();
            }
        }
        return p;
    }

    if (name == "font-family") {
        p.kind = ValuePanelKind::FontFamily;
        p.nowData = NoValueText;
        if (value) p.fontText = display(*whole);
        p.showPanel = true;
        p.controls = {ValueControl::StaticTxtFont, ValueControl::BitBtnClear};
        return p;
    }

    if (name == AttrNames[AttrBackgroundImage]) {
        p.kind = ValuePanelKind::Image;
        if (value) {
            p.nowData = display(*whole);
            if (const std::optional<ImageAddress> image = imageAddress(*value)) {
                p.editText = display(image->address);
                if (!image->whole && !image->address.empty()) p.editPartOf = display(*value);
            } else {
                p.editText = display(*value);  // stored as it stands unless edited into an address
            }
        }
        p.showPanel = true;
        p.controls = {ValueControl::EditCommon, ValueControl::SBOpenURL};
        return p;
    }

    p.kind = ValuePanelKind::Other;
    return p;
}

}  // namespace pavik
