#include "workspace/window/preview_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/app_paths.h"
#include "vocabulary/fixed_texts.h"

namespace pavik {
namespace {

bool isFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

bool isPreviewTemporary(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
    for (std::string_view temporary : {TempPreviewHTML, TempPreviewCSS, TempRefreshHTML, TempBoxEditHTML})
        if (name == temporary) return true;
    return false;
}

std::vector<std::filesystem::path> programOwnFiles() {
    const std::filesystem::path folder = programFolder();
    std::vector<std::filesystem::path> files{settingsFilePath()};
    for (std::string_view temporary : {TempPreviewHTML, TempPreviewCSS, TempRefreshHTML, TempBoxEditHTML})
        files.push_back(folder / std::string(temporary));
    return files;
}

std::optional<std::filesystem::path> ownFileBehind(const std::filesystem::path& path,
                                                   const std::vector<std::filesystem::path>& ownFiles) {
    namespace fs = std::filesystem;
    if (isPreviewTemporary(path.native())) return path;
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (ec) return std::nullopt;  // nothing there that the program could have written
    if (isPreviewTemporary(resolved.native())) return resolved;
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    for (const fs::path& own : ownFiles) {
        struct stat st {};
        if (exists && ::stat(own.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino)
            return own;
        std::error_code ownError;
        if (const fs::path ownResolved = fs::weakly_canonical(own, ownError); !ownError && ownResolved == resolved)
            return own;
    }
    return std::nullopt;
}

PreviewPageList PreviewPageList::read(IniFile& ini) {
    PreviewPageList list;
    for (int i = 1; i <= Capacity; ++i) {
        const std::string key = std::to_string(i);
        const std::string page = ini.ReadString(SectionPreview, key, "");
        if (isFile(page) && !ownFileBehind(page, programOwnFiles()) && list.indexOf(page) < 0)
            list.pages_.push_back(page);
        else
            ini.WriteString(SectionPreview, key, "");
    }
    return list;
}

void PreviewPageList::write(IniFile& ini) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (isFile(pages_[i])) ini.WriteString(SectionPreview, std::to_string(i + 1), pages_[i]);
}

int PreviewPageList::add(const std::string& page) {
    if (const int at = indexOf(page); at >= 0) return at;
    if (static_cast<int>(pages_.size()) == Capacity) pages_.erase(pages_.begin());
    pages_.push_back(page);
    return static_cast<int>(pages_.size()) - 1;
}

int PreviewPageList::indexOf(std::string_view page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

}  // namespace pavik
