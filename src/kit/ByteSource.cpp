#include "kit/ByteSource.h"

#include <cstring>

namespace kit {

ByteSource::ByteSource(std::string_view memory)
    : m_memory(memory), m_size(memory.size()), m_begin(reinterpret_cast<const unsigned char*>(memory.data())),
      m_end(m_begin + memory.size()) {}

ByteSource::ByteSource(std::FILE* file, std::uint64_t size) : m_file(file), m_size(size) {}

bool ByteSource::fill() {
    if (m_file == nullptr || remaining() == 0)
        return false;
    const std::size_t want = remaining() < kBufferSize ? static_cast<std::size_t>(remaining()) : kBufferSize;
    const std::size_t got = std::fread(m_buffer, 1, want, m_file);
    if (got == 0) {
        m_size = m_position; // the file shrank or failed: treat as its end
        return false;
    }
    m_begin = m_buffer;
    m_end = m_buffer + got;
    return true;
}

bool ByteSource::read(void* dst, std::size_t n) {
    auto* out = static_cast<unsigned char*>(dst);
    if (n > remaining())
        return false;
    while (n > 0) {
        if (m_begin == m_end) {
            // Large reads bypass the buffer.
            if (m_file != nullptr && n >= kBufferSize) {
                const std::size_t got = std::fread(out, 1, n, m_file);
                m_position += got;
                if (got != n) {
                    m_size = m_position;
                    return false;
                }
                return true;
            }
            if (!fill())
                return false;
        }
        const std::size_t take = std::min(n, static_cast<std::size_t>(m_end - m_begin));
        std::memcpy(out, m_begin, take);
        m_begin += take;
        m_position += take;
        out += take;
        n -= take;
    }
    return true;
}

bool ByteSource::readByte(unsigned char* b) {
    if (m_begin == m_end && !fill())
        return false;
    *b = *m_begin++;
    ++m_position;
    return true;
}

int ByteSource::peek() {
    if (m_begin == m_end && !fill())
        return -1;
    return *m_begin;
}

bool ByteSource::readBytes(std::uint64_t n, std::string* out) {
    if (n > remaining())
        return false;
    // Shrinking keeps the capacity, so a reused buffer is not allocated again.
    out->resize(static_cast<std::size_t>(n));
    return read(out->data(), static_cast<std::size_t>(n));
}

} // namespace kit
