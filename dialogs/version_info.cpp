#include "dialogs/version_info.h"

#include <stdexcept>

#include "dialogs/version_data.h"

namespace pavik {

const std::array<const char*, VersionKeyCount> VersionKeyNames = {
    "Comments",     "CompanyName",      "FileDescription", "FileVersion",
    "InternalName", "LegalCopyright",   "LegalTrademarks", "OriginalFilename",
    "PrivateBuild", "ProductName",      "ProductVersion",  "SpecialBuild",
};

const VersionResource& programVersionResource() {
    static const VersionResource resource = [] {
        VersionResource r;
        r.strings[viCompanyName] = "Pavik developers";
        r.strings[viFileDescription] = "スタイルシートエディタ";
        r.strings[viFileVersion] = PAVIK_VERSION_TEXT;
        r.strings[viInternalName] = "pavik";
        r.strings[viLegalCopyright] = "Copyright (C) Pavik developers";
        r.strings[viOriginalFilename] = "pavik";
        r.strings[viProductName] = "Pavik";
        r.strings[viProductVersion] = PAVIK_VERSION_TEXT;
        return r;
    }();
    return resource;
}

void readVersionString(const VersionResource* resource, uint8_t keyIndex, std::string& value) {
    if (!resource) return;
    if (!resource->hasTranslation) throw std::runtime_error("情報の取得に失敗しました");
    if (keyIndex >= VersionKeyCount) return;
    const std::optional<std::string>& s = resource->strings[keyIndex];
    if (s && !s->empty()) value = *s;
}

}  // namespace pavik
