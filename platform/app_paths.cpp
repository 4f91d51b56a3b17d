#include "platform/app_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/sjis.h"

namespace pavik {

namespace fs = std::filesystem;

namespace {

const char kHelpFileName[] = "Pavik.CHM";

std::string envOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

fs::path homeFolder() {
    std::string home = envOrEmpty("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return fs::temp_directory_path();
}

// An XDG folder variable, or home + fallback when it is unset or not absolute.
fs::path xdgFolder(const char* variable, const char* fallback) {
    fs::path folder = envOrEmpty(variable);
    if (folder.empty() || folder.is_relative()) folder = homeFolder() / fallback;
    return folder;
}

fs::path created(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);  // a failure shows when a file is written there
    return folder;
}

}  // namespace

fs::path executablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

std::string programName() {
    std::string name = executablePath().stem().native();
    return name.empty() ? "pavik" : name;
}

fs::path programFolder() {
    std::string home = envOrEmpty("PAVIK_HOME");
    if (!home.empty()) {
        std::error_code ec;
        fs::path folder = fs::absolute(home, ec);
        return created(ec ? fs::path(home) : folder);
    }
    fs::path exeFolder = executablePath().parent_path();
    if (!exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0) return exeFolder;

    return created(xdgDataHome() / "pavik");
}

fs::path xdgDataHome() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

fs::path xdgConfigHome() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

fs::path findExecutable(std::string_view name, std::string_view searchPath) {
    if (name.empty() || name.find('/') != std::string_view::npos) return {};
    size_t i = 0;
    while (i <= searchPath.size()) {
        size_t end = searchPath.find(':', i);
        if (end == std::string_view::npos) end = searchPath.size();
        const std::string_view dir = searchPath.substr(i, end - i);
        if (!dir.empty() && dir.front() == '/') {  // relative PATH entries are not trusted
            fs::path candidate = fs::path(dir) / name;
            struct stat st {};
            if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        i = end + 1;
    }
    return {};
}

fs::path settingsFilePath() {
    return programFolder() / (programName() + ".INI");
}

fs::path helpFilePath() { return executablePath().parent_path() / kHelpFileName; }

bool hasExtension(const fs::path& file, std::string_view ext) {
    return sjis::equalsIgnoreCase(file.extension().native(), ext);
}

}  // namespace pavik
