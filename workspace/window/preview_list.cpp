#include "workspace/window/preview_list.h"

#include <algorithm>
#include <filesystem>

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

PreviewPageList PreviewPageList::read(IniFile& ini) {
    PreviewPageList list;
    for (int i = 1; i <= Capacity; ++i) {
        const std::string key = std::to_string(i);
        const std::string page = ini.ReadString(SectionPreview, key, "");
        if (isFile(page) && !isPreviewTemporary(page) && list.indexOf(page) < 0)
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
