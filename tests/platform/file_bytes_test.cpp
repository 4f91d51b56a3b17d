// Reading refuses whatever is not a regular file of a sane size, before opening it.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

namespace {

std::string contents(const fs::path& p) {
    std::string out;
    EXPECT_FALSE(readFileBytes(p, out)) << p;
    return out;
}

// Runs `child` in a forked process and gives back the text it returns.
std::string inChild(const std::function<std::string()>& child) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string text = child();
        (void)!::write(fds[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return text;
}

const std::string kNoTmpfs = "no tmpfs";

// `scenario` in a child process with a tmpfs of `options` mounted on `dir` in a mount
// namespace of its own; kNoTmpfs where none can be mounted.
std::string onTmpfs(const fs::path& dir, const char* options, const std::function<std::string()>& scenario) {
    return inChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", dir.c_str(), "tmpfs", 0, options) != 0)
            return kNoTmpfs;
        return scenario();
    });
}

}  // namespace

// The program's own files are written as new files renamed over their names: whatever stands
// there is replaced, not followed. The user's own file reached through a link is still saved
// to the link's target.
TEST(FileBytes, OwnFilesReplaceWhatStandsAtTheirNameAndNeverWriteThroughIt) {
    Folder dir;
    const fs::path victim = dir.path / "notes.txt", folder = dir.path / "folder", sticky = dir.path / "sticky";
    std::ofstream(victim) << "mine";
    fs::create_directories(folder);
    fs::create_directories(sticky);
    fs::permissions(sticky, fs::perms::all | fs::perms::sticky_bit);
    const fs::path taken = dir.path / "taken.HTML";
    fs::create_directories(taken);

    struct Case {
        const char* what;
        fs::path name;
        std::function<void(const fs::path&)> plant;
    };
    const Case cases[] = {
        {"a link to a file", dir.path / "a.CSS", [&](const fs::path& n) { fs::create_symlink(victim, n); }},
        {"a link to a folder", dir.path / "b.CSS", [&](const fs::path& n) { fs::create_symlink(folder, n); }},
        {"a dangling link", dir.path / "c.CSS", [&](const fs::path& n) { fs::create_symlink(dir.path / "gone.txt", n); }},
        {"a FIFO", dir.path / "d.CSS", [](const fs::path& n) { ::mkfifo(n.c_str(), 0600); }},
        {"a link in a sticky folder", sticky / "e.CSS", [&](const fs::path& n) { fs::create_symlink(victim, n); }},
    };
    for (const Case& c : cases) {
        c.plant(c.name);
        EXPECT_FALSE(writeOwnFile(c.name, "generated")) << c.what;
        EXPECT_FALSE(fs::is_symlink(c.name)) << c.what;
        EXPECT_EQ(contents(c.name), "generated") << c.what;
    }
    EXPECT_EQ(contents(victim), "mine");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_FALSE(fs::exists(dir.path / "gone.txt"));

    // A name that cannot be replaced changes nothing.
    EXPECT_EQ(writeOwnFile(taken, "generated"), std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_directory(taken));
    if (::geteuid() == 0) {
        // Another user cannot replace the victim's link in a sticky folder: refused.
        fs::create_symlink(victim, sticky / "planted.CSS");
        const std::string seen = inChild([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) return std::string("no setuid");
            return writeOwnFile(sticky / "planted.CSS", "generated").message();
        });
        EXPECT_EQ(seen, std::make_error_code(std::errc::operation_not_permitted).message());
        EXPECT_TRUE(fs::is_symlink(sticky / "planted.CSS"));
        EXPECT_EQ(contents(victim), "mine");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(sticky), fs::directory_iterator()), ::geteuid() == 0 ? 2 : 1);

    // The user's own file through a link: the target is saved, the link stays.
    const fs::path sheet = dir.path / "sheet.css";
    fs::create_symlink(victim, sheet);
    EXPECT_FALSE(writeFileSaving(sheet, "saved"));
    EXPECT_TRUE(fs::is_symlink(sheet));
    EXPECT_EQ(contents(victim), "saved");
}

// No inode left for a temporary file and the disk full: the in-place save reserves its room
// first and changes nothing when it cannot.
TEST(FileBytes, InPlaceSaveOnAFullDiskLeavesTheFileAsItWas) {
    Folder dir;
    const fs::path mount = dir.path / "disk", sheet = mount / "a.css";
    fs::create_directories(mount);
    std::string original;
    while (original.size() < 1960) original += "P.note { margin : " + std::to_string(original.size()) + "px; }\r\n";
    original.resize(1960);
    const std::string seen = onTmpfs(mount, "size=64k,nr_inodes=3", [&] {
        std::ofstream(sheet, std::ios::binary) << original;
        {
            std::ofstream filler(mount / "filler", std::ios::binary);
            const std::string block(4096, 'x');
            for (int i = 0; i < 64 && filler; ++i) filler << block << std::flush;
        }
        std::string report;
        const std::error_code longer = writeFileSaving(sheet, std::string(5000, 'n'));
        report += "longer: " + longer.message() + (contents(sheet) == original ? ", unchanged" : ", changed");
        const std::error_code shorter = writeFileSaving(sheet, "P { }");
        report += "; shorter: " + (shorter ? shorter.message() : "saved") + ", " + contents(sheet);
        report += "; entries " + std::to_string(std::distance(fs::directory_iterator(mount), fs::directory_iterator()));
        return report;
    });
    if (seen == kNoTmpfs) GTEST_SKIP() << "no tmpfs can be mounted here (it needs CAP_SYS_ADMIN)";
    EXPECT_EQ(seen, "longer: " + std::make_error_code(std::errc::no_space_on_device).message() +
                        ", unchanged; shorter: saved, P { }; entries 2");
}

// A write that fails after the room was reserved: the original bytes go back, and only when
// that fails too is the file left changed, and said so.
TEST(FileBytes, InPlaceSaveWritesTheOriginalBackWhenAWriteFails) {
    Folder dir;
    const fs::path file = dir.path / "a.css";
    struct Case {
        const char* what;
        int failures;  // writes that fail, after a first one that writes 4 bytes
        std::error_code expected;
        std::string after;
    };
    const std::string original = "H1 { color : red ; }\r\n";
    for (const Case& c : {Case{"one failed write", 1, std::make_error_code(std::errc::io_error), original},
                          Case{"the original not written back", 100, SaveFailure::NotRestored, "new "}}) {
        std::ofstream(file, std::ios::binary) << original;
        int calls = 0;
        const WriteAt failing = [&](int fd, const void* data, size_t size, off_t at) -> ssize_t {
            ++calls;
            if (calls == 1) return ::pwrite(fd, data, std::min<size_t>(size, 4), at);
            if (calls <= 1 + c.failures) {
                errno = EIO;
                return -1;
            }
            return ::pwrite(fd, data, size, at);
        };
        EXPECT_EQ(overwriteInPlace(file, "new text, longer than the old one", failing), c.expected) << c.what;
        EXPECT_EQ(contents(file).substr(0, c.after.size()), c.after) << c.what;
        if (c.after == original) EXPECT_EQ(contents(file), original) << c.what;
    }
    EXPECT_FALSE(overwriteInPlace(file, "short"));
    EXPECT_EQ(contents(file), "short");
}
