#include "editor/view/paint_metrics.h"

#include <algorithm>

#include "editor/view/row_number_format.h"

namespace pavik {

PaintMetrics computeMetrics(const MetricsInput& in) {
    PaintMetrics m;
    m.textHeight = std::max(in.textHeight, 1);
    m.rowHeight = std::max(m.textHeight + in.rowPich, 1);
    m.halfCell = (m.textHeight + 1) / 2;
    m.cellPitch = std::max(m.halfCell + in.charPich, 1);
    m.leftMgn = std::max(in.leftMgn, 0);
    if (in.viewOpt & voRowNum) {
        const int w = static_cast<int>(formatRowNumber(in.rowDspFmt, std::max(in.rowCount, 100LL)).size()) * m.cellPitch;
        m.leftMgn = std::max(m.leftMgn, w);
    }
    m.textArea.left = m.leftMgn;
    m.textArea.top = std::max(in.topMgn, 0) + ((in.viewOpt & voColIndicate) ? m.rowHeight : 0);
    resizeMetrics(m, in.clientWidth, in.clientHeight);
    return m;
}

void resizeMetrics(PaintMetrics& m, int clientWidth, int clientHeight) {
    m.textArea.right = std::max(clientWidth, 0);
    m.textArea.bottom = std::max(clientHeight, 0);
    m.visibleRows = std::max(m.textArea.bottom - m.textArea.top, 0) / m.rowHeight;
    m.visibleCols = std::max(m.textArea.right - m.textArea.left, 0) / m.cellPitch;
}

TColor markColorFrom(TColor windowRgb) {
    auto down = [](int v) { return static_cast<TColor>(std::max(v - 0x40, 0)); };
    return down(redOf(windowRgb)) | (down(greenOf(windowRgb)) << 8) | (down(blueOf(windowRgb)) << 16);
}

ParaMarkImage paraMarkImageFor(int textHeight) {
    if (textHeight < 15) return ParaMarkImage::Small;
    if (textHeight < 21) return ParaMarkImage::Medium;
    return ParaMarkImage::Large;
}

std::vector<int> keywordAdvances(int length, int pitch, int lastWidth) {
    if (length < 2 || lastWidth <= pitch) return {};
    const int over = lastWidth - pitch;
    const int step = std::max(1, over / length);
    const int n = std::min(over / step, length);
    std::vector<int> adv(static_cast<size_t>(length), pitch);
    for (int i = 0; i < n; ++i) adv[static_cast<size_t>(i)] = std::max(pitch - step, 0);
    return adv;
}

}  // namespace pavik
