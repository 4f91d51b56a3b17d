// libFuzzer target for the settings file: any bytes must read without a crash, what is
// written must read back to the text written, and writing and deleting a key must do just
// that. The round trip is checked only when the text holds no CR outside a CR LF and what
// is written does not start with a byte order mark: a rewrite turns a lone CR into a blank
// (so names that differ by it merge), and reading drops a leading mark, which only junk
// input can leave at the start of the written text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pavik::IniFile ini = pavik::IniFile::fromBytes(bytes);
    const std::string written = ini.serialize();
    bool junk = written.starts_with(kBom);
    for (size_t cr = bytes.find('\r'); cr != std::string_view::npos && !junk; cr = bytes.find('\r', cr + 1))
        junk = cr + 1 == bytes.size() || bytes[cr + 1] != '\n';
    if (!junk && pavik::IniFile::fromBytes(written).serialize() != written) std::abort();

    // The first line names a section and a key; the keys the window reads are read.
    const std::string_view first = bytes.substr(0, bytes.find('\n'));
    const std::string section(first.substr(0, first.size() / 2)), key(first.substr(first.size() / 2));
    for (const char* k : {"PosX", "width", "EditFontSize", "TagCol", "Lastopen"}) {
        (void)ini.ReadInteger("SYSTEM", k, 0);
        (void)ini.ReadColor("SYSTEM", k, 0);
        (void)ini.ReadBool(section, k, false);
    }
    (void)ini.ReadSection(section);
    ini.WriteString(section, key, "value");
    if (ini.ReadString(section, key, "") != "value") std::abort();
    ini.DeleteKey(section, key);
    if (ini.ValueExists(section, key)) std::abort();
    ini.EraseSection(section);
    if (ini.SectionExists(section)) std::abort();
    (void)ini.serialize();
    return 0;
}
