#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "vocabulary/folder_dialog.h"
#include "vocabulary/shared_routines.h"

#include <QApplication>

using namespace pavik;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "pavik-vocab-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void writeFile(const fs::path& p, const std::string& text, bool executable) {
    std::ofstream(p) << text;
    ::chmod(p.c_str(), executable ? 0755 : 0644);
}

// Sets an environment variable for the lifetime of the object.
class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

QApplication& app() {
    static int argc = 1;
    static char name[] = "vocabulary_tests";
    static char* argv[] = {name, nullptr};
    static QApplication a(argc, argv);
    return a;
}

}  // namespace

TEST(SharedRoutines, RgbToColorPutsRedInTheLowByte) {
    EXPECT_EQ(RGBToColor(255, 0, 0), 255u);
    EXPECT_EQ(RGBToColor(0, 0, 255), 16711680u);
    EXPECT_EQ(RGBToColor(18, 52, 86), 5649426u);
    EXPECT_EQ(RGBToColor(255, 255, 255), 0x00FFFFFFu);
    EXPECT_EQ(GetWindowsDir(), "/usr/bin");
}

TEST(SharedRoutines, SelectFolderKeepsDirOnCancel) {
    RecordingFolderBrowser browser;
    std::string dir = "/srv/www";
    EXPECT_FALSE(SelectFolder(browser, "既定のフォルダ", dir));
    EXPECT_EQ(dir, "/srv/www");
    ASSERT_EQ(browser.requests.size(), 1u);
    EXPECT_EQ(browser.requests[0], std::make_pair(std::string("既定のフォルダ"), std::string("/srv/www")));

    browser.answer = "/home/u/css";
    EXPECT_TRUE(SelectFolder(browser, "t", dir));
    EXPECT_EQ(dir, "/home/u/css");

    // The plain form goes through the installed browser.
    browser.answer.reset();
    FolderBrowser* previous = setFolderBrowser(&browser);
    std::string empty;
    EXPECT_FALSE(SelectFolder("t", empty));
    EXPECT_EQ(browser.requests.back().second, "");
    setFolderBrowser(previous);
}

TEST(SharedRoutines, FolderDialogOpensAtDir) {
    app();
    TempDir tmp;
    auto dialog = createFolderDialog(nullptr, "フォルダの選択", tmp.path().string());
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("フォルダの選択"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), fs::canonical(tmp.path()).string());
}

TEST(SharedRoutines, AssocRefreshCommandsNeedToolAndFolder) {
    TempDir bin, data, other;
    fs::create_directory(data.path() / "applications");
    std::string path = "relative:" + other.path().string() + "::" + bin.path().string();
    std::string apps = (data.path() / "applications").string();
    using Commands = std::vector<std::vector<std::string>>;

    EXPECT_TRUE(assocRefreshCommands(path, data.path().string()).empty());  // no tool yet
    writeFile(bin.path() / "update-desktop-database", "", false);
    writeFile(bin.path() / "update-mime-database", "", true);
    EXPECT_TRUE(assocRefreshCommands(path, data.path().string()).empty());  // not executable; no packages
    writeFile(bin.path() / "update-desktop-database", "", true);
    const std::string desktopTool = (bin.path() / "update-desktop-database").string();
    EXPECT_TRUE(assocRefreshCommands(path, data.path().string()).empty());  // empty folders: nothing to refresh
    fs::create_directories(data.path() / "mime" / "packages");
    EXPECT_TRUE(assocRefreshCommands(path, data.path().string()).empty());
    writeFile(data.path() / "applications" / "a.desktop", "", false);
    EXPECT_EQ(assocRefreshCommands(path, data.path().string()), (Commands{{desktopTool, apps}}));
    const Commands both = {{desktopTool, apps},
                           {(bin.path() / "update-mime-database").string(), (data.path() / "mime").string()}};
    writeFile(data.path() / "mime" / "mime.cache", "", false);  // a database to empty
    EXPECT_EQ(assocRefreshCommands(path, data.path().string()), both);
    fs::remove(data.path() / "mime" / "mime.cache");
    writeFile(data.path() / "mime" / "packages" / "a.xml", "", false);
    EXPECT_EQ(assocRefreshCommands(path, data.path().string()), both);
    EXPECT_TRUE(assocRefreshCommands(path, other.path().string()).empty());  // no applications folder
    EXPECT_TRUE(assocRefreshCommands(path, "").empty());
}

TEST(SharedRoutines, NotifyAssocChangedRunsTheToolOrTheInstalledNotifier) {
    TempDir bin, data;
    fs::create_directory(data.path() / "applications");
    writeFile(data.path() / "applications" / "a.desktop", "", false);
    fs::path log = bin.path() / "log";
    writeFile(bin.path() / "update-desktop-database",
              "#!/bin/sh\necho \"$1\" > '" + log.string() + "'\n", true);
    EnvVar p("PATH", bin.path().string() + ":/usr/bin:/bin");
    EnvVar x("XDG_DATA_HOME", data.path().string());

    RecordingAssocNotifier recorder;
    setAssocChangeNotifier(&recorder);
    NotifyAssocChanged();
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_FALSE(fs::exists(log));

    setAssocChangeNotifier(nullptr);
    NotifyAssocChanged();
    std::string logged;
    std::getline(std::ifstream(log), logged);
    EXPECT_EQ(logged, (data.path() / "applications").string());
}
