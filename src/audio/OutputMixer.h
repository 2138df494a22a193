#pragma once

#include "audio/AudioLayer.h"
#include "audio/PlaybackStream.h"

#include <SDL.h>

#include <map>
#include <memory>
#include <vector>

// The output device and the streams that play on it, mixed.
//
// The device is opened at the first play and stays open until close(): an idle
// station keeps no device busy. Streams are added, removed, started and
// stopped on the user-interface thread under the device lock; the device
// thread mixes them in its callback.
namespace audio {

class OutputMixer {
public:
    static constexpr int BlockFrames = 1024;

    OutputMixer() = default;
    ~OutputMixer();
    OutputMixer(const OutputMixer&) = delete;
    OutputMixer& operator=(const OutputMixer&) = delete;

    // Opens and closes the default output device to see that it is there.
    static bool probe();

    void add(Handle handle, std::unique_ptr<PlaybackStream> stream);
    bool remove(Handle handle);
    // Length queries only; the stream stays owned here.
    const PlaybackStream* find(Handle handle) const;

    // False when the device cannot be opened.
    bool play(Handle handle, bool restart);
    void stop(Handle handle);
    void stopAll();
    bool playing(Handle handle);
    // Closes the device and frees every stream.
    void close();

private:
    static void SDLCALL onAudio(void* self, Uint8* data, int length);
    bool ensureOpen();
    void lock();
    void unlock();

    SDL_AudioDeviceID m_device = 0;
    std::map<Handle, std::unique_ptr<PlaybackStream>> m_streams;
    std::vector<std::int32_t> m_mix; // device thread only
};

} // namespace audio
