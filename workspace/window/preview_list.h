#pragma once
// The user's preview pages: up to five full paths, oldest first, listed after the built-in
// page in the page list, and kept in section "Preview" of the settings file under the keys
// "1" to "5". Paths are compared exactly. No Qt.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

namespace pavik {

// Whether `path` names one of the files the program writes and deletes beside a preview page
// or in its own folder ("Pavik$$Preview$$.HTML" and its kin): such a file cannot be a page.
bool isPreviewTemporary(std::string_view path);

// The program's own files in its folder: the settings file, the preview page and style
// sheet, the refresh page and the box editor's page.
std::vector<std::filesystem::path> programOwnFiles();

// The own file that `path` leads to, or nothing. It leads to one when its name is one of the
// temporary names (isPreviewTemporary), also once symbolic links and ".." in it are resolved,
// or when it is the very file (device and inode: a hard link, a second mount) or the resolved
// path of one of `ownFiles`. The result is `path` itself when its own name tells.
std::optional<std::filesystem::path> ownFileBehind(const std::filesystem::path& path,
                                                   const std::vector<std::filesystem::path>& ownFiles);

class PreviewPageList {
public:
    static constexpr int Capacity = 5;

    // The pages of keys "1" to "5" that name existing files, once each (a page dropped from
    // the middle of the list leaves its old key behind) and no temporary file; each other
    // key is written back empty.
    static PreviewPageList read(IniFile& ini);
    // Key i := page i for each page whose file exists; the other keys keep their values.
    void write(IniFile& ini) const;

    // Adds `page` unless it is listed; a full list drops its oldest page first. The page's
    // place in the list (0 for the oldest).
    int add(const std::string& page);
    // The page's place, or -1.
    int indexOf(std::string_view page) const;
    const std::vector<std::string>& pages() const { return pages_; }

private:
    std::vector<std::string> pages_;
};

}  // namespace pavik
