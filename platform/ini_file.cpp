#include "platform/ini_file.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/file_bytes.h"
#include "platform/int_text.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

// A line break inside a name or value would split its line when written; it becomes a blank.
std::string oneLine(std::string_view s) {
    std::string out(s);
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) : file_(std::move(file)) {
    std::string bytes;
    std::error_code ec = readFileBytes(file_, bytes);
    if (ec && ec != std::errc::no_such_file_or_directory) loadError_ = ec;
    if (!ec) parse(bytes);
}

IniFile IniFile::fromBytes(std::string_view bytes, std::filesystem::path file) {
    IniFile ini;
    ini.file_ = std::move(file);
    ini.parse(bytes);
    return ini;
}

void IniFile::parse(std::string_view bytes) {
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // a UTF-8 byte order mark

    Section* current = nullptr;
    for (const std::string& raw : sjis::splitLines(bytes)) {
        std::string_view line = sjis::trim(raw);
        if (line.empty()) continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            // A repeated header continues the first section.
            current = &sectionFor(sjis::trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!current) {
            preamble_.emplace_back(line);
            continue;
        }
        // '=' is below every CP932 trail byte, so a plain search is safe.
        size_t eq = line.front() == ';' ? std::string_view::npos : line.find('=');
        if (eq == std::string_view::npos) {
            current->lines.push_back(Line{{}, std::string(line), false});
            continue;
        }
        std::string_view key = sjis::trimRight(line.substr(0, eq));
        // The first occurrence of a key is the one read, as before a rewrite.
        if (!current->keys.try_emplace(sjis::toLowerAscii(key), current->lines.size()).second) continue;
        current->lines.push_back(Line{std::string(key), std::string(sjis::trimLeft(line.substr(eq + 1))), true});
    }
}

std::string IniFile::serialize() const {
    std::string out;
    for (const std::string& line : preamble_) out += oneLine(line) + "\r\n";
    for (const Section& s : sections_) {
        out += '[';
        out += oneLine(s.name);
        out += "]\r\n";
        for (const Line& l : s.lines)
            out += (l.isKey ? oneLine(l.key) + "=" + oneLine(l.value) : oneLine(l.value)) + "\r\n";
        out += "\r\n";
    }
    return out;
}

void IniFile::Section::reindex() {
    keys.clear();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].isKey) keys.emplace(sjis::toLowerAscii(lines[i].key), i);
}

void IniFile::reindexSections() {
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) sectionIndex_.emplace(sjis::toLowerAscii(sections_[i].name), i);
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    auto it = sectionIndex_.find(sjis::toLowerAscii(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

IniFile::Section& IniFile::sectionFor(std::string_view name) {
    auto [it, added] = sectionIndex_.try_emplace(sjis::toLowerAscii(name), sections_.size());
    if (added) sections_.push_back(Section{std::string(name), {}, {}});
    return sections_[it->second];
}

const IniFile::Line* IniFile::findKey(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    auto it = s->keys.find(sjis::toLowerAscii(key));
    return it == s->keys.end() ? nullptr : &s->lines[it->second];
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Line* l = findKey(section, key);
    return std::string(l ? std::string_view(l->value) : def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const Line* l = findKey(section, key);
    if (!l) return def;
    return parseInt32(l->value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

TColor IniFile::ReadColor(std::string_view section, std::string_view key, TColor def) const {
    const Line* l = findKey(section, key);
    if (!l) return def;
    return StringToColor(l->value).value_or(def);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = sectionFor(section);
    auto [it, added] = s.keys.try_emplace(sjis::toLowerAscii(key), s.lines.size());
    if (added)
        s.lines.push_back(Line{std::string(key), std::string(value), true});
    else
        s.lines[it->second].value = value;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteColor(std::string_view section, std::string_view key, TColor value) {
    WriteString(section, key, ColorToString(value));
}

bool IniFile::SectionExists(std::string_view section) const {
    const Section* s = findSection(section);
    return s && std::any_of(s->lines.begin(), s->lines.end(), [](const Line& l) { return l.isKey; });
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return findKey(section, key) != nullptr;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = findSection(section))
        for (const Line& l : s->lines)
            if (l.isKey) keys.push_back(l.key);
    return keys;
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s) return;
    if (std::erase_if(s->lines, [&](const Line& l) { return l.isKey && sjis::equalsIgnoreCase(l.key, key); }))
        s->reindex();
}

void IniFile::EraseSection(std::string_view section) {
    if (std::erase_if(sections_, [&](const Section& s) { return sjis::equalsIgnoreCase(s.name, section); }))
        reindexSections();
}

bool IniFile::flush() {
    lastError_ = loadError_ ? loadError_ : writeFileReplacing(file_, serialize());
    return !lastError_;
}

}  // namespace pavik
