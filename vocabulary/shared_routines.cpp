#include "vocabulary/shared_routines.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/app_paths.h"

extern char** environ;

namespace pavik {

namespace {

AssocChangeNotifier* gNotifier = nullptr;
FolderBrowser* gBrowser = nullptr;

// Runs argv quietly and waits for it. Failure to start is ignored: the notice is a courtesy.
void runQuietly(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string GetWindowsDir() { return "/usr/bin"; }

std::vector<std::vector<std::string>> assocRefreshCommands(std::string_view searchPath,
                                                           std::string_view dataHome) {
    std::vector<std::vector<std::string>> commands;
    if (dataHome.empty()) return commands;
    const std::filesystem::path data(dataHome);
    // A folder that holds nothing has nothing to refresh: a tool run on it would leave a cache
    // of nothing behind.
    const auto holdsAnything = [](const std::filesystem::path& folder) {
        std::error_code ec;
        return std::filesystem::is_directory(folder, ec) && !std::filesystem::is_empty(folder, ec) && !ec;
    };
    auto add = [&](const char* tool, const std::filesystem::path& folder, bool needed) {
        if (!needed) return;
        const std::filesystem::path found = findExecutable(tool, searchPath);
        if (!found.empty()) commands.push_back({found.native(), folder.native()});
    };
    add("update-desktop-database", data / "applications", holdsAnything(data / "applications"));
    std::error_code ec;
    add("update-mime-database", data / "mime",
        holdsAnything(data / "mime" / "packages") || std::filesystem::exists(data / "mime" / "mime.cache", ec));
    return commands;
}

void DesktopAssocNotifier::assocChanged() {
    const char* path = std::getenv("PATH");
    for (const std::vector<std::string>& command : assocRefreshCommands(path ? path : "", xdgDataHome().native()))
        runQuietly(command);
}

void NotifyAssocChanged() {
    if (gNotifier) {
        gNotifier->assocChanged();
        return;
    }
    DesktopAssocNotifier desktop;
    desktop.assocChanged();
}

AssocChangeNotifier* setAssocChangeNotifier(AssocChangeNotifier* notifier) {
    return std::exchange(gNotifier, notifier);
}

bool SelectFolder(FolderBrowser& browser, std::string_view title, std::string& dir) {
    std::optional<std::string> chosen = browser.browse(title, dir);
    if (!chosen) return false;
    dir = std::move(*chosen);
    return true;
}

FolderBrowser* setFolderBrowser(FolderBrowser* browser) { return std::exchange(gBrowser, browser); }

FolderBrowser* installedFolderBrowser() { return gBrowser; }

}  // namespace pavik
