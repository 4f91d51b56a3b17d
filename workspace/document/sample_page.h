#pragma once
// The built-in preview page: one sample of every rule, each behind an anchor named after it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/file_bytes.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/progress_sink.h"
#include "workspace/document/rule_tree.h"

namespace pavik {

// The natural anchor of a rule: for a selector with a blank, Name + "_" + the text after the
// first blank ("DIV P" gives "DIV_P"); else, with a ":", the text before it ("A:hover" gives
// "A"); else the selector. Two rules may share it ("DIV P" and "DIV.a P"): SampleAnchors
// makes the page's anchors unique.
std::string ruleAnchorName(const TData2& rule);

// The anchors of the sample page made from `tree`. The page writes them, and a click on a
// rule, or a rebuild while it is selected, goes to them: one rule for both.
//   - Every rule with a sample has its own anchor: its natural one where no other rule with a
//     sample shares it (the first of those that share it in tree order keeps it too); the
//     others get "_2", "_3", ... after it, the first such name no rule has.
//     "DIV P {} DIV.a P {}" gives "DIV_P" and "DIV_P_2"; ".red {} .red:hover {}" ".red" and
//     ".red_2".
//   - A rule without a sample of its own goes to the sample that stands for it: "A:hover"
//     to the anchor of "A" (same element, same class). "BODY" has none: its natural anchor,
//     which no sample carries.
// Rules are told apart by address: the anchors hold while the tree's rules stay where they
// are. A default-made SampleAnchors gives every rule its natural anchor.
class SampleAnchors {
public:
    SampleAnchors() = default;
    explicit SampleAnchors(const RuleTreeWalk& tree);
    std::string of(const CssRuleNode& rule) const;

private:
    // The anchors other than the natural one, by rule address.
    std::vector<std::pair<const CssRuleNode*, std::string>> moved_;
};

// Where the preview goes after a rebuild: no anchor for no selection or a base node, the
// rule's anchor for a rule node, the node text for a group node.
std::string previewAnchor(const RuleTreeNode* selected, const SampleAnchors& anchors);

// "&", "<", ">" and '"' as character references. These bytes are never trail bytes.
std::string htmlEscape(std::string_view text);

// The nodes of the rule tree whose samples a page holds: [First, Last) in index order.
struct SampleRange {
    size_t First = 0;
    size_t Last = SIZE_MAX;
    bool holds(size_t node) const { return node >= First && node < Last; }
    bool operator==(const SampleRange&) const = default;
};

// A page of this many tree nodes or fewer holds every sample; the browser shows such a page
// in about a second.
inline constexpr size_t WholePageNodes = 5000;
// A bigger tree gives pages of this many nodes: with the rules of a sheet of 10 MB, the
// browser styles such a page's samples in about a quarter of a second.
inline constexpr size_t PageWindowNodes = 1000;

// The nodes a page is to hold so that it shows `selected` (a node index; none: the first),
// for a tree of `nodeCount` nodes, when the page shown holds `shown`: every node up to
// WholePageNodes; beyond, `shown` when it holds `selected`, else the PageWindowNodes nodes
// from a multiple of half that many that have `selected` in their middle half (or the last
// such window).
SampleRange sampleRange(size_t nodeCount, std::optional<size_t> selected, SampleRange shown);

struct SamplePageOptions {
    int DocType = 0;          // item of DocTypeItems
    bool ApplyCss = true;     // link the preview style sheet
    std::string CssFileName{TempPreviewCSS};  // the preview style sheet's file name, for the link
    std::string Charset{"Shift_JIS"};         // the page's character set, as declared
    // The samples written: those of the rules in the range, each as the whole page has it
    // (its anchor, and made only when no rule before it in the tree made its key). A page
    // without every rule says, first, how many it leaves out.
    SampleRange Range;
    const SampleAnchors* Anchors = nullptr;   // the page's anchors; made from the tree when null
};

// Whether pages made with `a` and with `b` from one tree are the same page (the anchors
// follow from the tree).
bool samePage(const SamplePageOptions& a, const SamplePageOptions& b);

// The first lines of a preview page, each ending in CR LF: the document type line (none for
// item 0), HtmlHeadOpen, the character set's declaration and, when the style sheet is
// applied, its link.
std::string previewHeadLines(const SamplePageOptions& options);

// What a sample page holds before its body's contents: previewHeadLines and HeadCloseBodyOpen.
// Pages with the same head differ only in their bodies.
std::string samplePageHead(const SamplePageOptions& options);

// The page, CP932 with CR LF line ends, to `sink` in pieces of about 64 KB. Each of its three
// sections is a walk over the tree; nothing but the keys of the samples made is kept from
// one to the next. Progress: status "プレビュー用HTML作成中" over the tree, then "(Element)"
// and "(Class)" over the rules of the later sections.
void buildSamplePage(const RuleTreeWalk& tree, const SamplePageOptions& options, const TextSink& sink,
                     ProgressSink* progress = nullptr);
// The whole page at once.
std::string buildSamplePage(const RuleTree& tree, const SamplePageOptions& options,
                            ProgressSink* progress = nullptr);

}  // namespace pavik
