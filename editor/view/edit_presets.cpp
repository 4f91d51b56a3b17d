#include "editor/view/edit_presets.h"

#include "editor/view/af_edit.h"

namespace pavik {

namespace {

// What both panes share.
void applyCommon(TAFEdit& e) {
    e.SetColor(clWindow);
    e.SetColLeftMgn(clWindow);
    e.SetColCr(clMaroon);
    e.SetFontColor(clWindowText);
    e.SetLeftMgn(36);
    e.SetDefWrapPos(60);
    e.SetOptions(aoAutoIndent | aoAutoFormat | aoWordWrap);
    e.SetUndoMax(-1);
}

}  // namespace

void applyRichEditSrcPreset(TAFEdit& e) {
    e.SetEditFont(QStringLiteral("MS UI Gothic"), -12);
    applyCommon(e);
    e.SetKeywords({"{", "}"});
    e.SetKeywordStyle(0);
    e.SetViewOpt(kAllViewOptions);
    e.SetRowDspFmt("%5d:");
    e.Loaded();
}

void applyEditHTMLPreset(TAFEdit& e) {
    e.SetEditFont(QStringLiteral("ＭＳ ゴシック"), -12);
    applyCommon(e);
    e.SetColKeyWord(clLime);
    e.SetKeywords({"!important", "class"});
    e.SetKeywordStyle(fsBold);
    e.SetViewOpt(kAllViewOptions & ~voFoldMark);
    e.SetRowDspFmt("%4d:");
    e.SetText(" ");
    e.Loaded();
}

}  // namespace pavik
