#include "vocabulary/value_keywords.h"

namespace pavik {

namespace {

enum : unsigned char { Combo1 = 1, Combo2 = 2, Memo = 4 };

// One property's panel: the controls it uses (length panel only; the keyword panel always
// shows its drop-down and memo), the drop-down keywords (blank-separated), and the hint.
struct Arm {
    unsigned char controls = 0;
    std::string_view keywords1 = {};
    std::string_view keywords2 = {};
    std::string_view title = {};  // empty: no hint
    std::string_view body = {};   // rows, each ended by CR LF
    bool bare = false;            // the hint is the title alone, without stars or separator
};

constexpr std::string_view kWidthRows = "thin\t細い線\r\nmedium\tデフォルト\r\nthick\t太い線\r\n";
constexpr std::string_view kAutoRow = "auto\tおまかせ\r\n";

// clang-format off
constexpr Arm kSizeArms[] = {
    /* 0 vertical-align */ {Combo1 | Memo, "baseline super sub top middle bottom", {}, "文字の垂直位置",
        "baseline\tデフォルト\r\n" "super\t上付き\r\n" "sub\t下付き\r\n" "top\t上詰め\r\n"
        "middle\t中詰め\r\n" "bottom\t下詰め\r\n"},
    /* 1 text-indent */ {Memo, {}, {}, "段落文章の開始位置"},
    /* 2 letter-spacing */ {Memo, {}, {}, "文字間隔"},
    /* 3 word-spacing */ {Memo, {}, {}, "英文単語間隔"},
    /* 4 line-height */ {Memo, {}, {}, "行間"},
    /* 5 top */ {},
    /* 6 bottom */ {},
    /* 7 left */ {},
    /* 8 right */ {},
    /* 9 layout-grid-line */ {Combo1 | Memo, "none auto", {}, "グリッド", "行方向のグリッドサイズ\r\n"},
    /* 10 layout-grid-char */ {Combo1 | Memo, "none auto", {}, "グリッド", "文字方向のグリッドサイズ\r\n"},
    /* 11 font-size */ {Combo1 | Memo, "xx-small x-small small medium large x-large xx-large larger smaller", {},
        "フォントサイズ",
        "xx-small\t非常に小さい\r\n" "x-small\t小さい\r\n" "small\tやや小さい\r\n" "medium\t通常\r\n"
        "large\tやや大きい\r\n" "x-large\t大きい\r\n" "xx-large\t非常に大きい\r\n"
        "larger\t大きく（相対的）\r\n" "smaller\t小さく（〃）\r\n"},
    /* 12 background-position */ {Combo1 | Combo2 | Memo, "top center bottom", "left center right",
        "背景画像の位置",
        "top\t上端\r\n" "center\t中央\r\n" "bottom\t下端\r\n" "left\t左端\r\n" "right\t右端\r\n"},
    /* 13 background-position-x */ {Combo1 | Memo, "left center right", {}, "背景画像の水平方向",
        "left\t左端\r\n" "center\t中央\r\n" "right\t右端\r\n"},
    /* 14 background-position-y */ {Combo1 | Memo, "top center bottom", {}, "背景画像の垂直方向",
        "top\t上端\r\n" "center\t中央\r\n" "bottom\t下端\r\n"},
    /* 15 border-top-width */ {Combo1 | Memo, "thin medium thick", {}, "枠線の太さ(上)", kWidthRows},
    /* 16 border-right-width */ {Combo1 | Memo, "thin medium thick", {}, "枠線の太さ(右)", kWidthRows},
    /* 17 border-bottom-width */ {Combo1 | Memo, "thin medium thick", {}, "枠線の太さ(下)", kWidthRows},
    /* 18 border-left-width */ {Combo1 | Memo, "thin medium thick", {}, "枠線の太さ(左)", kWidthRows},
    /* 19 margin-top */ {Combo1 | Memo, "auto", {}, "外側ボックスとの間隔(上)", kAutoRow},
    /* 20 margin-right */ {Combo1 | Memo, "auto", {}, "外側ボックスとの間隔(右)", kAutoRow},
    /* 21 margin-bottom */ {Combo1 | Memo, "auto", {}, "外側ボックスとの間隔(下)", kAutoRow},
    /* 22 margin-left */ {Combo1 | Memo, "auto", {}, "外側ボックスとの間隔(左)", kAutoRow},
    /* 23 padding-top */ {Combo1 | Memo, "auto", {}, "ボックスとエレメントの間隔(上)", kAutoRow},
    /* 24 padding-right */ {Combo1 | Memo, "auto", {}, "ボックスとエレメントの間隔(右)", kAutoRow},
    /* 25 padding-bottom */ {Combo1 | Memo, "auto", {}, "ボックスとエレメントの間隔(下)", kAutoRow},
    /* 26 padding-left */ {Combo1 | Memo, "auto", {}, "ボックスとエレメントの間隔(左)", kAutoRow},
    /* 27 z-index */ {},
    /* 28 zoom */ {Combo1 | Memo, {}, {}, "サイズ比率", {}, true},
    /* 29 border-spacing */ {Combo1 | Combo2 | Memo, {}, {}, "セルの間隔",
        "＊border-collapse が separate\r\n" "上下左右の値\r\n" "左右　上下\r\n"},
    /* 30 border-width */ {Combo1 | Memo, "thin medium thick", {}, "枠線の太さ", kWidthRows},
    /* 31 margin */ {Combo1 | Memo, "auto", {}, "外側ボックスとの間隔", kAutoRow},
    /* 32 padding */ {Combo1 | Memo, "auto", {}, "ボックスとエレメントの間隔", kAutoRow},
    /* 33 width */ {Combo1 | Memo, "auto", {}, "ボックスの幅", kAutoRow},
    /* 34 height */ {Combo1 | Memo, "auto", {}, "ボックスの高さ", kAutoRow},
};

constexpr std::string_view kOverflowRows =
    "visible\tデフォルト\r\n" "scroll\tスクロールバー表示\r\n" "hidden\t表示無し\r\n" "auto\tおまかせ\r\n";
constexpr std::string_view kPageBreakRows =
    "always\t改ページを行う\r\n" "empty-string\t〃行わない\r\n" "auto\tデフォルト\r\n";
constexpr std::string_view kBorderStyles = "solid double groove ridge inset outset dotted dashed none";
constexpr std::string_view kBorderStyleRows =
    "solid\t直線\r\n" "double\t二重線\r\n" "groove\t溝線\r\n" "ridge\t稜線\r\n" "inset\t沈んだ線\r\n"
    "outset\t浮いた線\r\n" "dotted\t点線\r\n" "dashed\t破線\r\n" "none\tデフォルト\r\n";

constexpr Arm kKeywordArms[] = {
    /* 0 */ {},
    /* 1 text-align */ {0, "left right center justify", {}, "文字の水平位置",
        "left\t左寄せ\r\n" "right\t右寄せ\r\n" "center\tセンタリング\r\n" "justify\t均等割付 *1\r\n"
        "----\r\n" "*1 text-justify と共に使用\r\n"},
    /* 2 text-justify */ {0, "auto distribute-all-lines", {}, "文字の均等割付",
        "auto\t\tブラウザ依存\r\n" "distribute-all-lines\t均等割付\r\n"},
    /* 3 */ {},
    /* 4 text-transform */ {0, "capitalize uppercase lowercase none", {}, "英文大文字小文字揃え",
        "capitalize\t１文字目を大文字\r\n" "uppercase\tすべて大文字\r\n" "lowercase\tすべて小文字\r\n"
        "none\tデフォルト\r\n"},
    /* 5 text-decoration */ {0, "none overline underline line-through blink", {}, "文字飾り",
        "none\t  デフォルト\r\n" "overline\t  上線\r\n" "underline\t  下線\r\n" "line-through 取り消し線\r\n"
        "blink\t  点滅\r\n"},
    /* 6 white-space */ {0, "normal pre nowrap", {}, "空白、改行連続時の処理",
        "normal\tデフォルト\r\n" "pre\tそのまま表示\r\n" "nowrap\t折り返さない\r\n"},
    /* 7 line-break */ {0, "normal strict", {}, "禁則処理",
        "normal\tブラウザ依存\r\n" "strict\t禁則処理\r\n"},
    /* 8 word-break */ {0, "normal break-all keep-all", {}, "単語中の改行処理",
        "normal\tデフォルト\r\n" " (英文)単語を保持\r\n" " (和文)右端で改行\r\n"
        "break-all\t右端で改行\r\n" " (英文)右端で改行、単語保持しない\r\n" " (和文)normalと同\r\n"
        "keep-all\t単語を保持して改行\r\n" " (和文のみ有効)\r\n"},
    /* 9 word-wrap */ {0, "normal break-word", {}, "単語中の行の折り返し",
        "normal\t  デフォルト\r\n" "break-word  単語を折り返す\r\n"},
    /* 10 writing-mode */ {0, "lr-tb tb-rl", {}, "縦書き表示", "lr-tb\t横書き\r\n" "tb-rl\t縦書き\r\n"},
    /* 11 text-underline-position */ {0, "below above", {}, "縦書き時の下線位置",
        "below\tデフォルト\r\n" "above\tテキストの上（右）\r\n"},
    /* 12 layout-grid-type */ {0, "loose fixed strict", {}, "文字のグリッド合わせの方法",
        "loose  デフォルト\r\n" "fixed  ２バイトフォントのみ等幅\r\n" "strict  すべて等幅\r\n"},
    /* 13 font-weight */ {0, "bold 900 800 700 600 500 normal 300 200 100 bolder lighter", {}, "文字の太さ",
        "bold\t太字\r\n" "----\r\n" "900～100\tサイズ\r\n" "----\r\n" "bolder\t太く（相対的）\r\n"
        "lighter\t細く（相対的）\r\n"},
    /* 14 font-style */ {0, "italic oblique normal", {}, "文字の斜体表示",
        "italic\t斜体\r\n" "oblique\t斜体\r\n" "normal\tデフォルト\r\n"},
    /* 15 font-variant */ {0, "small-caps normal", {}, "スモールキャップ文字",
        "small-caps  スモールキャップ\r\n" "normal\t  デフォルト\r\n"},
    /* 16 background-attachment */ {0, "fixed scroll", {}, "背景画像の固定",
        "fixed\t固定\r\n" "scroll\tデフォルト\r\n"},
    /* 17 background-repeat */ {0, "repeat repeat-x repeat-y no-repeat", {}, "背景画像の繰り返し",
        "repeat\tデフォルト\r\n" "repeat-x\t横繰り返し\r\n" "repeat-y\t縦繰り返し\r\n" "no-repeat\t繰り返し無し\r\n"},
    /* 18 overflow */ {0, "visible scroll hidden auto", {}, "ボックス内容あふれ時の処理", kOverflowRows},
    /* 19 overflow-x */ {0, "visible scroll hidden auto", {}, "ボックス内容あふれ時の処理", kOverflowRows},
    /* 20 overflow-y */ {0, "visible scroll hidden auto", {}, "ボックス内容あふれ時の処理", kOverflowRows},
    /* 21 position */ {0, "static relative absolute fixed", {}, "エレメントの配置方法",
        "static\tデフォルト\r\n" "relative\t通常位置からの相対的配置\r\n" "absolute\t親要素からの絶対的配置\r\n"
        "fixed\t固定\r\n" "＊top bottom left right と共に使用\r\n"},
    /* 22 display */ {0, "none block inline list-item", {}, "表示形式",
        "none\t表示しない\r\n" "block\tプロック要素とする\r\n" "inline\tインライン要素とする（デフォルト）\r\n"
        "list-item\tリスト要素とする\r\n"},
    /* 23 visibility */ {0, "visible hidden", {}, "表示／非表示", "visible\tデフォルト\r\n" "hidden\t表示しない\r\n"},
    /* 24 float */ {0, "left right none", {}, "回り込み",
        "left\tテキスト右\r\n" "right\tテキスト左\r\n" "none\tデフォルト\r\n"},
    /* 25 clear */ {0, "left right both none", {}, "回り込みの解除",
        "left\tfloat:left解除\r\n" "right\tfloat:right解除\r\n" "both\t全て解除\r\n" "none\t解除しない\r\n"},
    /* 26 list-style-type */ {0,
        "disk circle square decimal lower-roman upper-roman lower-alpha upper-alpha lower-greek "
        "decimal-leading-zero cjk-ideographic hiragana katakana hiragana-iroha katakana-iroha hebrew none",
        {}, "リスト表示の表示マーク",
        "disk\t黒丸\r\n" "circle\t白丸\r\n" "square\t四角\r\n" "decimal\t１０進数\r\n"
        "lower-roman\t小文字ローマ数字\r\n" "upper-roman\t大文字〃\r\n" "lower-alpha\t小文字アルファベット\r\n"
        "upper-alpha\t大文字〃\r\n" "lower-greek\t小文字ギリシア文字\r\n" "decimal-leading-zero\t頭が０の１０進数\r\n"
        "cjk-ideographic\t漢数字\r\n" "hiragana\tひらがな\r\n" "hiragana-iroha\t〃（いろは順）\r\n"
        "katakana\tカタカナ\r\n" "katakana-iroha\t〃（イロハ順）\r\n" "hebrew\tヘブライ数字\r\n" "none\tマーク無し\r\n"},
    /* 27 list-style-position */ {0, "outside inside", {}, "リストのマーク位置",
        "outside\tデフォルト\r\n" "inside\t項目内\r\n"},
    /* 28 table-layout */ {0, "fixed auto", {}, "テーブルの表示方法",
        "fixed\t１行読み込んだ時点で表示\r\n" "auto\tデフォルト\r\n"},
    /* 29 caption-side */ {0, "top bottom", {}, "キャプションの位置", "top\tデフォルト\r\n" "bottom\tテーブルの下\r\n"},
    /* 30 border-collapse */ {0, "collapse separate", {}, "内側枠線の処理",
        "collapse\tセルの枠線を重ねる\r\n" "separate\tデフォルト\r\n"},
    /* 31 empty-cells */ {0, "hide show", {}, "空白セルの枠線表示",
        "hide\tデフォルト\r\n" "show\t空白セルのボーダーを表示\r\n"},
    /* 32 cursor */ {0,
        "crosshair default pointer move e-resize ne-resize nw-resize n-resize se-resize sw-resize "
        "s-resize w-resize text wait help auto",
        {}, "カーソル形状",
        "crosshair\t十字\r\n" "default\tデフォルト\r\n" "pointer\tハンド\r\n" "move\t移動可能\r\n"
        "e-resize\t右\r\n" "ne-resize\t右上\r\n" "nw-resize\t左上\r\n" "n-resize\t上\r\n" "se-resize\t右下\r\n"
        "sw-resize\t左下\r\n" "s-resize\t下\r\n" "w-resize\t左\r\n" "text\t文字\r\n" "wait\t待ち\r\n"
        "help\tヘルプ\r\n" "auto\tおまかせ\r\n"},
    /* 33 ime-mode */ {0, "active inactive desabled auto", {}, "IMEの制御",
        "active\t常駐させる\r\n" "inactive\t常駐させない\r\n" "desabled\t使用しない\r\n" "auto\tデフォルト\r\n"},
    /* 34 direction */ {0, "ltr rtl", {}, "テキストの流れ", "ltr\t左から右\r\n" "rtl\t右から左\r\n"},
    /* 35 unicode-bidi */ {0, "embed bidi-override", {}, "ユニコード文字の流れ",
        "embed\tユニコードに準じる\r\n" "bidi-override\tdirectionで制御\r\n"},
    /* 36 page-break-after */ {0, "always empty-string auto", {}, "印刷時直後の改ページ", kPageBreakRows},
    /* 37 page-break-before */ {0, "always empty-string auto", {}, "印刷時直前の改ページ", kPageBreakRows},
    /* 38 layout-grid-mode */ {0, "none both line char", {}, "グリッドの方向",
        "none  升目に合わせない\r\n" "both  デフォルト\r\n" "line  行方向のみ合わせる\r\n" "char  文字方向のみ合わせる\r\n"},
    /* 39 border-top-style */ {0, kBorderStyles, {}, "枠線のスタイル", kBorderStyleRows},
    /* 40 border-right-style */ {0, kBorderStyles, {}, "枠線のスタイル", kBorderStyleRows},
    /* 41 border-bottom-style */ {0, kBorderStyles, {}, "枠線のスタイル", kBorderStyleRows},
    /* 42 border-left-style */ {0, kBorderStyles, {}, "枠線のスタイル", kBorderStyleRows},
    /* 43 border-style */ {0, kBorderStyles, {}, "枠線のスタイル", kBorderStyleRows},
};
// clang-format on

static_assert(std::size(kSizeArms) == SizeAttrNames.size());
static_assert(std::size(kKeywordArms) == KeywordAttrNames.size());

// Appends the blank-separated words of `words` to `items`.
void addWords(std::vector<std::string>& items, std::string_view words) {
    size_t i = 0;
    while (i < words.size()) {
        size_t end = words.find(' ', i);
        if (end == std::string_view::npos) end = words.size();
        if (end > i) items.emplace_back(words.substr(i, end - i));
        i = end + 1;
    }
}

std::string hintText(const Arm& arm) {
    if (arm.title.empty()) return {};
    if (arm.bare) return std::string(arm.title);
    std::string s = "★";
    s += arm.title;
    s += "★";
    s += HintSeparator;
    s += arm.body;
    return s;
}

template <size_t N>
int indexIn(const std::array<std::string_view, N>& names, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

int sizeAttrIndex(std::string_view property) { return indexIn(SizeAttrNames, property); }
int keywordAttrIndex(std::string_view property) { return indexIn(KeywordAttrNames, property); }

ValuePanelFill sizeAttrPanelFill(int index) {
    ValuePanelFill f;
    f.useSizeSelect = true;
    f.combo1 = {""};
    f.combo2 = {""};
    if (index < 0 || index >= static_cast<int>(std::size(kSizeArms))) return f;
    const Arm& arm = kSizeArms[index];
    f.useCombo1 = arm.controls & Combo1;
    f.useCombo2 = arm.controls & Combo2;
    f.useMemo = arm.controls & Memo;
    addWords(f.combo1, arm.keywords1);
    addWords(f.combo2, arm.keywords2);
    f.hint = hintText(arm);
    return f;
}

ValuePanelFill keywordAttrPanelFill(int index) {
    ValuePanelFill f;
    f.useCombo1 = true;
    f.useMemo = true;
    f.combo1 = {""};
    if (index < 0 || index >= static_cast<int>(std::size(kKeywordArms))) return f;
    const Arm& arm = kKeywordArms[index];
    addWords(f.combo1, arm.keywords1);
    f.hint = hintText(arm);
    return f;
}

}  // namespace pavik
