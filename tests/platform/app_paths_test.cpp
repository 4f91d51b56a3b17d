#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/app_paths.h"

using namespace pavik;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one scope and restores the previous value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (hadOld_) ::setenv(name_, old_.c_str(), 1); else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

fs::path freshFolder(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("pavik_paths_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    return dir;
}

}  // namespace

TEST(AppPaths, ExecutableAndProgramName) {
    fs::path exe = executablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(fs::is_regular_file(exe));
    EXPECT_EQ(exe.filename(), "platform_core_tests");
    EXPECT_EQ(programName(), "platform_core_tests");
    EXPECT_EQ(helpFilePath(), exe.parent_path() / "Pavik.CHM");
}

TEST(AppPaths, PavikHomeOverridesAndIsCreated) {
    fs::path root = freshFolder("home");
    fs::path home = root / "Sub Dir";
    {
        ScopedEnv env("PAVIK_HOME", home.native());
        EXPECT_EQ(programFolder(), home);
        EXPECT_TRUE(fs::is_directory(home));
        EXPECT_EQ(settingsFilePath(), home / "platform_core_tests.INI");
    }
    fs::remove_all(root);
}

// Without PAVIK_HOME: the executable's folder when writable, else the XDG data folder.
TEST(AppPaths, WithoutPavikHomeExecutableFolderElseDataFolder) {
    fs::path root = freshFolder("xdg");
    ScopedEnv home("PAVIK_HOME", "");  // empty counts as unset
    ScopedEnv homeDir("HOME", (root / "user").native());
    fs::path exeFolder = executablePath().parent_path();
    if (::access(exeFolder.c_str(), W_OK) == 0) {
        EXPECT_EQ(programFolder(), exeFolder);
    } else {
        {
            ScopedEnv xdg("XDG_DATA_HOME", (root / "data").native());
            EXPECT_EQ(programFolder(), root / "data" / "pavik");
        }
        ScopedEnv xdg("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
        EXPECT_EQ(programFolder(), root / "user" / ".local" / "share" / "pavik");
        EXPECT_TRUE(fs::is_directory(root / "user" / ".local" / "share" / "pavik"));
    }
    fs::remove_all(root);
}

TEST(AppPaths, ExtensionTestIgnoresCaseButPathsKeepIt) {
    EXPECT_TRUE(hasExtension("/a/Style.CSS", ".css"));
    EXPECT_TRUE(hasExtension("style.Css", ".css"));
    EXPECT_TRUE(hasExtension("/x.y/page.HTML", ".html"));
    EXPECT_FALSE(hasExtension("page.html", ".htm"));
    EXPECT_FALSE(hasExtension("style.css.bak", ".css"));
    EXPECT_FALSE(hasExtension("/a/.css", ".css"));  // a hidden file, not an extension
    EXPECT_FALSE(hasExtension("css", ".css"));
    EXPECT_FALSE(hasExtension("/a.css/style", ".css"));
}
