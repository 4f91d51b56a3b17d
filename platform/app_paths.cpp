#include "platform/app_paths.h"

#include <pwd.h>
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

    // XDG requires an absolute path; anything else is ignored.
    fs::path data = envOrEmpty("XDG_DATA_HOME");
    if (data.empty() || data.is_relative()) data = homeFolder() / ".local" / "share";
    return created(data / "pavik");
}

fs::path settingsFilePath() {
    return programFolder() / (programName() + ".INI");
}

fs::path helpFilePath() { return executablePath().parent_path() / kHelpFileName; }

bool hasExtension(const fs::path& file, std::string_view ext) {
    return sjis::equalsIgnoreCase(file.extension().native(), ext);
}

}  // namespace pavik
