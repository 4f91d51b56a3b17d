#include "editor/own_format.h"

#include <algorithm>
#include <cstdint>

namespace pavik {

namespace {

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}
void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
std::uint32_t get32(std::string_view s, size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}
std::uint16_t get16(std::string_view s, size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                      static_cast<unsigned char>(s[at + 1]) << 8);
}

template <class Rows>
std::string writeRows(const Rows& rows) {
    std::string out(kOwnHeaderSize, '\0');
    for (size_t i = 0; i < rows.size(); ++i) {
        out += rows[i].text;
        out += '\n';
    }
    const size_t recordOffset = out.size();
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRowAttr& a = rows[i].attr;
        put32(out, a.textColor);
        put32(out, a.backColor);
        put16(out, static_cast<std::uint16_t>(a.indent));
        put16(out, 0);
        put16(out, a.wrapPos);
        out.push_back(static_cast<char>(a.style));
        out.push_back(a.dirty ? '\1' : '\0');
        put32(out, 0);
    }
    std::string header;
    put32(header, static_cast<std::uint32_t>(out.size()));
    put32(header, static_cast<std::uint32_t>(recordOffset));
    put32(header, static_cast<std::uint32_t>(rows.size()));
    out.replace(0, header.size(), header);
    return out;
}

}  // namespace

std::string writeOwnFormat(const RowList& rows) { return writeRows(rows); }
std::string writeOwnFormat(const std::vector<Row>& rows) { return writeRows(rows); }

std::optional<std::string> readOwnFormat(std::string_view bytes, std::vector<Row>& rows) {
    rows.clear();
    if (bytes.size() < kOwnHeaderSize) return "the file is shorter than its header";
    const std::uint64_t total = get32(bytes, 0);
    const std::uint64_t recordOffset = get32(bytes, 4);
    const std::uint64_t count = get32(bytes, 8);
    if (total != bytes.size()) return "the size in the header does not match the file";
    if (recordOffset < kOwnHeaderSize || recordOffset + count * kOwnRecordSize != total)
        return "the row count and the section offsets do not agree";

    const std::string_view section = bytes.substr(kOwnHeaderSize, recordOffset - kOwnHeaderSize);
    if (static_cast<std::uint64_t>(std::count(section.begin(), section.end(), '\n')) != count ||
        (count > 0 && section.back() != '\n') || (count == 0 && !section.empty()))
        return "the row section does not hold the counted rows";

    rows.reserve(count);
    size_t start = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const size_t lf = section.find('\n', start);
        std::string_view text = section.substr(start, lf - start);
        const size_t cr = text.find('\r');
        if (cr != std::string_view::npos && cr + 1 != text.size()) {
            rows.clear();
            return "a row holds a line end before its last byte";
        }
        Row row;
        row.text.assign(text);
        const size_t at = recordOffset + i * kOwnRecordSize;
        row.attr.textColor = get32(bytes, at);
        row.attr.backColor = get32(bytes, at + 4);
        row.attr.indent = static_cast<std::int16_t>(std::max<int>(static_cast<std::int16_t>(get16(bytes, at + 8)), 0));
        row.attr.wrapPos = get16(bytes, at + 12);
        row.attr.style = static_cast<std::uint8_t>(bytes[at + 14]);
        row.attr.dirty = bytes[at + 15] != 0;
        rows.push_back(std::move(row));
        start = lf + 1;
    }
    return std::nullopt;
}

}  // namespace pavik
