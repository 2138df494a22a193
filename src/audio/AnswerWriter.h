#pragma once

#include "audio/AudioLayer.h"
#include "audio/EncoderCommand.h"
#include "audio/SampleRing.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Turns the recorded sound of one answer into its Ogg Vorbis file, whatever
// happens to the encoder on the way.
//
// The capture thread pushes sound into a bounded buffer (SampleRing); the writer's own
// thread appends it to the answer's spool (raw sound beside the answer, see
// AnswerSpool), feeds the encoder from the spool, and writes the encoder's
// output (its standard output) into the answer's file, pushing it to the disk
// once a second so a power cut loses at most about a second. An encoder that
// dies, stops taking sound for encoderStallMs, or whose output cannot be
// written, is replaced: the new one gets the whole answer again from the
// spool and writes beside the answer until it has caught up, then takes the
// answer's name. The answer ends as one file under its name; the spool goes
// once that file is complete and checked (its last page says it holds every
// frame).
//
// Threads: the status getters on any thread;
// everything else on the owner's thread. The destructor finishes nothing: it
// kills the encoder and keeps the spool.
namespace audio {

class AnswerWriter {
public:
    struct Settings {
        QString answerPath; // absolute
        QString workingDir; // the encoder runs there
        // The encoder program to run now; empty when there is none.
        std::function<QString()> locateEncoder;
        std::chrono::milliseconds exitTimeout{15000};  // after its input is closed
        std::chrono::milliseconds stallTimeout{1200};  // no sound taken while some waits
        std::chrono::milliseconds syncInterval{1000};  // output and spool to the disk
        std::chrono::milliseconds retryInterval{1000}; // between attempts after a failure
        int finishAttempts = 3;                        // encoders tried after the end before giving up
    };

    // ring: the sound from the capture thread; it must outlive the writer.
    AnswerWriter(Settings settings, SampleRing& ring);
    ~AnswerWriter();
    AnswerWriter(const AnswerWriter&) = delete;
    AnswerWriter& operator=(const AnswerWriter&) = delete;

    // Opens the answer's file and starts the first encoder and the thread.
    // False with the reason (EncoderNotFound, EncoderStart, FolderNotWritable,
    // DiskFull) when that first attempt fails; nothing is left behind then.
    bool start(ErrorCode& error);

    // No more sound; the writer completes the file on its own thread.
    void finish();
    // Waits for the end of finish(); then result() holds.
    void waitFinished();
    bool finished() const { return m_finished.load(); }
    // Ok when the answer's file is complete; else why not (the spool is kept).
    ErrorCode result() const { return static_cast<ErrorCode>(m_result.load()); }

    // The failure in force now (Ok while an encoder takes the sound well).
    ErrorCode problem() const { return static_cast<ErrorCode>(m_problem.load()); }
    std::uint32_t failureCount() const { return m_failures.load(); }
    ErrorCode lastFailure() const { return static_cast<ErrorCode>(m_lastFailure.load()); }
    bool encoderRunning() const { return m_encoderRunning.load(); }
    std::uint64_t spooledBytes() const { return m_spooled.load(); }
    std::uint64_t droppedBytes() const { return m_ring.droppedBytes(); }
    QString spoolPath() const;

private:
    class Run;
    void loop();
    bool startEncoder(ErrorCode& error);
    void fail(ErrorCode code);
    void drainRing();
    bool serviceEncoder();
    bool completeRun(ErrorCode& error);
    void syncIfDue(bool force);

    Settings m_settings;
    SampleRing& m_ring;
    std::vector<char> m_buffer; // the writer thread's scratch
    std::unique_ptr<class AnswerSpool> m_spool;
    std::unique_ptr<Run> m_run;
    std::thread m_thread;
    std::atomic<bool> m_finishRequested{false};
    std::atomic<bool> m_abort{false}; // the owner goes: stop at once
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_result{static_cast<int>(ErrorCode::Ok)};
    std::atomic<int> m_problem{static_cast<int>(ErrorCode::Ok)};
    std::atomic<int> m_lastFailure{static_cast<int>(ErrorCode::Ok)};
    std::atomic<std::uint32_t> m_failures{0};
    std::atomic<bool> m_encoderRunning{false};
    std::atomic<std::uint64_t> m_spooled{0};
    std::mutex m_doneMutex;
    std::condition_variable m_doneCv;

    // Writer thread only.
    int m_attempts = 0;       // encoders started
    int m_finishFailures = 0; // failures after finish()
    std::chrono::steady_clock::time_point m_retryAt;
    std::chrono::steady_clock::time_point m_lastSync;
};

} // namespace audio
