#include "workspace/document/preview_copy.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace pavik {
namespace {

constexpr std::string_view BodyTag = "<body";

// Where "<body" starts in `text`, in any letter case. '<' is never the second byte of a
// CP932 character nor a byte inside a UTF-8 one, so a match always starts a character.
size_t findBodyTag(std::string_view text) {
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (text.size() - at < BodyTag.size()) break;
        bool same = true;
        for (size_t k = 1; k < BodyTag.size() && same; ++k) same = (text[at + k] | 0x20) == BodyTag[k];
        if (same) return at;
    }
    return std::string_view::npos;
}

// The page's text, fed in blocks, to the pieces of the copy: nothing before "<body", then
// every line with CR LF for its line end, whatever the page had.
class BodyCopier {
public:
    explicit BodyCopier(const std::function<void(std::string_view)>& out) : out_(out) {}

    void feed(std::string_view text) {
        if (text.empty()) return;
        size_t i = afterCR_ && text[0] == '\n' ? 1 : 0;  // the LF of a CR LF
        afterCR_ = false;
        while (i < text.size()) {
            size_t end = i;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            take(text.substr(i, end - i));
            if (end == text.size()) break;
            endLine();
            i = end + 1;
            if (text[end] == '\r') {
                if (i == text.size())
                    afterCR_ = true;  // the next block may begin with its LF
                else if (text[i] == '\n')
                    ++i;
            }
        }
    }

    // A last line without a line end gets one too.
    void finish() {
        if (lineOpen_) emit("\r\n");
        if (!buffer_.empty()) out_(buffer_);
        buffer_.clear();
    }

private:
    static constexpr size_t Flush = size_t{1} << 20;

    void emit(std::string_view s) {
        if (buffer_.size() + s.size() < Flush) {
            buffer_ += s;
            return;
        }
        if (!buffer_.empty()) out_(buffer_);
        buffer_.clear();
        if (s.size() >= Flush)
            out_(s);
        else
            buffer_ += s;
    }

    // Text of the current line. Before the body, only the end of the line is kept, for a
    // tag that the next block finishes.
    void take(std::string_view piece) {
        if (inBody_) {
            emit(piece);
            lineOpen_ = lineOpen_ || !piece.empty();
            return;
        }
        // A tag begun at the end of what came before goes first.
        if (!tail_.empty()) {
            const std::string joined = tail_ + std::string(piece.substr(0, BodyTag.size()));
            if (const size_t t = findBodyTag(joined); t < tail_.size()) {
                startBody(std::string_view(joined).substr(t));
                emit(piece.substr(std::min(piece.size(), BodyTag.size())));
                return;
            }
        }
        if (const size_t tag = findBodyTag(piece); tag != std::string_view::npos) {
            startBody(piece.substr(tag));
            return;
        }
        tail_ += piece.substr(piece.size() - std::min(piece.size(), BodyTag.size()));
        tail_.erase(0, tail_.size() - std::min(tail_.size(), BodyTag.size() - 1));
    }

    void startBody(std::string_view text) {
        inBody_ = lineOpen_ = true;
        tail_.clear();
        emit(text);
    }

    void endLine() {
        if (inBody_) emit("\r\n");
        lineOpen_ = false;
        tail_.clear();
    }

    const std::function<void(std::string_view)>& out_;
    std::string buffer_;
    std::string tail_;  // before the body: the last bytes of the line read so far
    bool inBody_ = false, lineOpen_ = false, afterCR_ = false;
};

// UTF-16 code units, a block at a time, as UTF-8; a block never ends inside a surrogate pair.
void feedUtf16(std::string_view units, bool bigEndian, BodyCopier& copier) {
    const std::string_view bom = bigEndian ? "\xFE\xFF" : "\xFF\xFE";  // each block marked for decodeToUtf8
    constexpr size_t Block = size_t{1} << 17;  // bytes, even
    for (size_t at = 0; at < units.size();) {
        size_t n = std::min(Block, units.size() - at);
        if (at + n < units.size()) {
            const unsigned char hi = static_cast<unsigned char>(units[at + n - (bigEndian ? 2 : 1)]);
            if (hi >= 0xD8 && hi <= 0xDB) n -= 2;  // a high surrogate waits for its pair
        }
        copier.feed(decodeToUtf8(std::string(bom) + std::string(units.substr(at, n))));
        at += n;
    }
}

}  // namespace

void makePreviewCopy(std::string_view pageBytes, TextEncoding encoding, const SamplePageOptions& options,
                     const TextSink& out) {
    const bool unicode = encoding != TextEncoding::Cp932;
    SamplePageOptions headOptions = options;
    headOptions.Charset = unicode ? "UTF-8" : "Shift_JIS";
    std::string head = previewHeadLines(headOptions);
    // The XML declaration of the document type line names the copy's encoding too.
    if (unicode && head.starts_with(XmlDeclaration)) head.replace(0, XmlDeclaration.size(), XmlDeclarationUtf8);
    out(unicode ? "\xEF\xBB\xBF" : "");
    out(head);
    out("</HEAD>\r\n");

    BodyCopier copier(out);
    switch (encoding) {
        case TextEncoding::Utf16LE: feedUtf16(pageBytes.substr(2), false, copier); break;
        case TextEncoding::Utf16BE: feedUtf16(pageBytes.substr(2), true, copier); break;
        case TextEncoding::Utf16LENoBom: feedUtf16(pageBytes, false, copier); break;
        case TextEncoding::Utf16BENoBom: feedUtf16(pageBytes, true, copier); break;
        case TextEncoding::Utf8Bom: copier.feed(pageBytes.substr(3)); break;
        default: copier.feed(pageBytes); break;
    }
    copier.finish();
}

std::string buildPreviewCopy(std::string_view pageBytes, const SamplePageOptions& options) {
    std::string copy;
    makePreviewCopy(pageBytes, detectEncoding(pageBytes), options, [&copy](std::string_view piece) { copy += piece; });
    return copy;
}

}  // namespace pavik
