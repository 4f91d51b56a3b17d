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
// Saved text goes to its sink in pieces of about this size.
constexpr size_t kSavePiece = 65536;

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Where a line of kMaxLine bytes or more is cut: after kMaxLine bytes, never inside a
// double-byte character. `content` holds more than kMaxLine bytes, or the whole line.
size_t cutOf(std::string_view content) {
    return sjis::charStart(content.substr(0, kMaxLine + 1), kMaxLine) != kMaxLine ? kMaxLine - 1 : kMaxLine;
}

}  // namespace

size_t EditorCore::LinesOf(std::string_view text) {
    const auto count = [&](char c) { return static_cast<size_t>(std::count(text.begin(), text.end(), c)); };
    return std::max(count('\r'), count('\n')) + text.size() / kMaxLine + 1;
}

// One row per line. CR, LF, CR LF and LF CR each end a line; the line end becomes the row's
// CR, and a final line without one gets none. A NUL byte is ordinary text. A line of
// kMaxLine bytes or more is cut into rows without a line end.
EditorCore::RowReader::RowReader(const EditorCore& editor, std::uint8_t flags, size_t lines)
    : flags_(flags), tabSize_(editor.TabSize), attr_(editor.DefaultRowAttr(true, 0, editor.defWrapPos_)) {
    rows_.reserve(lines + 1 + RowList::loadGap(lines + 1));  // the closing row, and room for edits
}

void EditorCore::RowReader::add(std::string_view piece) {
    if (piece.empty()) return;
    size_t i = 0;
    if (skip_ && !piece.empty() && piece[0] == skip_) i = 1;
    skip_ = 0;
    while (i < piece.size()) {
        size_t end = i;
        while (end < piece.size() && !isLineEnd(piece[end])) ++end;
        if (end == piece.size()) {
            // The line goes on in the next piece: what is sure to be cut off already goes.
            partial_.append(piece, i, std::string_view::npos);
            size_t from = 0;
            while (partial_.size() - from > kMaxLine) {
                const size_t cut = cutOf(std::string_view(partial_).substr(from));
                addRow(std::string_view(partial_).substr(from, cut), false);
                from += cut;
            }
            partial_.erase(0, from);
            return;
        }
        if (partial_.empty()) {
            addLine(piece.substr(i, end - i), true);
        } else {
            partial_.append(piece, i, end - i);
            addLine(partial_, true);
            partial_.clear();
        }
        const char first = piece[end];
        i = end + 1;
        const char other = first == '\r' ? '\n' : '\r';
        if (i == piece.size())
            skip_ = other;
        else if (piece[i] == other)
            ++i;
    }
}

void EditorCore::RowReader::addLine(std::string_view content, bool lineEnd) {
    while (content.size() >= kMaxLine) {
        const size_t cut = cutOf(content);
        addRow(content.substr(0, cut), false);
        content.remove_prefix(cut);
    }
    if (lineEnd || !content.empty()) addRow(content, lineEnd);
}

void EditorCore::RowReader::addRow(std::string_view content, bool lineEnd) {
    Row& row = rows_.emplace_back(Row{std::string(), attr_});
    row.text.reserve(content.size() + (lineEnd ? 1 : 0));
    row.text.append(content);
    if (lineEnd) row.text.push_back('\r');
    if (flags_ & lfTabsToSpaces) row.text = tabsToSpaces(row.text, tabSize_);
    if (flags_ & lfTabsToIndent) {
        // Leading tabs become the indent; the row's last byte is never one of them.
        size_t n = 0;
        while (n + 1 < row.text.size() && row.text[n] == '\t') ++n;
        row.text.erase(0, n);
        const long indent = std::min<long>(static_cast<long>(n) * effectiveTabSize(tabSize_),
                                           static_cast<long>(attr_.wrapPos) - 8);
        row.attr.indent = static_cast<std::int16_t>(std::clamp<long>(indent, 0, 32767));
    }
}

void EditorCore::RowReader::finish() {
    addLine(partial_, false);
    partial_.clear();
}

void EditorCore::LoadFromBytes(std::string_view bytes, std::uint8_t flags) { LoadPrepared(PrepareLoad(bytes, flags)); }

EditorCore::PreparedLoad EditorCore::PrepareLoad(std::string_view bytes, std::uint8_t flags) {
    if (flags & lfOwnFormat) {
        std::vector<Row> rows;
        if (auto error = readOwnFormat(bytes, rows))
            throw EditorFileError(EditorFileError::Kind::Format, *error);
        for (Row& row : rows) row.attr = UsableRowAttr(row.attr);
        return finishLoad(std::move(rows), flags);
    }
    RowReader reader = StartLoad(flags, LinesOf(bytes));
    reader.add(bytes);
    return PrepareLoad(std::move(reader));
}

EditorCore::PreparedLoad EditorCore::PrepareLoad(RowReader reader) {
    reader.finish();
    return finishLoad(std::move(reader.rows_), reader.flags_);
}

EditorCore::PreparedLoad EditorCore::finishLoad(std::vector<Row> rows, std::uint8_t flags) {
    PreparedLoad load;
    load.flags = flags;
    for (const Row& row : rows) load.longest = std::max(load.longest, row.text.size());
    load.closingRow = rows.empty() || (!rows.back().text.empty() && static_cast<unsigned char>(rows.back().text.back()) == kCR);
    if (!(flags & lfOwnFormat) && (flags & lfRewrap)) {
        // Wrapped as with the closing row after them, which stays empty and last.
        if (load.closingRow) rows.push_back({std::string(), rows.empty() ? TRowAttr{} : rows.back().attr});
        rows = rewrapLoaded(std::move(rows));
        if (load.closingRow) rows.pop_back();
    }
    // The room LoadPrepared leaves for edits is made here, where moving every row into it
    // and touching its memory holds up no window.
    const size_t count = rows.size();
    rows.resize(count + RowList::loadGap(count));
    rows.resize(count);
    load.rows = std::move(rows);
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
void EditorCore::plainTextOf(size_t count, RowAt rowAt, std::uint8_t flags, const TextSink& sink) const {
    const int tab = effectiveTabSize(TabSize);
    std::string out;
    out.reserve(kSavePiece + 256);
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
        if (out.size() >= kSavePiece) {
            sink(out);
            out.clear();
        }
    }
    if (!out.empty()) sink(out);
}

void EditorCore::SavedTextOf(const PreparedLoad& load, std::uint8_t flags, const TextSink& sink) const {
    // The closing row LoadPrepared adds: empty, with the last row's record (no indent after
    // a load that makes leading tabs the indent).
    Row closing{std::string(), load.rows.empty() ? DefaultRowAttr(true, 0, defWrapPos_) : load.rows.back().attr};
    if (load.rows.empty() || (!(load.flags & lfOwnFormat) && (load.flags & lfTabsToIndent))) closing.attr.indent = 0;
    const size_t n = load.rows.size();
    plainTextOf(n + (load.closingRow ? 1 : 0), [&](size_t i) -> const Row& { return i < n ? load.rows[i] : closing; },
                flags, sink);
}

void EditorCore::SaveToPieces(std::uint8_t flags, const TextSink& sink) const {
    plainTextOf(rows_.size(), [this](size_t i) -> const Row& { return rows_[i]; }, flags, sink);
}

std::string EditorCore::SaveToBytes(std::uint8_t flags) const {
    if (flags & sfOwnFormat) return writeOwnFormat(rows_);
    size_t size = 0;
    for (size_t i = 0; i < rows_.size(); ++i) size += rows_[i].text.size() + 1;
    std::string out;
    out.reserve(size);
    SaveToPieces(flags, [&out](std::string_view piece) { out += piece; });
    return out;
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
