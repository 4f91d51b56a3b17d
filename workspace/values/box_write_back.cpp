#include "workspace/values/box_write_back.h"

#include "workspace/values/value_store.h"

namespace pavik {

std::vector<std::string> writeBoxResult(StyleDocument& doc, const TData2* ruleRecord,
                                        const std::vector<BoxResultRow>& rows,
                                        const std::function<bool(std::string_view property)>& applies) {
    std::vector<std::string> stored;
    if (!findRuleByRecord(doc, ruleRecord)) return stored;
    for (const BoxResultRow& r : rows) {
        const std::string_view property = boxRowProperty(r.row);
        if (!r.changed || !applies(property)) continue;
        if (storeValue(doc, ruleRecord, property, r.value)) stored.emplace_back(property);
    }
    return stored;
}

bool ruleSetsProperty(const StyleDocument& doc, const TData2* ruleRecord, std::string_view property) {
    const std::optional<std::string> value = currentValue(doc, ruleRecord, property);
    return value && !value->empty();
}

}  // namespace pavik
