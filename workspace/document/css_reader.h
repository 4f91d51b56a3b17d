#pragma once
// Reads style sheet text (CP932 bytes) into a document.
#include <string>
#include <string_view>
#include <vector>

#include "workspace/document/progress_sink.h"
#include "workspace/document/style_document.h"

namespace pavik {

struct CssReadResult {
    StyleDocument Document;  // rules sorted by selector, declarations in file order
    // At-rules the text held ("@media", "@import", ...), each once, in order of appearance.
    // The document cannot hold them: the rules inside an at-rule block are read as ordinary
    // rules, everything else of it is dropped, so saving will not keep them.
    std::vector<std::string> AtRules;
};

// Reads a whole style sheet.
// - A rule is the text since the previous "}" or top-level ";" up to "{", then its body up
//   to "}". Braces, quotes and escapes are recognised by whole CP932 characters.
// - Comments are cut out (each leaves one blank); the last comment before a rule's "}" becomes
//   its Comment, its lines joined. The generator comment of written style sheets is ignored.
// - Line ends and tabs count as blanks. Quoted strings (closed on their line) and backslash
//   escapes are plain text: their braces, semicolons and comment marks mean nothing.
// - The body is split at ";" and each piece at its first ":", except inside strings and
//   matched parentheses. A piece without ":" declares the last property name again.
// - Statements ended by a top-level ";" (@import, @charset) and the declarations of at-rule
//   blocks are dropped; a stray "}" drops the text before it. A rule left open at the end of
//   the text is dropped.
// Progress: status "スタイルシートの解析中", one step per rule, 0 at the end.
CssReadResult AnalyzeCSS(std::string_view text, ProgressSink* sink = nullptr);

}  // namespace pavik
