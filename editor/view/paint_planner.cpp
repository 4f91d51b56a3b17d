#include "editor/view/paint_planner.h"

#include <algorithm>

#include "editor/display_text.h"
#include "editor/view/paint_metrics.h"
#include "editor/view/row_number_format.h"
#include "platform/sjis.h"

namespace pavik {

namespace {

// One character or mark of a display line, before runs are formed.
struct Piece {
    int col = 0;
    int width = 1;
    RunKind kind = RunKind::Text;
    std::string bytes;
    bool wordChar = false;
    int word = -1;  // index of the word it belongs to
};

bool hasOption(TViewOptions set, TViewOption o) { return (set & o) != 0; }

}  // namespace

char rulerChar(int c) {
    if (c % 10 == 0) return static_cast<char>('0' + (c / 10) % 10);
    if (c % 5 == 0) return '+';
    return '.';
}

PaintRect PaintPlanner::fullRowRect(int row) const {
    const int y = rowY(row);
    return {0, y, m_.textArea.right, y + m_.rowHeight};
}

PaintRect PaintPlanner::rulerRect() const { return {0, 0, m_.textArea.right, m_.textArea.top}; }

bool PaintPlanner::cellSelected(int row, int col) const {
    const TSelArea& sel = core_.Sel;
    if (sel.RowInRange(row)) return true;
    if (!sel.HasStream() || row < 0 || row >= core_.RowCount()) return false;
    if (col < core_.RowIndent(row) || col >= core_.DisplayLength(row)) return false;
    return sel.PointInSpan({col, row});
}

// The cells past the line end show the selection only on rows the selection runs through.
bool PaintPlanner::fillSelected(int row) const {
    const TSelArea& sel = core_.Sel;
    if (sel.RowInRange(row)) return true;
    return cellSelected(row, 0) && sel.EndPoint().row > row;
}

PaintPlanner::Colors PaintPlanner::colorsFor(RunKind kind, bool selected,
                                             const TRowAttr& attr) const {
    if (selected) {
        const bool plain = attr.backColor == core_.Color();
        Colors c{plain ? s_.colSelText : attr.backColor, plain ? s_.colSelBrush : attr.textColor,
                 s_.fontStyle};
        switch (kind) {
        case RunKind::Keyword:
            c.fore = (rgb(core_.FontColor()) ^ rgb(s_.colKeyWord) ^ rgb(s_.colSelText)) & 0xFFFFFF;
            c.style = s_.keywordStyle;
            break;
        case RunKind::Special:
            c.fore = s_.colDependence;
            break;
        case RunKind::ParaEnd:
            c = {s_.colCr, s_.colSelBrush, s_.fontStyle};
            break;
        default:
            break;
        }
        return c;
    }
    switch (kind) {
    case RunKind::Text:
        return {attr.textColor, attr.backColor, s_.fontStyle};
    case RunKind::Mark:
        return {s_.markColor, attr.backColor, s_.fontStyle};
    case RunKind::ParaEnd:
    case RunKind::Fold:
    case RunKind::EndOfText:
        return {s_.colCr, attr.backColor, s_.fontStyle};
    case RunKind::Special:
        return {s_.colDependence, attr.backColor, s_.fontStyle};
    case RunKind::Keyword:
        return {s_.colKeyWord, attr.backColor, s_.keywordStyle};
    }
    return {attr.textColor, attr.backColor, s_.fontStyle};
}

RowPlan PaintPlanner::planRow(int row, const PaintRect& dirty) const {
    RowPlan p;
    p.row = row;
    const int y = rowY(row);
    p.rowRect = {m_.textArea.left, y, m_.textArea.right, y + m_.rowHeight};
    p.drawRect = p.rowRect.intersected(dirty);
    if (p.drawRect.isEmpty() || row < core_.TopRow || row > core_.TopRow + m_.visibleRows)
        return p;
    p.visible = true;
    if (row >= core_.RowCount()) {
        p.pastEnd = true;
        p.fillRect = {0, p.drawRect.top, p.drawRect.right, p.drawRect.bottom};
        p.fill = core_.Color();
        return p;
    }

    const TViewOptions vo = s_.viewOpt;
    const TRowAttr& attr = core_.RowAttr(row);
    const std::string& text = core_.RowText(row);
    const bool paraEnd = core_.IsParaEnd(row);
    const bool lastRow = row == core_.RowCount() - 1;
    const DisplayLine line = buildDisplayLine(text, core_.RowIndent(row), core_.TabSize);
    const int lineLen = static_cast<int>(line.cells.size());

    p.fillRect = p.drawRect;
    p.fill = fillSelected(row) ? (attr.backColor == core_.Color() ? s_.colSelBrush : attr.textColor)
                               : attr.backColor;

    // The display line as the drawing hook sees it.
    p.displayLine.reserve(static_cast<size_t>(lineLen) + 1);
    for (int i = 0; i < lineLen; ++i) {
        switch (line.kinds[static_cast<size_t>(i)]) {
        case CellKind::Indent: p.displayLine.push_back(hasOption(vo, voIndent) ? '\x01' : ' '); break;
        case CellKind::TabFill: p.displayLine.push_back(hasOption(vo, voTab) ? '\x0B' : ' '); break;
        case CellKind::TabEnd: p.displayLine.push_back(hasOption(vo, voTab) ? '\t' : ' '); break;
        case CellKind::Text: p.displayLine.push_back(line.cells[static_cast<size_t>(i)]); break;
        }
    }
    if (!paraEnd) p.displayLine.push_back('\n');

    // Characters and marks of the whole line.
    std::vector<Piece> pieces;
    pieces.reserve(static_cast<size_t>(lineLen) + 1);
    for (int i = 0; i < lineLen;) {
        Piece pc;
        pc.col = i;
        const auto b = static_cast<unsigned char>(line.cells[static_cast<size_t>(i)]);
        switch (line.kinds[static_cast<size_t>(i)]) {
        case CellKind::Indent:
            pc.kind = hasOption(vo, voIndent) ? RunKind::Mark : RunKind::Text;
            pc.bytes = hasOption(vo, voIndent) ? "." : " ";
            break;
        case CellKind::TabFill:
            pc.kind = hasOption(vo, voTab) ? RunKind::Mark : RunKind::Text;
            pc.bytes = hasOption(vo, voTab) ? "-" : " ";
            break;
        case CellKind::TabEnd:
            pc.kind = hasOption(vo, voTab) ? RunKind::Mark : RunKind::Text;
            pc.bytes = hasOption(vo, voTab) ? ">" : " ";
            break;
        case CellKind::Text:
            if (b == kCR && i == lineLen - 1 && paraEnd) {
                ++i;
                if (!hasOption(vo, voCr)) continue;
                pc.kind = RunKind::ParaEnd;
                pieces.push_back(std::move(pc));
                continue;
            }
            if (sjis::isLeadByte(b) && i + 1 < lineLen &&
                line.kinds[static_cast<size_t>(i) + 1] == CellKind::Text &&
                sjis::isTrailByte(static_cast<unsigned char>(line.cells[static_cast<size_t>(i) + 1]))) {
                pc.width = 2;
                pc.bytes = line.cells.substr(static_cast<size_t>(i), 2);
                if (hasOption(vo, voAnsiSpace) && pc.bytes == kFullWidthSpace) {
                    pc.kind = RunKind::Mark;
                    pc.bytes = kFullWidthSpaceMark;
                } else if (hasOption(vo, voDependence) && s_.dependence && s_.dependence->contains(pc.bytes)) {
                    pc.kind = RunKind::Special;
                }
            } else {
                pc.bytes.assign(1, static_cast<char>(b));
                if (b > 0x80 && hasOption(vo, voHankana))
                    pc.kind = RunKind::Special;
                else
                    pc.wordChar = core_.IsWordChar(b);
            }
            break;
        }
        i += pc.width;
        pieces.push_back(std::move(pc));
    }

    // Words: runs of single-byte word characters; keywords among them.
    int words = 0;
    for (size_t i = 0; i < pieces.size();) {
        if (!pieces[i].wordChar) {
            ++i;
            continue;
        }
        size_t j = i;
        std::string word;
        while (j < pieces.size() && pieces[j].wordChar) {
            pieces[j].word = words;
            word += pieces[j].bytes;
            ++j;
        }
        if (hasOption(vo, voKeyWord) && core_.IsKeyword(word))
            for (size_t k = i; k < j; ++k) pieces[k].kind = RunKind::Keyword;
        ++words;
        i = j;
    }

    // The place after a row that does not end a paragraph.
    if (!paraEnd) {
        Piece pc;
        pc.col = lineLen;
        pc.width = 2;
        if (lastRow) {
            pc.kind = RunKind::EndOfText;
            pc.bytes = kEndOfTextMark;
            pieces.push_back(std::move(pc));
        } else if (hasOption(vo, voFoldMark)) {
            pc.kind = RunKind::Fold;
            pc.bytes = kFoldMark;
            pieces.push_back(std::move(pc));
        }
    }

    // Only the pieces inside the dirty columns, widened to whole words.
    const int pitch = m_.cellPitch;
    const int firstCol = (p.drawRect.left - m_.textArea.left) / pitch + core_.LeftCol;
    const int lastCol = (p.drawRect.right - m_.textArea.left + pitch - 1) / pitch + core_.LeftCol;
    size_t a = 0;
    while (a < pieces.size() && pieces[a].col + pieces[a].width <= firstCol) ++a;
    size_t b = a;
    while (b < pieces.size() && pieces[b].col < lastCol) ++b;
    while (a > 0 && a < pieces.size() && pieces[a].word >= 0 && pieces[a - 1].word == pieces[a].word) --a;
    while (b > a && b < pieces.size() && pieces[b].word >= 0 && pieces[b - 1].word == pieces[b].word) ++b;

    for (size_t i = a; i < b; ++i) {
        const Piece& pc = pieces[i];
        const bool sel = cellSelected(row, pc.col);
        const Colors c = colorsFor(pc.kind, sel, attr);
        const bool alone = pc.kind == RunKind::ParaEnd || pc.kind == RunKind::Fold ||
                           pc.kind == RunKind::EndOfText;
        if (!alone && !p.runs.empty() && i > a) {
            PaintRun& last = p.runs.back();
            const Piece& prev = pieces[i - 1];
            if (last.kind == pc.kind && last.selected == sel && last.fore == c.fore &&
                last.back == c.back && last.style == c.style && last.col + last.cells == pc.col &&
                (pc.kind != RunKind::Keyword || prev.word == pc.word)) {
                last.cells += pc.width;
                last.bytes += pc.bytes;
                continue;
            }
        }
        PaintRun run;
        run.col = pc.col;
        run.x = colX(pc.col);
        run.cells = pc.width;
        run.bytes = pc.bytes;
        run.kind = pc.kind;
        run.fore = c.fore;
        run.back = c.back;
        run.style = c.style;
        run.selected = sel;
        p.runs.push_back(std::move(run));
    }
    if (s_.keywordWidths) {
        for (PaintRun& run : p.runs) {
            if (run.kind != RunKind::Keyword || run.bytes.empty()) continue;
            const int w = (*s_.keywordWidths)[static_cast<unsigned char>(run.bytes.back())];
            run.advances = keywordAdvances(static_cast<int>(run.bytes.size()), pitch, w);
        }
    }

    if ((core_.Options & aoAutoFormat) && hasOption(vo, voWrapLine)) {
        const int wrap = attr.wrapPos != 0 ? attr.wrapPos : core_.DefWrapPos();
        const int x = colX(wrap);
        if (x >= m_.textArea.left && x < m_.textArea.right) p.wrapLineX = x;
    }

    p.margin.rect = {0, y, m_.textArea.left, y + m_.rowHeight};
    p.margin.fill = s_.colLeftMgn;
    p.margin.textColor = s_.colRowNo;
    p.margin.drawText = hasOption(vo, voRowNum);
    if (p.margin.drawText) p.margin.text = formatRowNumber(s_.rowDspFmt, static_cast<long long>(row) + 1);

    if (lastRow) {
        const PaintRect below{0, y + m_.rowHeight, m_.textArea.right, m_.textArea.bottom};
        if (!below.isEmpty()) p.belowFill = below;
    }
    return p;
}

RulerPlan PaintPlanner::planRuler() const {
    RulerPlan r;
    r.shown = !core_.Updating() && !core_.Sel.HasStream();
    const bool indicate = hasOption(s_.viewOpt, voColIndicate);
    r.fillRect = {0, 0, m_.textArea.right, m_.textArea.top - 1};
    if (r.fillRect.isEmpty()) r.fillRect = {};
    r.fill = indicate ? s_.colColumnIndi : core_.Color();
    if (!indicate) return r;
    r.y = m_.textArea.top - m_.rowHeight;

    const int pitch = m_.cellPitch;
    const int left = core_.LeftCol;
    const int rem = (m_.textArea.right - m_.textArea.left) % pitch;
    const int count = std::max(m_.visibleCols, 0) + (rem > pitch / 2 ? 1 : 0);
    auto cell = [&](int col, std::string bytes, TColor fore, TColor back) {
        PaintRun run;
        run.col = col;
        run.x = colX(col);
        run.cells = static_cast<int>(bytes.size());
        run.bytes = std::move(bytes);
        run.fore = fore;
        run.back = back;
        run.style = s_.fontStyle;
        r.runs.push_back(std::move(run));
    };

    std::string marks;
    marks.reserve(static_cast<size_t>(count));
    for (int c = left + 1; c <= left + count; ++c) marks.push_back(rulerChar(c));
    if (!marks.empty()) cell(left, std::move(marks), s_.colColumnNo, s_.colColumnIndi);

    if ((core_.Options & aoAutoFormat) && core_.RowCount() > 0) {
        const TSelArea& sel = core_.Sel;
        const int row = std::clamp(sel.HasRowRange() ? sel.FirstRangeRow() : core_.Caret.row, 0,
                                   core_.RowCount() - 1);
        const TRowAttr& attr = core_.RowAttr(row);
        const int wrap = attr.wrapPos != 0 ? attr.wrapPos : core_.DefWrapPos();
        cell(wrap, "<", s_.colCr, s_.colColumnIndi);
        const int indentCell = core_.RowIndent(row) - 1;
        if (colX(indentCell) >= m_.textArea.left - pitch) cell(indentCell, ">", s_.colCr, s_.colColumnIndi);
    }

    const int caretCol = core_.Caret.col;
    const std::string caretMark(1, rulerChar(caretCol + 1));
    if (s_.colColumnNo == clWindowText)
        cell(caretCol, caretMark, clHighlightText, clHighlight);
    else
        cell(caretCol, caretMark, s_.colColumnIndi, s_.colColumnNo);
    return r;
}

ScreenPlan PaintPlanner::planScreen(const PaintRect& dirty) const {
    ScreenPlan s;
    s.client = {0, 0, m_.textArea.right, m_.textArea.bottom};
    s.background = core_.Color();
    const int last = core_.TopRow + m_.visibleRows;
    s.rows.reserve(static_cast<size_t>(m_.visibleRows) + 1);
    for (int row = core_.TopRow; row <= last; ++row) {
        RowPlan p = planRow(row, dirty);
        if (p.visible) s.rows.push_back(std::move(p));
    }
    s.ruler = planRuler();
    return s;
}

}  // namespace pavik
