#pragma once
// Scanning style sheet text as the reader does, shared by the reader and the writer.
// Texts are CP932 bytes; every scan steps by whole characters. A quoted string runs from a
// quote to the next same quote on its line, a backslash escapes the character after it
// (unless that is a line end), a comment runs from "/*" to "*/". Nothing inside a string, an
// escape or a comment is structural.
#include <cstddef>
#include <string>
#include <string_view>

namespace pavik::css {

inline constexpr size_t npos = std::string_view::npos;

// [begin, end) in the text it was taken from.
struct TextSpan {
    size_t begin, end;
};

// Finds where quoted strings end. Queries must come in increasing order of position: once a
// quote found no partner before its line end, later quotes of its kind before that line end
// are answered at once, so that a long line of lone quotes stays linear.
class QuoteFinder {
public:
    explicit QuoteFinder(std::string_view text) : s_(text) {}
    // The index of the quote that closes the one at i, or npos when none does on its line.
    size_t closing(size_t i);

private:
    std::string_view s_;
    size_t noPartnerBefore_[2] = {0, 0};
};

// Where the block opened by the "{" at `open` ends.
struct BlockEnd {
    size_t End;       // index after the matching "}", or the text's size
    int OpenBlocks;   // blocks still open at the end of the text (0 when the block closed)
    bool InComment;   // the text ended inside a comment
};
BlockEnd findBlockEnd(std::string_view text, size_t open, QuoteFinder& quotes);

// Appends text with every line end (CR LF, LF or a lone CR) written as CR LF.
void appendCrLf(std::string& out, std::string_view text);

// Finishes text that the end of the file cut short, as a browser does: closes an open
// comment, then puts `closers` ("}" per open block, ";" for a statement) on a line of their
// own, where no string or escape of the text can reach them.
void appendClosing(std::string& out, bool inComment, std::string_view closers);

// Appends one line of generated text so that it reads back as the same plain text: a "{",
// "}" or "/*" outside strings and escapes gets a backslash ("\{", "\}", "/\*"), and so does a
// ";" when `semicolons` is set (a selector's line, where one would end a statement), after a
// blank when it follows a lead byte without its trail byte. Only text whose strings were
// paired over several lines, now joined into one, can hold such a character.
void appendInert(std::string& out, std::string_view line, bool semicolons = false);
// Where the reader, splitting a rule's body into declarations, finds the first ":" and the
// first ";" of `text` (one line or more): outside strings, escapes and matched parentheses.
// Comment marks and braces count as plain text (appendInert escapes them).
struct DeclarationMarks {
    size_t colon = npos;
    size_t semicolon = npos;
};
DeclarationMarks declarationMarks(std::string_view text);

// Appends text so that it holds no string, no ";", no brace and no comment mark: a backslash
// before every quote, ";", "{", "}" and the "*" of "/*", and, with `name`, before every ":"
// and parenthesis too (after a blank when it follows a lead byte without its trail byte).
// Escapes already there stay as they are.
void appendEscaped(std::string& out, std::string_view text, bool name);

// Whether appendInert may have to escape something in the line: it holds "{", "}", "/*" or,
// with `semicolons`, ";" (braces also as trail bytes).
bool mayNeedInert(std::string_view line, bool semicolons = false);

}  // namespace pavik::css
