#include "workspace/document/preview_copy.h"

#include "platform/text_encoding.h"

namespace pavik {
namespace {

// Where "<body" starts in `line`, in any letter case. '<' is never the second byte of a
// CP932 character, so a match always starts a character.
size_t findBodyTag(std::string_view line) {
    constexpr std::string_view Tag = "<body";
    for (size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
        if (line.size() - at < Tag.size()) break;
        bool same = true;
        for (size_t k = 1; k < Tag.size() && same; ++k) same = (line[at + k] | 0x20) == Tag[k];
        if (same) return at;
    }
    return std::string_view::npos;
}

}  // namespace

std::string buildPreviewCopy(std::string_view pageBytes, const SamplePageOptions& options) {
    const bool unicode = detectEncoding(pageBytes) != TextEncoding::Cp932;
    const std::string utf8 = unicode ? decodeToUtf8(pageBytes) : std::string();
    std::string_view page = unicode ? std::string_view(utf8) : pageBytes;

    std::string out = unicode ? "\xEF\xBB\xBF" : "";
    SamplePageOptions headOptions = options;
    headOptions.Charset = unicode ? "UTF-8" : "Shift_JIS";
    std::string head = previewHeadLines(headOptions);
    // The XML declaration of the document type line names the copy's encoding too.
    if (unicode && head.starts_with(XmlDeclaration)) head.replace(0, XmlDeclaration.size(), XmlDeclarationUtf8);
    out += head;
    out += "</HEAD>\r\n";
    bool inBody = false;
    while (!page.empty()) {
        const size_t end = page.find_first_of("\r\n");
        std::string_view line = page.substr(0, end);
        size_t next = end == std::string_view::npos ? page.size() : end + 1;
        if (end != std::string_view::npos && page[end] == '\r' && next < page.size() && page[next] == '\n') ++next;
        page.remove_prefix(next);
        if (!inBody) {
            const size_t tag = findBodyTag(line);
            if (tag == std::string_view::npos) continue;
            line.remove_prefix(tag);
            inBody = true;
        }
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace pavik
