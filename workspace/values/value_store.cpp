#include "workspace/values/value_store.h"

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "workspace/document/declarations.h"
#include "workspace/values/value_panel.h"

namespace pavik {

CssRuleNode* findRuleByRecord(const StyleDocument& doc, const TData2* ruleRecord) {
    if (!ruleRecord) return nullptr;
    for (CssRuleNode* rule : doc.rules())
        if (&rule->Data == ruleRecord) return rule;
    return nullptr;
}

std::optional<std::string> currentValue(const StyleDocument& doc, const TData2* ruleRecord,
                                        std::string_view property) {
    const Declaration* decl = declarationInEffect(findRuleByRecord(doc, ruleRecord), property);
    if (!decl) return std::nullopt;
    return std::string(decl->Value);
}

Declaration* storeValue(StyleDocument& doc, const TData2* ruleRecord, std::string_view property,
                   std::string_view value) {
    CssRuleNode* rule = findRuleByRecord(doc, ruleRecord);
    if (!rule || property.empty()) return nullptr;
    if (Declaration* decl = declarationInEffect(rule, property)) {
        doc.setValue(rule, decl, keepImportance(value, decl->Value));
        return decl;
    }
    return doc.addDeclaration(rule, std::string(property), std::string(value));
}

bool clearValue(StyleDocument& doc, const TData2* ruleRecord, std::string_view property) {
    CssRuleNode* rule = findRuleByRecord(doc, ruleRecord);
    const Declaration* decl = declarationInEffect(rule, property);
    if (!decl) return false;
    for (; decl; decl = declarationInEffect(rule, property)) doc.removeDeclaration(rule, decl);
    return true;
}

namespace {

ValueWrite store(std::string value, int image) {
    ValueWrite w;
    w.op = ValueWrite::Op::Store;
    w.value = std::move(value);
    w.image = image;
    return w;
}

int imageFor(std::string_view text) { return text.empty() ? ValueImageUnset : ValueImageSet; }

}  // namespace

ValueWrite keywordWrite(std::string_view text) {
    ValueWrite w = store(std::string(text), imageFor(text));
    w.nowData = decodeCp932(text);
    return w;
}

ValueWrite secondKeywordWrite(const std::optional<std::string>& chosenItem) {
    if (!chosenItem || chosenItem->empty()) return {};
    ValueWrite w = store(*chosenItem, ValueImageSet);
    w.nowData = decodeCp932(*chosenItem);
    return w;
}

ValueWrite editWrite(std::string_view property, std::string_view editText,
                     std::string_view unitCaption, bool byEnter) {
    // A click into an empty box must not wipe a keyword or an unquoted url(...) value.
    if (editText.empty() && !byEnter) return {};
    std::optional<std::string> value = composeEditValue(property, editText, unitCaption);
    if (!value) {
        ValueWrite refused;
        refused.op = ValueWrite::Op::Refused;
        return refused;
    }
    return store(std::move(*value), imageFor(editText));
}

ValueWrite imageFileWrite(std::string_view addressCp932) {
    const std::string value = addressCp932.empty() ? std::string() : wrapImageAddress(addressCp932);
    ValueWrite w = store(value, imageFor(addressCp932));
    w.nowData = decodeCp932(value);
    w.refreshAlways = true;
    return w;
}

ValueWrite transparentWrite(bool ticked) {
    // Unticked stores the empty value, so that the style sheet agrees with "指定無し".
    ValueWrite w = ticked ? store(std::string(TransparentValue), ValueImageSet)
                          : store(std::string(), ValueImageUnset);
    w.nowData = std::string(ticked ? TransparentCaption : NoValueText);
    w.swatch = swatchLookOf(w.value);
    return w;
}

ValueWrite colorWrite(std::string_view colorText) {
    ValueWrite w = store(std::string(colorText), ValueImageSet);
    w.nowData = decodeCp932(colorText);
    w.swatch = swatchLookOf(std::string(colorText));
    return w;
}

ValueWrite fontWrite(std::string_view family) {
    ValueWrite w = store(std::string(family), ValueImageSet);
    w.fontText = decodeCp932(family);
    return w;
}

ValueWrite clearWrite() {
    ValueWrite w;
    w.op = ValueWrite::Op::Remove;
    w.image = ValueImageUnset;
    w.fontText = std::string(NoValueText);
    w.swatch = SwatchLook{};
    return w;
}

bool writableValue(std::string_view value) {
    int depth = 0;
    char quote = 0;  // the open string's quote
    for (size_t i = 0; i < value.size(); i += sjis::charLength(value, i)) {
        const char c = value[i];
        if (c == '\\') {
            if (i + 1 < value.size()) i += 1;  // the escaped character, stepped over whole below
            continue;
        }
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0) return false;
        } else if (c == '{' || c == '}') {
            return false;
        }
    }
    return depth == 0 && quote == 0;
}

bool applyValueWrite(StyleDocument& doc, const TData2* ruleRecord, std::string_view property,
                     const ValueWrite& write) {
    switch (write.op) {
        case ValueWrite::Op::Store:
            return storeValue(doc, ruleRecord, property, write.value) != nullptr;
        case ValueWrite::Op::Remove:
            return clearValue(doc, ruleRecord, property);
        case ValueWrite::Op::None:
        case ValueWrite::Op::Refused:
            break;
    }
    return false;
}

}  // namespace pavik
