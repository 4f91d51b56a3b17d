// Reading refuses whatever is not a regular file of a sane size, before opening it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_bytes.h"

using namespace pavik;
namespace fs = std::filesystem;

namespace {

struct Folder {
    Folder() : path(fs::temp_directory_path() / ("pavik_bytes_" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

}  // namespace

TEST(FileBytes, OnlyRegularFilesOfAtMost128MBAreRead) {
    Folder dir;
    const fs::path plain = dir.path / "a.css";
    std::ofstream(plain) << "H1 { color: red }";
    const fs::path fifo = dir.path / "fifo.css";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path / "zero.css");
    fs::create_symlink(plain, dir.path / "link.css");
    fs::create_directories(dir.path / "folder.css");
    const fs::path big = dir.path / "big.css";  // sparse: takes no room on disk
    std::ofstream(big).close();
    fs::resize_file(big, MaxReadFileSize + 1);

    struct Case {
        const char* name;
        std::error_code expected;
    };
    for (const Case& c : {Case{"fifo.css", FileRefusal::Fifo}, Case{"zero.css", FileRefusal::Device},
                          Case{"folder.css", FileRefusal::Directory}, Case{"big.css", FileRefusal::TooLarge},
                          Case{"missing.css", std::make_error_code(std::errc::no_such_file_or_directory)}}) {
        std::string out = "old";
        EXPECT_EQ(readFileBytes(dir.path / c.name, out), c.expected) << c.name;  // returns at once
        EXPECT_EQ(out, "") << c.name;
        EXPECT_EQ(checkReadableFile(dir.path / c.name), c.expected) << c.name;
    }
    std::string out;
    EXPECT_FALSE(readFileBytes(dir.path / "link.css", out));
    EXPECT_EQ(out, "H1 { color: red }");
    EXPECT_FALSE(checkReadableFile(plain));

    // The reason reads as the program's own text.
    EXPECT_EQ(make_error_code(FileRefusal::Fifo).message(),
              "名前付きパイプ (FIFO) です。開けるのは通常のファイルだけです。");
}

TEST(FileBytes, SavingWritesInPlaceOnlyWhenNoNewFileCanBeMadeBesideAWritableTarget) {
    Folder dir;
    auto read = [](const fs::path& p) {
        std::string out;
        EXPECT_FALSE(readFileBytes(p, out)) << p;
        return out;
    };
    // A name that fills the longest file name leaves no room for the temporary one beside it.
    const fs::path longName = dir.path / (std::string(251, 'a') + ".css");
    std::ofstream(longName) << "old text, longer than the new one";
    EXPECT_EQ(writeFileReplacing(longName, "new"), std::errc::filename_too_long);
    EXPECT_EQ(read(longName), "old text, longer than the new one");
    EXPECT_FALSE(writeFileSaving(longName, "new"));
    EXPECT_EQ(read(longName), "new");  // cut to the new length
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

    // A file that does not exist yet, or a folder in its place, is not written in place.
    EXPECT_EQ(writeFileSaving(std::string(260, 'b') + ".css", "x"), std::errc::filename_too_long);
    fs::create_directories(dir.path / "folder.css");
    EXPECT_EQ(writeFileSaving(dir.path / "folder.css", "x"), std::errc::is_a_directory);
    EXPECT_EQ(writeFileSaving(dir.path / "gone" / "a.css", "x"), std::errc::no_such_file_or_directory);

    // A writable file in a read-only folder (only a user other than root is held to it).
    const fs::path locked = dir.path / "locked";
    fs::create_directories(locked);
    std::ofstream(locked / "a.css") << "old";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_TRUE(writeFileReplacing(locked / "a.css", "new"));
        EXPECT_FALSE(writeFileSaving(locked / "a.css", "new"));
        EXPECT_EQ(read(locked / "a.css"), "new");
    }
    fs::permissions(locked, fs::perms::owner_all);
}
