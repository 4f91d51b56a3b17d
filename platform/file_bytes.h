#pragma once
// Whole-file reads and writes with an honest error report.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace pavik {

// Reads the whole file into `out`. A missing file is an error (no_such_file_or_directory).
std::error_code readFileBytes(const std::filesystem::path& file, std::string& out);

// Replaces the file's contents with `bytes` as one step: the bytes go to a new file in the
// same folder, which is then renamed over the target, so a failure leaves the old file
// whole. An existing file keeps its permission bits and must be writable; a symbolic link
// is written through.
std::error_code writeFileReplacing(const std::filesystem::path& file, std::string_view bytes);

}  // namespace pavik
