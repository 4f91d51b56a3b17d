// The association of style sheet files: the desktop's files in a temporary XDG home, the
// Exec quoting, the mimeapps.list edit, and the key-value fake.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/file_association.h"
#include "platform/file_bytes.h"

using namespace pavik;
namespace fs = std::filesystem;

namespace {

class TempHome {
public:
    TempHome() {
        std::string tmpl = (fs::temp_directory_path() / "pavik-assoc-XXXXXX").string();
        root_ = ::mkdtemp(tmpl.data());
    }
    ~TempHome() { fs::remove_all(root_); }
    XdgPlaces places() const { return {root_ / "data", root_ / "config", root_ / "record"}; }
    const fs::path& root() const { return root_; }

private:
    fs::path root_;
};

std::string contents(const fs::path& file) {
    std::string bytes;
    EXPECT_FALSE(readFileBytes(file, bytes)) << file;
    return bytes;
}

void put(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// What a desktop reads out of an Exec value: the entry file's string escapes undone, "%%"
// made "%", then one double-quoted argument unquoted; the rest of the value after it.
std::pair<std::string, std::string> execProgram(const std::string& value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char c = value[++i];
        text += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    for (size_t at = text.find("%%"); at != std::string::npos; at = text.find("%%", at + 1)) text.erase(at, 1);
    std::string program;
    size_t i = 1;
    if (text.empty() || text[0] != '"') return {};
    for (; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && std::string("\"`$\\").find(text[i + 1]) != std::string::npos) ++i;
        program += text[i];
    }
    return {program, text.substr(i + 1)};
}

TEST(DesktopExec, AnyProgramPathComesBackAsOneArgumentBeforeTheFile) {
    EXPECT_EQ(desktopExecValue("/usr/bin/pavik"), "\"/usr/bin/pavik\" %f");
    EXPECT_EQ(desktopExecValue("/opt/a \"b\"/100%"), R"("/opt/a \\"b\\"/100%%" %f)");
    EXPECT_EQ(desktopExecValue("/x\\y"), R"("/x\\\\y" %f)");
    for (const std::string path : {"/opt/my apps/pavik", "/a\"b'c", "/100% sure/%f", "/$HOME/`id`/x",
                                   "/back\\slash\\", "/semi;colon|pipe&amp>x<y", "/tab\there/new\nline",
                                   "/日本語/パス"}) {
        const std::optional<std::string> exec = desktopExecValue(path);
        ASSERT_TRUE(exec) << path;
        EXPECT_EQ(execProgram(*exec), std::make_pair(path, std::string(" %f"))) << *exec;
    }
    for (const std::string bad : {std::string(), std::string("/a\x01z"), std::string("/bad\xff"),
                                  std::string("/nul\0x", 6)})
        EXPECT_FALSE(desktopExecValue(bad)) << bad;
}

TEST(MimeApps, OnlyTheStyleSheetDefaultLineChanges) {
    struct Case {
        const char* what;
        std::string input;
        bool on;
        std::string expected;
    };
    const Case cases[] = {
        {"no file", "", true, "[Default Applications]\ntext/css=pavik.desktop;\n"},
        {"no section, no final line end, CR LF", "[Added Associations]\r\ntext/plain=a.desktop;", true,
         "[Added Associations]\r\ntext/plain=a.desktop;\r\n\r\n[Default Applications]\r\ntext/css=pavik.desktop;\r\n"},
        {"section without the type", "[Default Applications]\ntext/html=b.desktop;\n", true,
         "[Default Applications]\ntext/css=pavik.desktop;\ntext/html=b.desktop;\n"},
        {"another default stays behind", "[Default Applications]\ntext/css = gedit.desktop;kate.desktop\n", true,
         "[Default Applications]\ntext/css = pavik.desktop;gedit.desktop;kate.desktop;\n"},
        {"already first", "[Default Applications]\ntext/css=pavik.desktop ; x.desktop\n", true,
         "[Default Applications]\ntext/css=pavik.desktop ; x.desktop\n"},
        {"moved to the front", "[Default Applications]\r\ntext/css=x.desktop;pavik.desktop;\r\n", true,
         "[Default Applications]\r\ntext/css=pavik.desktop;x.desktop;\r\n"},
        {"off: the line goes", "[Default Applications]\ntext/css=pavik.desktop;\nx=y\n", false,
         "[Default Applications]\nx=y\n"},
        {"off: others stay", "[Default Applications]\ntext/css=pavik.desktop;gedit.desktop;\n", false,
         "[Default Applications]\ntext/css=gedit.desktop;\n"},
        {"off: not there", "[Default Applications]\ntext/css=gedit.desktop\n", false,
         "[Default Applications]\ntext/css=gedit.desktop\n"},
        {"other sections and comments untouched",
         "# text/css=pavik.desktop;\n[Added Associations]\ntext/css=pavik.desktop;\n[Default Applications]\n#text/css=q\n",
         false, "# text/css=pavik.desktop;\n[Added Associations]\ntext/css=pavik.desktop;\n[Default Applications]\n#text/css=q\n"},
    };
    for (const Case& c : cases) {
        const std::string out = editMimeDefault(c.input, "text/css", "pavik.desktop", c.on);
        EXPECT_EQ(out, c.expected) << c.what;
        EXPECT_EQ(isMimeDefault(out, "text/css", "pavik.desktop"), c.on) << c.what;
    }
}

TEST(XdgAssociation, WritesAndRemovesEntryDefaultAndIconKeepingTheUsersOwnLines) {
    TempHome home;
    const fs::path program = "/opt/my \"css\" tools/100% $pavik";
    int notices = 0;
    XdgFileAssociation assoc(home.places(), program, "<svg/>", [&] { ++notices; });
    const std::string mine =
        "# my choices\r\n[Added Associations]\r\ntext/css=gedit.desktop;\r\n\r\n"
        "[Default Applications]\r\ntext/html=firefox.desktop;\r\ntext/css=gedit.desktop;kate.desktop;\r\n";
    put(assoc.mimeAppsPath(), mine);

    EXPECT_EQ(assoc.read(), AssocChoice{});
    EXPECT_FALSE(fs::exists(home.root() / "data"));  // reading creates nothing

    ASSERT_TRUE(assoc.apply({true, true, true}).ok());
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(contents(assoc.desktopEntryPath()),
              "[Desktop Entry]\nType=Application\nName=Pavik\n"
              "Exec=\"/opt/my \\\\\"css\\\\\" tools/100%% \\\\$pavik\" %f\n"
              "Icon=pavik\nMimeType=text/css;\nTerminal=false\n");
    std::string expected = mine;
    expected.replace(expected.rfind("text/css="), 9, "text/css=pavik.desktop;");
    EXPECT_EQ(contents(assoc.mimeAppsPath()), expected);
    EXPECT_EQ(contents(assoc.iconPath()), "<svg/>");
    EXPECT_NE(contents(assoc.mimePackagePath()).find("<icon name=\"pavik\"/>"), std::string::npos);
    EXPECT_EQ(assoc.read(), (AssocChoice{true, true, true}));

    ASSERT_TRUE(assoc.apply({}).ok());
    EXPECT_EQ(notices, 2);
    for (const fs::path& gone : {assoc.desktopEntryPath(), assoc.iconPath(), assoc.mimePackagePath()})
        EXPECT_FALSE(fs::exists(gone)) << gone;
    EXPECT_EQ(contents(assoc.mimeAppsPath()), mine);
    EXPECT_EQ(assoc.read(), AssocChoice{});

    // The default alone still leaves an entry to start.
    ASSERT_TRUE(assoc.apply({false, false, true}).ok());
    EXPECT_TRUE(fs::is_regular_file(assoc.desktopEntryPath()));
    EXPECT_FALSE(fs::exists(assoc.mimePackagePath()));
    EXPECT_EQ(assoc.read(), (AssocChoice{false, true, true}));
}

// Ticking and unticking the default leaves the list as it was ("-": no file), except one
// left holding nothing but the header Pavik writes (a list it created): that goes.
TEST(XdgAssociation, UntickingTheDefaultLeavesNoListOfItsOwnBehind) {
    const std::pair<std::string, std::string> cases[] = {
        {"-", "-"}, {"", "-"}, {"[Default Applications]\n", "-"},
        {"[Default Applications]\n\n", "[Default Applications]\n\n"},
        {"[Default Applications]\r\ntext/html=a.desktop;\r\n", "[Default Applications]\r\ntext/html=a.desktop;\r\n"},
    };
    for (const auto& [before, after] : cases) {
        TempHome home;
        XdgFileAssociation assoc(home.places(), "/usr/bin/pavik", "<svg/>", {});
        if (before != "-") put(assoc.mimeAppsPath(), before);
        ASSERT_TRUE(assoc.apply({false, false, true}).ok() && assoc.read().isDefault) << before;
        ASSERT_TRUE(assoc.apply({}).ok()) << before;
        EXPECT_EQ(fs::exists(assoc.mimeAppsPath()) ? contents(assoc.mimeAppsPath()) : "-", after) << before;
    }
}

// What the desktop's tools make of the data folder, as update-mime-database and
// update-desktop-database do: a database from the packages (one file per type; a type
// file whose package went is removed, its folder stays), an entry cache of the applications.
void runDesktopTools(const fs::path& data) {
    const fs::path mime = data / "mime";
    if (fs::is_directory(mime / "packages")) {
        for (const char* name : {"XMLnamespaces", "aliases", "generic-icons", "globs", "globs2", "icons", "magic",
                                 "mime.cache", "subclasses", "treemagic", "types", "version"})
            put(mime / name, "db");
        for (const auto& [package, type] : {std::pair{"pavik.xml", "text/css.xml"}, std::pair{"other.xml", "text/x-o.xml"}})
            if (fs::exists(mime / "packages" / package))
                put(mime / type, "type");
            else
                fs::remove(mime / type);
    }
    if (fs::is_directory(data / "applications")) put(data / "applications" / "mimeinfo.cache", "cache");
}

// The files and folders (ending in "/") under `root`, but the record.
std::set<std::string> tree(const fs::path& root) {
    std::set<std::string> paths;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root))
        if (e.path().filename() != "record")
            paths.insert(fs::relative(e.path(), root).string() + (e.is_directory() ? "/" : ""));
    return paths;
}

// Ticking everything and unticking it again leaves the data and config folders as they were:
// what ticking created (folders, the database, the entry cache) goes when nothing else needs
// it; what was there before stays, even empty, and so does what the user added meanwhile.
TEST(XdgAssociation, UntickingRemovesWhatTickingCreatedAndNothingElse) {
    struct Case {
        const char* what;
        std::vector<std::string> before;  // folders end in "/"
        std::vector<std::string> addedMeanwhile;
        std::vector<std::string> keptBesides;  // what else stays: caches of what was added
    };
    const std::vector<std::string> database = {
        "data/mime/XMLnamespaces", "data/mime/aliases", "data/mime/generic-icons", "data/mime/globs",
        "data/mime/globs2", "data/mime/icons", "data/mime/magic", "data/mime/mime.cache", "data/mime/subclasses",
        "data/mime/treemagic", "data/mime/types", "data/mime/version"};
    std::vector<std::string> othersDatabase = database;
    othersDatabase.insert(othersDatabase.end(), {"data/mime/packages/other.xml", "data/mime/text/x-o.xml",
                                                 "data/applications/other.desktop", "data/applications/mimeinfo.cache"});
    const Case cases[] = {
        {"nothing before", {}, {}, {}},
        {"empty folders that were there stay", {"data/applications/", "data/icons/hicolor/scalable/apps/",
                                                "data/mime/packages/", "data/mime/text/", "config/"}, {}, {}},
        {"other packages, entries and their caches stay", othersDatabase, {}, {}},
        {"a folder given something meanwhile stays", {}, {"data/applications/mine.desktop", "data/icons/x.png"},
         {"data/applications/mimeinfo.cache"}},
    };
    for (const Case& c : cases) {
        TempHome home;
        for (const std::string& p : c.before)
            p.ends_with('/') ? (void)fs::create_directories(home.root() / p) : put(home.root() / p, "mine");
        XdgFileAssociation assoc(home.places(), "/usr/bin/pavik", "<svg/>", [&] { runDesktopTools(home.places().dataHome); });
        std::set<std::string> expected = tree(home.root());

        ASSERT_TRUE(assoc.apply({true, true, true}).ok()) << c.what;
        ASSERT_EQ(assoc.read(), (AssocChoice{true, true, true})) << c.what;
        EXPECT_TRUE(fs::exists(home.places().dataHome / "mime" / "text" / "css.xml")) << c.what;
        for (const std::string& p : c.addedMeanwhile) {
            put(home.root() / p, "mine");
            expected.insert(p);
        }
        ASSERT_TRUE(assoc.apply({}).ok()) << c.what;
        for (const std::string& p : c.keptBesides) expected.insert(p);
        for (const std::string& p : c.addedMeanwhile)
            for (fs::path f = fs::path(p).parent_path(); !f.empty(); f = f.parent_path()) expected.insert(f.string() + "/");
        EXPECT_EQ(tree(home.root()), expected) << c.what;
        EXPECT_EQ(fs::exists(home.root() / "record"), !c.addedMeanwhile.empty()) << c.what;
    }
}

TEST(XdgAssociation, AFailedWriteIsReportedAndTheDefaultNeverNamesAMissingEntry) {
    TempHome home;
    XdgFileAssociation assoc(home.places(), "/usr/bin/pavik", "<svg/>", {});
    put(home.places().dataHome / "applications", "a file where the folder should be");

    AssocResult result = assoc.apply({false, true, true});
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].find("applications"), std::string::npos) << result.failures[0];
    EXPECT_FALSE(fs::exists(assoc.mimeAppsPath()));
    EXPECT_FALSE(assoc.read().isDefault);

    // An unwritable list is reported after the entry was written.
    TempHome other;
    XdgFileAssociation list({other.root() / "data", other.root() / "config"}, "/usr/bin/pavik", "<svg/>", {});
    put(other.root() / "config", "not a folder");
    result = list.apply({false, false, true});
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].find("mimeapps.list"), std::string::npos) << result.failures[0];
    EXPECT_TRUE(fs::exists(list.desktopEntryPath()));
}

TEST(KeyValueAssociation, HoldsTheRegistryKeysOfTheOriginal) {
    KeyValueAssociation fake("C:\\Pavik.exe");
    ASSERT_TRUE(fake.apply({}).ok());
    EXPECT_TRUE(fake.keys.empty());  // an unticked default creates no shell key
    ASSERT_TRUE(fake.apply({true, false, true}).ok());
    EXPECT_EQ(fake.keys, (std::map<std::string, std::string>{{"\\CSSfile", ""},
                                                             {"\\CSSfile\\DefaultIcon", "C:\\Pavik.exe,1"},
                                                             {"\\CSSfile\\shell", "Pavik"},
                                                             {"\\CSSfile\\shell\\Pavik", ""},
                                                             {"\\CSSfile\\shell\\Pavik\\command", "\"C:\\Pavik.exe\" \"%1\""}}));
    EXPECT_EQ(fake.read(), (AssocChoice{true, true, true}));  // the default brought its verb
    ASSERT_TRUE(fake.apply({true, false, false}).ok());
    EXPECT_FALSE(fake.keys.count("\\CSSfile\\shell\\Pavik\\command"));
    EXPECT_EQ(fake.keys["\\CSSfile\\shell"], "");  // stays, emptied

    fake.failWrites = true;
    const auto before = fake.keys;
    EXPECT_EQ(fake.apply({false, true, true}).failures.size(), 3u);
    EXPECT_EQ(fake.keys, before);
}

}  // namespace
