#include "workspace/window/image_list_main.h"

#include <QHash>
#include <QString>

// Resources of a static library are registered by hand; Q_INIT_RESOURCE must be called
// outside any namespace.
static void initPavikResources() { Q_INIT_RESOURCE(pavik); }

namespace pavik {
namespace {

struct ImageSource {
    const char* theme;  // standard icon name, or nullptr
    const char* own;    // our picture in :/icons
};

const QHash<int, ImageSource>& imageSources() {
    static const QHash<int, ImageSource> sources = {
        {imgDoctypeNone, {nullptr, "doc_plain"}},
        {imgDoctypeShort, {nullptr, "doc_short"}},
        {imgDoctypeLong, {nullptr, "doc_long"}},
        {imgOpenHTML, {nullptr, "html_open"}},
        {imgSetting, {"preferences-system", "settings"}},
        {imgPrevNS4, {nullptr, "browser_ns4"}},
        {imgPrevNS6, {nullptr, "browser_ns6"}},
        {imgPrevIE, {nullptr, "browser_ie"}},
        {imgPrevOpera, {nullptr, "browser_opera"}},
        {imgNewCSS, {"document-new", "new"}},
        {imgOpenCSS, {"document-open", "open"}},
        {imgSave, {"document-save", "save"}},
        {imgSaveAs, {"document-save-as", "saveas"}},
        {imgExit, {"application-exit", "exit"}},
        {imgCut, {"edit-cut", "cut"}},
        {imgCopy, {"edit-copy", "copy"}},
        {imgPaste, {"edit-paste", "paste"}},
        {imgUndo, {"edit-undo", "undo"}},
        {imgRefresh, {"view-refresh", "refresh"}},
        {imgHelp, {"help-contents", "help"}},
        {imgMail, {"mail-send", "mail"}},
        {imgHomePage, {"go-home", "home"}},
        {imgAbout, {"help-about", "about"}},
        {imgBBS, {nullptr, "bbs"}},
        {imgRedo, {"edit-redo", "redo"}},
        {imgSaveHTML, {nullptr, "html_save"}},
        {imgElementBase, {nullptr, "element"}},
        {imgClassBase, {nullptr, "class"}},
        {imgElementRule, {nullptr, "rule_element"}},
        {imgClassRule, {nullptr, "rule_class"}},
        {imgEditBox, {nullptr, "box"}},
        {imgTreeStyle, {nullptr, "tree_style"}},
        {imgPropertySet, {nullptr, "prop_set"}},
        {imgPropertyUnset, {nullptr, "prop_unset"}},
        {imgCategory, {"folder", "folder"}},
        {imgCategoryOpen, {"folder-open", "folder_open"}},
        {imgColorPicker, {nullptr, "color"}},
        {imgDelete, {"edit-delete", "delete"}},
        {imgImportant, {nullptr, "important"}},
        {imgApplyCSS, {nullptr, "apply_css"}},
        {imgPreviewMode, {nullptr, "split"}},
        {imgRecentFile, {"document-open-recent", "recent"}},
        {imgToolbarSetting, {nullptr, "toolbar"}},
        {imgMozilla, {nullptr, "browser_mozilla"}},
        {imgGroup, {nullptr, "group"}},
    };
    return sources;
}

void ensureResources() {
    static const bool done = [] {
        initPavikResources();
        return true;
    }();
    (void)done;
}

}  // namespace

QIcon imageListIcon(int index) {
    ensureResources();
    // Kept for the whole run and never destroyed: icon engines must not outlive their plugins.
    static auto* cache = new QHash<int, QIcon>;
    if (auto it = cache->constFind(index); it != cache->constEnd()) return *it;
    const auto& sources = imageSources();
    auto src = sources.constFind(index);
    if (src == sources.constEnd()) return QIcon();
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(src->own)));
    const QIcon icon = src->theme ? QIcon::fromTheme(QLatin1String(src->theme), own) : own;
    cache->insert(index, icon);
    return icon;
}

QIcon programIcon() {
    ensureResources();
    return QIcon(QStringLiteral(":/icons/pavik.svg"));
}

}  // namespace pavik
