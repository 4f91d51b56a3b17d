// Reading refuses whatever is not a regular file of a sane size, before opening it.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
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

std::string contents(const fs::path& p) {
    std::string out;
    readFileBytes(p, out);
    return out;
}

// The text `child` returns in a forked process.
std::string inChild(const std::function<std::string()>& child) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    if (const pid_t pid = ::fork(); pid != 0) {
        ::close(fds[1]);
        std::string text;
        char buffer[256];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
        ::waitpid(pid, nullptr, 0);
        return text;
    }
    const std::string text = child();
    (void)!::write(fds[1], text.data(), text.size());
    ::_exit(0);
}

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

// The program's own files replace whatever stands at their name, never writing through it;
// the user's own file reached through a link is saved to the link's target.
TEST(FileBytes, OwnFilesReplaceWhatStandsAtTheirName) {
    Folder dir;
    const fs::path victim = dir.path / "notes.txt", folder = dir.path / "folder", sticky = dir.path / "sticky";
    std::ofstream(victim) << "mine";
    fs::create_directories(folder);
    fs::create_directories(sticky);
    fs::permissions(sticky, fs::perms::all | fs::perms::sticky_bit);
    const std::pair<fs::path, fs::path> links[] = {  // name, where it leads
        {dir.path / "a.CSS", victim}, {dir.path / "b.CSS", folder}, {dir.path / "c.CSS", dir.path / "gone"},
        {sticky / "d.CSS", victim}};
    for (const auto& [name, to] : links) fs::create_symlink(to, name);
    ::mkfifo((dir.path / "e.CSS").c_str(), 0600);
    for (const fs::path& name : {dir.path / "a.CSS", dir.path / "b.CSS", dir.path / "c.CSS", sticky / "d.CSS",
                                dir.path / "e.CSS"}) {
        EXPECT_FALSE(writeOwnFile(name, "ours")) << name;
        EXPECT_EQ(fs::symlink_status(name).type(), fs::file_type::regular) << name;
        EXPECT_EQ(contents(name), "ours") << name;
    }
    EXPECT_EQ(contents(victim), "mine");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_FALSE(fs::exists(dir.path / "gone"));

    // Work stopped while the file was being made leaves the old file and no new one beside it.
    const fs::path page = dir.path / "a.CSS";
    const auto entries = [&] { return std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()); };
    const auto before = entries();
    EXPECT_THROW(writeOwnFile(page, [](const TextSink& write) {
                     write("half");
                     throw std::runtime_error("stopped");
                 }),
                 std::runtime_error);
    EXPECT_EQ(contents(page), "ours");
    EXPECT_EQ(entries(), before);

    // A name that cannot be replaced: a folder; another user's link in a sticky folder.
    EXPECT_EQ(writeOwnFile(folder, "ours"), std::errc::is_a_directory);
    if (::geteuid() == 0) {
        fs::create_symlink(victim, sticky / "planted.CSS");
        EXPECT_EQ(inChild([&] { return ::setuid(65534) ? "" : writeOwnFile(sticky / "planted.CSS", "ours").message(); }),
                  std::make_error_code(std::errc::operation_not_permitted).message());
        EXPECT_EQ(contents(victim), "mine");
    }

    fs::create_symlink(victim, dir.path / "sheet.css");
    EXPECT_FALSE(writeFileSaving(dir.path / "sheet.css", "saved"));
    EXPECT_EQ(contents(victim), "saved");
}

// An in-place save that cannot finish leaves the file as it was: a write that fails is undone
// (only a failed undo says otherwise), and on a full disk nothing is written at all.
TEST(FileBytes, AnInPlaceSaveThatCannotFinishLeavesTheFileAsItWas) {
    Folder dir;
    const fs::path file = dir.path / "a.css";
    const std::string original = "H1 { color : red ; }\r\n";
    for (int failures : {1, 100}) {  // 100: the original cannot be written back either
        std::ofstream(file, std::ios::binary) << original;
        int calls = 0;  // the first write is cut short, then `failures` fail
        const WriteAt failing = [&](int fd, const void* data, size_t size, off_t at) -> ssize_t {
            if (++calls > 1 && calls <= 1 + failures) return errno = EIO, -1;
            return ::pwrite(fd, data, calls == 1 ? std::min<size_t>(size, 4) : size, at);
        };
        EXPECT_EQ(overwriteInPlace(file, "new text, longer than the old one", failing),
                  failures == 1 ? std::error_code(EIO, std::generic_category()) : SaveFailure::NotRestored);
        EXPECT_EQ(contents(file) == original, failures == 1);
    }

    // No inode left for a temporary file beside it, and no room left on the disk.
    const fs::path disk = dir.path / "disk";
    fs::create_directories(disk);
    const std::string seen = inChild([&] {
        if (::unshare(CLONE_NEWNS) || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
            ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,nr_inodes=3"))
            return std::string("no tmpfs");
        std::ofstream(disk / "a.css") << std::string(1960, 'a');
        std::ofstream(disk / "filler") << std::string(64 * 1024, 'x');
        const std::string longer = writeFileSaving(disk / "a.css", std::string(5000, 'n')).message();
        const bool kept = contents(disk / "a.css") == std::string(1960, 'a');
        const std::string shorter = writeFileSaving(disk / "a.css", "P { }").message();
        return longer + (kept ? ", kept; " : ", changed; ") + shorter + ", " + contents(disk / "a.css");
    });
    if (seen == "no tmpfs") GTEST_SKIP() << "no tmpfs can be mounted here (it needs CAP_SYS_ADMIN)";
    EXPECT_EQ(seen, std::make_error_code(std::errc::no_space_on_device).message() + ", kept; Success, P { }");
}
