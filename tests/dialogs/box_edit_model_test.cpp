#include <gtest/gtest.h>

#include "dialogs/box_edit_model.h"
#include "platform/cp932.h"
#include "workspace/document/css_reader.h"

using namespace pavik;

namespace {

// The rows that differ from a fresh dialog, as "name=10px" ("!" after a disabled spinner),
// "name=dashed" for styles, blank-separated.
std::string describe(const BoxEditModel& m) {
    const BoxEditModel fresh;
    std::string out;
    for (int i = 0; i < BoxRowCount; ++i) {
        const auto row = static_cast<BoxRow>(i);
        std::string item;
        if (isStyleRow(row)) {
            if (m.style(row) != fresh.style(row)) item = m.style(row);
        } else if (!(m.length(row) == fresh.length(row))) {
            const BoxLength& l = m.length(row);
            item = std::to_string(l.value) + l.unit + (l.enabled ? "" : "!");
        }
        if (item.empty()) continue;
        if (!out.empty()) out += ' ';
        out += std::string(boxRowProperty(row)) + "=" + item;
    }
    return out;
}

// The dialog as a rule opens it.
BoxOpening open(const std::string& declarations) {
    static StyleDocument doc;
    doc = AnalyzeCSS("P { " + declarations + " }").Document;
    return readBoxRule(doc.rules().at(0));
}

// The lines of the page between ".preview {" and the line after the rule.
std::string previewRule(const std::string& page) {
    const size_t from = page.find(".preview {\r\n");
    const size_t to = page.find("--></STYLE>");
    return from == std::string::npos || to == std::string::npos ? page : page.substr(from, to - from);
}

}  // namespace

TEST(BoxEditModel, SetBoxValueForEachFormOfValue) {
    struct Case {
        const char* what;
        const char* name;
        const char* value;
        const char* expected;
    } cases[] = {
        {"shorthand", "margin", "10px",
         "margin=10px margin-top=10px margin-left=10px margin-bottom=10px margin-right=10px"},
        {"side", "padding-left", "-5em", "padding-left=-5em"},
        {"first unit in the search order", "margin-top", "3ex", "margin-top=3ex"},
        {"first of several lengths", "padding", "10px 5px",
         "padding=10px padding-top=10px padding-left=10px padding-bottom=10px padding-right=10px"},
        {"no unit", "margin", "0", ""},
        {"keyword", "margin-left", "auto", ""},
        {"units are case-sensitive", "padding", "12PX", ""},
        {"beyond the range", "margin-top", "600px", "margin-top=500px"},
        {"far beyond the range", "margin-top", "-99999999999999999999px", "margin-top=-500px"},
        {"decimal", "margin-top", "1.5em", ""},
        {"number before the unit is no integer", "margin", "2px 1em", ""},
        {"calc", "margin-top", "calc(100% - 10px)", ""},
        {"unit alone", "border-top-width", "px", ""},
        {"keyword width shorthand", "border-width", "thin",
         "border-width=0thin! border-top-width=0thin! border-left-width=0thin! border-bottom-width=0thin! "
         "border-right-width=0thin!"},
        {"width without unit", "border-width", "3", ""},
        {"keyword width side", "border-top-width", "thick", "border-top-width=0thick!"},
        {"style shorthand leaves its own row", "border-style", "dashed",
         "border-top-style=dashed border-left-style=dashed border-bottom-style=dashed border-right-style=dashed"},
        {"style side", "border-right-style", "groove", "border-right-style=groove"},
        {"style that is no item", "border-left-style", "hidden", ""},
    };
    for (const Case& c : cases) {
        BoxEditModel m;
        m.SetBoxValue(c.name, c.value);
        EXPECT_EQ(describe(m), c.expected) << c.what;
    }
}

TEST(BoxEditModel, PreviewPageOfARule) {
    const std::string bo = "\x83\x7B";  // "ボ": its trail byte is "{"
    BoxOpening o = open("margin: 10px 5px; margin-top: 5em; margin-left: 1.5em; border-top-width: thick; "
                        "border-left-style: " + bo + "; padding-left: 2px; "
                        "padding-right: 1px</STYLE><script>x</script>; padding-bottom: 3px;");
    // Values that would leave the rule are left out, as "<" above; so are bytes that are no
    // Shift_JIS character, as a browser may read their second byte as "{" or the next as ";".
    o.preview[static_cast<size_t>(BoxRow::BorderRightStyle)] = "a;b";
    o.preview[static_cast<size_t>(BoxRow::PaddingTop)] = "x{y";
    o.preview[static_cast<size_t>(BoxRow::BorderBottomWidth)] = "}";
    o.preview[static_cast<size_t>(BoxRow::BorderLeftWidth)] = "\x85\x7B";
    o.preview[static_cast<size_t>(BoxRow::BorderRightWidth)] = "1px\x81";
    const std::string expected =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
        "<HTML><HEAD>\r\n"
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
        "<STYLE TYPE=\"text/css\">\r\n"
        "<!--\r\n"
        "BODY {background-color : white ;}\r\n"
        ".background {\r\n"
        "background-color : navy ;\r\n"
        "width : 95% ;\r\n"
        "}\r\n"
        ".normal {\r\n"
        "background-color : white ;\r\n"
        "color : Green ;\r\n"
        "}\r\n"
        ".preview {\r\n"
        "margin-top : 5em;\r\n"
        "margin-left : 1.5em;\r\n"
        "margin-bottom : 10px 5px;\r\n"
        "margin-right : 10px 5px;\r\n"
        "border-top-width : thick;\r\n"
        "border-top-style : none;\r\n"
        "border-bottom-style : none;\r\n"
        "border-left-style : " + bo + ";\r\n"
        "background-color : skyblue ;\r\n"
        "border-color : teal ;\r\n"
        "padding-left : 2px;\r\n"
        "padding-bottom : 3px;\r\n"
        "}\r\n"
        "--></STYLE></HEAD><BODY>\r\n"
        "<CENTER><DIV class=\"background\"><DIV CLASS=\"preview\"><DIV class=\"normal\">" +
        toCp932("ボックステスト") +
        "</DIV></DIV></DIV><br></CENTER>\r\n"
        "</BODY></HTML>\r\n";
    EXPECT_EQ(boxPreviewPage(o.preview), expected);
    // In the controls a side overrides its shorthand too; 1.5em cannot be held and is skipped.
    EXPECT_EQ(describe(o.model),
              "margin=10px margin-top=5em margin-left=10px margin-bottom=10px margin-right=10px "
              "border-top-width=0thick! padding-left=2px padding-bottom=3px padding-right=1px");

    // Without a rule: the four styles, the two colours and the closing brace.
    EXPECT_EQ(previewRule(boxPreviewPage(readBoxRule(nullptr).preview)),
              ".preview {\r\n"
              "border-top-style : none;\r\n"
              "border-right-style : none;\r\n"
              "border-bottom-style : none;\r\n"
              "border-left-style : none;\r\n"
              "background-color : skyblue ;\r\n"
              "border-color : teal ;\r\n"
              "}\r\n");
}

TEST(BoxEditModel, ResultSaysRowByRowWhatTheUserChanged) {
    // Values the controls cannot hold as written: unchanged, they are not rows to store.
    BoxOpening o = open("margin: 10px 5px; margin-top: 600px; border-width: thin; border-style: hidden; "
                        "padding-left: 1.5em;");
    BoxEditModel m = o.model;
    for (const BoxResultRow& r : boxResult(o.model, m)) EXPECT_FALSE(r.changed) << boxRowProperty(r.row);

    m.setNumber(BoxRow::MarginLeft, 0);                  // to 0: a change
    m.setUnit(BoxRow::BorderTopWidth, "thick");          // keyword width
    m.setNumber(BoxRow::PaddingRight, 3);                // and back: no change
    m.setNumber(BoxRow::PaddingRight, 0);
    m.setStyle(BoxRow::BorderBottomStyle, "none");       // as it showed: no change
    m.setStyle(BoxRow::BorderRightStyle, "ridge");
    std::string changed;
    for (const BoxResultRow& r : boxResult(o.model, m))
        if (r.changed) changed += std::string(boxRowProperty(r.row)) + "=" + r.value + ";";
    EXPECT_EQ(changed, "margin-left=0px;border-top-width=thick;border-right-style=ridge;");
}
