#include "vocabulary/shared_routines.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace pavik {

namespace {

AssocChangeNotifier* gNotifier = nullptr;
FolderBrowser* gBrowser = nullptr;

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string dataHomeFromEnvironment() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share";
    return {};
}

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

std::vector<std::string> assocRefreshCommand(std::string_view searchPath, std::string_view dataHome) {
    if (dataHome.empty()) return {};
    std::string applications = std::string(dataHome) + "/applications";
    std::error_code ec;
    if (!std::filesystem::is_directory(applications, ec)) return {};

    size_t i = 0;
    while (i <= searchPath.size()) {
        size_t end = searchPath.find(':', i);
        if (end == std::string_view::npos) end = searchPath.size();
        std::string_view dir = searchPath.substr(i, end - i);
        if (!dir.empty() && dir.front() == '/') {  // relative PATH entries are not trusted
            std::string tool = std::string(dir) + "/update-desktop-database";
            if (isExecutableFile(tool)) return {tool, applications};
        }
        i = end + 1;
    }
    return {};
}

void DesktopAssocNotifier::assocChanged() {
    const char* path = std::getenv("PATH");
    std::vector<std::string> cmd = assocRefreshCommand(path ? path : "", dataHomeFromEnvironment());
    if (!cmd.empty()) runQuietly(cmd);
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
