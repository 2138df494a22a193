#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// A bounded byte queue between the capture thread (one producer) and the
// encoder's writer thread (one consumer). The lock is held only to copy bytes,
// never across a write to the encoder, so the capture thread cannot be held up
// by a slow or stuck encoder for longer than the push's own bounded wait.
namespace audio {

class SampleRing {
public:
    explicit SampleRing(std::size_t capacity);

    // Appends bytes, waiting at most maxWait in all for room. Returns the number
    // of bytes dropped (0 when everything fitted). After abandon() everything
    // is dropped at once.
    std::size_t push(const void* data, std::size_t bytes, std::chrono::milliseconds maxWait);
    // Takes up to maxBytes, waiting until there is something or the ring is
    // closed; returns 0 only when closed and empty.
    std::size_t pop(void* out, std::size_t maxBytes);

    // Takes up to maxBytes that are there now, without waiting.
    std::size_t tryPop(void* out, std::size_t maxBytes);
    // Waits up to maxWait until there is something to pop or the ring is closed.
    void waitForData(std::chrono::milliseconds maxWait);
    // Closed and everything popped.
    bool drained() const;

    // No more pushes: pop drains what is left and then returns 0.
    void close();
    // The consumer has gone: pushes drop their bytes without waiting.
    void abandon();

    std::uint64_t droppedBytes() const;

private:
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_head = 0; // next byte to pop
    std::size_t m_size = 0;
    bool m_closed = false;
    bool m_abandoned = false;
    std::uint64_t m_dropped = 0;
    mutable std::mutex m_mutex;
    std::condition_variable m_dataReady;
    std::condition_variable m_roomReady;
};

} // namespace audio
