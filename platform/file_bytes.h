#pragma once
// Whole-file reads and writes with an honest error report.
#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace pavik {

// The largest file that is read whole.
inline constexpr std::uintmax_t MaxReadFileSize = 128u * 1024 * 1024;

// Why a path was refused before anything was read from it. message() is the program's own
// Japanese text (UTF-8), fit to follow a line naming the file.
enum class FileRefusal {
    Directory = 1,
    Fifo,
    Device,
    Socket,
    NotRegular,  // any other kind of file
    TooLarge,    // over MaxReadFileSize
};
const std::error_category& fileRefusalCategory();
std::error_code make_error_code(FileRefusal refusal);

// Whether `file` (a symbolic link is followed) is a regular file of at most
// MaxReadFileSize bytes, found without opening it. A missing file gives
// no_such_file_or_directory.
std::error_code checkReadableFile(const std::filesystem::path& file);

// Reads the whole file into `out`. Only a regular file of at most MaxReadFileSize bytes is
// read: anything else is refused before it is opened, and the file is opened so that it
// cannot block (a FIFO put in its place meanwhile is refused too). A missing file is an
// error (no_such_file_or_directory). On an error `out` is empty.
std::error_code readFileBytes(const std::filesystem::path& file, std::string& out);

// Replaces the file's contents with `bytes` as one step: the bytes go to a new file in the
// same folder, which is then renamed over the target, so a failure leaves the old file
// whole. An existing file keeps its permission bits and must be writable; a symbolic link
// is written through (the user's own files, and the settings file).
std::error_code writeFileReplacing(const std::filesystem::path& file, std::string_view bytes);

// As writeFileReplacing; but when no new file can be made beside an existing, writable
// target (a writable file in a read-only folder, no free inode, a name too long for the
// temporary one), the target is overwritten in place instead (overwriteInPlace). Every
// failure but SaveFailure::NotRestored leaves the file as it was.
std::error_code writeFileSaving(const std::filesystem::path& file, std::string_view bytes);

// A write as pwrite(2) makes it: the count written, or -1 with errno set.
using WriteAt = std::function<ssize_t(int fd, const void* data, size_t size, off_t offset)>;

// Overwrites an existing regular file in place, as writeFileSaving does when it must: room
// for the whole new size is reserved first, and when it cannot be, nothing is written. When
// a write fails all the same, the original bytes are written back and the original length
// restored. `writeAt` is pwrite(2) but in tests.
std::error_code overwriteInPlace(const std::filesystem::path& file, std::string_view bytes,
                                 const WriteAt& writeAt = ::pwrite);

// Writes one of the program's own files (the preview page and style sheet, the box
// editor's page, the refresh page) as a new file beside `file`, renamed over the name
// itself. Whatever stands at the name (a symbolic link, even a dangling one, a FIFO, a
// device) is replaced, never followed or opened. A name that cannot be replaced (a folder,
// another user's entry in a sticky folder, a read-only folder) is an error and changes
// nothing. Not synced to disk: these files are rebuilt at will.
std::error_code writeOwnFile(const std::filesystem::path& file, std::string_view bytes);
// Where text goes a piece at a time, in order.
using TextSink = std::function<void(std::string_view piece)>;
// Makes a file's bytes piece by piece: calls its argument with each piece, in order.
using FileProducer = std::function<void(const TextSink&)>;
// As above, the bytes as `produce` makes them, so that they need not be held all at once.
// When `produce` throws, the new file is removed and the exception goes on.
std::error_code writeOwnFile(const std::filesystem::path& file, const FileProducer& produce);

// A save that failed halfway and could not put the original back: the only failure of
// writeFileSaving after which the file is not as it was.
enum class SaveFailure { NotRestored = 1 };
const std::error_category& saveFailureCategory();
std::error_code make_error_code(SaveFailure failure);

}  // namespace pavik

template <>
struct std::is_error_code_enum<pavik::FileRefusal> : std::true_type {};
template <>
struct std::is_error_code_enum<pavik::SaveFailure> : std::true_type {};
