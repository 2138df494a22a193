#include "audio/RecordingChannel.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace audio {

namespace {

constexpr int FrameBytes = 4;
// How long the stop waits for the block that covers its moment: a few blocks
// and the sound server's latency (or a burst), generously. A dead device
// gives nothing.
constexpr auto LastBlockWait = std::chrono::milliseconds(400);
// No block for this long while recording: the device has stopped delivering.
constexpr std::int64_t DeviceSilentNs = 1'000'000'000;
// A recording that lasted this long must hold at least this share of its
// duration; less is a device that delivered far too little.
constexpr double ShortestChecked = 0.3;
constexpr double LeastShare = 0.5;

std::int64_t framesIn(std::int64_t ns) {
    return ns <= 0 ? 0 : (ns * RecordingChannel::SampleRate + 500'000'000) / 1'000'000'000;
}

} // namespace

// About six seconds of sound: while an encoder starts the capture thread
// never waits, and memory stays flat over the longest answer.
constexpr std::size_t RingBytes = 1024 * 1024;

RecordingChannel::RecordingChannel(Handle handle, RecordProc proc, void* user, std::chrono::milliseconds bufferWait)
    : m_handle(handle), m_proc(proc), m_user(user), m_bufferWait(bufferWait), m_ring(RingBytes) {}

RecordingChannel::~RecordingChannel() {
    if (m_stopper.joinable())
        m_stopper.join();
    if (m_device != 0 && !m_closed)
        SDL_CloseAudioDevice(m_device);
}

std::int64_t RecordingChannel::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool RecordingChannel::open(bool recordNow) {
    SDL_AudioSpec want{};
    want.freq = SampleRate;
    want.format = AUDIO_S16LSB;
    want.channels = Channels;
    want.samples = BlockFrames;
    want.callback = &RecordingChannel::onAudio;
    want.userdata = this;
    // No allowed changes: SDL converts whatever the device delivers to our format.
    m_device = SDL_OpenAudioDevice(nullptr, 1, &want, nullptr, 0);
    if (m_device == 0)
        return false;
    // Counts as a block: the device is given its first block's time before
    // it is taken for silent.
    m_lastBlockNs = nowNs();
    if (recordNow)
        resume();
    // Running from now: SDL looks at its pause flag once a block and a
    // sound server drops what came while paused, so a start by unpausing
    // would lose up to a block.
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void RecordingChannel::attachWriter(std::unique_ptr<AnswerWriter> writer) {
    SDL_LockAudioDevice(m_device);
    m_writer = std::move(writer);
    SDL_UnlockAudioDevice(m_device);
}

bool RecordingChannel::encoderActive() const {
    // Before the writer comes the buffer keeps the sound for it.
    return !m_writer || !m_writer->finished();
}

bool RecordingChannel::resume() {
    if (m_state.load() == Recording)
        return true;
    if (m_state.load() != Paused)
        return false;
    m_startNs = nowNs();
    m_state = Recording;
    return true;
}

int RecordingChannel::state() const {
    switch (m_state.load()) {
    case Paused:
        return audio::Paused;
    case Recording:
        return audio::Playing;
    default:
        return audio::Stopped;
    }
}

void RecordingChannel::keep(const Uint8* data, int frames) {
    if (frames <= 0)
        return;
    const auto bytes = static_cast<std::uint32_t>(frames * FrameBytes);
    m_bytes += bytes;
    // Before the writer comes (while its encoder starts) the buffer holds the
    // sound; a channel that never gets one must not hold the device up.
    m_ring.push(data, bytes, m_writer ? m_bufferWait : std::chrono::milliseconds(0));
    // Loud enough anywhere in the block: the recording has heard something.
    if (!m_heard.load(std::memory_order_relaxed)) {
        const auto* s = reinterpret_cast<const std::int16_t*>(data);
        double sum = 0;
        for (int i = 0; i < frames * Channels; ++i)
            sum += static_cast<double>(s[i]) * s[i];
        if (std::sqrt(sum / (frames * Channels)) / 32768.0 >= SilenceFloor)
            m_heard = true;
    }
    if (m_proc && !m_proc(m_handle, data, bytes, m_user)) {
        m_stopNs = m_lastBlockNs.load();
        {
            std::lock_guard lock(m_stopMutex);
            m_state = Ended;
        }
        m_stopCv.notify_all();
        // SDL's device lock is recursive, so pausing from inside the callback
        // is safe; it spares the thread from reading a device nobody hears.
        SDL_PauseAudioDevice(m_device, 1);
    }
}

void SDLCALL RecordingChannel::onAudio(void* self, Uint8* data, int length) {
    auto* c = static_cast<RecordingChannel*>(self);
    if (length <= 0)
        return;
    const std::int64_t now = nowNs();
    const int frames = length / FrameBytes;
    c->m_delivered += static_cast<std::uint64_t>(frames);
    c->m_lastBlockNs = now;

    const auto* s = reinterpret_cast<const std::int16_t*>(data);
    int peak = 0;
    for (int i = 0; i < frames * Channels; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    const auto level = static_cast<float>(std::min(1.0, peak / 32768.0));
    if (++c->m_peakBlocksSeen >= PeakBlocks) {
        c->m_peakBlocksSeen = 0;
        c->m_peakBefore = c->m_peakLast.load();
        c->m_peakLast = level;
    } else {
        c->m_peakLast = std::max(c->m_peakLast.load(), level);
    }

    const int state = c->m_state.load();
    if (state != Recording && state != Stopping)
        return;
    // The block's frames were captured during the block's duration before
    // now: keep those after the start and before the stop.
    // The device's very first block began when the device opened, no earlier
    // than the start.
    int from = 0;
    if (!c->m_started.exchange(true) && c->m_delivered.load() > static_cast<std::uint64_t>(frames))
        from = frames - static_cast<int>(std::min<std::int64_t>(frames, framesIn(now - c->m_startNs.load())));
    int to = frames;
    if (state == Stopping)
        to = frames - static_cast<int>(std::min<std::int64_t>(frames, framesIn(now - c->m_stopNs.load())));
    c->keep(data + from * FrameBytes, to - from);
    if (state == Stopping) {
        {
            std::lock_guard lock(c->m_stopMutex);
            c->m_state = Ended;
        }
        c->m_stopCv.notify_all();
    }
}

void RecordingChannel::beginStop() {
    if (m_stopBegun.exchange(true))
        return;
    {
        std::lock_guard lock(m_stopMutex);
        int expected = Recording;
        m_stopNs = nowNs();
        if (!m_state.compare_exchange_strong(expected, Stopping) && expected == Paused)
            m_state = Ended;
    }
    m_stopper = std::thread([this] { finishOnThread(); });
}

void RecordingChannel::finishOnThread() {
    {
        std::unique_lock lock(m_stopMutex);
        if (!m_stopCv.wait_for(lock, LastBlockWait, [this] { return m_state.load() == Ended; }))
            m_state = Ended; // the device delivers nothing more
    }
    if (m_device != 0) {
        // Joins SDL's capture thread: nothing reaches the writer after this.
        SDL_CloseAudioDevice(m_device);
        m_closed = true;
    }
    m_ring.close();
    ErrorCode result = ErrorCode::Ok;
    if (m_writer) {
        m_writer->finish();
        m_writer->waitFinished();
        result = m_writer->result();
    }
    const std::int64_t startNs = m_startNs.load();
    if (result == ErrorCode::Ok && startNs != 0) {
        const double lasted = static_cast<double>(m_stopNs.load() - startNs) / 1e9;
        const double kept = static_cast<double>(m_bytes.load()) / (FrameBytes * SampleRate);
        if (lasted >= ShortestChecked && kept < LeastShare * lasted)
            result = ErrorCode::NoSound;
    }
    m_result = static_cast<int>(result);
    m_done = true;
}

ErrorCode RecordingChannel::stop() {
    beginStop();
    if (m_stopper.joinable())
        m_stopper.join();
    return static_cast<ErrorCode>(m_result.load());
}

RecordingStatus RecordingChannel::status() const {
    RecordingStatus s;
    s.valid = true;
    const int state = m_state.load();
    const bool delivering = nowNs() - m_lastBlockNs.load() < DeviceSilentNs;
    s.capturing = (state == Recording || state == Stopping) && delivering && !m_closed;
    s.finishing = m_stopBegun.load() && !m_done.load();
    s.finished = m_done.load();
    if (m_writer) {
        s.problem = m_writer->problem();
        s.lastFailure = m_writer->lastFailure();
        s.failures = m_writer->failureCount();
    }
    if (state == Recording && !delivering && s.problem == ErrorCode::Ok)
        s.problem = ErrorCode::Device;
    if (s.finished)
        s.result = static_cast<ErrorCode>(m_result.load());
    s.recordedSeconds = static_cast<double>(m_bytes.load()) / (FrameBytes * SampleRate);
    s.peakLevel = std::max(m_peakLast.load(), m_peakBefore.load());
    s.silentSoFar = !m_heard.load();
    return s;
}

} // namespace audio
