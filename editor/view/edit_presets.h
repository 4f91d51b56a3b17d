#pragma once
// The settings the main window gives its two source panes.
namespace pavik {

class TAFEdit;

// The style sheet pane: gothic UI font, braces as keywords.
void applyRichEditSrcPreset(TAFEdit& edit);
// The HTML pane: gothic font, bold lime "!important" and "class", no fold marks, text " ".
void applyEditHTMLPreset(TAFEdit& edit);

}  // namespace pavik
