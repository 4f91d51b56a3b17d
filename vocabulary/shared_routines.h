#pragma once
// Small routines shared by the main window and the settings dialog: colour packing, the
// folder where programs live, the association-change notice and the folder chooser.
// The last two go through interfaces so that tests never touch the desktop or open a dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pavik {

// Colour value with red in the low byte: r + g*256 + b*65536.
constexpr std::uint32_t RGBToColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16;
}

// Where the browser programs are looked for first.
std::string GetWindowsDir();

// --- Association-change notice

class AssocChangeNotifier {
public:
    virtual ~AssocChangeNotifier() = default;
    virtual void assocChanged() = 0;
};

// Refreshes the desktop's cache of application entries, when the tool for it is installed.
class DesktopAssocNotifier : public AssocChangeNotifier {
public:
    void assocChanged() override;
};

class RecordingAssocNotifier : public AssocChangeNotifier {
public:
    void assocChanged() override { ++calls; }
    int calls = 0;
};

// Tells the desktop that file associations changed, through the installed notifier
// (a DesktopAssocNotifier unless one is installed).
void NotifyAssocChanged();
// Installs a notifier (nullptr restores the desktop one); returns the previous one.
AssocChangeNotifier* setAssocChangeNotifier(AssocChangeNotifier* notifier);

// The commands that refresh the desktop's caches under `dataHome`, with tools found on
// `searchPath` (a PATH value): "update-desktop-database" on its "applications" folder when
// that holds anything, and "update-mime-database" on its "mime" folder when that holds
// packages or a database. A command whose tool is missing, or whose folder has nothing to
// refresh, is left out.
std::vector<std::vector<std::string>> assocRefreshCommands(std::string_view searchPath,
                                                           std::string_view dataHome);

// --- Folder chooser

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    // Lets the user choose a folder, starting at startDir (empty: the default place).
    // Returns the chosen folder, or nothing when cancelled.
    virtual std::optional<std::string> browse(std::string_view title, std::string_view startDir) = 0;
};

class RecordingFolderBrowser : public FolderBrowser {
public:
    std::optional<std::string> browse(std::string_view title, std::string_view startDir) override {
        requests.emplace_back(title, startDir);
        return answer;
    }
    std::optional<std::string> answer;                          // nothing = cancel
    std::vector<std::pair<std::string, std::string>> requests;  // title, start folder
};

// Asks `browser` for a folder opened at dir. On OK stores the folder in dir and returns
// true; on cancel returns false and leaves dir unchanged.
bool SelectFolder(FolderBrowser& browser, std::string_view title, std::string& dir);

// The same through the installed browser; without one, a Qt folder dialog owned by the
// active window. Defined in pavik_vocabulary_qt.
bool SelectFolder(std::string_view title, std::string& dir);
// Installs a browser for SelectFolder(title, dir) (nullptr restores the dialog); returns
// the previous one.
FolderBrowser* setFolderBrowser(FolderBrowser* browser);
FolderBrowser* installedFolderBrowser();

}  // namespace pavik
