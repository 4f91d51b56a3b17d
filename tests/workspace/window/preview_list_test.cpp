// The list of the user's preview pages without a window: what is read from section "Preview"
// (how pages join the list and are written back: the window's tests).
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

private:
    QTemporaryDir dir_;
};

TEST_F(PreviewList, ReadsTheExistingPagesOnceAndEmptiesTheOtherKeys) {
    const std::string a = page("a.html"), b = page("B.htm"), copy = page("Pavik$$Preview$$.HTML");
    IniFile ini = IniFile::fromBytes("[Preview]\r\n1=/nowhere/gone.html\r\n2=" + a + "\r\n3=" + copy +
                                     "\r\n4=" + a + "\r\n5=" + b + "\r\n6=" + b + "\r\n");
    const PreviewPageList list = PreviewPageList::read(ini);
    EXPECT_EQ(list.pages(), (std::vector<std::string>{a, b}));
    for (const char* emptied : {"1", "3", "4"}) EXPECT_EQ(ini.ReadString("Preview", emptied, "x"), "") << emptied;
    EXPECT_EQ(ini.ReadString("Preview", "2", ""), a);
    EXPECT_EQ(ini.ReadString("Preview", "6", ""), b);  // not a key of the list
}

TEST(PreviewTemporary, TheProgramsOwnFilesAreNoPages) {
    EXPECT_TRUE(isPreviewTemporary("Pavik$$Preview$$.CSS"));
    EXPECT_TRUE(isPreviewTemporary("/opt/pavik/Pavik$$BoxEdit$$.HTML"));
    EXPECT_FALSE(isPreviewTemporary("/site/pavik$$preview$$.html"));
    EXPECT_FALSE(isPreviewTemporary("/site/Pavik$$Preview$$.HTML/index.html"));
}

}  // namespace
}  // namespace pavik
