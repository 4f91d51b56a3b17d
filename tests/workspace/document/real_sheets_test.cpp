#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/workspace/document/brace_check.h"
#include "tests/workspace/document/document_dump.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;

namespace {

// Style sheets from Debian packages (libjs-bootstrap4, libjs-bootstrap5, node-normalize.css,
// libjs-jquery-ui-theme-base, fonts-font-awesome).
const char* const kSheets[] = {
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

// The top-level at-rules of a text, found without the reader: from an "@" that begins a
// statement to its ";" or to the "}" that closes its block; line ends as CR LF.
void findAtRules(std::string_view s, std::vector<std::string>& statements, std::vector<std::string>& blocks) {
    int depth = 0;
    size_t start = std::string::npos;
    bool first = true;  // the next character outside comments begins a statement
    test::forEachStructural(s, [&](size_t i, char c) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return;
        if (depth == 0 && c == '@' && first) start = i;
        first = false;
        depth += c == '{' ? 1 : c == '}' ? -1 : 0;
        if (depth != 0 || (c != '}' && c != ';')) return;
        if (start != std::string::npos) {
            std::string t;
            for (char ch : s.substr(start, i + 1 - start)) t += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
            (c == ';' ? statements : blocks).push_back(t);
        }
        start = std::string::npos;
        first = true;
    });
}

}  // namespace

TEST_P(RealSheet, ReadWriteReadKeepsRulesAndDeclarations) {
    std::filesystem::path path = GetParam();
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
    std::ifstream in(path, std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();

    const auto now = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));
    CssReadResult first = AnalyzeCSS(buf.str());
    EXPECT_GT(first.Document.ruleCount(), 10u);
    std::string text = writeStyleSheet(buildRuleTree(first.Document, false), now);
    CssReadResult second = AnalyzeCSS(text);
    EXPECT_EQ(test::dump(second.Document), test::dumpWritten(first.Document));
    EXPECT_EQ(writeStyleSheet(buildRuleTree(second.Document, false), now), text);
}

TEST_P(RealSheet, AtRulesComeBackByteForByteAndOnlyRuleBracesAreAdded) {
    std::filesystem::path path = GetParam();
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
    const std::string css = readSheet(path);
    std::vector<std::string> statements, blocks;
    findAtRules(css, statements, blocks);

    const auto now = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000));
    CssReadResult first = AnalyzeCSS(css);
    EXPECT_EQ(first.Document.keptAtRules().Statements, statements);
    EXPECT_EQ(first.Document.keptAtRules().Blocks, blocks);
    const std::string text =
        writeStyleSheet(buildRuleTree(first.Document, false), first.Document.keptAtRules(), now);
    EXPECT_EQ(test::strayBraces(text, first.Document.keptAtRules()), "");
    EXPECT_TRUE(test::bracesBalance(text));
    CssReadResult second = AnalyzeCSS(text);
    EXPECT_EQ(test::dump(second.Document), test::dumpWritten(first.Document));
    EXPECT_EQ(writeStyleSheet(buildRuleTree(second.Document, false), second.Document.keptAtRules(), now), text);
}

INSTANTIATE_TEST_SUITE_P(Debian, RealSheet, testing::ValuesIn(kSheets));
