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

// Every way to one of the program's own files leads to it: a symbolic link, a hard link, a
// "dir/../" path, a folder reached through a link (as through a second mount); other files
// lead to none.
TEST(PreviewTemporary, EveryPathToAnOwnFileLeadsToIt) {
    namespace fs = std::filesystem;
    QTemporaryDir tmp;
    const fs::path home = tmp.path().toStdString();
    for (const char* folder : {"prog", "site/sub", "links"}) fs::create_directories(home / folder);
    for (const char* folder : {"prog", "site"}) fs::create_directory_symlink(home / folder, home / "links" / folder);
    const std::vector<fs::path> own = {home / "prog/pavik.INI", home / "prog/Pavik$$Preview$$.CSS",
                                       home / "prog/Pavik$$Refresh$$.HTML", home / "prog/Pavik$$BoxEdit$$.HTML",
                                       home / "site/Pavik$$Preview$$.HTML"};
    const auto inode = [](const fs::path& p) { struct stat st {}; return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0; };
    for (size_t i = 0; i < own.size(); ++i) {
        QFile(QString::fromStdString(own[i].native())).open(QIODevice::WriteOnly);
        const fs::path symlink = home / "links" / ("s" + std::to_string(i)), hardlink = home / "links" / ("h" + std::to_string(i));
        fs::create_symlink(own[i], symlink);
        fs::create_hard_link(own[i], hardlink);
        const fs::path folder = own[i].parent_path().filename();
        for (const fs::path& way : {symlink, hardlink, home / folder / "../site/sub/../.." / folder / own[i].filename(),
                                    home / "links" / folder / own[i].filename()}) {
            const std::optional<fs::path> found = ownFileBehind(way, own);
            EXPECT_TRUE(found && inode(*found) == inode(own[i])) << way;
        }
    }
    QFile(QString::fromStdString((home / "site/style.css").native())).open(QIODevice::WriteOnly);
    fs::create_symlink(home / "site/style.css", home / "links/style.css");
    for (const char* way : {"site/style.css", "links/style.css", "site/sub/../style.css", "site/gone.css", "prog/pavik.ini"})
        EXPECT_FALSE(ownFileBehind(home / way, own)) << way;
}

TEST(PreviewTemporary, TheProgramsOwnFilesAreNoPages) {
    EXPECT_TRUE(isPreviewTemporary("Pavik$$Preview$$.CSS"));
    EXPECT_TRUE(isPreviewTemporary("/opt/pavik/Pavik$$BoxEdit$$.HTML"));
    EXPECT_FALSE(isPreviewTemporary("/site/pavik$$preview$$.html"));
    EXPECT_FALSE(isPreviewTemporary("/site/Pavik$$Preview$$.HTML/index.html"));
}

}  // namespace
}  // namespace pavik
