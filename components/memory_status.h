#pragma once
// Available and total memory, read from /proc/meminfo or from a fake in tests.
#include <cstdint>
#include <memory>
#include <string_view>

namespace pavik {

struct MemoryStatus {
    std::uint64_t availableBytes = 0;
    std::uint64_t totalBytes = 0;
};

class MemoryStatusSource {
public:
    virtual ~MemoryStatusSource() = default;
    // Zeros when nothing can be read.
    virtual MemoryStatus read() = 0;
};

// "MemAvailable" and "MemTotal" of /proc/meminfo text (kB values); missing lines give 0.
MemoryStatus ParseMeminfo(std::string_view text);

// Reads /proc/meminfo.
std::shared_ptr<MemoryStatusSource> systemMemoryStatus();

}  // namespace pavik
