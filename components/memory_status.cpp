#include "components/memory_status.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <string>

namespace pavik {
namespace {

// The value of a "Name:   1234 kB" line, in bytes.
bool fieldBytes(std::string_view line, std::string_view name, std::uint64_t& bytes) {
    if (line.substr(0, name.size()) != name || line.size() <= name.size() || line[name.size()] != ':')
        return false;
    std::string_view rest = line.substr(name.size() + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    std::uint64_t kb = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), kb);
    if (ec != std::errc()) return false;
    bytes = kb * 1024;
    return true;
}

class ProcMeminfo : public MemoryStatusSource {
public:
    MemoryStatus read() override {
        std::ifstream in("/proc/meminfo");
        if (!in) return {};
        std::ostringstream text;
        text << in.rdbuf();
        return ParseMeminfo(text.str());
    }
};

}  // namespace

MemoryStatus ParseMeminfo(std::string_view text) {
    MemoryStatus status;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        if (!fieldBytes(line, "MemAvailable", status.availableBytes))
            fieldBytes(line, "MemTotal", status.totalBytes);
        if (eol == std::string_view::npos) break;
        text.remove_prefix(eol + 1);
    }
    return status;
}

std::shared_ptr<MemoryStatusSource> systemMemoryStatus() {
    static const auto source = std::make_shared<ProcMeminfo>();
    return source;
}

}  // namespace pavik
