// The list of the user's preview pages without a window: what is read from and written to
// section "Preview", and how a page joins the list.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ini_file.h"
#include "workspace/window/preview_list.h"

namespace pavik {
namespace {

class PreviewList : public ::testing::Test {
protected:
    std::string page(const QString& name) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return path.toStdString();
    }
    std::string missing(const QString& name) const { return dir_.filePath(name).toStdString(); }

private:
    QTemporaryDir dir_;
};

TEST_F(PreviewList, ReadsTheExistingPagesOnceAndEmptiesTheOtherKeys) {
    const std::string a = page("a.html"), b = page("B.htm"), copy = page("Pavik$$Preview$$.HTML");
    IniFile ini = IniFile::fromBytes("[Preview]\r\n1=" + missing("gone.html") + "\r\n2=" + a + "\r\n3=" + copy +
                                     "\r\n4=" + a + "\r\n5=" + b + "\r\n6=" + b + "\r\n");
    const PreviewPageList list = PreviewPageList::read(ini);
    EXPECT_EQ(list.pages(), (std::vector<std::string>{a, b}));
    for (const char* emptied : {"1", "3", "4"}) EXPECT_EQ(ini.ReadString("Preview", emptied, "x"), "") << emptied;
    EXPECT_EQ(ini.ReadString("Preview", "2", ""), a);
    EXPECT_EQ(ini.ReadString("Preview", "6", ""), b);  // not a key of the list
}

TEST_F(PreviewList, APageJoinsOnceComparedExactlyAndTheOldestLeavesAFullList) {
    PreviewPageList list;
    const std::string pages[] = {page("1.html"), page("2.html"), page("3.html"), page("4.html"), page("5.html")};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list.add(pages[i]), i);
    EXPECT_EQ(list.add(pages[2]), 2);
    EXPECT_EQ(list.pages().size(), 5u);
    // Another letter case is another file here.
    const std::string upper = page("3.HTML");
    EXPECT_EQ(list.add(upper), 4);
    EXPECT_EQ(list.pages().front(), pages[1]);
    EXPECT_EQ(list.indexOf(pages[0]), -1);
    EXPECT_EQ(list.indexOf(upper), 4);

    // Written: each existing page under its place; a page gone since keeps its key's value.
    QFile::remove(QString::fromStdString(pages[3]));
    IniFile ini = IniFile::fromBytes("[Preview]\r\n3=/old/three.html\r\n");
    list.write(ini);
    EXPECT_EQ(ini.ReadString("Preview", "1", ""), pages[1]);
    EXPECT_EQ(ini.ReadString("Preview", "3", ""), "/old/three.html");
    EXPECT_EQ(ini.ReadString("Preview", "5", ""), upper);
}

TEST(PreviewTemporary, TheProgramsOwnFilesAreNoPages) {
    EXPECT_TRUE(isPreviewTemporary("/site/Pavik$$Preview$$.HTML"));
    EXPECT_TRUE(isPreviewTemporary("Pavik$$Preview$$.CSS"));
    EXPECT_TRUE(isPreviewTemporary("/opt/pavik/Pavik$$BoxEdit$$.HTML"));
    EXPECT_FALSE(isPreviewTemporary("/site/pavik$$preview$$.html"));
    EXPECT_FALSE(isPreviewTemporary("/site/Pavik$$Preview$$.HTML/index.html"));
}

}  // namespace
}  // namespace pavik
