#pragma once
// The association of style sheet files with the program, behind an interface: the desktop's
// own (an XDG desktop entry, the mime default in mimeapps.list, the file-type icon) and a
// key-value fake that holds the registry keys of the original for tests. No Qt.
//
// Three choices, each applied or removed as a whole:
//   icon       style sheet files show the program's icon;
//   menu       the program is offered for opening style sheet files ("Pavik");
//   isDefault  opening a style sheet file starts the program.
// The program entry is written whenever `menu` or `isDefault` is chosen, so a default
// always names an entry that exists.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pavik {

struct AssocChoice {
    bool icon = false;
    bool menu = false;
    bool isDefault = false;
    bool operator==(const AssocChoice&) const = default;
};

// What went wrong while applying, one text per failed step ("<file>: <reason>").
struct AssocResult {
    std::vector<std::string> failures;
    bool ok() const { return failures.empty(); }
};

class FileAssociation {
public:
    virtual ~FileAssociation() = default;
    // What is registered now. Reading creates nothing; what cannot be read counts as absent.
    virtual AssocChoice read() const = 0;
    // Registers or removes each choice, in the order icon, menu, default.
    virtual AssocResult apply(const AssocChoice& choice) = 0;
};

// ---- The desktop (XDG) -------------------------------------------------------------------

struct XdgPlaces {
    std::filesystem::path dataHome;    // $XDG_DATA_HOME
    std::filesystem::path configHome;  // $XDG_CONFIG_HOME
    // Where the association notes what it created besides its own files (folders, the mime
    // database, the desktop's entry cache), one path a line; empty: nothing is noted, and
    // nothing but its own files is ever removed. From the environment: in programFolder().
    std::filesystem::path record;
    static XdgPlaces fromEnvironment();
};

// Files it owns under dataHome: applications/pavik.desktop (the program entry),
// icons/hicolor/scalable/apps/pavik.svg (its icon), mime/packages/pavik.xml (the icon of
// text/css). In configHome/mimeapps.list it edits only the "text/css" line of
// [Default Applications], keeping every other byte; pavik.desktop goes first in that line
// and the entries that were there stay behind it, so removing it gives the old line back.
// A mimeapps.list left holding the bare [Default Applications] header, as one it created
// is left when its line goes, is removed.
// Removing takes away what writing created and left empty, and nothing else: after an apply
// (and after `changed`, which may regenerate the desktop's caches) it removes
//   - the mime database under dataHome/mime when there was none when pavik.xml was first
//     written there and its packages folder now holds no package;
//   - applications/mimeinfo.cache when the folder held no entry when pavik.desktop was first
//     written there and now holds nothing else;
//   - each folder that writing created, once it is empty (deepest first).
// A file or folder that was there before, or that holds anything else, stays.
class XdgFileAssociation : public FileAssociation {
public:
    // `changed` is called after an apply that wrote or removed something.
    XdgFileAssociation(XdgPlaces places, std::filesystem::path program, std::string iconSvg,
                       std::function<void()> changed);

    AssocChoice read() const override;
    AssocResult apply(const AssocChoice& choice) override;

    std::filesystem::path desktopEntryPath() const;
    std::filesystem::path iconPath() const;
    std::filesystem::path mimePackagePath() const;
    std::filesystem::path mimeAppsPath() const;

private:
    class Record;
    // After an apply: removes what the record names and nothing needs any more.
    void removeLeftovers(Record& record) const;

    XdgPlaces places_;
    std::filesystem::path program_;
    std::string iconSvg_;
    std::function<void()> changed_;
};

inline constexpr std::string_view PavikDesktopId = "pavik.desktop";
inline constexpr std::string_view StyleSheetMimeType = "text/css";

// The Exec value that runs `program` with one file: the path quoted by the desktop-entry
// rules ("\"", "`", "$" and "\" escaped inside double quotes, "%" doubled, then the string
// escapes of the entry file) followed by " %f". Nothing for a path that is not UTF-8 or
// holds a control character other than tab, line feed and carriage return.
std::optional<std::string> desktopExecValue(std::string_view program);

// The desktop entry file for `program`; nothing when its path cannot be written in one.
std::optional<std::string> desktopEntryText(std::string_view program);

// mimeapps.list text with `desktopId` made the first default of `mimeType` (on) or taken
// out of its defaults (off). Only the lines of that type in [Default Applications] change;
// a line left empty goes, a missing one is added after the section header, a missing
// section at the end (in the file's own line ends).
std::string editMimeDefault(std::string_view text, std::string_view mimeType, std::string_view desktopId,
                            bool on);
// Whether `desktopId` is the first default of `mimeType` in mimeapps.list text.
bool isMimeDefault(std::string_view text, std::string_view mimeType, std::string_view desktopId);

// ---- The key-value fake ------------------------------------------------------------------

// The registry keys of the original under the root of file classes, as key path -> default
// value: "\CSSfile\DefaultIcon" = program + ",1"; "\CSSfile\shell\Pavik\command" = quoted
// program, a blank and "%1" in quotes; "\CSSfile\shell" = "Pavik". A key exists while it is
// in `keys`; creating a key creates its parents with empty values.
class KeyValueAssociation : public FileAssociation {
public:
    explicit KeyValueAssociation(std::string program) : program_(std::move(program)) {}

    AssocChoice read() const override;
    AssocResult apply(const AssocChoice& choice) override;

    std::map<std::string, std::string> keys;
    bool failWrites = false;  // every write and delete fails, as without the rights to them
    int applies = 0;

private:
    bool write(const std::string& key, const std::string& value, AssocResult& result);
    bool removeTree(const std::string& key, AssocResult& result);
    std::string program_;
};

}  // namespace pavik
