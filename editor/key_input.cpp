#include "editor/key_input.h"

#include <algorithm>
#include <string>

#include "editor/display_text.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

bool isNavigation(EditKey k) {
    switch (k) {
    case EditKey::PageUp:
    case EditKey::PageDown:
    case EditKey::End:
    case EditKey::Home:
    case EditKey::Left:
    case EditKey::Up:
    case EditKey::Right:
    case EditKey::Down:
        return true;
    default:
        return false;
    }
}

bool isWordByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Restores a saved value when the scope ends.
template <class T>
class Saved {
public:
    explicit Saved(T& field) : field_(field), value_(field) {}
    ~Saved() { field_ = value_; }
    Saved(const Saved&) = delete;
    Saved& operator=(const Saved&) = delete;

private:
    T& field_;
    T value_;
};

}  // namespace

// ---- keys ----

void KeyInput::KeyDown(const KeyStroke& k) {
    // The first press acts once; each auto-repeat acts AccelRate times (at most 4), except
    // the clipboard keys: one copy, cut or paste per repeat.
    const bool clipboard = !k.composing && ((k.ctrl && k.key == EditKey::Character &&
                                             (k.letter == 'C' || k.letter == 'V' || k.letter == 'X')) ||
                                            (k.key == EditKey::Insert && (k.shift || k.ctrl)));
    const int times = k.autoRepeat && !clipboard ? std::clamp(e_.AccelRate, 1, 4) : 1;
    for (int i = 0; i < times; ++i) keyOnce(k);
}

void KeyInput::KeyUp(EditKey key) {
    if (key == EditKey::Shift) e_.ShiftHeld = false;
}

void KeyInput::keyOnce(const KeyStroke& k) {
    if (k.composing) {
        e_.ShiftHeld = false;
    } else {
        if (!k.shift) {
            e_.ShiftHeld = false;
        } else if (!e_.ShiftHeld && isNavigation(k.key)) {
            // A new Shift selection starts at the caret.
            TSelArea& sel = e_.Sel;
            if (sel.HasStream()) e_.MarkRowsDirty(sel.StartPoint().row, sel.EndPoint().row);
            if (sel.HasRowRange()) e_.MarkRowsDirty(sel.FirstRangeRow(), sel.LastRangeRow());
            sel.ClearRange();
            sel.CollapseTo(e_.ClampToText(e_.Caret));
            e_.RepaintRows();
            e_.ShiftHeld = true;
            e_.MarkRowsDirty(e_.Caret.row, e_.Caret.row);
        }
        if (k.ctrl && k.key == EditKey::Character &&
            (k.letter == 'C' || k.letter == 'V' || k.letter == 'X')) {
            if (k.letter == 'C') e_.CopyToClipboard();
            if (k.letter == 'V') e_.PasteFromClipboard();
            if (k.letter == 'X') e_.CutToClipboard();
            e_.CheckSelection();
            return;
        }
    }

    switch (k.key) {
    case EditKey::Left:
        if (k.ctrl) WordLeft(); else e_.CaretLeft();
        e_.ScrollToCaret();
        break;
    case EditKey::Right:
        if (k.ctrl) WordRight(); else e_.CaretRight();
        e_.ScrollToCaret();
        break;
    case EditKey::Up:
    case EditKey::Down:
    case EditKey::PageUp:
    case EditKey::PageDown:
    case EditKey::Home:
    case EditKey::End:
        moveKey(k);
        break;
    case EditKey::Insert:
        if (k.shift)
            e_.PasteFromClipboard();
        else if (k.ctrl)
            e_.CopyToClipboard();
        else
            e_.InsertMode = !e_.InsertMode;
        e_.View().updateCaret();
        break;
    case EditKey::Clear:
        e_.InsertMode = !e_.InsertMode;
        e_.View().updateCaret();
        break;
    case EditKey::Delete:
        deleteKey(k.shift);
        break;
    case EditKey::Backspace:
        if (k.ctrl) unindent();  // plain Backspace is a typed character
        break;
    case EditKey::Shift:
    case EditKey::Character:
        e_.ShiftHeld = false;  // the character itself comes as typed text
        break;
    case EditKey::Other:
        break;
    }
    e_.VScroll(ScrollCode::EndScroll);
    e_.CheckSelection();
}

void KeyInput::moveKey(const KeyStroke& k) {
    TextPoint& caret = e_.Caret;
    const int rows = e_.RowCount();
    const int vis = std::max(e_.VisibleRows, 1);
    const bool freeCaret = e_.Options & aoFreeCaret;
    switch (k.key) {
    case EditKey::Up:
        if (caret.row == e_.TopRow && e_.TopRow >= 1) {
            e_.VScroll(ScrollCode::LineBack, 0, k.shift);
            caret.row -= 1;
            e_.ScrollToCaret();
        } else if (caret.row >= 1) {
            caret.row -= 1;
            e_.ScrollToCaret();
        }
        break;
    case EditKey::Down:
        if (caret.row >= e_.TopRow + vis - 2 && (caret.row < rows - 2 || freeCaret)) {
            e_.VScroll(ScrollCode::LineForward, 0, k.shift);
            caret.row += 1;
            e_.ScrollToCaret();
        } else if (caret.row < rows - 1 || freeCaret) {
            caret.row += 1;
            e_.ScrollToCaret();
        }
        break;
    case EditKey::PageUp:
        if (e_.TopRow == 0 && caret.row == 0) break;
        e_.TopRow = std::max(0, e_.TopRow - vis);
        caret.row = std::max(0, caret.row - vis);
        e_.View().paint();
        e_.ScrollToCaret();
        break;
    case EditKey::PageDown:
        if (e_.TopRow >= rows - 1 || caret.row >= rows - 1) break;
        caret.row += vis;
        e_.TopRow += vis;
        if (!freeCaret) {
            caret.row = std::min(caret.row, rows - 1);
            e_.TopRow = std::max(std::min(e_.TopRow, rows - vis), 0);
        }
        e_.View().paint();
        e_.ScrollToCaret();
        break;
    case EditKey::Home:
        if (k.ctrl)
            caret = {e_.RowIndent(0), 0};
        else
            caret.col = caret.row < rows ? e_.RowIndent(caret.row) : 0;
        if (e_.LeftCol != 0) {
            e_.LeftCol = 0;
            e_.View().paint();
        }
        e_.ScrollToCaret();
        break;
    case EditKey::End:
        if (k.ctrl)
            caret = {e_.DisplayLength(rows - 1), rows - 1};
        else if (caret.row < rows)
            caret.col = e_.RowEndCol(caret.row);
        e_.ScrollToCaret();
        break;
    default:
        break;
    }
}

void KeyInput::deleteKey(bool shift) {
    if (e_.ReadOnly) return;
    if (!e_.HasSelection()) {
        deleteAtCaret();
        return;
    }
    ++e_.OpId;
    if (shift) e_.CopyToClipboard();
    e_.DeleteSelection();
}

void KeyInput::deleteAtCaret() {
    const int row = e_.Caret.row;
    if (row < 0 || row >= e_.RowCount() || e_.Caret.col >= e_.DisplayLength(row)) return;
    const int idx = e_.ColToCharIndex(e_.Caret.col, row);
    if (idx < 0) return;  // inside the indent
    std::string t = e_.RowText(row);
    if (idx >= static_cast<int>(t.size())) return;
    // A pair goes whole; a lead byte without its trail byte goes alone.
    const size_t start = sjis::charStart(t, static_cast<size_t>(idx));
    t.erase(start, sjis::charLength(t, start));
    ++e_.OpId;
    e_.ChangeRow(row, std::move(t), false);
    e_.RewrapRow(row);
    e_.ScrollToCaret();
}

bool KeyInput::atTextIndexZero() const {
    const int row = e_.Caret.row;
    return row >= 0 && row < e_.RowCount() && e_.ColToCharIndex(e_.Caret.col, row) == 0;
}

void KeyInput::setIndent(int indent) {
    const int row = e_.Caret.row;
    TRowAttr attr = e_.UsableRowAttr(e_.RowAttr(row));
    attr.indent = static_cast<std::int16_t>(std::clamp(indent, 0, 32767));
    attr.dirty = true;
    ++e_.OpId;
    e_.ChangeRowAttr(row, attr);
    e_.Caret.col = attr.indent;
    // The row keeps within its wrap column.
    e_.RewrapRow(row);
    e_.ScrollToCaret();
}

void KeyInput::unindent() {
    if (!(e_.Options & aoAutoFormat) || (e_.Caret.col == 0 && e_.Caret.row == 0) ||
        !atTextIndexZero() || e_.ReadOnly)
        return;
    setIndent(e_.RowIndent(e_.Caret.row) - effectiveTabSize(e_.TabSize));
}

// ---- typed characters ----

void KeyInput::Character(unsigned char c, bool ctrl, bool composing) {
    e_.ShiftHeld = false;
    switch (c) {
    case 8:
        backspace();
        break;
    case 9:
        tab();
        break;
    case 13:
        enter();
        break;
    case 27:
        escape();
        break;
    default:
        if (!ctrl || composing) TypeText(std::string(1, static_cast<char>(c)));
        break;
    }
    e_.CheckSelection();
}

void KeyInput::TypeText(std::string_view bytes) {
    e_.ShiftHeld = false;
    if (!e_.ReadOnly && !bytes.empty()) e_.InsertString(bytes);
    e_.CheckSelection();
}

void KeyInput::CommitComposition(std::string_view bytes) {
    ++e_.OpId;
    TypeText(bytes);
}

void KeyInput::backspace() {
    if (e_.HasSelection()) {
        ++e_.OpId;
        keyOnce({EditKey::Delete});
        return;
    }
    if (e_.Caret.col == 0 && e_.Caret.row == 0) return;
    ++e_.OpId;
    const TextPoint before = e_.Caret;
    keyOnce({EditKey::Left});
    // Nothing lies to the left (the start of an indented first row): nothing is deleted.
    if (e_.Caret == before) return;
    // The end of a soft-wrapped row is where the next row starts: the character before it goes.
    const int row = e_.Caret.row;
    if (row < e_.RowCount() - 1 && !e_.IsParaEnd(row) && e_.Caret.col >= e_.DisplayLength(row))
        e_.CaretLeft();
    keyOnce({EditKey::Delete});
}

void KeyInput::tab() {
    ++e_.OpId;
    if ((e_.Options & aoAutoFormat) && atTextIndexZero()) {
        if (e_.ReadOnly) return;
        const TRowAttr attr = e_.UsableRowAttr(e_.RowAttr(e_.Caret.row));
        setIndent(std::min(attr.indent + effectiveTabSize(e_.TabSize), attr.wrapPos - 8));
    } else if (e_.Options & aoTabToSp) {
        const int size = effectiveTabSize(e_.TabSize);
        TypeText(std::string(static_cast<size_t>(size - std::max(e_.Caret.col, 0) % size), ' '));
    } else {
        TypeText("\t");
    }
}

void KeyInput::enter() {
    // With auto-indent the new row starts with the white space that starts this one.
    std::string text = "\r";
    const int row = e_.Caret.row;
    if ((e_.Options & (aoAutoIndent | aoAutoJpnIndent)) && row >= 0 && row < e_.RowCount() &&
        !e_.RowText(row).empty()) {
        const std::string& t = e_.RowText(row);
        const size_t end = static_cast<size_t>(
            std::clamp(e_.ColToCharIndex(e_.Caret.col, row), 0, static_cast<int>(t.size())));
        size_t i = 0;
        while (i < end) {
            if (t[i] == '\t' || t[i] == ' ') {
                text += t[i++];
            } else if ((e_.Options & aoAutoJpnIndent) && i + 2 <= end &&
                       std::string_view(t).substr(i, 2) == kFullWidthSpace) {
                text += kFullWidthSpace;
                i += 2;
            } else {
                break;
            }
        }
    }
    Saved<bool> insertMode(e_.InsertMode);
    Saved<TAFEditOptions> options(e_.Options);
    e_.InsertMode = true;
    e_.Options &= static_cast<TAFEditOptions>(~aoFreeCaret);
    TypeText(text);
}

void KeyInput::escape() {
    e_.Sel.CollapseTo(e_.ClampToText(e_.Caret));
    e_.Sel.ClearRange();
    e_.View().paint();
}

// ---- word moves ----

KeyInput::At KeyInput::at() const {
    int row = e_.Caret.row;
    const int last = e_.RowCount() - 1;
    if (row < 0 || row > last) return At::TextEnd;
    int idx = e_.ColToCharIndex(e_.Caret.col, row);
    if (idx < 0) return At::Delimiter;  // the indent
    // After the last byte of a soft-wrapped row stands the next row's first character.
    while (idx >= static_cast<int>(e_.RowText(row).size()) && row < last && !e_.IsParaEnd(row)) {
        ++row;
        idx = 0;
    }
    const std::string& t = e_.RowText(row);
    if (idx >= static_cast<int>(t.size())) return At::TextEnd;
    const size_t start = sjis::charStart(t, static_cast<size_t>(idx));
    const auto c = static_cast<unsigned char>(t[start]);
    if (c == kCR) return At::ParaEnd;
    if (sjis::charLength(t, start) == 2) return At::DoubleByte;
    return isWordByte(c) ? At::Word : At::Delimiter;
}

void KeyInput::WordRight() {
    Saved<TAFEditOptions> options(e_.Options);
    e_.Options &= static_cast<TAFEditOptions>(~aoFreeCaret);
    auto step = [&] {
        const TextPoint before = e_.Caret;
        e_.CaretRight();
        return e_.Caret != before;
    };
    if (at() == At::DoubleByte) {
        step();
        return;
    }
    while (at() == At::Word && step()) {
    }
    if (at() == At::ParaEnd) step();
    while (at() == At::Delimiter && step()) {
    }
}

void KeyInput::WordLeft() {
    Saved<TAFEditOptions> options(e_.Options);
    e_.Options &= static_cast<TAFEditOptions>(~aoFreeCaret);
    auto atStart = [&] { return e_.Caret.row == 0 && e_.Caret.col <= e_.RowIndent(0); };
    auto step = [&] {
        const TextPoint before = e_.Caret;
        e_.CaretLeft();
        return e_.Caret != before;
    };
    step();
    if (at() == At::DoubleByte) return;
    while (at() == At::Delimiter && !atStart() && step()) {
    }
    if (at() == At::ParaEnd) {
        step();
    } else {
        while (at() == At::Word && !atStart() && step()) {
        }
    }
    if (!atStart()) e_.CaretRight();
}

}  // namespace pavik
