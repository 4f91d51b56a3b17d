#pragma once
// Colour values to QColor, for painting only.
//
// System colours resolve through the palette (active group unless noted):
//   n  identifier                 role
//   0  clScrollBar                Button
//   1  clBackground               Dark
//   2  clActiveCaption            Highlight
//   3  clInactiveCaption          Mid
//   4  clMenu                     Window
//   5  clWindow                   Base
//   6  clWindowFrame              Shadow
//   7  clMenuText                 WindowText
//   8  clWindowText               Text
//   9  clCaptionText              HighlightedText
//  10  clActiveBorder             Button
//  11  clInactiveBorder           Button
//  12  clAppWorkSpace             Dark
//  13  clHighlight                Highlight
//  14  clHighlightText            HighlightedText
//  15  clBtnFace                  Button
//  16  clBtnShadow                Dark
//  17  clGrayText                 Text, disabled group
//  18  clBtnText                  ButtonText
//  19  clInactiveCaptionText      WindowText, disabled group
//  20  clBtnHighlight             Light
//  21  cl3DDkShadow               Shadow
//  22  cl3DLight                  Midlight
//  23  clInfoText                 ToolTipText
//  24  clInfoBk                   ToolTipBase
//  25  (no identifier)            Button
//  26  clHotLight                 Link
//  27  clGradientActiveCaption    Highlight
//  28  clGradientInactiveCaption  Mid
//  29  clMenuHighlight            Highlight
//  30  clMenuBar                  Window
//  other numbers                  black
// clNone and clDefault give a fully transparent colour: nothing of it is painted.
// Any other value is taken as red, green and blue from its three low bytes.
#include <QColor>
#include <QPalette>

#include "platform/colors.h"

namespace pavik {

QColor toQColor(TColor c, const QPalette& palette);
// Resolves system colours through the application palette.
QColor toQColor(TColor c);

}  // namespace pavik
