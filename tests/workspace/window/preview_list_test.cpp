// The list of the user's preview pages without a window: what is read from section "Preview"
// (how pages join the list and are written back: the window's tests).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include <filesystem>

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

// Every way to one of the program's own files leads to it: a symbolic link, a hard link,
// a "dir/../" path, a folder reached through a link (as a second mount would); other
// files lead to none.
TEST(PreviewTemporary, EveryPathToAnOwnFileLeadsToIt) {
    namespace fs = std::filesystem;
    QTemporaryDir tmp;
    const fs::path home = tmp.path().toStdString();
    fs::create_directories(home / "prog");
    fs::create_directories(home / "site/sub");
    fs::create_directories(home / "links");
    for (const char* folder : {"prog", "site"}) fs::create_directory_symlink(home / folder, home / "links" / folder);
    const std::vector<fs::path> own = {home / "prog/pavik.INI", home / "prog/Pavik$$Preview$$.CSS",
                                       home / "prog/Pavik$$Refresh$$.HTML", home / "prog/Pavik$$BoxEdit$$.HTML",
                                       home / "site/Pavik$$Preview$$.HTML"};
    for (const fs::path& file : own) {
        QFile f(QString::fromStdString(file.native()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    int n = 0;
    for (const fs::path& file : own) {
        const std::string tag = std::to_string(n++);
        const fs::path symlink = home / "links" / ("s" + tag + ".css");
        const fs::path hardlink = home / "links" / ("h" + tag + ".css");
        fs::create_symlink(file, symlink);
        fs::create_hard_link(file, hardlink);
        const fs::path dotdot = file.parent_path() / "../site/sub/.." / ".." / file.parent_path().filename() / file.filename();
        for (const fs::path& way : {symlink, hardlink, dotdot, home / "links" / file.parent_path().filename() / file.filename()}) {
            const std::optional<fs::path> found = ownFileBehind(way, own);
            ASSERT_TRUE(found) << way;
            struct stat a {}, b {};
            ASSERT_EQ(::stat(found->c_str(), &a), 0);
            ASSERT_EQ(::stat(file.c_str(), &b), 0);
            EXPECT_EQ(a.st_ino, b.st_ino) << way;
        }
    }
    QFile other(QString::fromStdString((home / "site/style.css").native()));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    fs::create_symlink(home / "site/style.css", home / "links/style.css");
    for (const fs::path& way : {home / "site/style.css", home / "links/style.css", home / "site/sub/../style.css",
                                home / "site/missing.css", home / "prog/pavik.ini"})
        EXPECT_FALSE(ownFileBehind(way, own)) << way;
}

TEST(PreviewTemporary, TheProgramsOwnFilesAreNoPages) {
    EXPECT_TRUE(isPreviewTemporary("Pavik$$Preview$$.CSS"));
    EXPECT_TRUE(isPreviewTemporary("/opt/pavik/Pavik$$BoxEdit$$.HTML"));
    EXPECT_FALSE(isPreviewTemporary("/site/pavik$$preview$$.html"));
    EXPECT_FALSE(isPreviewTemporary("/site/Pavik$$Preview$$.HTML/index.html"));
}

}  // namespace
}  // namespace pavik
