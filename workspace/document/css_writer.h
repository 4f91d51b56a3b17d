#pragma once
// Regenerates style sheet text from the rule tree and the document.
#include <chrono>
#include <string>

#include "workspace/document/progress_sink.h"
#include "workspace/document/rule_tree.h"

namespace pavik {

// The whole style sheet, CP932 with CR LF line ends:
//   the generator comment (with the date and time of `now`), an empty line;
//   the kept at-rule statements, each followed by CR LF, then one more CR LF when there are any;
//   per rule in tree order: its Comment line (empty when it has none), "<selector> {", one
//   "<name> : <value> ;" line per declaration with a non-empty value, "}", an empty line;
//   the kept at-rule blocks, each followed by CR LF CR LF.
// Rules with an empty selector are left out. Each rule's Written flag is cleared first and
// set once its block is out.
// No "{" or "}" is written outside a quoted string except as the braces of rules and inside
// kept at-rule text: a selector or declaration whose strings were paired over several lines
// gets its stray braces escaped (appendInert), a selector that starts with "@" a backslash.
// Progress: status "プレビュー用CSS作成中", one step per tree node, 0 at the end.
std::string writeStyleSheet(const RuleTree& tree, const KeptAtRules& kept,
                            std::chrono::system_clock::time_point now, ProgressSink* sink = nullptr);

// The same for a document without at-rules.
inline std::string writeStyleSheet(const RuleTree& tree, std::chrono::system_clock::time_point now,
                                   ProgressSink* sink = nullptr) {
    return writeStyleSheet(tree, KeptAtRules{}, now, sink);
}

}  // namespace pavik
