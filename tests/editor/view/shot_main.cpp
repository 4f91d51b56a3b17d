// Shows a TAFEdit with a Japanese style sheet and saves screenshots:
//   editor_view_shot <output folder>
// Run under xvfb-run or with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScrollBar>

#include "editor/view/af_edit.h"
#include "editor/view/edit_presets.h"
#include "platform/cp932.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/pavik-shots");
    QDir().mkpath(dir);

    const std::string css = pavik::toCp932(
        "/* Generator Pavik - Build 155 見出しとリンクのスタイル */\r\n"
        "BODY {\r\n"
        "\tcolor: #333333;\r\n"
        "\tfont-family: \"ＭＳ ゴシック\", monospace;\r\n"
        "\tbackground-color: white;\r\n"
        "}\r\n"
        "H1.見出し {\r\n"
        "  margin-top: 1em; /* 上の余白　全角空白 */\r\n"
        "  content: \"①②③ ㈱ ｶﾀｶﾅ\";\r\n"
        "\tfont-weight: bold !important;\r\n"
        "}\r\n"
        "A:hover { text-decoration: underline; } /* とても長い行はここで折り返されて次の表示行へ続きます。日本語の文章も同じです。 */\r\n"
        "P.note{color:red}\r\n");

    pavik::TAFEdit src;
    pavik::applyRichEditSrcPreset(src);
    src.resize(640, 300);
    src.SetText(css);
    // Re-flow so that the long line wraps at the wrap column.
    src.core().LoadFromBytes(css, 64);
    src.core().Sel.AnchorPoint = {2, 8};
    src.core().Sel.MovingEnd = {12, 9};
    src.show();
    app.processEvents();
    src.grab().save(dir + "/editor-src.png");

    pavik::TAFEdit html;
    pavik::applyEditHTMLPreset(html);
    html.resize(640, 300);
    html.SetText(pavik::toCp932("<p class=\"note\">注意：<b>太字</b></p>\r\n<style>\r\n\tp { color: red !important; }\r\n</style>\r\n"));
    html.show();
    app.processEvents();
    html.grab().save(dir + "/editor-html.png");

    // A long text scrolled down, focused, the caret in overwrite mode on a double-byte
    // character; the ruler inverts the caret's column.
    pavik::TAFEdit big;
    pavik::applyRichEditSrcPreset(big);
    big.resize(520, 260);
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += pavik::toCp932("DIV.box" + std::to_string(i) + " {\tmargin: 0; /* 番号 " +
                                   std::to_string(i) + " の箱 */ }\r\n");
    big.SetText(longText);
    big.show();
    big.activateWindow();
    big.setFocus();
    app.processEvents();
    big.core().InsertMode = false;
    big.core().Caret = {29, 150};
    big.verticalScrollBar()->setValue(140);
    app.processEvents();
    big.grab().save(dir + "/editor-scrolled.png");
    return 0;
}
