#pragma once
// The program's version information: the strings a version resource would hold,
// compiled in from the build. Keys are addressed by index 0..11.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace pavik {

enum VersionKey : uint8_t {
    viComments = 0,
    viCompanyName = 1,
    viFileDescription = 2,
    viFileVersion = 3,
    viInternalName = 4,
    viLegalCopyright = 5,
    viLegalTrademarks = 6,
    viOriginalFilename = 7,
    viPrivateBuild = 8,
    viProductName = 9,
    viProductVersion = 10,
    viSpecialBuild = 11,
};

inline constexpr int VersionKeyCount = 12;

// Key names in index order ("Comments" .. "SpecialBuild").
extern const std::array<const char*, VersionKeyCount> VersionKeyNames;

// One version resource: a translation table and the strings of its first translation.
// An absent key has no value; an empty value counts as absent.
struct VersionResource {
    bool hasTranslation = true;
    std::array<std::optional<std::string>, VersionKeyCount> strings;  // UTF-8
};

// The resource of this program, filled from the project version.
const VersionResource& programVersionResource();

// Sets `value` to the string of key `keyIndex`; leaves it unchanged for an index outside
// 0..11, a missing resource (nullptr) or an absent or empty key. A resource without a
// translation table throws std::runtime_error("情報の取得に失敗しました").
void readVersionString(const VersionResource* resource, uint8_t keyIndex, std::string& value);

}  // namespace pavik
