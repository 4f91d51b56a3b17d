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
