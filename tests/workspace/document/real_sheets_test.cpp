#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/workspace/document/document_dump.h"
#include "workspace/document/css_reader.h"
#include "workspace/document/css_writer.h"

using namespace pavik;

namespace {

// Style sheets from Debian packages (libjs-bootstrap4, libjs-bootstrap5, node-normalize.css,
// libjs-jquery-ui-theme-base).
const char* const kSheets[] = {
    "/usr/share/javascript/bootstrap4/css/bootstrap.css",
    "/usr/share/javascript/bootstrap4/css/bootstrap.min.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.css",
    "/usr/share/javascript/bootstrap5/css/bootstrap.min.css",
    "/usr/share/javascript/normalize.css/normalize.css",
    "/usr/share/javascript/jquery-ui-themes/base/jquery-ui.css",
};

class RealSheet : public testing::TestWithParam<const char*> {};

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

INSTANTIATE_TEST_SUITE_P(Debian, RealSheet, testing::ValuesIn(kSheets));
