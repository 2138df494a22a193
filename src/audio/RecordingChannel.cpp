#include "audio/RecordingChannel.h"

#include <utility>

namespace audio {

RecordingChannel::RecordingChannel(Handle handle, RecordProc proc, void* user)
    : m_handle(handle), m_proc(proc), m_user(user) {}

RecordingChannel::~RecordingChannel() {
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
}

bool RecordingChannel::open() {
    SDL_AudioSpec want{};
    want.freq = SampleRate;
    want.format = AUDIO_S16LSB;
    want.channels = Channels;
    want.samples = BlockFrames;
    want.callback = &RecordingChannel::onAudio;
    want.userdata = this;
    // No allowed changes: SDL converts whatever the device delivers to our format.
    m_device = SDL_OpenAudioDevice(nullptr, 1, &want, nullptr, 0);
    return m_device != 0;
}

void RecordingChannel::attachEncoder(std::unique_ptr<EncoderProcess> encoder) {
    SDL_LockAudioDevice(m_device);
    m_encoder = std::move(encoder);
    SDL_UnlockAudioDevice(m_device);
}

bool RecordingChannel::encoderActive() const {
    return m_encoder && m_encoder->isActive();
}

bool RecordingChannel::resume() {
    int expected = Paused;
    if (!m_state.compare_exchange_strong(expected, Recording) && expected != Recording)
        return false;
    SDL_PauseAudioDevice(m_device, 0);
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

EncoderProcess::Outcome RecordingChannel::stop(std::chrono::milliseconds encoderTimeout) {
    m_state = Closed;
    if (m_device != 0) {
        // Joins the capture thread: no block reaches the encoder after this.
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    if (!m_encoder)
        return EncoderProcess::Outcome::Complete;
    const auto outcome = m_encoder->finish(encoderTimeout);
    m_encoder.reset();
    return outcome;
}

void SDLCALL RecordingChannel::onAudio(void* self, Uint8* data, int length) {
    auto* c = static_cast<RecordingChannel*>(self);
    if (c->m_state.load() != Recording || length <= 0)
        return;
    const auto bytes = static_cast<std::uint32_t>(length);
    c->m_bytes += bytes;
    if (c->m_encoder)
        c->m_encoder->push(data, bytes);
    if (c->m_proc && !c->m_proc(c->m_handle, data, bytes, c->m_user)) {
        c->m_state = Ended;
        // SDL's device lock is recursive, so pausing from inside the callback is
        // safe; it spares the thread from reading a device nobody listens to.
        SDL_PauseAudioDevice(c->m_device, 1);
    }
}

} // namespace audio
