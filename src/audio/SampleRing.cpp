#include "audio/SampleRing.h"

#include <algorithm>
#include <cstring>

namespace audio {

SampleRing::SampleRing(std::size_t capacity) : m_buffer(capacity) {}

std::size_t SampleRing::push(const void* data, std::size_t bytes, std::chrono::milliseconds maxWait) {
    const auto* src = static_cast<const std::uint8_t*>(data);
    const auto deadline = std::chrono::steady_clock::now() + maxWait;
    std::unique_lock lock(m_mutex);
    while (bytes > 0) {
        if (m_abandoned || m_closed)
            break;
        if (m_size == m_buffer.size()) {
            if (!m_roomReady.wait_until(lock, deadline, [this] { return m_size < m_buffer.size() || m_abandoned; }))
                break;
            continue;
        }
        const std::size_t tail = (m_head + m_size) % m_buffer.size();
        const std::size_t chunk = std::min({bytes, m_buffer.size() - m_size, m_buffer.size() - tail});
        std::memcpy(m_buffer.data() + tail, src, chunk);
        m_size += chunk;
        src += chunk;
        bytes -= chunk;
        m_dataReady.notify_one();
    }
    m_dropped += bytes;
    return bytes;
}

std::size_t SampleRing::pop(void* out, std::size_t maxBytes) {
    auto* dst = static_cast<std::uint8_t*>(out);
    std::unique_lock lock(m_mutex);
    m_dataReady.wait(lock, [this] { return m_size > 0 || m_closed; });
    std::size_t taken = 0;
    while (taken < maxBytes && m_size > 0) {
        const std::size_t chunk = std::min({maxBytes - taken, m_size, m_buffer.size() - m_head});
        std::memcpy(dst + taken, m_buffer.data() + m_head, chunk);
        m_head = (m_head + chunk) % m_buffer.size();
        m_size -= chunk;
        taken += chunk;
    }
    m_roomReady.notify_one();
    return taken;
}

std::size_t SampleRing::tryPop(void* out, std::size_t maxBytes) {
    {
        std::lock_guard lock(m_mutex);
        if (m_size == 0)
            return 0;
    }
    return pop(out, maxBytes);
}

void SampleRing::waitForData(std::chrono::milliseconds maxWait) {
    std::unique_lock lock(m_mutex);
    m_dataReady.wait_for(lock, maxWait, [this] { return m_size > 0 || m_closed; });
}

bool SampleRing::drained() const {
    std::lock_guard lock(m_mutex);
    return m_closed && m_size == 0;
}

void SampleRing::close() {
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_dataReady.notify_all();
    m_roomReady.notify_all();
}

void SampleRing::abandon() {
    std::lock_guard lock(m_mutex);
    m_abandoned = true;
    m_dataReady.notify_all();
    m_roomReady.notify_all();
}

std::uint64_t SampleRing::droppedBytes() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

} // namespace audio
