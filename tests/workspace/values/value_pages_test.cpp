#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTextDocument>

#include "platform/cp932.h"
#include "vocabulary/element_tables.h"
#include "platform/page_resources.h"
#include "workspace/values/value_panel.h"

using namespace pavik;

namespace {

// QTextDocument needs the font database of a GUI application.
class GuiApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "workspace_values_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication* app_ = nullptr;
};
const auto* env = ::testing::AddGlobalTestEnvironment(new GuiApp);

}  // namespace

TEST(CategoryPages, EveryCategoryPageLoadsAndNamesItsProperties) {
    int pages = 0;
    for (int c = 0; c < CategoryCount; ++c) {
        const std::string_view page = categoryPageName(toCp932(CategoryNames[static_cast<size_t>(c)]));
        if (page.empty()) continue;  // the filter category has none
        ++pages;
        const PageText t = loadPageResource(page);
        ASSERT_TRUE(t.ok()) << page << ": " << t.error.toStdString();
        QTextDocument doc;
        doc.setHtml(t.text);
        const QString plain = doc.toPlainText();
        EXPECT_TRUE(plain.contains(QString::fromUtf8(CategoryNames[static_cast<size_t>(c)].data())))
            << page;
        for (int i = 0; i < AttrCount; ++i) {
            const AttrEntry a = allPropertiesRow(i);
            if (a.category != c || a.name.starts_with("scrollbar-") || a.name.ends_with("-top") ||
                a.name.ends_with("-right") || a.name.ends_with("-bottom") || a.name.ends_with("-left"))
                continue;
            if (a.name.starts_with("border-") && a.name != "border-collapse" &&
                a.name != "border-spacing" && std::count(a.name.begin(), a.name.end(), '-') > 1)
                continue;  // the sides of border-color, -style and -width
            EXPECT_TRUE(plain.contains(QString::fromStdString(a.name))) << page << " " << a.name;
        }
    }
    EXPECT_EQ(pages, 8);
    const PageText bars = loadPageResource(categoryPageName(toCp932("スクロールバー")));
    ASSERT_TRUE(bars.ok());
    EXPECT_TRUE(bars.text.contains("scrollbar-darkshadow-color"));
}

TEST(CategoryPages, MissingPageGivesTheResourceMessage) {
    EXPECT_EQ(loadPageResource("TYPEFILTER").error, QStringLiteral("Could not find the resource"));
    EXPECT_EQ(loadPageResource("").error, QStringLiteral("Could not find the resource"));
    EXPECT_TRUE(loadPageResource("TYPEFILTER").text.isEmpty());
}
