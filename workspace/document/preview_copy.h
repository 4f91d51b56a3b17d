#pragma once
// The preview copy of a page of the user's: the page with the preview's own head in place of
// its head (the document type line, and the link to the preview style sheet when it is
// applied), written beside the page so that the page's relative links keep working. No Qt.
//
// - Lines before the first one holding "<body" (in any letter case) are left out, and so is
//   the text before "<body" on that line; every later line is copied unchanged. A page
//   without "<body" gives the head alone.
// - Every line of the copy ends in CR LF, whatever it ended in on the page.
// - A CP932 page is copied as its bytes. A page in UTF-8 or UTF-16 is copied in UTF-8 after
//   a byte order mark. The head declares the copy's character set either way, since the
//   page's own head, which may have, is left out; so does the XML declaration of the
//   document type line.
// - The copy is made piece by piece: no more than a few bytes of a line before "<body" and
//   a block of a UTF-16 page are held besides the pieces passed on.
#include <functional>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "workspace/document/sample_page.h"

namespace pavik {

// Calls `out` with the pieces of the copy, in order; `encoding` is the page's
// (detectEncoding of its bytes).
void makePreviewCopy(std::string_view pageBytes, TextEncoding encoding, const SamplePageOptions& options,
                     const TextSink& out);

// The whole copy.
std::string buildPreviewCopy(std::string_view pageBytes, const SamplePageOptions& options);

}  // namespace pavik
