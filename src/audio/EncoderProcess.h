#pragma once

#include "audio/EncoderCommand.h"
#include "audio/SampleRing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/types.h>

// One run of the external encoder: the process, the pipe to its standard
// input, and the writer thread that feeds the pipe from a SampleRing.
//
// Threads: start() and finish() on the owner's thread; push() and isActive()
// on the capture thread; the writer thread is internal. The destructor kills a
// process that is still running and joins the writer, so an owner never leaks
// a child or a thread.
namespace audio {

class EncoderProcess {
public:
    enum class Outcome {
        Complete, // the encoder read everything and exited with status 0
        Failed,   // it exited early, failed or was killed by someone else
        TimedOut, // it did not exit in time after its input was closed; killed
        Overrun,  // it exited well but sound had to be dropped on the way
    };

    EncoderProcess(std::size_t bufferBytes, std::chrono::milliseconds bufferWait);
    ~EncoderProcess();
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Starts the program and queues the WAV header. Returns false with errno
    // set when the process cannot be started.
    bool start(const EncoderCommand& command, const QByteArray& header);

    // Queues recorded sound; never waits longer than the buffer wait.
    void push(const void* data, std::size_t bytes);
    // True while the process runs and takes its input.
    bool isActive();

    // Closes the input and waits up to timeout for the process to exit, then
    // kills it. Returns how the run ended.
    Outcome finish(std::chrono::milliseconds timeout);

    pid_t pid() const { return m_pid; }

private:
    void writerLoop();

    SampleRing m_ring;
    std::chrono::milliseconds m_bufferWait;
    pid_t m_pid = -1;
    int m_pipe = -1; // write end, owned by the writer thread once it runs
    std::thread m_writer;
    std::atomic<bool> m_active{false};
    std::atomic<bool> m_writeFailed{false};

    std::mutex m_mutex; // guards the fields below and the reaping of m_pid
    std::condition_variable m_exitedCv;
    bool m_exited = false; // the process has ended and been reaped; m_status says how
    int m_status = 0;
};

} // namespace audio
