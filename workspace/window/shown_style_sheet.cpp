#include "workspace/window/shown_style_sheet.h"

#include <string>
#include <utility>

#include "platform/qt_text.h"

namespace pavik {

std::optional<WrittenDigest> ShownStyleSheet::written(const QString& cssPath, WrittenDigest digest) {
    cssPath_ = cssPath;
    return std::exchange(digest_, std::move(digest));
}

void ShownStyleSheet::forget() {
    cssPath_.clear();
    digest_.reset();
}

std::optional<StyleSheetChange> ShownStyleSheet::changeTo(const QString& cssPath, const WrittenDigest& now,
                                                          const StyleDocument& doc) const {
    if (!digest_ || cssPath != cssPath_ || now.rules.size() != doc.ruleCount()) return std::nullopt;
    const std::optional<std::vector<size_t>> changed = changedRules(*digest_, now);
    if (!changed || changed->size() > MaxRulesInPlace) return std::nullopt;
    StyleSheetChange change;
    change.cssPath = cssPath;
    change.ruleCount = doc.ruleCount();
    for (size_t i : *changed) {
        const WrittenRule rule = writtenRule(*doc.rules()[i]);
        change.rules.push_back({i, fromCp932(rule.selector), fromCp932(rule.block)});
    }
    change.ruleMap = [&doc](const StyleSheetChange::MapUse& use) { use(ruleMapText(doc)); };
    return change;
}

QString ruleMapText(const StyleDocument& doc) {
    // The kept texts stand where the file has them, as the file has them. A rule's block
    // starts on a line of its own, as in the file: a string the selector leaves open ends
    // where the file's does.
    std::string map;
    const auto& rules = doc.rules();
    const auto& kept = doc.keptTexts();
    size_t k = 0;
    for (size_t i = 0; i <= rules.size(); ++i) {
        for (; k < kept.size() && kept[k].BeforeRule <= i; ++k) appendWrittenKeptText(map, kept[k]);
        if (i == rules.size()) break;
        appendWrittenSelector(map, rules[i]->Data);
        map += " {\r\n--pavik-rule:";
        map += std::to_string(i);
        map += "}\r\n";
    }
    return fromCp932(map);
}

}  // namespace pavik
