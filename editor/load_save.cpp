// Loading and saving: plain text with its flags, and the own format.
#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>
#include <utility>

#include "editor/display_text.h"
#include "editor/editor_core.h"
#include "editor/own_format.h"
#include "platform/file_bytes.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

constexpr size_t kMaxLine = 65536;  // longer lines continue on the next row

// Calls `add` with each line of plain text and whether a line end closed it. CR, LF, CR LF
// and LF CR each end a line. A NUL byte is ordinary text. A line of kMaxLine bytes or more
// is cut into pieces without a line end, never inside a double-byte character.
template <class Add>
void forEachLine(std::string_view bytes, Add add) {
    size_t i = 0;
    while (i < bytes.size()) {
        size_t end = i;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        std::string_view content = bytes.substr(i, end - i);
        while (content.size() >= kMaxLine) {
            size_t cut = kMaxLine;
            if (sjis::charStart(content.substr(0, kMaxLine + 1), kMaxLine) != kMaxLine) --cut;
            add(content.substr(0, cut), false);
            content.remove_prefix(cut);
        }
        if (end == bytes.size()) {
            if (!content.empty()) add(content, false);
            break;
        }
        add(content, true);
        const char first = bytes[end];
        i = end + 1;
        if (i < bytes.size() && (bytes[i] == '\r' || bytes[i] == '\n') && bytes[i] != first) ++i;
    }
}

}  // namespace

// One row per line, the rows reserved up front; a line end becomes the row's CR, and a
// final line without one gets none.
std::vector<Row> EditorCore::readPlainRows(std::string_view bytes, std::uint8_t flags) const {
    const auto count = [&](char c) { return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), c)); };
    std::vector<Row> rows;
    rows.reserve(count('\r') + count('\n') + bytes.size() / kMaxLine + 1);
    const TRowAttr attr = DefaultRowAttr(true, 0, defWrapPos_);
    forEachLine(bytes, [&](std::string_view content, bool lineEnd) {
        Row row{std::string(), attr};
        row.text.reserve(content.size() + (lineEnd ? 1 : 0));
        row.text.append(content);
        if (lineEnd) row.text.push_back('\r');
        if (flags & lfTabsToSpaces) row.text = tabsToSpaces(row.text, TabSize);
        if (flags & lfTabsToIndent) {
            // Leading tabs become the indent; the row's last byte is never one of them.
            size_t n = 0;
            while (n + 1 < row.text.size() && row.text[n] == '\t') ++n;
            row.text.erase(0, n);
            const long indent = std::min<long>(static_cast<long>(n) * effectiveTabSize(TabSize),
                                               static_cast<long>(attr.wrapPos) - 8);
            row.attr.indent = static_cast<std::int16_t>(std::clamp<long>(indent, 0, 32767));
        }
        rows.push_back(std::move(row));
    });
    return rows;
}

void EditorCore::LoadFromBytes(std::string_view bytes, std::uint8_t flags) { LoadPrepared(PrepareLoad(bytes, flags)); }

EditorCore::PreparedLoad EditorCore::PrepareLoad(std::string_view bytes, std::uint8_t flags) {
    PreparedLoad load;
    load.flags = flags;
    std::vector<Row>& rows = load.rows;
    if (flags & lfOwnFormat) {
        if (auto error = readOwnFormat(bytes, rows))
            throw EditorFileError(EditorFileError::Kind::Format, *error);
        for (Row& row : rows) row.attr = UsableRowAttr(row.attr);
    } else {
        rows = readPlainRows(bytes, flags);
    }
    for (const Row& row : rows) load.longest = std::max(load.longest, row.text.size());
    load.closingRow = rows.empty() || (!rows.back().text.empty() && static_cast<unsigned char>(rows.back().text.back()) == kCR);
    if (!(flags & lfOwnFormat) && (flags & lfRewrap)) {
        // Wrapped as with the closing row after them, which stays empty and last.
        if (load.closingRow) rows.push_back({std::string(), rows.empty() ? TRowAttr{} : rows.back().attr});
        rows = rewrapLoaded(std::move(rows));
        if (load.closingRow) rows.pop_back();
    }
    return load;
}

void EditorCore::LoadPrepared(PreparedLoad load) {
    const std::uint8_t flags = load.flags;
    resetContent();
    undo_.ClearRecords();
    Sel.CollapseTo({0, 0});
    Sel.ClearRange();
    rows_.assign(std::move(load.rows));
    // Handlers may paint: they see the new rows, never an empty editor.
    if (OnUndoChange) OnUndoChange(*this, false, false);
    if (!rows_.empty()) raiseLongest(load.longest);
    if (load.closingRow) {
        AppendLine(std::string());
        // The closing row stands for no line of the file: it takes no indent, so that a
        // save with the indent written out adds nothing at the end.
        if (!(flags & lfOwnFormat) && (flags & lfTabsToIndent)) rows_.back().attr.indent = 0;
    }

    undo_.ClearRecords();
    if (OnUndoChange) OnUndoChange(*this, false, false);
    OpId = 0;
    Caret = {0, 0};
    view_->paint();
    view_->updateCaret();
    view_->refreshScrollBars();
}

void EditorCore::SetText(std::string_view text) { LoadFromBytes(text, 0); }

void EditorCore::LoadFromStream(std::istream& in, std::uint8_t flags) {
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw EditorFileError(EditorFileError::Kind::Read, "the stream could not be read",
                              std::make_error_code(std::errc::io_error));
    LoadFromBytes(bytes, flags);
}

void EditorCore::LoadFromFile(const std::filesystem::path& file, std::uint8_t flags) {
    std::string bytes;
    if (std::error_code ec = readFileBytes(file, bytes))
        throw EditorFileError(EditorFileError::Kind::Read,
                              file.string() + ": " + ec.message(), ec);
    LoadFromBytes(bytes, flags);
}

template <class RowAt>
std::string EditorCore::plainTextOf(size_t count, RowAt rowAt, std::uint8_t flags) const {
    const int tab = effectiveTabSize(TabSize);
    size_t size = 0;
    for (size_t i = 0; i < count; ++i) size += rowAt(i).text.size() + 1;
    std::string out;
    out.reserve(size);
    bool afterParaEnd = true;  // the first row counts as following a paragraph end
    std::string line;
    for (size_t i = 0; i < count; ++i) {
        const Row& row = rowAt(i);
        const bool startsLine = (flags & sfBreakSoftRows) || afterParaEnd;
        const int indent = std::max<int>(row.attr.indent, 0);
        line.clear();
        if ((flags & sfIndentAsTabs) && startsLine)
            line.assign(static_cast<size_t>((indent + tab - 1) / tab), '\t');
        else if ((flags & sfIndentAsSpaces) && startsLine)
            line.assign(static_cast<size_t>(indent), ' ');
        if (flags & sfTabsToSpaces) {
            out += tabsToSpaces(line + row.text, tab);
        } else {
            out += line;
            out += row.text;
        }
        const bool paraEnd = !row.text.empty() && static_cast<unsigned char>(row.text.back()) == kCR;
        if ((flags & sfBreakSoftRows) && !paraEnd) out += "\r\n";
        if (paraEnd) out += '\n';
        afterParaEnd = paraEnd;
    }
    return out;
}

std::string EditorCore::plainText(std::uint8_t flags) const {
    return plainTextOf(rows_.size(), [this](size_t i) -> const Row& { return rows_[i]; }, flags);
}

std::string EditorCore::SavedTextOf(const PreparedLoad& load, std::uint8_t flags) const {
    // The closing row LoadPrepared adds: empty, with the last row's record (no indent after
    // a load that makes leading tabs the indent).
    Row closing{std::string(), load.rows.empty() ? DefaultRowAttr(true, 0, defWrapPos_) : load.rows.back().attr};
    if (load.rows.empty() || (!(load.flags & lfOwnFormat) && (load.flags & lfTabsToIndent))) closing.attr.indent = 0;
    const size_t n = load.rows.size();
    return plainTextOf(n + (load.closingRow ? 1 : 0),
                       [&](size_t i) -> const Row& { return i < n ? load.rows[i] : closing; }, flags);
}

std::string EditorCore::SaveToBytes(std::uint8_t flags) const {
    return (flags & sfOwnFormat) ? writeOwnFormat(rows_) : plainText(flags);
}

void EditorCore::SaveToStream(std::ostream& out, std::uint8_t flags) const {
    const std::string bytes = SaveToBytes(flags);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw EditorFileError(EditorFileError::Kind::Write, "the stream could not be written",
                              std::make_error_code(std::errc::io_error));
}

void EditorCore::SaveToFile(const std::filesystem::path& file, std::uint8_t flags) {
    if (std::error_code ec = writeFileReplacing(file, SaveToBytes(flags)))
        throw EditorFileError(EditorFileError::Kind::Write,
                              file.string() + ": " + ec.message(), ec);
    undo_.MarkSaved();
}

}  // namespace pavik
