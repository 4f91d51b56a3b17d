#pragma once
// A byte string in 16 bytes, for texts held by the million (the document's selectors, names
// and values): up to 15 bytes inside, a longer one on the heap in a block of its own size.
// It reads as a std::string_view and is assigned like a std::string; unlike a std::string it
// has no spare capacity, so appending to it copies it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace pavik {

class SmallString {
public:
    static constexpr size_t npos = std::string_view::npos;
    // The most bytes held inside.
    static constexpr size_t InsideBytes = 15;

    SmallString() noexcept { bytes_[LastByte] = 0; }
    SmallString(std::string_view s) { init(s); }
    SmallString(const std::string& s) { init(s); }
    SmallString(const char* s) { init(s); }
    SmallString(const SmallString& other) { init(other.view()); }
    SmallString(SmallString&& other) noexcept {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.bytes_[LastByte] = 0;
    }
    SmallString& operator=(const SmallString& other) { return *this = other.view(); }
    SmallString& operator=(SmallString&& other) noexcept;
    SmallString& operator=(std::string_view s);
    SmallString& operator=(const std::string& s) { return *this = std::string_view(s); }
    SmallString& operator=(const char* s) { return *this = std::string_view(s); }
    ~SmallString() { release(); }

    const char* data() const noexcept { return onHeap() ? heapPointer() : bytes_; }
    size_t size() const noexcept;
    bool empty() const noexcept { return size() == 0; }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    explicit operator std::string() const { return std::string(view()); }

    char operator[](size_t i) const noexcept { return data()[i]; }
    char front() const noexcept { return data()[0]; }
    char back() const noexcept { return data()[size() - 1]; }
    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }

    size_t find(char c, size_t from = 0) const noexcept { return view().find(c, from); }
    size_t find(std::string_view s, size_t from = 0) const noexcept { return view().find(s, from); }
    size_t find_first_of(std::string_view s, size_t from = 0) const noexcept { return view().find_first_of(s, from); }
    bool starts_with(std::string_view s) const noexcept { return view().starts_with(s); }
    bool starts_with(char c) const noexcept { return view().starts_with(c); }
    bool ends_with(std::string_view s) const noexcept { return view().ends_with(s); }
    bool ends_with(char c) const noexcept { return view().ends_with(c); }
    std::string substr(size_t from, size_t count = npos) const { return std::string(view().substr(from, count)); }

    SmallString& operator+=(std::string_view s);
    void clear() noexcept {
        release();
        bytes_[LastByte] = 0;
    }

    friend bool operator==(const SmallString& a, const SmallString& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const SmallString& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const SmallString& a, const char* b) noexcept { return a.view() == b; }
    friend bool operator==(const SmallString& a, const std::string& b) noexcept { return a.view() == b; }
    friend auto operator<=>(const SmallString& a, const SmallString& b) noexcept { return a.view() <=> b.view(); }
    friend std::string operator+(const SmallString& a, const SmallString& b) { return std::string(a.view()).append(b.view()); }
    friend std::string operator+(const SmallString& a, std::string_view b) { return std::string(a.view()).append(b); }
    friend std::string operator+(std::string_view a, const SmallString& b) { return std::string(a).append(b.view()); }
    friend std::string operator+(const SmallString& a, const char* b) { return a + std::string_view(b); }
    friend std::string operator+(const char* a, const SmallString& b) { return std::string_view(a) + b; }
    friend std::string operator+(const SmallString& a, const std::string& b) { return a + std::string_view(b); }
    friend std::string operator+(const std::string& a, const SmallString& b) { return std::string_view(a) + b; }
    friend std::string operator+(const SmallString& a, char b) { return std::string(a.view()) + b; }
    friend std::ostream& operator<<(std::ostream& out, const SmallString& s);

private:
    // Inside: the bytes, then their count in the last byte. On the heap: the block's address,
    // then the count as 32 bits, and OnHeap in the last byte.
    static constexpr size_t LastByte = 15;
    static constexpr unsigned char OnHeap = 0x80;

    bool onHeap() const noexcept { return static_cast<unsigned char>(bytes_[LastByte]) == OnHeap; }
    char* heapPointer() const noexcept {
        char* p;
        std::memcpy(&p, bytes_, sizeof p);
        return p;
    }
    void init(std::string_view s);
    void release() noexcept {
        if (onHeap()) delete[] heapPointer();
    }

    char bytes_[16];
};

}  // namespace pavik

template <>
struct std::hash<pavik::SmallString> {
    size_t operator()(const pavik::SmallString& s) const noexcept { return std::hash<std::string_view>{}(s.view()); }
};
