#pragma once
// Regenerates style sheet text from the document, in the document's (the file's) order.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "workspace/document/progress_sink.h"
#include "workspace/document/style_document.h"

namespace pavik {

// The whole style sheet, CP932 with CR LF line ends:
//   the document's "@charset" statement when it has one, then the generator comment (with the
//   date and time of `now`) and an empty line;
//   the items in document order: kept at-rule text followed by CR LF (and an empty line after
//   a block); a rule as its Comment line (an empty line when it has none), "<selector> {",
//   per declaration its Comment lines and "<name> : <value> ;" (a declaration without a
//   name: "<value> ;", its text as read), the ClosingComment lines, "}" and an empty line;
//   the trailing comments.
// A declaration with an empty value is left out (its comments stay) unless it declares a
// custom property ("--x : ;").
// What is written reads back to the same document, so that writing it again gives the same
// text. No "{" or "}" is written outside a quoted string except as the braces of rules and
// inside kept text (at-rules, blocks without a selector) and comments: a selector or
// declaration whose strings were paired over several lines gets its stray braces escaped
// (appendInert), a selector that starts with "@" a backslash. A declaration whose quotes
// would pair across its name and value, or hide its ":" or show a ";", has its value on a
// line of its own, or else its quotes escaped.
// Progress: status "プレビュー用CSS作成中", one step per item, 0 at the end.
// The text goes to `sink` in pieces of about 64 KB, so that it is never held whole.
// `digest`, when given, receives what the text held, rule by rule (WrittenDigest).
struct WrittenDigest;
void writeStyleSheet(const StyleDocument& doc, std::chrono::system_clock::time_point now, const TextSink& sink,
                     ProgressSink* progress = nullptr, WrittenDigest* digest = nullptr);
// The whole text at once.
std::string writeStyleSheet(const StyleDocument& doc, std::chrono::system_clock::time_point now,
                            ProgressSink* progress = nullptr);

// How much writeStyleSheet writes, found without writing: its bytes (about) and its lines
// (exactly, unless a selector, name or value holds a line end).
struct TextExtent {
    size_t bytes = 0;
    size_t lines = 0;
};
TextExtent styleSheetExtent(const StyleDocument& doc);

// Hashes of a written style sheet, enough to tell which rules a later writing changed.
struct WrittenDigest {
    std::uint64_t frame = 0;               // the charset, the kept texts and where each stands
    std::vector<std::uint64_t> selectors;  // per rule in document order: its selector line
    std::vector<std::uint64_t> rules;      // per rule: its whole text
};

// The rules (indexes in document order) whose text differs from `before` to `after`, when
// nothing else differs; none when more changed (a rule added, removed or moved, a selector
// or an at-rule text changed).
std::optional<std::vector<size_t>> changedRules(const WrittenDigest& before, const WrittenDigest& after);

// A rule as writeStyleSheet writes it, in two parts: `selector` the selector line without
// " {", and `block` what stands between "{" and "}" (its declarations and their comments).
struct WrittenRule {
    std::string selector;
    std::string block;
};
WrittenRule writtenRule(const CssRuleNode& rule);
// Appends a rule's selector line as writtenRule gives it.
void appendWrittenSelector(std::string& out, const TData2& rule);
// A kept text as writeStyleSheet writes it, with the line ends after it.
void appendWrittenKeptText(std::string& out, const KeptText& kept);

// The first line of the preview's style sheet: its bytes are CP932, whatever the file on disk.
inline constexpr std::string_view PreviewCharset = "@charset \"Shift_JIS\";";

// Takes writeStyleSheet's text for the preview's style sheet and passes it to `file` with
// PreviewCharset and CR LF first, in place of the document's own "@charset" statement (which
// names the encoding of the file on disk, not of the preview's copy). So a page in any
// encoding reads the sheet's characters right. The pane and the saved file keep the statement.
TextSink previewStyleSheetSink(const StyleDocument& doc, TextSink file);

}  // namespace pavik
