// The document's history: every kind of step the window records, undone and redone, leaves
// the written sheet byte for byte as it was; the bounds, the saved mark and the redo steps.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"
#include "workspace/document/document_history.h"
#include "workspace/values/box_write_back.h"
#include "workspace/values/value_store.h"

using namespace pavik;

namespace {

// Comments before and inside rules, at-rules between them, a charset and trailing comments:
// what removals move about.
const char* const kSheet =
    "@charset \"Shift_JIS\";\r\n"
    "/* head */\r\n"
    "H1 { /* c */ color : red ; margin : 0 ; }\r\n"
    "/* before P */\r\n"
    "P { color : blue !important ; color : green ; /* last */ font-family : serif ; /* close */ }\r\n"
    "/* before media */\r\n"
    "@media print { P { color : black ; } }\r\n"
    "/* before last */\r\n"
    ".note { padding : 1em ; }\r\n"
    "/* tail */\r\n";

std::string written(const StyleDocument& doc) {
    return writeStyleSheet(doc, std::chrono::system_clock::time_point{});
}

StyleDocument read(std::string_view text) { return AnalyzeCSS(text).Document; }

const TData2* ruleAt(const StyleDocument& doc, size_t i) { return &doc.rules().at(i)->Data; }

TData2 newRule(const std::string& selector) { return ruleRecordFor(selector); }

}  // namespace

TEST(DocumentHistory, EveryKindOfStepUndoesAndRedoesToTheSameSheet) {
    using Change = std::function<void(StyleDocument&)>;
    const auto value = [](size_t rule, const char* property, const char* v) {
        return Change([=](StyleDocument& doc) { storeValue(doc, ruleAt(doc, rule), property, v); });
    };
    const auto clear = [](size_t rule, const char* property) {
        return Change([=](StyleDocument& doc) { clearValue(doc, ruleAt(doc, rule), property); });
    };
    const auto removeRule = [](size_t rule) {
        return Change([=](StyleDocument& doc) { doc.removeRule(doc.rules().at(rule)); });
    };
    const struct {
        const char* what;
        Change change;
        std::optional<size_t> placeAfter;  // the rule selected after redoing
    } cases[] = {
        {"keyword over a value", value(0, "color", "navy"), 0},
        {"length, new declaration", value(0, "width", "12px"), 0},
        {"colour into the declaration in effect, keeping !important", value(1, "color", "rgb(1,2,3)"), 1},
        {"font family", value(1, "font-family", "\"MS Gothic\", serif"), 1},
        {"image", value(2, "background-image", "url(\"a.gif\")"), 2},
        {"empty value", value(0, "color", ""), 0},
        {"clear: every declaration of it, comments moved on", clear(1, "color"), 1},
        {"clear the last declaration, its comment before the closing one", clear(1, "font-family"), 1},
        {"box editor: several stores",
         [](StyleDocument& doc) {
             BoxResultRow margin{BoxRow::Margin, "3px", true}, top{BoxRow::MarginTop, "1em", true};
             writeBoxResult(doc, ruleAt(doc, 0), {margin, top}, [](std::string_view) { return true; });
         },
         0},
        {"rule added", [](StyleDocument& doc) { doc.addRule(newRule("DIV.red")); }, 3},
        {"class added", [](StyleDocument& doc) { doc.addRule(newRule(".new")); }, 3},
        {"first rule deleted, its comments before the next", removeRule(0), std::nullopt},
        {"rule deleted, its comments before kept text", removeRule(1), std::nullopt},
        {"last rule deleted, its comments before the trailing ones", removeRule(2), std::nullopt},
        {"rule with a declaration added, then deleted in the same step",
         [](StyleDocument& doc) {
             CssRuleNode* r = doc.addRule(newRule("EM"));
             doc.addDeclaration(r, "color", "red");
             doc.removeRule(doc.rules().at(1));
         },
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StyleDocument doc = read(kSheet);
        DocumentHistory history;
        const std::string before = written(doc);
        {
            HistoryStep step(history, doc, c.what, {0, "color"});
            c.change(doc);
            step.setAfter({c.placeAfter, "color"});
        }
        const std::string after = written(doc);
        ASSERT_NE(after, before);
        ASSERT_TRUE(history.canUndo());
        EXPECT_EQ(history.undoLabel(), c.what);

        const auto undone = history.undo(doc);
        ASSERT_TRUE(undone);
        EXPECT_EQ(written(doc), before);
        EXPECT_EQ(undone->place.rule, std::optional<size_t>(0));
        EXPECT_TRUE(history.atSaved());
        const auto redone = history.redo(doc);
        ASSERT_TRUE(redone);
        EXPECT_EQ(written(doc), after);
        EXPECT_EQ(redone->place.rule, c.placeAfter);
        EXPECT_EQ(redone->rulesMoved, undone->rulesMoved);
        EXPECT_FALSE(history.atSaved());
    }
}

// A save reads the rules back from the file: a hand edit in it is a step of its own; the
// rules' own text read back with a difference (an empty value left out) joins the step
// before it; the same text records nothing.
TEST(DocumentHistory, ASaveThatReadsOtherTextBackIsUndoneWithTheStepsBeforeIt) {
    StyleDocument doc = read(kSheet);
    DocumentHistory history;
    const std::string opened = written(doc);
    {
        HistoryStep step(history, doc, "empty", {0, "color"});
        storeValue(doc, ruleAt(doc, 0), "color", "");
    }
    const std::string emptied = written(doc);
    const auto save = [&](const std::string& text, bool handEdit) {
        StyleDocument before = std::exchange(doc, read(text));
        history.replaced(before, doc, handEdit, "hand edit");
        history.markSaved();
    };
    save(emptied, false);  // the empty declaration is gone now
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.undoLabel(), "empty");
    save(written(doc), false);  // the same text again: nothing to record
    EXPECT_EQ(history.size(), 2u);
    save("P { color : red ; }\r\n", true);
    EXPECT_EQ(history.undoLabel(), "hand edit");
    EXPECT_TRUE(history.atSaved());

    history.undo(doc);
    EXPECT_EQ(written(doc), emptied);
    EXPECT_FALSE(history.atSaved());
    history.undo(doc);  // the value and the read-back together
    EXPECT_EQ(written(doc), opened);
    EXPECT_FALSE(history.canUndo());
    history.redo(doc);
    EXPECT_EQ(written(doc), emptied);
    history.redo(doc);
    EXPECT_EQ(written(doc), written(read("P { color : red ; }\r\n")));
    EXPECT_TRUE(history.atSaved());
}

TEST(DocumentHistory, ANewStepDropsTheRedoStepsAndTheOldestGoBeyondTheBounds) {
    StyleDocument doc = read("P { color : red ; }\r\n");
    DocumentHistory history(DocumentHistory::Limits{5, 10000});
    const auto set = [&](const std::string& v) {
        HistoryStep step(history, doc, "v", {0, "color"});
        storeValue(doc, ruleAt(doc, 0), "color", v);
    };
    set("red");  // no change: no step
    EXPECT_FALSE(history.canUndo());
    set("blue");
    history.markSaved();
    set("green");
    history.undo(doc);
    EXPECT_TRUE(history.atSaved());
    history.undo(doc);
    set("navy");  // the saved "blue" goes with the steps to redo
    EXPECT_FALSE(history.canRedo());
    history.undo(doc);
    EXPECT_FALSE(history.atSaved());
    EXPECT_EQ(written(doc), written(read("P { color : red ; }\r\n")));

    for (char c = 'a'; c < 'i'; ++c) set(std::string(20, c));
    EXPECT_EQ(history.size(), 5u);
    for (char c = 'a'; c < 'i'; ++c) set(std::string(1000, c));  // about 2 KB a step
    EXPECT_LE(history.bytes(), 10000u);
    EXPECT_GE(history.size(), 3u);
    set(std::string(20000, 'z'));  // beyond the bound on its own: nothing kept
    EXPECT_EQ(history.size(), 0u);
}
