#include "workspace/document/declarations.h"

#include "platform/sjis.h"

namespace pavik {

const Declaration* declarationInEffect(const CssRuleNode* rule, std::string_view name) {
    if (!rule) return nullptr;
    const Declaration* last = nullptr;       // the last one with a value
    const Declaration* lastEmpty = nullptr;  // the writer leaves a declaration without a value out
    for (auto it = rule->Declarations.rbegin(); it != rule->Declarations.rend(); ++it) {
        const Declaration* d = &*it;
        if (d->Name != name) continue;
        if (d->Value.empty()) {
            if (!lastEmpty) lastEmpty = d;
            continue;
        }
        if (!splitImportance(d->Value).mark.empty()) return d;
        if (!last) last = d;
    }
    return last ? last : lastEmpty;
}

Declaration* declarationInEffect(CssRuleNode* rule, std::string_view name) {
    return const_cast<Declaration*>(declarationInEffect(static_cast<const CssRuleNode*>(rule), name));
}

ValueImportance splitImportance(std::string_view value) {
    constexpr std::string_view word = "important";
    const std::string_view text = sjis::trim(value);
    if (text.size() <= word.size() || !sjis::equalsIgnoreCase(text.substr(text.size() - word.size()), word))
        return {text, {}};
    // "!" (0x21) is never the trail byte of a double-byte character.
    const std::string_view before = sjis::trimRight(text.substr(0, text.size() - word.size()));
    if (before.empty() || before.back() != '!') return {text, {}};
    const std::string_view rest = before.substr(0, before.size() - 1);
    const size_t escape = rest.empty() ? sjis::npos : sjis::charStart(rest, rest.size() - 1);
    if (escape != sjis::npos && rest[escape] == '\\') return {text, {}};
    return {sjis::trimRight(rest), text.substr(rest.size())};
}

std::string keepImportance(std::string_view value, std::string_view previous) {
    std::string out(value);
    const std::string_view mark = splitImportance(previous).mark;
    if (out.empty() || mark.empty() || !splitImportance(value).mark.empty()) return out;
    out += ' ';
    out += mark;
    return out;
}

}  // namespace pavik
