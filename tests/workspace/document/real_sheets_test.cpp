// Real style sheets written back without a change: an independent scanner finds in the
// output the same rules, the same at-rule texts in the same places and every comment.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/text_encoding.h"
#include "tests/workspace/document/brace_check.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;

namespace {

// Style sheets from Debian packages (libjs-bootstrap, libjs-bootstrap4, libjs-bootstrap5,
// node-normalize.css, libjs-jquery-ui-theme-base, fonts-font-awesome).
const char* const kSheets[] = {
    "/usr/share/javascript/bootstrap/css/bootstrap.css",
    "/usr/share/javascript/bootstrap/css/bootstrap.min.css",
    "/usr/share/javascript/bootstrap4/css/bootstrap.css",
    "/usr/share/javascript/bootstrap4/css/bootstrap.min.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.min.css",
    "/usr/share/javascript/normalize.css/normalize.css",
    "/usr/share/javascript/jquery-ui-themes/base/jquery-ui.css",
    "/usr/share/fonts-font-awesome/css/font-awesome.css",
    "/usr/share/fonts-font-awesome/css/font-awesome.min.css",
};

class RealSheet : public testing::TestWithParam<const char*> {};

std::string readSheet(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

std::string withLf(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
    return out;
}

// Text without comments, every run of blanks one blank, trimmed.
std::string squeezed(std::string_view s, const std::vector<std::pair<size_t, size_t>>& comments, size_t from) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        bool cut = false;
        for (auto [b, e] : comments) cut = cut || (from + i >= b && from + i < e);
        const char c = cut ? ' ' : s[i];
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// A style sheet as a sequence of items: "rule <selector> {<name>:<value>;...}" (blanks
// aside, empty pieces left out) and "at <text>" (line ends as LF), and its comments (line
// ends as LF) without the generator comment. Nested rules are not looked for.
struct Scanned {
    std::vector<std::string> items, comments;
};

Scanned scan(std::string_view s) {
    std::vector<std::pair<size_t, size_t>> comments;
    std::vector<std::pair<size_t, char>> marks;  // structural characters outside comments and strings
    test::scanStructure(s, [&](size_t i, char c) { if (std::string_view("{};@()").find(c) != std::string_view::npos) marks.push_back({i, c}); },
                        [&](size_t b, size_t e) { comments.push_back({b, e}); });
    Scanned out;
    for (auto [b, e] : comments)
        if (!s.substr(b).starts_with(GeneratorHead)) out.comments.push_back(withLf(s.substr(b, e - b)));
    size_t start = 0, bodyStart = 0, at = std::string::npos;
    int depth = 0, parens = 0;
    std::string rule;
    for (auto [i, c] : marks) {
        if (depth == 0 && c == '@' && squeezed(s.substr(start, i - start), comments, start).empty()) at = i;
        if (c == '(' || c == ')') parens += c == '(' ? 1 : -1;
        if (at != std::string::npos) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (depth == 0 && (c == ';' || c == '}')) {
                out.items.push_back("at " + withLf(s.substr(at, i + 1 - at)));
                start = i + 1;
                at = std::string::npos;
            }
        } else if (c == '{' && depth++ == 0) {
            rule = "rule " + squeezed(s.substr(start, i - start), comments, start) + " {";
            bodyStart = i + 1;
        } else if ((c == ';' && depth == 1 && parens == 0) || (c == '}' && --depth == 0)) {
            const std::string piece = squeezed(s.substr(bodyStart, i - bodyStart), comments, bodyStart);
            if (const size_t colon = piece.find(':'); colon != std::string::npos)
                rule += squeezed(piece.substr(0, colon), {}, 0) + ":" + squeezed(piece.substr(colon + 1), {}, 0) + ";";
            bodyStart = i + 1;
            if (c == '}') {
                out.items.push_back(rule + "}");
                start = i + 1;
            }
        } else if (c == ';' && depth == 0) {
            start = i + 1;
        }
    }
    return out;
}

void expectSameItems(const Scanned& written, const Scanned& original) {
    ASSERT_EQ(written.items.size(), original.items.size());
    for (size_t i = 0; i < original.items.size(); ++i) ASSERT_EQ(written.items[i], original.items[i]) << i;
    ASSERT_EQ(written.comments.size(), original.comments.size());
    for (size_t i = 0; i < original.comments.size(); ++i) ASSERT_EQ(written.comments[i], original.comments[i]) << i;
}

const auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));

}  // namespace

TEST_P(RealSheet, WrittenUnchangedItHoldsTheSameRulesAtRulesAndComments) {
    std::filesystem::path path = GetParam();
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
    const std::string css = readSheet(path);
    CssReadResult first = AnalyzeCSS(css);
    const Scanned original = scan(css);
    EXPECT_GT(first.Document.ruleCount(), 10u);
    EXPECT_EQ(original.items.size(), first.Document.ruleCount() + first.Document.keptTexts().size());
    const std::string text = writeStyleSheet(first.Document, kNow);
    EXPECT_EQ(styleSheetExtent(first.Document).lines, static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    EXPECT_EQ(test::strayBraces(text, first.Document), "");
    expectSameItems(scan(text), original);
    EXPECT_EQ(writeStyleSheet(AnalyzeCSS(text).Document, kNow), text);
}

// In UTF-8 with LF line ends, with characters Shift_JIS cannot hold in comments and values:
// the saved file holds every comment and those characters byte for byte, and no CR.
TEST_P(RealSheet, Utf8WithLfComesBackByteForByteInCommentsAndCharacters) {
    std::filesystem::path path = GetParam();
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
    const std::string css = "/* © — 😀 〜\n   \\1F600 is the file's own */\n" + withLf(readSheet(path)) +
                            "\n.x::before { content: \"😀〜\\1F600 \" }\n/* ✓ */\n";
    const DecodedText decoded = decodeToCp932(css);
    ASSERT_EQ(decoded.encoding, TextEncoding::Utf8);
    ASSERT_EQ(decoded.lineEnd, LineEnd::Lf);
    const std::string saved = encodeForFile(writeStyleSheet(AnalyzeCSS(decoded.cp932).Document, kNow), decoded.form());
    EXPECT_EQ(saved.find('\r'), std::string::npos);
    expectSameItems(scan(saved), scan(css));
}

INSTANTIATE_TEST_SUITE_P(Debian, RealSheet, testing::ValuesIn(kSheets));
