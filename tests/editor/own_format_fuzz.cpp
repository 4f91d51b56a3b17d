// libFuzzer target for the editor's own file format: any bytes must be read or refused
// without a crash, and rows that were read must be written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "editor/own_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<pavik::Row> rows;
    if (pavik::readOwnFormat(bytes, rows)) {
        if (!rows.empty()) std::abort();  // a refused file gives no rows
        return 0;
    }
    pavik::RowList list;
    list.assign(std::vector<pavik::Row>(rows));
    const std::string written = pavik::writeOwnFormat(list);
    std::vector<pavik::Row> again;
    if (pavik::readOwnFormat(written, again) || again.size() != rows.size()) std::abort();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (again[i].text != rows[i].text || !(again[i].attr == rows[i].attr)) std::abort();
    return 0;
}
