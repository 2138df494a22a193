#pragma once

#include "audio/EncoderCommand.h"

#include <QString>

#include <chrono>
#include <cstddef>

#include <sys/types.h>

// One run of the external encoder: the process and the two pipes, its standard
// input (sound in) and its standard output (the encoded file out). No thread
// of its own: the owner drives both pipes, which are non-blocking on our side,
// so a stuck encoder can never hold the owner up.
//
// Threads: one owner thread at a time. The destructor kills a process that is
// still running and reaps it, so an owner never leaks a child.
namespace audio {

class EncoderProcess {
public:
    EncoderProcess() = default;
    ~EncoderProcess();
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Starts the program. False with errno set when it cannot be started.
    bool start(const EncoderCommand& command);

    int inputFd() const { return m_input; }
    int outputFd() const { return m_output; }

    // Writes what the pipe takes now: the bytes taken, 0 when the pipe is
    // full, -1 when the encoder no longer reads its input.
    long write(const void* data, std::size_t bytes);
    // Reads what the encoder has written: the bytes read, 0 when nothing is
    // there yet, -1 at the end of its output (it closed it or exited).
    long read(void* out, std::size_t maxBytes);
    // No more sound: the encoder finishes the file and exits.
    void closeInput();

    // True once the process has ended; it is reaped then and exitedCleanly()
    // tells how it ended.
    bool hasExited();
    // Waits up to timeout for the process to end; false if it still runs.
    bool waitExit(std::chrono::milliseconds timeout);
    // Ends it now (SIGKILL) and reaps it.
    void kill();
    bool exitedCleanly() const;

    pid_t pid() const { return m_pid; }

    // The last lines the encoder wrote to its error output (kept in memory, not on a
    // pipe that could fill), for the technician's log when it fails.
    QString errorTail(int maxLines = 5) const;

private:
    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_errors = -1;
    bool m_exited = false;
    int m_status = 0;
};

} // namespace audio
