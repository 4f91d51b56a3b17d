#pragma once
// What the preview browser was last given of the preview style sheet, so that a rebuild can
// tell it which rules changed instead of having it read the whole sheet again.
#include <QString>
#include <optional>

#include "platform/preview_browser.h"
#include "workspace/document/css_writer.h"
#include "workspace/document/style_document.h"

namespace pavik {

class ShownStyleSheet {
public:
    // At most this many changed rules are set in place; more are read with the sheet.
    static constexpr size_t MaxRulesInPlace = 64;

    // The sheet written to `cssPath`, which the browser shows from now on. Gives back the
    // digest known before, to be freed where it holds nothing up.
    std::optional<WrittenDigest> written(const QString& cssPath, WrittenDigest digest);
    // The browser shows no sheet of ours that is known (none was written, or not shown).
    void forget();

    // How the sheet now written to `cssPath` for `doc` (with the digest `now`) differs from
    // the one shown: the changed rules, each as the file holds it; none when the browser
    // must read the sheet again (none known, another file, more than some rules' texts
    // changed).
    std::optional<StyleSheetChange> changeTo(const QString& cssPath, const WrittenDigest& now,
                                             const StyleDocument& doc) const;

private:
    QString cssPath_;
    std::optional<WrittenDigest> digest_;
};

// StyleSheetChange::ruleMap for the sheet written for `doc`.
QString ruleMapText(const StyleDocument& doc);

}  // namespace pavik
