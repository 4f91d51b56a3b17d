#include "dialogs/box_edit_model.h"

#include <algorithm>
#include <optional>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/declarations.h"

namespace pavik {
namespace {

constexpr std::array<std::string_view, BoxRowCount> kProperties{
    "margin",       "margin-top",       "margin-left",       "margin-bottom",       "margin-right",
    "border-width", "border-top-width", "border-left-width", "border-bottom-width", "border-right-width",
    "padding",      "padding-top",      "padding-left",      "padding-bottom",      "padding-right",
    "border-style", "border-top-style", "border-left-style", "border-bottom-style", "border-right-style",
};

BoxRow rowAt(size_t i) { return static_cast<BoxRow>(i); }
BoxRow offset(BoxRow row, int by) { return static_cast<BoxRow>(static_cast<int>(row) + by); }

// The four sides of an All row.
std::array<BoxRow, 4> sidesOf(BoxRow all) {
    return {offset(all, 1), offset(all, 2), offset(all, 3), offset(all, 4)};
}

// A decimal integer with an optional sign after optional leading blanks, clamped to the
// spinners' range; nothing for any other text.
std::optional<int> boxNumber(std::string_view text) {
    text = sjis::trimLeft(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = std::min<long long>(n * 10 + (c - '0'), BoxNumberMax + 1LL);  // saturates, never overflows
    }
    return std::clamp<long long>(negative ? -n : n, BoxNumberMin, BoxNumberMax);
}

struct Length {
    int value;
    std::string_view unit;
};

// The first unit of "%", "ex", "em", "px" occurring in the value, with the number before it.
// Nothing without a unit or with a number that is not a whole decimal.
std::optional<Length> parseLength(std::string_view value) {
    for (std::string_view unit : BoxLengthUnits) {
        const size_t at = sjis::find(value, unit);
        if (at == sjis::npos) continue;
        const std::optional<int> n = boxNumber(value.substr(0, at));
        if (!n) return std::nullopt;
        return Length{*n, unit};
    }
    return std::nullopt;
}

bool isStyleItem(std::string_view value) {
    return std::find(BoxBorderStyles.begin(), BoxBorderStyles.end(), value) != BoxBorderStyles.end();
}

std::string decimal(int n) { return std::to_string(n); }

}  // namespace

std::string_view boxRowProperty(BoxRow row) { return kProperties[static_cast<size_t>(row)]; }

BoxRow allRowOf(BoxRow row) {
    if (row >= BoxRow::BorderStyle) return BoxRow::BorderStyle;
    if (row >= BoxRow::Padding) return BoxRow::Padding;
    if (row >= BoxRow::BorderWidth) return BoxRow::BorderWidth;
    return BoxRow::Margin;
}

bool isKeywordWidth(std::string_view unit) { return unit == "thin" || unit == "medium" || unit == "thick"; }

BoxEditModel::BoxEditModel() {
    for (size_t i = 0; i < BoxRowCount; ++i)
        if (isStyleRow(rowAt(i))) styles_[i] = "none";
}

void BoxEditModel::setLength(BoxRow row, int value, std::string_view unit) {
    BoxLength& l = lengthRef(row);
    l.value = std::clamp(value, BoxNumberMin, BoxNumberMax);
    l.unit = unit;
    l.enabled = !(isBorderWidthRow(row) && isKeywordWidth(unit));
}

void BoxEditModel::SetBoxValue(std::string_view name, std::string_view value) {
    const auto* found = std::find(kProperties.begin(), kProperties.end(), name);
    if (found == kProperties.end()) return;
    const BoxRow row = rowAt(static_cast<size_t>(found - kProperties.begin()));
    const bool all = isAllRow(row);

    if (isStyleRow(row)) {
        if (!isStyleItem(value)) return;
        // The shorthand sets the four sides only; its own drop-down stays as it is.
        if (all)
            for (BoxRow side : sidesOf(row)) styles_[index(side)] = value;
        else
            styles_[index(row)] = value;
        return;
    }

    if (const std::optional<Length> length = parseLength(value)) {
        setLength(row, length->value, length->unit);
        if (all)
            for (BoxRow side : sidesOf(row)) setLength(side, length->value, length->unit);
        return;  // no keyword width holds a unit
    }
    if (isBorderWidthRow(row) && isKeywordWidth(value)) {
        if (all) {
            setLength(row, 0, value);
            for (BoxRow side : sidesOf(row)) setLength(side, 0, value);
        } else {
            // The side keeps its number behind the disabled spinner.
            setLength(row, length(row).value, value);
        }
    }
}

void BoxEditModel::setNumber(BoxRow row, int value) {
    if (isStyleRow(row)) return;
    value = std::clamp(value, BoxNumberMin, BoxNumberMax);
    lengthRef(row).value = value;
    if (isAllRow(row))
        for (BoxRow side : sidesOf(row)) lengthRef(side).value = value;
}

void BoxEditModel::setUnit(BoxRow row, std::string_view unit) {
    if (isStyleRow(row)) return;
    setLength(row, length(row).value, unit);
    if (isAllRow(row))
        for (BoxRow side : sidesOf(row)) setLength(side, length(side).value, unit);
}

void BoxEditModel::setStyle(BoxRow row, std::string_view style) {
    if (!isStyleRow(row)) return;
    styles_[index(row)] = style;
    if (isAllRow(row))
        for (BoxRow side : sidesOf(row)) styles_[index(side)] = style;
}

std::string BoxEditModel::composed(BoxRow row) const {
    if (isStyleRow(row)) return style(row);
    const BoxLength& l = length(row);
    if (isBorderWidthRow(row) && isKeywordWidth(l.unit)) return l.unit;
    return decimal(l.value) + l.unit;
}

BoxPreview BoxEditModel::preview() const {
    BoxPreview p;
    for (size_t i = 0; i < BoxRowCount; ++i) {
        const BoxRow row = rowAt(i);
        if (isAllRow(row)) continue;
        const bool keyword = isBorderWidthRow(row) && isKeywordWidth(length(row).unit);
        p[i] = isStyleRow(row) || keyword || length(row).value != 0 ? composed(row) : std::string();
    }
    return p;
}

BoxOpening readBoxRule(const CssRuleNode* rule) {
    BoxOpening o;
    for (size_t i = 0; i < BoxRowCount; ++i)
        if (isStyleRow(rowAt(i)) && !isAllRow(rowAt(i))) o.preview[i] = "none";
    if (!rule) return o;
    // Shorthands come before their sides, so a side property overrides its shorthand.
    for (size_t i = 0; i < BoxRowCount; ++i) {
        const BoxRow row = rowAt(i);
        const Declaration* decl = declarationInEffect(rule, kProperties[i]);
        if (!decl) continue;
        o.model.SetBoxValue(kProperties[i], splitImportance(decl->Value).value);
        if (isAllRow(row))
            for (BoxRow side : sidesOf(row)) o.preview[static_cast<size_t>(side)] = decl->Value;
        else
            o.preview[i] = decl->Value;
    }
    return o;
}

namespace {

// Checked as the browser reads the page: decoded from Shift_JIS. A pair that does not
// decode is refused too, since a browser may then read its second byte ("{", "}") as ASCII.
bool safeInStyle(std::string_view value) {
    const std::string text = decodeCp932(value);
    return text.find_first_of("<{};") == std::string::npos && text.find("\xEF\xBF\xBD") == std::string::npos;
}

}  // namespace

std::string boxPreviewPage(const BoxPreview& values) {
    std::string page;
    auto line = [&page](std::string_view text) {
        page += text;
        page += "\r\n";
    };
    // "name : value;" for a value that is shown; `close` ends the rule on the same line.
    auto declaration = [&](BoxRow row, bool close = false) {
        const std::string& v = values[static_cast<size_t>(row)];
        if (v.empty() || !safeInStyle(v)) return false;
        line(std::string(boxRowProperty(row)) + " : " + v + (close ? ";}" : ";"));
        return true;
    };

    line(std::string(DoctypeHead) + "HTML 4.01 Transitional//EN\">");
    line(HtmlHeadOpen);
    line(charsetDeclaration("Shift_JIS"));
    line("<STYLE TYPE=\"text/css\">");
    line("<!--");
    line("BODY {background-color : white ;}");
    for (std::string_view l : {".background {", "background-color : navy ;", "width : 95% ;", "}"}) line(l);
    for (std::string_view l : {".normal {", "background-color : white ;", "color : Green ;", "}"}) line(l);
    line(".preview {");
    for (BoxRow row : {BoxRow::MarginTop, BoxRow::MarginLeft, BoxRow::MarginBottom, BoxRow::MarginRight,
                       BoxRow::BorderTopWidth, BoxRow::BorderLeftWidth, BoxRow::BorderBottomWidth,
                       BoxRow::BorderRightWidth, BoxRow::BorderTopStyle, BoxRow::BorderRightStyle,
                       BoxRow::BorderBottomStyle, BoxRow::BorderLeftStyle})
        declaration(row);
    line("background-color : skyblue ;");
    line("border-color : teal ;");
    for (BoxRow row : {BoxRow::PaddingTop, BoxRow::PaddingLeft, BoxRow::PaddingBottom}) declaration(row);
    if (!declaration(BoxRow::PaddingRight, true)) line("}");
    line(std::string("--></STYLE>") + std::string(HeadCloseBodyOpen));
    line("<CENTER><DIV class=\"background\"><DIV CLASS=\"preview\"><DIV class=\"normal\">" +
         toCp932("ボックステスト") + "</DIV></DIV></DIV><br></CENTER>");
    line(BodyHtmlClose);
    return page;
}

std::vector<BoxResultRow> boxResult(const BoxEditModel& opening, const BoxEditModel& now) {
    std::vector<BoxResultRow> rows;
    rows.reserve(BoxRowCount);
    for (size_t i = 0; i < BoxRowCount; ++i) {
        const BoxRow row = rowAt(i);
        std::string value = now.composed(row);
        bool changed = value != opening.composed(row);
        // A 0 stands for "not set": a new unit for it alone changes nothing.
        const auto keyword = [row](const BoxLength& l) { return isBorderWidthRow(row) && isKeywordWidth(l.unit); };
        if (!isStyleRow(row) && now.length(row).value == 0 && !keyword(now.length(row)))
            changed = opening.length(row).value != 0 || keyword(opening.length(row));
        rows.push_back({row, std::move(value), changed});
    }
    return rows;
}

}  // namespace pavik
