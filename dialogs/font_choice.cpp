#include "dialogs/font_choice.h"

namespace pavik {

// Captions join words with "-" or run them together; the stored name is the font's own
// family name, the Japanese ones as the system names them (full-width "ＭＳ").
const std::array<FontSample, 17> FontSamples = {{
    {"MS 明朝", "ＭＳ 明朝"},
    {"MS P 明朝", "ＭＳ Ｐ明朝"},
    {"MS ゴシック", "ＭＳ ゴシック"},
    {"MS P ゴシック", "ＭＳ Ｐゴシック"},
    {"MS UI Gothic", "MS UI Gothic"},
    {"Arial", "Arial"},
    {"Book-Antiqua", "Book Antiqua"},
    {"Calisto-MT", "Calisto MT"},
    {"Century", "Century"},
    {"Century-Gothic", "Century Gothic"},
    {"ComicSans-MS", "Comic Sans MS"},
    {"Courier-New", "Courier New"},
    {"Garamond", "Garamond"},
    {"Impact", "Impact"},
    {"Lucida-SansConcole", "Lucida Sans Unicode"},
    {"TimesNewRoman", "Times New Roman"},
    {"Verdana", "Verdana"},
}};

}  // namespace pavik
