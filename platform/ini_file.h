#pragma once
// The settings file: INI text held whole in memory and written whole by flush().
// Section and key names compare without regard to ASCII case and keep the spelling they
// were first written with. Values are raw CP932 bytes. Reading accepts CR LF or LF line
// ends; writing uses CR LF. Comment lines (";") survive a rewrite. Sections and keys are
// found through hash indexes, so reading a file and each lookup cost no more than the text
// they touch.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "platform/colors.h"

namespace pavik {

class IniFile {
public:
    // Reads the file; a missing file reads as empty (see loadError for other failures).
    // A file that exists but could not be read is never written: flush() leaves it alone.
    explicit IniFile(std::filesystem::path file);
    // Contents from bytes, bound to `file` for a later flush (none: flush fails).
    static IniFile fromBytes(std::string_view bytes, std::filesystem::path file = {});

    const std::filesystem::path& fileName() const { return file_; }
    // Why an existing file could not be read (its contents then read as empty).
    std::error_code loadError() const { return loadError_; }
    // Why the last flush failed; clear after a successful one.
    std::error_code lastError() const { return lastError_; }

    // Replaces the contents with those of INI text.
    void parse(std::string_view bytes);
    // The INI text flush() writes.
    std::string serialize() const;

    // A present key gives its value, even an empty one; a missing key gives `def`.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, "$hex" or "0x" hex; text that is no integer gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // True for any non-zero integer; text that is no integer gives `def`.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // Colour text (identifier or number); text that converts to no colour gives `def`.
    TColor ReadColor(std::string_view section, std::string_view key, TColor def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"
    void WriteColor(std::string_view section, std::string_view key, TColor value);

    // A section exists while it holds at least one key.
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Key names of a section in file order; empty when there is no such section.
    std::vector<std::string> ReadSection(std::string_view section) const;
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

    // Writes the whole file (creating it when missing); false and lastError() on failure,
    // in which case the file on disk is left as it was. After a failed read it writes
    // nothing and fails with loadError(): the contents are not the file's.
    bool flush();
    bool UpdateFile() { return flush(); }

private:
    IniFile() = default;

    struct Line {
        std::string key;    // empty for a kept line that is not a key (comment, stray text)
        std::string value;  // the whole line when it is not a key
        bool isKey = false;
    };
    // Names folded to lower-case ASCII (whole characters) as the indexes' keys.
    using Index = std::unordered_map<std::string, size_t>;
    struct Section {
        std::string name;
        std::vector<Line> lines;
        Index keys;  // folded key name -> position in lines, for every key line
        void reindex();
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);
    Section& sectionFor(std::string_view name);  // found, or added at the end
    const Line* findKey(std::string_view section, std::string_view key) const;
    void reindexSections();

    std::filesystem::path file_;
    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    Index sectionIndex_;  // folded section name -> position in sections_
    std::error_code loadError_;
    std::error_code lastError_;
};

}  // namespace pavik
