#pragma once
// Application-wide fixed texts: build number, titles, temporary file names, settings
// sections, save questions and the fragments of generated pages.
//
// All texts are UTF-8. Those that are pure ASCII are the same bytes in CP932. The Japanese
// ones are shown in the UI; whoever writes one into a file converts it with pavik::toCp932.
#include <chrono>
#include <ctime>
#include <string>
#include <string_view>

namespace pavik {

inline constexpr int BuildNo = 155;

inline constexpr std::string_view GeneratorHead = "/* Generator Pavik - Build";
inline constexpr std::string_view AppTitle = "Pavik";
inline constexpr std::string_view BuildCaption = " - Build ";

inline constexpr std::string_view TempPreviewCSS = "Pavik$$Preview$$.CSS";
inline constexpr std::string_view TempPreviewHTML = "Pavik$$Preview$$.HTML";
inline constexpr std::string_view TempBoxEditHTML = "Pavik$$BoxEdit$$.HTML";
inline constexpr std::string_view TempRefreshHTML = "Pavik$$Refresh$$.HTML";

inline constexpr std::string_view SectionSystem = "SYSTEM";
inline constexpr std::string_view SectionPreview = "Preview";

inline constexpr std::string_view SavePromptCSS = "現在のスタイルシート [ ";
inline constexpr std::string_view SavePromptTail = " ] への変更を保存しますか?";
inline constexpr std::string_view SavePromptHTML = "現在のHTMLファイル [ ";

inline constexpr std::string_view DoctypeHead = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD ";
inline constexpr std::string_view XmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
// The declaration of a page written in UTF-8 (the preview copy of a Unicode page).
inline constexpr std::string_view XmlDeclarationUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
inline constexpr std::string_view HtmlHeadOpen = "<HTML><HEAD>";
inline constexpr std::string_view HeadCloseBodyOpen = "</HEAD><BODY>";
inline constexpr std::string_view BodyHtmlClose = "</BODY></HTML>";
inline constexpr std::string_view SectionBanner =
    "<div style=\"margin:2px;border:thin green solid;border-width:3px;"
    "background-color:black ;color:lime\">";

// Date and time as "yyyy/mm/dd h:mm:ss" (year, month and day with leading zeros, hour
// without), e.g. "2026/12/08 9:05:00".
std::string formatDateTime(const std::tm& local);

// First line of a regenerated style sheet:
// "/* Generator Pavik - Build155 - on 2026/12/08 19:45:00 */", in local time.
std::string generatorComment(std::chrono::system_clock::time_point now);
std::string generatorComment(const std::tm& local);

enum class SaveKind { StyleSheet, HtmlPage };

// The question asked before unsaved changes are dropped: the prompt start, the file's name
// without its folder, and the common tail.
std::string savePrompt(SaveKind kind, std::string_view path);

// Main window caption: "Pavik - Build " + version + "-", followed by " [ " + file + " ]"
// while a file is open (openFile not empty).
std::string mainCaption(std::string_view productVersion, std::string_view openFile = {});

// Start of the document type line of a generated page; the XHTML types that carry the XML
// declaration put it first, on the same line.
std::string doctypeLineStart(bool withXmlDeclaration);

// The head line of a generated page that declares its character set ("Shift_JIS",
// "UTF-8"), so that no browser has to guess it.
std::string charsetDeclaration(std::string_view charset);

}  // namespace pavik
