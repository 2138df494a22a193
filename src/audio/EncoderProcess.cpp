#include "audio/EncoderProcess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace audio {

namespace {

constexpr std::size_t WriteChunk = 64 * 1024;

// Owns the actions of one posix_spawn call.
class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

} // namespace

EncoderProcess::EncoderProcess(std::size_t bufferBytes, std::chrono::milliseconds bufferWait)
    : m_ring(bufferBytes), m_bufferWait(bufferWait) {}

EncoderProcess::~EncoderProcess() {
    if (m_writer.joinable())
        finish(std::chrono::milliseconds(0));
    if (m_pipe >= 0)
        ::close(m_pipe);
}

bool EncoderProcess::start(const EncoderCommand& command, const QByteArray& header) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;

    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), fds[0], STDIN_FILENO);
    // The encoder's progress display would only fill a pipe nobody reads.
    posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray dir = QFile::encodeName(command.workingDir);
    if (!dir.isEmpty())
        posix_spawn_file_actions_addchdir_np(actions.get(), dir.constData());

    std::vector<QByteArray> args;
    args.push_back(QFile::encodeName(command.program));
    for (const QString& a : command.arguments)
        args.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const int rc = ::posix_spawn(&m_pid, args.front().constData(), actions.get(), nullptr, argv.data(), environ);
    ::close(fds[0]);
    if (rc != 0) {
        ::close(fds[1]);
        m_pid = -1;
        errno = rc;
        return false;
    }
    m_pipe = fds[1];
    m_active = true;
    m_ring.push(header.constData(), static_cast<std::size_t>(header.size()), m_bufferWait);
    m_writer = std::thread([this] { writerLoop(); });
    return true;
}

void EncoderProcess::push(const void* data, std::size_t bytes) {
    if (m_active.load(std::memory_order_relaxed))
        m_ring.push(data, bytes, m_bufferWait);
}

bool EncoderProcess::isActive() {
    if (!m_active.load())
        return false;
    // A process that died between two writes is noticed here, not only at the
    // next write. WNOWAIT leaves the reaping to the writer.
    std::lock_guard lock(m_mutex);
    if (m_exited)
        return false;
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0) {
        m_active = false;
        m_ring.abandon();
        return false;
    }
    return true;
}

void EncoderProcess::writerLoop() {
    // A dead reader turns a write into EPIPE here instead of killing the station.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    std::vector<char> chunk(WriteChunk);
    for (;;) {
        const std::size_t n = m_ring.pop(chunk.data(), chunk.size());
        if (n == 0)
            break;
        std::size_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(m_pipe, chunk.data() + done, n - done);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                m_writeFailed = true;
                break;
            }
            done += static_cast<std::size_t>(w);
        }
        if (m_writeFailed)
            break;
    }
    if (m_writeFailed) {
        m_active = false;
        m_ring.abandon();
        const timespec zero{};
        sigtimedwait(&pipeSignal, nullptr, &zero);
    }
    ::close(m_pipe);
    m_pipe = -1;

    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard lock(m_mutex);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_status = status;
    m_exited = true;
    m_active = false;
    m_exitedCv.notify_all();
}

EncoderProcess::Outcome EncoderProcess::finish(std::chrono::milliseconds timeout) {
    if (!m_writer.joinable())
        return Outcome::Failed;
    m_ring.close();
    bool killed = false;
    {
        std::unique_lock lock(m_mutex);
        if (!m_exitedCv.wait_for(lock, timeout, [this] { return m_exited; })) {
            // Still running: the file will never be finished; stop it so the
            // station goes on.
            ::kill(m_pid, SIGKILL);
            killed = true;
        }
    }
    m_ring.abandon();
    m_writer.join();
    if (killed)
        return Outcome::TimedOut;
    if (m_writeFailed || !WIFEXITED(m_status) || WEXITSTATUS(m_status) != 0)
        return Outcome::Failed;
    if (m_ring.droppedBytes() > 0)
        return Outcome::Overrun;
    return Outcome::Complete;
}

} // namespace audio
