#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace pavik {

namespace fs = std::filesystem;

namespace {

std::error_code lastErrno() { return {errno, std::generic_category()}; }

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result (a deferred write error can surface here).
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::error_code writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return lastErrno();
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return {};
}

// A fresh file beside `target`; its name carries the process id and a counter.
int createTempBeside(const fs::path& target, fs::path& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target;
        tempPath += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The refusal for a file of this kind and size, if any.
std::error_code refusalOf(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return static_cast<std::uintmax_t>(st.st_size) > MaxReadFileSize ? make_error_code(FileRefusal::TooLarge)
                                                                          : std::error_code();
    if (S_ISDIR(st.st_mode)) return make_error_code(FileRefusal::Directory);
    if (S_ISFIFO(st.st_mode)) return make_error_code(FileRefusal::Fifo);
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return make_error_code(FileRefusal::Device);
    if (S_ISSOCK(st.st_mode)) return make_error_code(FileRefusal::Socket);
    return make_error_code(FileRefusal::NotRegular);
}

class FileRefusalCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "pavik.file"; }
    std::string message(int value) const override {
        switch (static_cast<FileRefusal>(value)) {
            case FileRefusal::Directory: return "フォルダです。開けるのは通常のファイルだけです。";
            case FileRefusal::Fifo: return "名前付きパイプ (FIFO) です。開けるのは通常のファイルだけです。";
            case FileRefusal::Device: return "デバイスファイルです。開けるのは通常のファイルだけです。";
            case FileRefusal::Socket: return "ソケットです。開けるのは通常のファイルだけです。";
            case FileRefusal::NotRegular: return "通常のファイルではありません。開けるのは通常のファイルだけです。";
            case FileRefusal::TooLarge: return "ファイルが大きすぎます (128 MB を超えています)。";
        }
        return "開けないファイルです。";
    }
};

}  // namespace

const std::error_category& fileRefusalCategory() {
    static const FileRefusalCategory category;
    return category;
}

std::error_code make_error_code(FileRefusal refusal) {
    return {static_cast<int>(refusal), fileRefusalCategory()};
}

std::error_code checkReadableFile(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return lastErrno();
    return refusalOf(st);
}

std::error_code readFileBytes(const fs::path& file, std::string& out) {
    out.clear();
    // Checked before opening: opening a FIFO waits for a writer, and opening a device can
    // act on it. O_NONBLOCK covers a file swapped in between; fstat checks what was opened.
    if (std::error_code refused = checkReadableFile(file)) return refused;
    Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return lastErrno();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return lastErrno();
    if (std::error_code refused = refusalOf(st)) return refused;

    out.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) return {};
        if (n < 0) {
            if (errno == EINTR) continue;
            out.clear();
            return lastErrno();
        }
        out.append(buffer, static_cast<size_t>(n));
        if (out.size() > MaxReadFileSize) {  // grown while being read
            out.clear();
            return make_error_code(FileRefusal::TooLarge);
        }
    }
}

namespace {

class SaveFailureCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "pavik.save"; }
    std::string message(int) const override {
        return "書き込みが途中で失敗し、元の内容にも戻せませんでした。ファイルの一部が書き換わっています。";
    }
};

// Writes all of `bytes` at `offset` on.
std::error_code writeAllAt(const WriteAt& writeAt, int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        ssize_t n = writeAt(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastErrno();
        if (n == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(static_cast<size_t>(n));
        offset += n;
    }
    return {};
}

// `bytes` as one piece.
FileProducer whole(std::string_view bytes) {
    return [bytes](const auto& write) { write(bytes); };
}

// Writes the bytes `produce` makes to a fresh file beside `target` and renames it over
// `target`'s name (not resolved). `mode`: permission bits for the new file, or none.
// `noTemp` tells whether the fresh file could not even be made.
std::error_code replaceByNewFile(const fs::path& target, const FileProducer& produce, const mode_t* mode, bool sync,
                                 bool& noTemp) {
    fs::path temp;
    Fd fd(createTempBeside(target, temp));
    noTemp = fd.get() < 0;
    if (noTemp) return lastErrno();

    std::error_code result;
    try {
        produce([&](std::string_view piece) {
            if (!result) result = writeAll(fd.get(), piece);
        });
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    if (!result && mode && ::fchmod(fd.get(), *mode) != 0) result = lastErrno();
    if (!result && sync && ::fsync(fd.get()) != 0) result = lastErrno();
    if (!fd.close() && !result) result = lastErrno();
    if (!result && ::rename(temp.c_str(), target.c_str()) != 0) result = lastErrno();
    if (result) {
        ::unlink(temp.c_str());
        return result;
    }
    if (sync) {
        // Make the rename itself durable; a failure here does not undo the write.
        Fd dir(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) ::fsync(dir.get());
    }
    return {};
}

enum class WhenNoTemp { Fail, WriteInPlace };

std::error_code writeFile(const fs::path& file, std::string_view bytes, WhenNoTemp noTemp) {
    if (file.empty()) return std::make_error_code(std::errc::invalid_argument);
    fs::path target = file;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path real = fs::weakly_canonical(target, ec);
        if (!ec) target = real;
    }

    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    // A read-only file stays as it is, although the rename could replace it.
    if (existed && ::access(target.c_str(), W_OK) != 0) return lastErrno();

    const mode_t mode = old.st_mode & 07777;
    bool noTempFile = false;
    std::error_code result = replaceByNewFile(target, whole(bytes), existed ? &mode : nullptr, true, noTempFile);
    if (result && noTempFile && noTemp == WhenNoTemp::WriteInPlace && existed && S_ISREG(old.st_mode))
        return overwriteInPlace(target, bytes);
    return result;
}

}  // namespace

const std::error_category& saveFailureCategory() {
    static const SaveFailureCategory category;
    return category;
}

std::error_code make_error_code(SaveFailure failure) { return {static_cast<int>(failure), saveFailureCategory()}; }

std::error_code writeFileReplacing(const fs::path& file, std::string_view bytes) {
    return writeFile(file, bytes, WhenNoTemp::Fail);
}

std::error_code writeFileSaving(const fs::path& file, std::string_view bytes) {
    return writeFile(file, bytes, WhenNoTemp::WriteInPlace);
}

std::error_code overwriteInPlace(const fs::path& file, std::string_view bytes, const WriteAt& writeAt) {
    Fd fd(::open(file.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return lastErrno();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return lastErrno();
    if (std::error_code refused = refusalOf(st)) return refused;

    // The original, to be written back should a write fail.
    std::string original(static_cast<size_t>(st.st_size), '\0');
    for (size_t done = 0; done < original.size();) {
        const ssize_t n = ::pread(fd.get(), original.data() + done, original.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastErrno();
        if (n == 0) {  // cut short meanwhile
            original.resize(done);
            break;
        }
        done += static_cast<size_t>(n);
    }

    const off_t oldSize = static_cast<off_t>(original.size());
    if (!bytes.empty()) {
        if (const int err = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()))) {
            // A failed reservation may have lengthened the file; its bytes are untouched.
            if (::ftruncate(fd.get(), oldSize) != 0) return make_error_code(SaveFailure::NotRestored);
            return {err, std::generic_category()};
        }
    }

    std::error_code result = writeAllAt(writeAt, fd.get(), bytes, 0);
    if (!result && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) result = lastErrno();
    if (!result && ::fsync(fd.get()) != 0) result = lastErrno();
    if (!result) return fd.close() ? std::error_code() : lastErrno();

    // Put the original back: its room is still allocated, since nothing was cut yet.
    if (writeAllAt(writeAt, fd.get(), original, 0) || ::ftruncate(fd.get(), oldSize) != 0 || ::fsync(fd.get()) != 0 ||
        !fd.close())
        return make_error_code(SaveFailure::NotRestored);
    return result;
}

std::error_code writeOwnFile(const fs::path& file, std::string_view bytes) { return writeOwnFile(file, whole(bytes)); }

std::error_code writeOwnFile(const fs::path& file, const FileProducer& produce) {
    if (file.empty()) return std::make_error_code(std::errc::invalid_argument);
    // A folder cannot be renamed over; say so plainly.
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    bool noTemp = false;
    return replaceByNewFile(file, produce, nullptr, false, noTemp);
}

}  // namespace pavik
