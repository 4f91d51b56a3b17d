#pragma once
// Reads style sheet text (CP932 bytes) into a document.
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/progress_sink.h"
#include "workspace/document/style_document.h"

namespace pavik {

struct CssReadResult {
    StyleDocument Document;  // the file's items in file order
    // The at-keywords of the at-rules kept ("@media", "@import", ...), each once, in order.
    std::vector<std::string> AtRules;
    size_t NestedRules = 0;   // rules made from nested rules
    size_t DroppedRules = 0;  // nested rules left out: nested too deep, or too large to expand
};

// Reads a whole style sheet into a document that keeps the file's order.
// - A rule is the text since the previous "}" or at-rule up to "{", then its body up to "}". Braces, quotes and escapes are recognised by whole CP932 characters.
// - Comments are cut out (each leaves one blank) and kept whole, their line ends as CR LF.
//   One outside every rule goes with the next item: the next rule (its Comment), kept text
//   (in front of it), or, after the last item, the trailing comments. One in a body goes to
//   the first declaration that does not end before it, else to the ClosingComment; one in
//   a nested rule's selector to that rule. The generator comment is dropped.
// - Line ends and tabs count as blanks. Quoted strings (closed on their line) and backslash
//   escapes are plain text: their braces, semicolons and comment marks mean nothing.
// - The body is split at ";" and each piece at its first ":", except inside strings and
//   matched parentheses. A piece without a name (no ":", or only blanks before it), which
//   browsers ignore, is a declaration with an empty Name and the piece as its Value; a piece
//   of nothing but blanks declares nothing.
// - At top level, text from an "@" to its ";" is an at-rule statement, and from an "@" to the
//   "}" that matches its "{" an at-rule block; both are kept as written, comments included,
//   where they stood among the rules. A "@charset" statement that begins the text is the
//   document's charset(). Other text that holds a top-level ";" is the prelude of a rule
//   browsers drop: it is kept as written, from its first character to the "}" that matches
//   the next "{", and so is other text the end of the text leaves. A stray "}" drops the text
//   before it, or ends an at-rule statement.
// - Inside a body, a "{" after nothing but blanks since the last ";" or nested block opens a
//   block browsers drop: it is kept as written (line ends CR LF) as the Value of a declaration
//   without a name, its own piece of the body. Any other "{" there opens a nested rule whose
//   selector is the body text after its last ";" or nested block, combined with the parent's
//   (nestSelector). Rules take their places in the order of their "{": a nested rule after
//   its parent. The parent keeps the text around it. A nested at-rule block is kept, at the place of its "@", as a block
//   "<prelude> { <rule's selector> { <inner text> } }".
// - The end of the text closes every open block, innermost first: an open rule keeps the
//   body read so far, kept at-rule text gets its closing "}" or ";" on a line of its own.
// One pass over the text: a rule is made at its "{" and given its declarations at its "}".
// Progress: status "スタイルシートの解析中", then the part of the text read, 0 at the end.
CssReadResult AnalyzeCSS(std::string_view text, ProgressSink* sink = nullptr);

}  // namespace pavik
