#include "dialogs/selector_groups.h"

namespace pavik {

const std::array<std::string_view, SelectorGroupCount> SelectorGroupNames = {
    "基本構造", "ブロックレベル", "インライン", "その他", "レイアウト", "画像、オブジェクト",
    "リンク", "リスト", "テーブル", "フォーム", "フレーム", "クラス",
};

std::string_view selectorGroupName(int index) {
    return index >= 0 && index < SelectorGroupCount ? SelectorGroupNames[static_cast<size_t>(index)]
                                                    : std::string_view();
}

}  // namespace pavik
