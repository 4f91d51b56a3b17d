#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"
#include "workspace/values/value_panel.h"
#include "workspace/values/value_store.h"

using namespace pavik;

namespace {

// A document of two rules with the same selector and one other rule.
struct Sheet {
    StyleDocument doc = AnalyzeCSS("P { color : red ; }\r\nP { margin : 0 ; }\r\n"
                                   "H1 { border-color : transparent ; }\r\n")
                            .Document;
    const TData2* rule(size_t i) const { return &doc.rules().at(i)->Data; }
    const TData2* h1() const {
        for (const auto& r : doc.rules())
            if (r->Data.Selector == "H1") return &r->Data;
        return nullptr;
    }
    const TData2* firstP() const { return rule(h1() == rule(0) ? 1 : 0); }
    const TData2* secondP() const { return rule(h1() == rule(2) ? 1 : 2); }
    // The declarations of the rule with that record, as "name=value;".
    std::string declarations(const TData2* record) const {
        std::string s;
        for (const auto& d : findRuleByRecord(doc, record)->Declarations)
            s += d.Name + "=" + d.Value + ";";
        return s;
    }
    std::string text() const {
        return writeStyleSheet(doc, std::chrono::system_clock::time_point{});
    }
};

}  // namespace

TEST(ValueStore, CreatesAndUpdatesDeclarationsOfTheClickedRule) {
    Sheet s;
    ASSERT_EQ(s.declarations(s.secondP()), "margin=0;");
    EXPECT_EQ(currentValue(s.doc, s.secondP(), "margin"), "0");
    EXPECT_EQ(currentValue(s.doc, s.firstP(), "margin"), std::nullopt);

    // The second rule of the same selector gets the value, not the first.
    ASSERT_NE(storeValue(s.doc, s.secondP(), "color", "blue"), nullptr);
    EXPECT_EQ(s.declarations(s.secondP()), "margin=0;color=blue;");
    EXPECT_EQ(s.declarations(s.firstP()), "color=red;");

    storeValue(s.doc, s.secondP(), "margin", "1px");
    EXPECT_EQ(s.declarations(s.secondP()), "margin=1px;color=blue;");

    // Names are compared exactly: COLOR is another declaration.
    storeValue(s.doc, s.firstP(), "COLOR", "green");
    EXPECT_EQ(s.declarations(s.firstP()), "color=red;COLOR=green;");

    // An empty value keeps the declaration and drops it from the text.
    storeValue(s.doc, s.firstP(), "color", "");
    EXPECT_EQ(s.declarations(s.firstP()), "color=;COLOR=green;");
    EXPECT_EQ(s.text().find("color : ;"), std::string::npos);
    EXPECT_NE(s.text().find("COLOR : green ;"), std::string::npos);
}

TEST(ValueStore, NothingHappensWithoutALiveRuleOrProperty) {
    Sheet s;
    const TData2* p = s.firstP();
    EXPECT_EQ(storeValue(s.doc, nullptr, "color", "x"), nullptr);
    EXPECT_EQ(storeValue(s.doc, p, "", "x"), nullptr);
    EXPECT_FALSE(applyValueWrite(s.doc, p, "", keywordWrite(std::string("left"))));

    TData2 stranger;
    EXPECT_EQ(storeValue(s.doc, &stranger, "color", "x"), nullptr);

    s.doc.removeRule(findRuleByRecord(s.doc, p));
    EXPECT_EQ(findRuleByRecord(s.doc, p), nullptr);
    EXPECT_EQ(currentValue(s.doc, p, "color"), std::nullopt);
    EXPECT_FALSE(applyValueWrite(s.doc, p, "color", colorWrite("red")));
    EXPECT_FALSE(applyValueWrite(s.doc, p, "color", clearWrite()));
    EXPECT_EQ(s.doc.declarationCount(), 2u);
}

TEST(ValueStore, ClearRemovesOnlyWhatTheRuleSets) {
    Sheet s;
    EXPECT_FALSE(applyValueWrite(s.doc, s.firstP(), "margin", clearWrite()));
    EXPECT_EQ(s.declarations(s.firstP()), "color=red;");
    EXPECT_TRUE(applyValueWrite(s.doc, s.firstP(), "color", clearWrite()));
    EXPECT_EQ(s.declarations(s.firstP()), "");
    const ValueWrite w = clearWrite();
    EXPECT_EQ(w.image, ValueImageUnset);
    EXPECT_EQ(w.fontText, "指定無し");
    EXPECT_EQ(w.swatch, SwatchLook{});
}

TEST(ValueWrites, KeywordDropDowns) {
    ValueWrite w = keywordWrite(std::string("center"));
    EXPECT_EQ(w.op, ValueWrite::Op::Store);
    EXPECT_EQ(w.value, "center");
    EXPECT_EQ(w.image, ValueImageSet);
    EXPECT_EQ(w.nowData, "center");

    // The empty first item, or an emptied text, stores the empty value.
    w = keywordWrite("");
    EXPECT_EQ(w.op, ValueWrite::Op::Store);
    EXPECT_EQ(w.value, "");
    EXPECT_EQ(w.image, ValueImageUnset);

    EXPECT_EQ(secondKeywordWrite(std::string("")).op, ValueWrite::Op::None);
    EXPECT_EQ(secondKeywordWrite(std::nullopt).op, ValueWrite::Op::None);
    Sheet s;
    storeValue(s.doc, s.firstP(), "background-position", "top");
    EXPECT_TRUE(applyValueWrite(s.doc, s.firstP(), "background-position",
                                secondKeywordWrite(std::string("left"))));
    EXPECT_EQ(currentValue(s.doc, s.firstP(), "background-position"), "left");
}

TEST(ValueWrites, EditBox) {
    EXPECT_EQ(editWrite("width", "12", "px", false).value, "12px");
    EXPECT_EQ(editWrite("width", "12", "%", true).value, "12%");
    EXPECT_EQ(editWrite("background-image", "a.gif", "%", true).value, "url(\"a.gif\")");
    EXPECT_EQ(editWrite("width", "12", "px", true).image, ValueImageSet);
    EXPECT_EQ(editWrite("width", "12x3", "px", true).op, ValueWrite::Op::Refused);

    // A click in an empty box keeps "auto"; Enter in it stores the empty value.
    Sheet s;
    storeValue(s.doc, s.firstP(), "width", "auto");
    EXPECT_FALSE(applyValueWrite(s.doc, s.firstP(), "width", editWrite("width", "", "px", false)));
    EXPECT_EQ(currentValue(s.doc, s.firstP(), "width"), "auto");
    const ValueWrite enter = editWrite("width", "", "px", true);
    EXPECT_EQ(enter.image, ValueImageUnset);
    EXPECT_TRUE(applyValueWrite(s.doc, s.firstP(), "width", enter));
    EXPECT_EQ(currentValue(s.doc, s.firstP(), "width"), "");
}

TEST(ValueWrites, ImageFileTransparentColourAndFont) {
    const ImagePathText path = imagePathText("/site/img/a.gif", std::filesystem::path("/site/p.html"));
    ValueWrite w = imageFileWrite(path.cp932);
    EXPECT_EQ(w.value, "url(\"img/a.gif\")");
    EXPECT_EQ(w.nowData, "url(\"img/a.gif\")");
    EXPECT_TRUE(w.refreshAlways);

    // Unticking "transparent" on a transparent border colour stores the empty value.
    Sheet s;
    ASSERT_EQ(currentValue(s.doc, s.h1(), "border-color"), "transparent");
    w = transparentWrite(false);
    EXPECT_TRUE(applyValueWrite(s.doc, s.h1(), "border-color", w));
    EXPECT_EQ(currentValue(s.doc, s.h1(), "border-color"), "");
    EXPECT_EQ(w.nowData, "指定無し");
    EXPECT_EQ(w.image, ValueImageUnset);
    EXPECT_EQ(w.swatch, SwatchLook{});  // no value: plain white
    EXPECT_EQ(s.text().find("border-color"), std::string::npos);
    w = transparentWrite(true);
    EXPECT_TRUE(applyValueWrite(s.doc, s.h1(), "border-color", w));
    EXPECT_EQ(w.nowData, "透過");
    EXPECT_EQ(w.swatch, (SwatchLook{clNone, true, "transparent"}));
    EXPECT_NE(s.text().find("border-color : transparent ;"), std::string::npos);

    w = colorWrite("rgb(0,128,255)");
    EXPECT_EQ(w.swatch, (SwatchLook{0xFF8000u, false, ""}));
    EXPECT_EQ(w.nowData, "rgb(0,128,255)");
    w = fontWrite(toCp932("ＭＳ 明朝"));
    EXPECT_EQ(w.fontText, "ＭＳ 明朝");
    EXPECT_EQ(w.value, toCp932("ＭＳ 明朝"));
    EXPECT_FALSE(w.nowData);
}

TEST(ValueWrites, OnlyValuesThatLeaveTheSheetIntactAreWritable) {
    struct Case {
        std::string value;
        bool writable;
    };
    const Case cases[] = {
        {"12px", true},
        {"calc(100% - 10px)", true},
        {"url(\"a(1).gif\")", true},
        {"'a\\'b' \"c\"", true},
        {"url(\"a}b.gif\")", true},
        {"a\\(", true},
        {toCp932("\"ソ\" 1px"), true},  // the second byte of ソ is a backslash
        {"calc(100% - 10px", false},
        {"10px)", false},
        {")(", false},
        {"url(\"a.gif)", false},
        {"'a", false},
        {"red; }", false},
        {"{", false},
        {"\"a\\\"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writableValue(c.value), c.writable) << c.value;
        if (!c.writable) continue;
        // Written and read again, the value and the rule after it come back unchanged.
        Sheet s;
        storeValue(s.doc, s.firstP(), "x", c.value);
        const StyleDocument back = AnalyzeCSS(s.text()).Document;
        ASSERT_EQ(back.ruleCount(), 3) << c.value;
        bool found = false;
        for (const auto& r : back.rules())
            for (const auto& d : r->Declarations) found = found || (d.Name == "x" && d.Value == c.value);
        EXPECT_TRUE(found) << c.value << "\n" << s.text();
    }
}

TEST(ValueStore, ChangesTheDeclarationInEffectAndKeepsItsImportantMark) {
    const struct {
        const char *rule, *value, *read, *after;  // P's declarations; stored; read before; afterwards
    } cases[] = {
        {"color: red ! Important; color: blue", "green", "red ! Important", "color=green ! Important;color=blue;"},
        {"color: red; color: ", "green", "red", "color=green;color=;"},  // the empty one is left out
        {"color: red; blue", "green", "red", "color=green;=blue;"},  // a piece without a name stays as it is
        {"margin: 1em !important", "3px !important", "1em !important", "margin=3px !important;"},
        {"margin: 1em !important", "", "1em !important", "margin=;"},
        {"content: \"a\\!important\"", "x", "\"a\\!important\"", "content=x;"},
    };
    for (const auto& c : cases) {
        StyleDocument doc = AnalyzeCSS(std::string("P { ") + c.rule + " }").Document;
        const TData2* rule = &doc.rules().at(0)->Data;
        const std::string property(doc.rules().at(0)->Declarations.at(0).Name);
        EXPECT_EQ(currentValue(doc, rule, property), c.read) << c.rule;
        storeValue(doc, rule, property, c.value);
        std::string after;
        for (const auto& d : doc.rules().at(0)->Declarations) after += d.Name + "=" + d.Value + ";";
        EXPECT_EQ(after, c.after) << c.rule;
        // Clearing leaves the rule without the property.
        EXPECT_TRUE(clearValue(doc, rule, property));
        EXPECT_EQ(currentValue(doc, rule, property), std::nullopt) << c.rule;
    }
}
