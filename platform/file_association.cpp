#include "platform/file_association.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "platform/app_paths.h"
#include "platform/file_bytes.h"

namespace pavik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDefaultsSection = "Default Applications";

constexpr std::string_view kMimePackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"text/css\">\n"
    "    <icon name=\"pavik\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

bool validUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = cp << 6 | (t & 0x3F);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::string_view trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

struct Line {
    std::string_view body;  // without its line end
    std::string_view end;   // "\r\n", "\n" or nothing (the last line)
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            lines.push_back({text, {}});
            break;
        }
        const size_t bodyEnd = nl > 0 && text[nl - 1] == '\r' ? nl - 1 : nl;
        lines.push_back({text.substr(0, bodyEnd), text.substr(bodyEnd, nl + 1 - bodyEnd)});
        text.remove_prefix(nl + 1);
    }
    return lines;
}

// The section a header line opens, or nothing for another line.
std::optional<std::string_view> sectionOf(std::string_view body) {
    const std::string_view t = trimmed(body);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    return t.substr(1, t.size() - 2);
}

// Position of "=" in a key line whose key is `key`, else npos.
size_t keyLine(std::string_view body, std::string_view key) {
    const std::string_view t = trimmed(body);
    if (t.empty() || t.front() == '#') return std::string_view::npos;
    const size_t eq = body.find('=');
    if (eq == std::string_view::npos || trimmed(body.substr(0, eq)) != key) return std::string_view::npos;
    return eq;
}

std::vector<std::string> splitList(std::string_view value) {
    std::vector<std::string> items;
    while (!value.empty()) {
        const size_t semi = value.find(';');
        const std::string_view item = trimmed(value.substr(0, semi));
        if (!item.empty()) items.emplace_back(item);
        if (semi == std::string_view::npos) break;
        value.remove_prefix(semi + 1);
    }
    return items;
}

// Reads a file that may be missing (then empty, with no error).
std::error_code readOptional(const fs::path& file, std::string& out) {
    std::error_code ec = readFileBytes(file, out);
    if (ec == std::errc::no_such_file_or_directory) {
        out.clear();
        return {};
    }
    return ec;
}

// Whether mimeapps.list text is the defaults header alone, as the file is left when the
// line that Pavik added to a file it created goes again.
bool onlyDefaultsHeader(std::string_view text) {
    const std::vector<Line> lines = splitLines(text);
    return lines.size() == 1 && sectionOf(lines[0].body) == kDefaultsSection;
}

std::string failure(const fs::path& file, std::string_view reason) {
    return file.native() + ": " + std::string(reason);
}

}  // namespace

// ---- Texts -------------------------------------------------------------------------------

namespace {

// The string escapes of a desktop entry file.
std::string entryString(std::string_view text) {
    std::string value;
    for (char c : text) {
        switch (c) {
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\t': value += "\\t"; break;
            case '\r': value += "\\r"; break;
            default: value += c;
        }
    }
    return value;
}

}  // namespace

std::optional<std::string> desktopExecValue(std::string_view program) {
    if (program.empty() || !validUtf8(program)) return std::nullopt;
    std::string quoted = "\"";
    for (char c : program) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) return std::nullopt;
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return entryString(quoted + "\" %f");
}

std::optional<std::string> desktopEntryText(std::string_view program) {
    const std::optional<std::string> exec = desktopExecValue(program);
    if (!exec) return std::nullopt;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Pavik\n"
           "Exec=" + *exec + "\n"
           "Icon=pavik\n"
           "MimeType=text/css;\n"
           "Terminal=false\n";
}

std::string editMimeDefault(std::string_view text, std::string_view mimeType, std::string_view desktopId,
                            bool on) {
    const std::vector<Line> lines = splitLines(text);
    std::string nl = "\n";
    for (const Line& l : lines)
        if (!l.end.empty()) {
            nl = std::string(l.end);
            break;
        }

    std::string out;
    bool inDefaults = false, found = false;
    size_t headerEnd = std::string::npos;  // in `out`, after the first defaults header line
    for (const Line& line : lines) {
        if (std::optional<std::string_view> section = sectionOf(line.body)) {
            inDefaults = *section == kDefaultsSection;
            out.append(line.body).append(line.end);
            if (inDefaults && headerEnd == std::string::npos) {
                if (line.end.empty()) out += nl;
                headerEnd = out.size();
            }
            continue;
        }
        const size_t eq = inDefaults ? keyLine(line.body, mimeType) : std::string_view::npos;
        if (eq == std::string_view::npos) {
            out.append(line.body).append(line.end);
            continue;
        }
        found = true;
        const std::vector<std::string> items = splitList(line.body.substr(eq + 1));
        std::vector<std::string> wanted;
        if (on) wanted.emplace_back(desktopId);
        for (const std::string& item : items)
            if (item != desktopId) wanted.push_back(item);
        if (wanted == items) {
            out.append(line.body).append(line.end);
            continue;
        }
        if (wanted.empty()) continue;
        const size_t value = std::min(line.body.size(), line.body.find_first_not_of(" \t", eq + 1));
        out.append(line.body.substr(0, value));
        for (const std::string& item : wanted) out.append(item).append(";");
        out.append(line.end.empty() ? std::string_view(nl) : line.end);
    }
    if (!on || found) return out;

    const std::string entry = std::string(mimeType) + "=" + std::string(desktopId) + ";" + nl;
    if (headerEnd != std::string::npos) {
        out.insert(headerEnd, entry);
        return out;
    }
    if (!out.empty()) {
        if (out.back() != '\n') out += nl;
        out += nl;
    }
    out.append("[").append(kDefaultsSection).append("]").append(nl).append(entry);
    return out;
}

bool isMimeDefault(std::string_view text, std::string_view mimeType, std::string_view desktopId) {
    bool inDefaults = false;
    for (const Line& line : splitLines(text)) {
        if (std::optional<std::string_view> section = sectionOf(line.body)) {
            inDefaults = *section == kDefaultsSection;
            continue;
        }
        const size_t eq = inDefaults ? keyLine(line.body, mimeType) : std::string_view::npos;
        if (eq == std::string_view::npos) continue;
        const std::vector<std::string> items = splitList(line.body.substr(eq + 1));
        return !items.empty() && items.front() == desktopId;
    }
    return false;
}

// ---- XDG ---------------------------------------------------------------------------------

XdgPlaces XdgPlaces::fromEnvironment() {
    return {xdgDataHome(), xdgConfigHome(), programFolder() / "pavik-association.list"};
}

namespace {

// The files update-mime-database makes in a mime folder, besides one file per type.
constexpr std::string_view kMimeDatabaseFiles[] = {"XMLnamespaces", "aliases", "generic-icons", "globs",
                                                   "globs2", "icons", "magic", "mime.cache", "subclasses",
                                                   "treemagic", "types", "version"};

// Whether `folder` holds nothing but `except` (a missing folder holds nothing).
bool holdsOnly(const fs::path& folder, std::string_view except = {}) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename() != except) return false;
    return ec == std::errc::no_such_file_or_directory || !ec;
}

// Whether anything stands at `path`, a dangling link too.
bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

// What writing created besides the association's own files, kept in the record file.
class XdgFileAssociation::Record {
public:
    explicit Record(fs::path file) : file_(std::move(file)) {
        std::string text;
        if (file_.empty() || readFileBytes(file_, text)) return;
        for (const Line& line : splitLines(text))
            if (!line.body.empty()) paths_.insert(fs::path(std::string(line.body)));
        saved_ = paths_;
    }
    // Notes the folders that making `folder` will create.
    void foldersFor(fs::path folder) {
        for (; !folder.empty() && !present(folder) && folder != folder.parent_path(); folder = folder.parent_path())
            note(folder);
    }
    void note(const fs::path& path) {
        if (!file_.empty() && path.native().find('\n') == std::string::npos) paths_.insert(path);
    }
    bool holds(const fs::path& path) const { return paths_.count(path) != 0; }
    void drop(const fs::path& path) { paths_.erase(path); }
    // The noted paths, deepest first.
    std::vector<fs::path> deepestFirst() const {
        std::vector<fs::path> f(paths_.begin(), paths_.end());
        std::sort(f.begin(), f.end(),
                  [](const fs::path& a, const fs::path& b) { return a.native().size() > b.native().size(); });
        return f;
    }
    // Written when it changed; an empty record leaves no file. A failure only means that
    // less is cleaned up later.
    void save() const {
        if (file_.empty() || paths_ == saved_) return;
        std::error_code ec;
        if (paths_.empty()) {
            fs::remove(file_, ec);
            return;
        }
        std::string text;
        for (const fs::path& p : paths_) text.append(p.native()).append("\n");
        (void)writeFileReplacing(file_, text);
    }

private:
    fs::path file_;
    std::set<fs::path> paths_, saved_;
};

void XdgFileAssociation::removeLeftovers(Record& record) const {
    std::error_code ec;
    const fs::path mime = places_.dataHome / "mime";
    if (record.holds(mime / "mime.cache") && holdsOnly(mime / "packages")) {
        for (std::string_view name : kMimeDatabaseFiles) fs::remove(mime / name, ec);
        fs::remove(mime / "text" / "css.xml", ec);
        record.drop(mime / "mime.cache");
    }
    const fs::path applications = desktopEntryPath().parent_path();
    if (record.holds(applications / "mimeinfo.cache") && holdsOnly(applications, "mimeinfo.cache")) {
        fs::remove(applications / "mimeinfo.cache", ec);
        record.drop(applications / "mimeinfo.cache");
    }
    // The two caches are noted as markers: they go above, with what they were made from.
    const auto isMarker = [](const fs::path& p) {
        return p.filename() == "mime.cache" || p.filename() == "mimeinfo.cache";
    };
    const std::vector<fs::path> noted = record.deepestFirst();
    for (const fs::path& path : noted)
        if (!isMarker(path) &&
            (!present(path) || (fs::is_directory(path, ec) && holdsOnly(path) && fs::remove(path, ec))))
            record.drop(path);
    for (const fs::path& path : noted)
        if (isMarker(path) && !present(path.parent_path())) record.drop(path);
}

XdgFileAssociation::XdgFileAssociation(XdgPlaces places, fs::path program, std::string iconSvg,
                                       std::function<void()> changed)
    : places_(std::move(places)), program_(std::move(program)), iconSvg_(std::move(iconSvg)),
      changed_(std::move(changed)) {}

fs::path XdgFileAssociation::desktopEntryPath() const {
    return places_.dataHome / "applications" / std::string(PavikDesktopId);
}

fs::path XdgFileAssociation::iconPath() const {
    return places_.dataHome / "icons" / "hicolor" / "scalable" / "apps" / "pavik.svg";
}

fs::path XdgFileAssociation::mimePackagePath() const { return places_.dataHome / "mime" / "packages" / "pavik.xml"; }

fs::path XdgFileAssociation::mimeAppsPath() const { return places_.configHome / "mimeapps.list"; }

AssocChoice XdgFileAssociation::read() const {
    AssocChoice c;
    std::error_code ec;
    std::string text;
    c.icon = !readFileBytes(mimePackagePath(), text) && text == kMimePackage && fs::is_regular_file(iconPath(), ec);
    c.menu = fs::is_regular_file(desktopEntryPath(), ec);
    c.isDefault = !readFileBytes(mimeAppsPath(), text) && isMimeDefault(text, StyleSheetMimeType, PavikDesktopId);
    return c;
}

AssocResult XdgFileAssociation::apply(const AssocChoice& choice) {
    AssocResult result;
    bool touched = false;
    Record record(places_.record);
    auto put = [&](const fs::path& file, std::string_view bytes) {
        std::error_code ec;
        record.foldersFor(file.parent_path());
        fs::create_directories(file.parent_path(), ec);
        if (!ec) ec = writeFileReplacing(file, bytes);
        if (ec) {
            result.failures.push_back(failure(file, ec.message()));
            return false;
        }
        touched = true;
        return true;
    };
    auto remove = [&](const fs::path& file) {
        std::error_code ec;
        if (fs::remove(file, ec)) touched = true;
        if (ec && ec != std::errc::no_such_file_or_directory)
            result.failures.push_back(failure(file, ec.message()));
    };

    const bool entryWanted = choice.menu || choice.isDefault;
    const bool iconWanted = choice.icon || entryWanted;

    // The icon of style sheet files.
    bool iconOk = !iconWanted || put(iconPath(), iconSvg_);
    if (choice.icon && iconOk) {
        // A database made for this package alone is the association's own.
        const fs::path mime = places_.dataHome / "mime";
        if (!present(mime / "mime.cache") && holdsOnly(mime / "packages", "pavik.xml")) record.note(mime / "mime.cache");
        record.foldersFor(mime / "text");  // where the database puts text/css
        put(mimePackagePath(), kMimePackage);
    } else if (!choice.icon) {
        remove(mimePackagePath());
    }

    // The program entry.
    bool entryOk = false;
    if (entryWanted) {
        if (std::optional<std::string> entry = desktopEntryText(program_.native())) {
            // So is the desktop's entry cache of a folder that holds only this entry.
            const fs::path applications = desktopEntryPath().parent_path();
            if (holdsOnly(applications, PavikDesktopId)) record.note(applications / "mimeinfo.cache");
            entryOk = put(desktopEntryPath(), *entry);
        } else {
            result.failures.push_back(failure(program_, "the program path cannot be written in a desktop entry"));
        }
    } else {
        remove(desktopEntryPath());
    }
    if (!iconWanted) remove(iconPath());

    // The default for style sheets: set only when the entry it names was written.
    std::string old;
    if (std::error_code ec = readOptional(mimeAppsPath(), old)) {
        result.failures.push_back(failure(mimeAppsPath(), ec.message()));
    } else if (!choice.isDefault || entryOk) {
        const std::string edited = editMimeDefault(old, StyleSheetMimeType, PavikDesktopId, choice.isDefault);
        if (edited != old) {
            if (onlyDefaultsHeader(edited))
                remove(mimeAppsPath());  // it held our line alone: the file was ours
            else
                put(mimeAppsPath(), edited);
        }
    }

    if (touched && changed_) changed_();
    removeLeftovers(record);
    record.save();
    return result;
}

// ---- Key-value fake ----------------------------------------------------------------------

namespace {
const std::string kIconKey = "\\CSSfile\\DefaultIcon";
const std::string kShellKey = "\\CSSfile\\shell";
const std::string kVerbKey = kShellKey + "\\Pavik";
const std::string kCommandKey = kVerbKey + "\\command";
}  // namespace

AssocChoice KeyValueAssociation::read() const {
    AssocChoice c;
    auto icon = keys.find(kIconKey);
    c.icon = icon != keys.end() && icon->second == program_ + ",1";
    c.menu = keys.count(kVerbKey) != 0;
    auto shell = keys.find(kShellKey);
    c.isDefault = shell != keys.end() && shell->second == "Pavik";
    return c;
}

bool KeyValueAssociation::write(const std::string& key, const std::string& value, AssocResult& result) {
    if (failWrites) {
        result.failures.push_back(key + ": access denied");
        return false;
    }
    for (size_t slash = key.find('\\', 1); slash != std::string::npos; slash = key.find('\\', slash + 1))
        keys.emplace(key.substr(0, slash), std::string());
    keys[key] = value;
    return true;
}

bool KeyValueAssociation::removeTree(const std::string& key, AssocResult& result) {
    auto inTree = [&](const auto& entry) { return entry.first == key || entry.first.starts_with(key + "\\"); };
    if (std::none_of(keys.begin(), keys.end(), inTree)) return true;
    if (failWrites) {
        result.failures.push_back(key + ": access denied");
        return false;
    }
    std::erase_if(keys, inTree);
    return true;
}

AssocResult KeyValueAssociation::apply(const AssocChoice& choice) {
    ++applies;
    AssocResult result;
    if (choice.icon)
        write(kIconKey, program_ + ",1", result);
    else
        removeTree(kIconKey, result);
    if (choice.menu || choice.isDefault)
        write(kCommandKey, "\"" + program_ + "\" \"%1\"", result);
    else
        removeTree(kVerbKey, result);
    if (choice.isDefault)
        write(kShellKey, "Pavik", result);
    else if (keys.count(kShellKey))
        write(kShellKey, "", result);
    return result;
}

}  // namespace pavik
