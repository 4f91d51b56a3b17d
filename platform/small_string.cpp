#include "platform/small_string.h"

#include <ostream>
#include <stdexcept>

namespace pavik {

size_t SmallString::size() const noexcept {
    if (!onHeap()) return static_cast<unsigned char>(bytes_[LastByte]);
    std::uint32_t n;
    std::memcpy(&n, bytes_ + sizeof(char*), sizeof n);
    return n;
}

void SmallString::init(std::string_view s) {
    if (s.size() <= InsideBytes) {
        std::memcpy(bytes_, s.data(), s.size());
        bytes_[LastByte] = static_cast<char>(s.size());
        return;
    }
    if (s.size() > UINT32_MAX) throw std::length_error("SmallString");
    char* p = new char[s.size()];
    std::memcpy(p, s.data(), s.size());
    const std::uint32_t n = static_cast<std::uint32_t>(s.size());
    std::memcpy(bytes_, &p, sizeof p);
    std::memcpy(bytes_ + sizeof p, &n, sizeof n);
    bytes_[LastByte] = static_cast<char>(OnHeap);
}

SmallString& SmallString::operator=(SmallString&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.bytes_[LastByte] = 0;
    }
    return *this;
}

SmallString& SmallString::operator=(std::string_view s) {
    SmallString made(s);  // first: `s` may lie in this string
    return *this = std::move(made);
}

SmallString& SmallString::operator+=(std::string_view s) {
    if (s.empty()) return *this;
    std::string joined(view());
    joined.append(s);
    return *this = std::string_view(joined);
}

std::ostream& operator<<(std::ostream& out, const SmallString& s) { return out << s.view(); }

}  // namespace pavik
