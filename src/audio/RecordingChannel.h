#pragma once

#include "audio/AudioLayer.h"
#include "audio/EncoderProcess.h"

#include <SDL.h>

#include <atomic>
#include <memory>

// One recording: the opened capture device, the user's callback and the
// encoder attached to it.
//
// Threads: SDL calls onAudio() on its capture thread, under the device lock;
// everything else runs on the layer's (user-interface) thread. stop() closes
// the device before it touches the encoder, so the capture thread is gone by
// then.
namespace audio {

class RecordingChannel {
public:
    // Sample rate and channels of every recording.
    static constexpr int SampleRate = 44100;
    static constexpr int Channels = 2;
    // 50 ms blocks: a whole number of blocks in every whole second.
    static constexpr int BlockFrames = 2205;

    RecordingChannel(Handle handle, RecordProc proc, void* user);
    ~RecordingChannel();
    RecordingChannel(const RecordingChannel&) = delete;
    RecordingChannel& operator=(const RecordingChannel&) = delete;

    // Opens the default capture device, paused. False with SDL's reason.
    bool open();
    // Hands the encoder to the capture thread.
    void attachEncoder(std::unique_ptr<EncoderProcess> encoder);
    bool hasEncoder() const { return m_encoder != nullptr; }
    // Safe on the capture thread.
    bool encoderActive() const;

    // Starts a paused recording; false when it has ended already.
    bool resume();
    int state() const;
    // Closes the device and finishes the encoder; Complete when there was none.
    EncoderProcess::Outcome stop(std::chrono::milliseconds encoderTimeout);

    std::uint64_t bytesRecorded() const { return m_bytes.load(); }

private:
    enum State { Paused, Recording, Ended, Closed };
    static void SDLCALL onAudio(void* self, Uint8* data, int length);

    Handle m_handle;
    RecordProc m_proc;
    void* m_user;
    SDL_AudioDeviceID m_device = 0;
    std::unique_ptr<EncoderProcess> m_encoder;
    std::atomic<int> m_state{Paused};
    std::atomic<std::uint64_t> m_bytes{0};
};

} // namespace audio
