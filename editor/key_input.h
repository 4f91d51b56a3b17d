#pragma once
// What every key does in the editor, headless: caret moves over display rows (tab cells,
// double-byte pairs, paragraph ends), Shift selections, word moves, the clipboard and
// overwrite keys, deletion, the typed-character rules for Backspace, Tab, Enter and Escape,
// the input method's committed text, and acceleration of auto-repeated keys. The widget
// maps its key events onto KeyDown, KeyUp, Character and TypeText.
#include <cstdint>
#include <string_view>

#include "editor/editor_core.h"

namespace pavik {

// The keys the editor tells apart.
enum class EditKey : std::uint8_t {
    Other,      // function keys and the like: nothing here
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Insert,
    Clear,
    Delete,
    Backspace,
    Shift,
    Character,  // a key that types: space, digits, letters, punctuation
};

struct KeyStroke {
    EditKey key = EditKey::Other;
    char letter = 0;           // for Character: the upper-case letter, if it is one
    bool shift = false;
    bool ctrl = false;
    bool autoRepeat = false;   // the key is held and repeats
    bool composing = false;    // an input-method composition is open
};

class KeyInput {
public:
    explicit KeyInput(EditorCore& core) : e_(core) {}

    // A key went down. An auto-repeated key acts min(AccelRate, 4) times; Ctrl+C, Ctrl+V,
    // Ctrl+X, Shift+Insert and Ctrl+Insert act once.
    void KeyDown(const KeyStroke& k);
    void KeyUp(EditKey key);
    // A typed control character: Backspace (8), Tab (9), Enter (13) or Escape (27). Any
    // other character typed with Ctrl (and no composition open) is swallowed.
    void Character(unsigned char c, bool ctrl = false, bool composing = false);
    // Typed text (CP932 bytes), inserted at the caret unless ReadOnly.
    void TypeText(std::string_view bytes);
    // The input method's result string, entered as one operation unless ReadOnly.
    void CommitComposition(std::string_view bytes);

    // Ctrl+Left and Ctrl+Right: a word is ASCII letters and digits, a double-byte character
    // is a word by itself, any other byte is a delimiter.
    void WordLeft();
    void WordRight();

private:
    void keyOnce(const KeyStroke& k);
    void moveKey(const KeyStroke& k);
    void deleteKey(bool shift);
    void deleteAtCaret();
    void unindent();
    void backspace();
    void tab();
    void enter();
    void escape();
    // Raises or lowers the caret row's indent (Tab and Ctrl+Backspace at the start of its text).
    void setIndent(int indent);

    // What the caret stands on.
    enum class At { Word, Delimiter, DoubleByte, ParaEnd, TextEnd };
    At at() const;
    bool atTextStart() const { return e_.Caret.row == 0 && e_.Caret.col == 0; }
    // The caret's text index is 0 on an existing row.
    bool atTextIndexZero() const;

    EditorCore& e_;
};

}  // namespace pavik
