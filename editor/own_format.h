#pragma once
// The editor's own file format: a 268-byte header (total size, offset of the record section,
// row count, 256 reserved bytes), every display row followed by LF, then one 20-byte row
// record per row. Integers are little-endian.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/row_list.h"

namespace pavik {

inline constexpr size_t kOwnHeaderSize = 268;
inline constexpr size_t kOwnRecordSize = 20;

std::string writeOwnFormat(const RowList& rows);
std::string writeOwnFormat(const std::vector<Row>& rows);

// Reads rows and records; a file whose header or sections do not agree gives the reason
// and no rows. Nothing is allocated beyond what the file holds.
std::optional<std::string> readOwnFormat(std::string_view bytes, std::vector<Row>& rows);

}  // namespace pavik
