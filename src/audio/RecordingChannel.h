#pragma once

#include "audio/AnswerWriter.h"
#include "audio/AudioLayer.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// One recording: the opened capture device, the user's callback and the
// writer that turns the sound into the answer's file.
//
// Timing: the device runs from open(), and every block is placed in time by
// when it arrives, so the recording holds exactly the sound captured between
// resume() and the stop: the first block is cut to the part after resume(),
// and the stop waits for the block that covers its moment and keeps that
// block's part before it. Neither end depends on when SDL looks at a pause
// flag or drops a block on closing.
//
// Threads: SDL calls onAudio() on its capture thread; beginStop() hands the
// end (waiting for the last block, closing the device, completing the file)
// to a thread of the channel; everything else runs on the layer's thread.
namespace audio {

class RecordingChannel {
public:
    // Sample rate and channels of every recording.
    static constexpr int SampleRate = 44100;
    static constexpr int Channels = 2;
    // 10 ms blocks: a whole number of blocks in every whole second, and short:
    // SDL sleeps a block's time on a paused device and then flushes what the
    // sound server delivered meanwhile, which a device just opened may hit.
    static constexpr int BlockFrames = 441;
    // Blocks over which peakLevel is taken (about 100 ms).
    static constexpr int PeakBlocks = 10;

    // bufferWait: how long the capture thread may wait for room in the buffer
    // to the writer before it drops sound (only a stalled disk gets there).
    RecordingChannel(Handle handle, RecordProc proc, void* user,
                     std::chrono::milliseconds bufferWait = std::chrono::milliseconds(2000));
    ~RecordingChannel();
    RecordingChannel(const RecordingChannel&) = delete;
    RecordingChannel& operator=(const RecordingChannel&) = delete;

    // Opens the default capture device and starts it; its sound counts from
    // resume(), or from now when recordNow. False with SDL's reason.
    bool open(bool recordNow = false);
    // The buffer the writer takes the sound from.
    SampleRing& ring() { return m_ring; }
    // Hands the writer to the capture thread.
    void attachWriter(std::unique_ptr<AnswerWriter> writer);
    bool hasEncoder() const { return m_writer != nullptr; }
    // Safe on the capture thread: the recording's sound is being kept (by the
    // buffer until the writer comes, then by the writer until it ends).
    bool encoderActive() const;

    // Starts a paused recording; false when it has ended already.
    bool resume();
    int state() const;
    // True until the device is closed.
    bool capturing() const { return m_device != 0 && !m_closed.load(); }

    // Begins the end and returns at once.
    void beginStop();
    // Ends (if not begun yet) and waits for the outcome: Ok, or why the file
    // is not a complete answer.
    ErrorCode stop();
    RecordingStatus status() const;

    std::uint64_t bytesRecorded() const { return m_bytes.load(); }
    // Frames the device delivered since it was opened, kept or not.
    std::uint64_t framesDelivered() const { return m_delivered.load(); }

private:
    enum State { Paused, Recording, Stopping, Ended };
    static void SDLCALL onAudio(void* self, Uint8* data, int length);
    void keep(const Uint8* data, int frames);
    void finishOnThread();
    static std::int64_t nowNs();

    Handle m_handle;
    RecordProc m_proc;
    void* m_user;
    std::chrono::milliseconds m_bufferWait;
    SDL_AudioDeviceID m_device = 0;
    SampleRing m_ring; // before the writer, which uses it
    std::unique_ptr<AnswerWriter> m_writer;
    std::atomic<int> m_state{Paused};
    std::atomic<bool> m_started{false}; // the first block after resume() came
    std::atomic<std::int64_t> m_startNs{0};
    std::atomic<std::int64_t> m_stopNs{0};
    std::atomic<std::int64_t> m_lastBlockNs{0};
    std::atomic<std::uint64_t> m_bytes{0};
    std::atomic<std::uint64_t> m_delivered{0};
    std::atomic<float> m_peakLast{0};   // loudest sample of the window being filled
    std::atomic<float> m_peakBefore{0}; // of the window before it
    int m_peakBlocksSeen = 0;           // capture thread only
    std::atomic<bool> m_heard{false};

    std::mutex m_stopMutex;
    std::condition_variable m_stopCv;
    std::thread m_stopper;
    std::atomic<bool> m_stopBegun{false};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_done{false};
    std::atomic<int> m_result{static_cast<int>(ErrorCode::Ok)};
};

} // namespace audio
