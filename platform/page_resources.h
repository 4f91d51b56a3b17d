#pragma once
// The guide pages compiled into the program (resources/pages), by resource name: the
// category pages of the value area, the font chooser's pages and the selector chooser's
// guides.
#include <QString>

#include <string_view>

namespace pavik {

// Messages shown when a page cannot be had.
inline constexpr std::string_view PageNotFoundMessage = "Could not find the resource";
inline constexpr std::string_view PageEmptyMessage = "Nothing to load - size = 0";
inline constexpr std::string_view PageLoadFailureMessage = "Resource Load Failure";

struct PageText {
    QString text;   // Qt rich text (HTML)
    QString error;  // one of the messages above; empty when the page was read
    bool ok() const { return error.isEmpty(); }
};

// The page stored under `name` ("TYPETEXT", "FONTNAME", ...).
PageText loadPageResource(std::string_view name);

}  // namespace pavik
