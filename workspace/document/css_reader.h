#pragma once
// Reads style sheet text (CP932 bytes) into a document.
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/progress_sink.h"
#include "workspace/document/style_document.h"

namespace pavik {

struct CssReadResult {
    StyleDocument Document;  // rules sorted by selector, declarations in file order, at-rules kept
    // The at-keywords of the at-rules kept ("@media", "@import", ...), each once, in order.
    std::vector<std::string> AtRules;
    size_t NestedRules = 0;   // rules made from nested rules
    size_t DroppedRules = 0;  // nested rules left out: nested too deep, or too large to expand
};

// Reads a whole style sheet.
// - A rule is the text since the previous "}" or top-level ";" up to "{", then its body up
//   to "}". Braces, quotes and escapes are recognised by whole CP932 characters.
// - Comments are cut out (each leaves one blank). A comment belongs to the innermost rule open
//   where it ends, outside every rule to the next rule whose "{" follows; the last one wins
//   and becomes the rule's Comment, its lines joined. The generator comment is ignored.
// - Line ends and tabs count as blanks. Quoted strings (closed on their line) and backslash
//   escapes are plain text: their braces, semicolons and comment marks mean nothing.
// - The body is split at ";" and each piece at its first ":", except inside strings and
//   matched parentheses. A piece without ":" declares the last property name again.
// - At top level, text from an "@" to its ";" is an at-rule statement, and from an "@" to the
//   "}" that matches its "{" an at-rule block; both are kept as written, comments included
//   (Document.keptAtRules()). Other statements ended by a top-level ";" are dropped; a stray
//   "}" drops the text before it, or ends an at-rule statement.
// - Inside a body, a "{" opens a nested rule whose selector is the body text after its last
//   ";" or nested block, combined with the parent's (nestSelector). The nested rule becomes a
//   rule of its own, recorded when its "}" is read; the parent keeps the text around it. A
//   nested at-rule block is kept as a block "<prelude> { <rule's selector> { <inner text> } }".
// - The end of the text closes every open block, innermost first: an open rule keeps the
//   body read so far, kept at-rule text gets its closing "}" or ";" on a line of its own.
// Progress: status "スタイルシートの解析中", one step per rule, 0 at the end.
CssReadResult AnalyzeCSS(std::string_view text, ProgressSink* sink = nullptr);

}  // namespace pavik
