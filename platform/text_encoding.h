#pragma once
// The encoding of a text file at the boundary: files in UTF-8 or UTF-16 are converted to
// CP932 when read and back to their own encoding when written; everything inside works in
// CP932. No Qt.
//
// - A file that starts with the UTF-8 byte order mark, or is valid UTF-8 holding a byte
//   above 0x7F, is UTF-8; one that starts with a UTF-16 byte order mark is UTF-16 of that
//   byte order. Anything else is CP932 and passes through untouched.
// - Without a byte order mark, a file is UTF-16 when its ASCII (line ends included) stands
//   in byte pairs with one zero byte: of even length, no pair of two zero bytes, and at
//   least a quarter of its pairs are ASCII of one byte order, more than twice as many as of
//   the other. It is written back without a mark.
// - A character that CP932 cannot hold becomes its CSS escape ("\1F600 "), in a form the
//   file does not hold already ("\01F600 ", "\1f600 ", ... when it does); writing in a
//   Unicode encoding turns the escapes so made back into the characters, while escapes of
//   the file's own stay. Everything else comes back byte for byte.
// - Inside, line ends are CR LF; a file whose first line end is LF is written with LF.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/cp932.h"

namespace pavik {

enum class TextEncoding { Cp932, Utf8, Utf8Bom, Utf16LE, Utf16BE, Utf16LENoBom, Utf16BENoBom };

enum class LineEnd { CrLf, Lf };

// An escape that reading made, and the character (UTF-8) it stands for.
struct MadeEscape {
    std::string escape;
    std::string character;
};

// What sets a file's bytes apart from the CP932 text with CR LF line ends that the program
// works in: writing with it gives the file's own form back.
struct TextForm {
    TextEncoding encoding = TextEncoding::Cp932;
    LineEnd lineEnd = LineEnd::CrLf;
    std::vector<MadeEscape> escapes;  // made on reading (or pasting); Unicode encodings only
};

// The name the status line shows ("Shift_JIS", "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE";
// UTF-16 is named alike with and without its byte order mark).
std::string_view encodingName(TextEncoding encoding);

TextEncoding detectEncoding(std::string_view fileBytes);

struct DecodedText {
    std::string cp932;  // line ends as in the file
    TextEncoding encoding = TextEncoding::Cp932;
    // Characters (UTF-8) that CP932 cannot hold, in text order: each became its CSS escape.
    std::vector<std::string> escaped;
    LineEnd lineEnd = LineEnd::CrLf;
    std::vector<MadeEscape> madeEscapes;  // one per character escaped
    TextForm form() const { return {encoding, lineEnd, madeEscapes}; }
};

// LF when the first line end of the text is a bare LF; CR LF for CR LF, a lone CR or none.
LineEnd detectLineEnd(std::string_view text);

// A file's bytes as CP932 text, with the encoding found.
DecodedText decodeToCp932(std::string_view fileBytes);
// The same, the encoding found already (detectEncoding of the bytes).
DecodedText decodeToCp932(std::string_view fileBytes, TextEncoding encoding);

// Whether decoded text can be edited as CP932 without harm: it holds no zero byte (the
// editor ends a text there) and every byte belongs to a CP932 character. When not, the
// file's encoding was not recognised (Latin-1, EUC-JP, binary, ...).
bool isEditableCp932(std::string_view cp932);

// A file's bytes as UTF-8 text: a file in a Unicode encoding without its byte order mark,
// a CP932 file decoded.
std::string decodeToUtf8(std::string_view fileBytes);

// CP932 text as the bytes of a file in `encoding`, with the byte order mark when the
// encoding has one.
std::string encodeFromCp932(std::string_view cp932, TextEncoding encoding);
// CP932 text with CR LF line ends as the bytes of a file of `form`: the escapes it lists back
// as their characters (in a Unicode encoding), CR LF as LF for an LF file, then encoded.
std::string encodeForFile(std::string_view cp932, const TextForm& form);

// UTF-8 text going into `cp932Context` as CP932, as reading a file converts it: a character
// CP932 cannot hold becomes a CSS escape, the one in `made` when it lists the character,
// else one of a form the context does not hold, which joins `made`.
Cp932Encoded encodeCssEscapedInto(std::string_view utf8, std::string_view cp932Context,
                                  std::vector<MadeEscape>& made);

// Reads a text file as readFileBytes does (a regular file of a sane size only) and decodes it.
std::error_code readTextFile(const std::filesystem::path& file, DecodedText& out);
// Writes CP932 text to a file of `form` (encodeForFile) as writeFileSaving does (safely
// replaced, or in place when no temporary file can be made beside it).
std::error_code writeTextFile(const std::filesystem::path& file, std::string_view cp932, const TextForm& form);

}  // namespace pavik
