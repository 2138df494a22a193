#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Sequential reader over a memory block or an open file, through a 16384-byte
// buffer. The total size is known up front, so a length read from the data can be
// checked against what is really left before anything is allocated.
// Does not own the memory or the FILE it reads.
namespace kit {

class ByteSource {
public:
    explicit ByteSource(std::string_view memory);
    // The file must be open for binary reading; size is its length in bytes.
    ByteSource(std::FILE* file, std::uint64_t size);

    std::uint64_t size() const { return m_size; }
    std::uint64_t position() const { return m_position; }
    std::uint64_t remaining() const { return m_size - m_position; }

    // False at the end of the data (or on a read error of the file).
    bool read(void* dst, std::size_t n);
    bool readByte(unsigned char* b);
    // The next byte without consuming it; -1 at the end.
    int peek();
    // Reads n bytes into *out; false when fewer are left (nothing allocated then).
    bool readBytes(std::uint64_t n, std::string* out);

private:
    bool fill();

    static constexpr std::size_t kBufferSize = 16384;

    std::string_view m_memory;
    std::FILE* m_file = nullptr;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    // Window of buffered bytes: [m_begin, m_end) of m_buffer, or of m_memory.
    const unsigned char* m_begin = nullptr;
    const unsigned char* m_end = nullptr;
    unsigned char m_buffer[kBufferSize];
};

} // namespace kit
