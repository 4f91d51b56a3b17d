#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_bytes.h"
#include "platform/ini_file.h"

using namespace pavik;
namespace fs = std::filesystem;

namespace {

fs::path freshFolder(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("pavik_ini_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string fileText(const fs::path& p) {
    std::string s;
    EXPECT_FALSE(readFileBytes(p, s));
    return s;
}

}  // namespace

TEST(IniFile, WritesSectionsInOrderWithCrLfAndKeepsFirstSpelling) {
    IniFile ini = IniFile::fromBytes("");
    ini.WriteString("SYSTEM", "PosX", "50");
    ini.WriteInteger("Tbar", "mnuFile", 3);
    ini.WriteString("system", "POSX", "60");       // same key, other case
    ini.WriteBool("TBar", "mnuTool", true);         // same section, other case
    ini.WriteColor("SYSTEM", "TagCol", clBlue);
    ini.WriteString("SYSTEM", "Path", "C:\\\x83\x7D\x83\x7B");  // raw CP932 bytes
    EXPECT_EQ(ini.serialize(),
              "[SYSTEM]\r\nPosX=60\r\nTagCol=clBlue\r\nPath=C:\\\x83\x7D\x83\x7B\r\n\r\n"
              "[Tbar]\r\nmnuFile=3\r\nmnuTool=1\r\n\r\n");
    EXPECT_EQ(ini.ReadString("sYsTeM", "path", ""), "C:\\\x83\x7D\x83\x7B");

    // Case folding is ASCII only and steps by whole characters: "ア" (83 41) is not "ヂ" (83 61).
    ini.WriteString("S", "\x83\x41", "a");
    EXPECT_FALSE(ini.ValueExists("S", "\x83\x61"));
    EXPECT_TRUE(ini.ValueExists("s", "\x83\x41"));
}

TEST(IniFile, ReadsCrLfAndLfAlikeAndKeepsCommentsAndStrayLines) {
    const std::string text =
        "\xEF\xBB\xBF; settings\n"
        "[SYSTEM]\r\n"
        "  PosX = 50  \r\n"
        "; window\n"
        "no equals sign\n"
        "\n"
        "Empty=\n"
        "posx=99\n"
        "[Preview]\n"
        "1=/home/u/a.html\n"
        "[system]\n"
        "PosY=7\n";
    IniFile ini = IniFile::fromBytes(text);
    EXPECT_EQ(ini.ReadString("SYSTEM", "PosX", "x"), "50");  // trimmed; the first of two wins
    EXPECT_EQ(ini.ReadString("SYSTEM", "Empty", "x"), "");   // present but empty
    EXPECT_EQ(ini.ReadString("SYSTEM", "Missing", "x"), "x");
    EXPECT_EQ(ini.ReadInteger("SYSTEM", "PosY", 0), 7);      // repeated header joins the first
    EXPECT_EQ(ini.ReadSection("system"), (std::vector<std::string>{"PosX", "Empty", "PosY"}));
    EXPECT_EQ(ini.serialize(),
              "; settings\r\n"
              "[SYSTEM]\r\nPosX=50\r\n; window\r\nno equals sign\r\nEmpty=\r\nPosY=7\r\n\r\n"
              "[Preview]\r\n1=/home/u/a.html\r\n\r\n");
    // A serialized file reads back to the same text.
    EXPECT_EQ(IniFile::fromBytes(ini.serialize()).serialize(), ini.serialize());
}

TEST(IniFile, LineBreakInAValueCannotSplitItsLine) {
    IniFile ini = IniFile::fromBytes("");
    ini.WriteString("Preview", "1", "/tmp/a\nb=c\r.html");
    IniFile back = IniFile::fromBytes(ini.serialize());
    EXPECT_EQ(back.ReadSection("Preview"), std::vector<std::string>{"1"});
    EXPECT_EQ(back.ReadString("Preview", "1", ""), "/tmp/a b=c .html");
}

TEST(IniFile, IntegersAndBooleansFallBackOnBadText) {
    IniFile ini = IniFile::fromBytes(
        "[S]\nDec=-42\nHex=$1F\nHex0x=0x10\nBig=2147483648\nMin=-2147483648\nAllF=$FFFFFFFF\n"
        "Word=abc\nTrail=12px\nEmpty=\nSign=-\nDollar=$\nTwo=2\nZero=0\nTrue=true\n");
    struct Case { const char* key; int expected; };
    for (Case c : {Case{"Dec", -42}, Case{"Hex", 31}, Case{"Hex0x", 16}, Case{"Big", 5},
                   Case{"Min", -2147483647 - 1}, Case{"AllF", -1}, Case{"Word", 5}, Case{"Trail", 5},
                   Case{"Empty", 5}, Case{"Sign", 5}, Case{"Dollar", 5}, Case{"Missing", 5}})
        EXPECT_EQ(ini.ReadInteger("S", c.key, 5), c.expected) << c.key;

    EXPECT_TRUE(ini.ReadBool("S", "Two", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "True", true));    // not a number: the default
    EXPECT_FALSE(ini.ReadBool("S", "True", false));
    EXPECT_TRUE(ini.ReadBool("S", "Missing", true));

    ini.WriteBool("S", "B", false);
    ini.WriteInteger("S", "N", -7);
    EXPECT_EQ(ini.ReadString("S", "B", ""), "0");
    EXPECT_EQ(ini.ReadString("S", "N", ""), "-7");
}

TEST(IniFile, ColoursReadAsTextOrNumberAndFallBack) {
    IniFile ini = IniFile::fromBytes("[S]\nA=clblue\nB=$00FF0000\nC=16711680\nD=red\nE=\n");
    EXPECT_EQ(ini.ReadColor("S", "A", clBlack), clBlue);
    EXPECT_EQ(ini.ReadColor("S", "B", clBlack), clBlue);
    EXPECT_EQ(ini.ReadColor("S", "C", clBlack), clBlue);
    EXPECT_EQ(ini.ReadColor("S", "D", clWindow), clWindow);
    EXPECT_EQ(ini.ReadColor("S", "E", clWindow), clWindow);
    ini.WriteColor("S", "F", 0x123456);
    ini.WriteColor("S", "G", clWindowText);
    EXPECT_EQ(ini.ReadString("S", "F", ""), "$00123456");
    EXPECT_EQ(ini.ReadString("S", "G", ""), "clWindowText");
}

TEST(IniFile, SectionsAndKeysCanBeListedTestedAndRemoved) {
    IniFile ini = IniFile::fromBytes(
        "[KeepFileNames]\nFileName1=a\nFileName2=\nFileName3=c\n[TB1Pos]\nmnuFile.top=2\n[Bare]\n; only a comment\n");
    EXPECT_TRUE(ini.SectionExists("keepfilenames"));
    EXPECT_FALSE(ini.SectionExists("Bare"));      // no keys: does not exist
    EXPECT_FALSE(ini.SectionExists("TB2Pos"));
    EXPECT_EQ(ini.ReadSection("KeepFileNames"), (std::vector<std::string>{"FileName1", "FileName2", "FileName3"}));
    EXPECT_TRUE(ini.ReadSection("Nothing").empty());
    EXPECT_TRUE(ini.ValueExists("KEEPFILENAMES", "filename2"));

    ini.DeleteKey("KeepFileNames", "FileName2");  // the keys after it are still found
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName3", ""), "c");
    ini.WriteString("KeepFileNames", "filename3", "d");
    EXPECT_EQ(ini.ReadSection("KeepFileNames"), (std::vector<std::string>{"FileName1", "FileName3"}));

    ini.DeleteKey("tb1pos", "MNUFILE.TOP");
    EXPECT_FALSE(ini.ValueExists("TB1Pos", "mnuFile.top"));
    EXPECT_FALSE(ini.SectionExists("TB1Pos"));

    ini.EraseSection("KEEPFILENAMES");
    EXPECT_FALSE(ini.SectionExists("KeepFileNames"));
    EXPECT_EQ(ini.ReadString("KeepFileNames", "FileName1", "gone"), "gone");
    ini.WriteString("keepfilenames", "FileName1", "b");  // comes back at the end, new spelling
    ini.WriteString("BARE", "k", "1");                   // the sections after it are still found
    EXPECT_EQ(ini.serialize(), "[TB1Pos]\r\n\r\n[Bare]\r\n; only a comment\r\nk=1\r\n\r\n"
                               "[keepfilenames]\r\nFileName1=b\r\n\r\n");
}

TEST(IniFile, MissingFileReadsEmptyAndFirstFlushCreatesIt) {
    fs::path dir = freshFolder("create");
    fs::path file = dir / "pavik.INI";
    IniFile ini(file);
    EXPECT_FALSE(ini.loadError());
    EXPECT_TRUE(ini.ReadSection("SYSTEM").empty());
    EXPECT_FALSE(fs::exists(file));

    ini.WriteInteger("SYSTEM", "Version", 155);
    ASSERT_TRUE(ini.flush()) << ini.lastError().message();
    EXPECT_EQ(fileText(file), "[SYSTEM]\r\nVersion=155\r\n\r\n");

    ini.WriteBool("SYSTEM", "Maximized", true);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(IniFile(file).ReadBool("system", "maximized", false), true);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temp left
    fs::remove_all(dir);
}

TEST(IniFile, FlushFailureIsReportedAndLeavesTheOldFile) {
    fs::path dir = freshFolder("fail");

    // The folder does not exist (its "parent" is a plain file).
    std::ofstream(dir / "plain") << "x";
    IniFile noFolder(dir / "plain" / "pavik.INI");
    noFolder.WriteString("S", "K", "v");
    EXPECT_FALSE(noFolder.flush());
    EXPECT_TRUE(noFolder.lastError());

    // The target is a folder.
    fs::create_directories(dir / "taken.INI");
    IniFile onFolder(dir / "taken.INI");
    EXPECT_TRUE(onFolder.loadError());
    EXPECT_FALSE(onFolder.flush());

    // Nowhere to write: no file name.
    EXPECT_FALSE(IniFile::fromBytes("[S]\nK=v\n").flush());

    // A read-only file or folder (permissions do not bind root).
    if (::geteuid() != 0) {
        fs::path file = dir / "ro.INI";
        std::ofstream(file) << "[S]\r\nK=old\r\n";
        ::chmod(file.c_str(), 0444);
        IniFile ro(file);
        ro.WriteString("S", "K", "new");
        EXPECT_FALSE(ro.flush());
        EXPECT_EQ(fileText(file), "[S]\r\nK=old\r\n");

        fs::create_directories(dir / "locked");
        ::chmod((dir / "locked").c_str(), 0555);
        IniFile locked(dir / "locked" / "pavik.INI");
        EXPECT_FALSE(locked.flush());
        EXPECT_EQ(locked.lastError(), std::errc::permission_denied);
        ::chmod((dir / "locked").c_str(), 0755);
    }
    fs::remove_all(dir);
}

TEST(IniFile, FlushWritesThroughASymbolicLinkAndKeepsPermissions) {
    fs::path dir = freshFolder("link");
    fs::path real = dir / "real.INI";
    std::ofstream(real) << "[S]\nK=1\n";
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, dir / "pavik.INI");
    IniFile ini(dir / "pavik.INI");
    ini.WriteInteger("S", "K", 2);
    ASSERT_TRUE(ini.flush());
    EXPECT_TRUE(fs::is_symlink(dir / "pavik.INI"));
    EXPECT_EQ(fileText(real), "[S]\r\nK=2\r\n\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove_all(dir);
}
