#include "audio/OutputMixer.h"

#include <algorithm>
#include <cstring>

namespace audio {

namespace {

SDL_AudioSpec outputSpec(SDL_AudioCallback callback, void* userdata) {
    SDL_AudioSpec want{};
    want.freq = PlaybackStream::OutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = PlaybackStream::OutputChannels;
    want.samples = OutputMixer::BlockFrames;
    want.callback = callback;
    want.userdata = userdata;
    return want;
}

void SDLCALL silence(void*, Uint8* data, int length) {
    std::memset(data, 0, static_cast<std::size_t>(length));
}

} // namespace

OutputMixer::~OutputMixer() {
    close();
}

bool OutputMixer::probe() {
    SDL_AudioSpec want = outputSpec(&silence, nullptr);
    const SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (dev == 0)
        return false;
    SDL_CloseAudioDevice(dev);
    return true;
}

void OutputMixer::lock() {
    if (m_device != 0)
        SDL_LockAudioDevice(m_device);
}

void OutputMixer::unlock() {
    if (m_device != 0)
        SDL_UnlockAudioDevice(m_device);
}

bool OutputMixer::ensureOpen() {
    if (m_device != 0)
        return true;
    SDL_AudioSpec want = outputSpec(&OutputMixer::onAudio, this);
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (m_device == 0)
        return false;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void OutputMixer::add(Handle handle, std::unique_ptr<PlaybackStream> stream) {
    lock();
    m_streams.emplace(handle, std::move(stream));
    unlock();
}

bool OutputMixer::remove(Handle handle) {
    std::unique_ptr<PlaybackStream> gone;
    lock();
    auto it = m_streams.find(handle);
    if (it != m_streams.end()) {
        gone = std::move(it->second);
        m_streams.erase(it);
    }
    unlock();
    return gone != nullptr; // decoder closed here, outside the device lock
}

const PlaybackStream* OutputMixer::find(Handle handle) const {
    auto it = m_streams.find(handle);
    return it == m_streams.end() ? nullptr : it->second.get();
}

bool OutputMixer::play(Handle handle, bool restart) {
    auto it = m_streams.find(handle);
    if (it == m_streams.end() || !ensureOpen())
        return false;
    lock();
    PlaybackStream& s = *it->second;
    // A stream that ran to its end starts again; a stopped one resumes.
    if (restart || s.ended())
        s.rewind();
    s.setPlaying(true);
    unlock();
    return true;
}

void OutputMixer::stop(Handle handle) {
    auto it = m_streams.find(handle);
    if (it == m_streams.end())
        return;
    lock();
    it->second->setPlaying(false);
    unlock();
}

void OutputMixer::stopAll() {
    lock();
    for (auto& [handle, stream] : m_streams)
        stream->setPlaying(false);
    unlock();
}

bool OutputMixer::playing(Handle handle) {
    auto it = m_streams.find(handle);
    if (it == m_streams.end())
        return false;
    lock();
    const bool p = it->second->playing();
    unlock();
    return p;
}

void OutputMixer::close() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    m_streams.clear();
}

void SDLCALL OutputMixer::onAudio(void* self, Uint8* data, int length) {
    auto* m = static_cast<OutputMixer*>(self);
    const int samples = length / 2;
    const int frames = samples / PlaybackStream::OutputChannels;
    m->m_mix.assign(static_cast<std::size_t>(samples), 0);
    for (auto& [handle, stream] : m->m_streams) {
        if (stream->playing())
            stream->mixInto(m->m_mix.data(), frames);
    }
    auto* out = reinterpret_cast<std::int16_t*>(data);
    for (int i = 0; i < samples; ++i)
        out[i] =
            static_cast<std::int16_t>(std::clamp<std::int32_t>(m->m_mix[static_cast<std::size_t>(i)], -32768, 32767));
}

} // namespace audio
