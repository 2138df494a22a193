#include "audio/EncoderProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace audio {

namespace {

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

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

EncoderProcess::~EncoderProcess() {
    closeFd(m_input);
    closeFd(m_output);
    closeFd(m_errors);
    if (m_pid > 0 && !hasExited())
        kill();
}

bool EncoderProcess::start(const EncoderCommand& command) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return false;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(in[0]);
        ::close(in[1]);
        errno = e;
        return false;
    }

    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), out[1], STDOUT_FILENO);
    // Its error output goes to an anonymous file in memory: it can never block the encoder,
    // and its last lines tell the technician why an encoder failed.
    closeFd(m_errors);
    m_errors = ::memfd_create("encoder-errors", MFD_CLOEXEC);
    if (m_errors >= 0)
        posix_spawn_file_actions_adddup2(actions.get(), m_errors, STDERR_FILENO);
    else
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
    ::close(in[0]);
    ::close(out[1]);
    if (rc != 0) {
        ::close(in[1]);
        ::close(out[0]);
        m_pid = -1;
        errno = rc;
        return false;
    }
    m_input = in[1];
    m_output = out[0];
    ::fcntl(m_input, F_SETFL, O_NONBLOCK);
    ::fcntl(m_output, F_SETFL, O_NONBLOCK);
    return true;
}

long EncoderProcess::write(const void* data, std::size_t bytes) {
    if (m_input < 0)
        return -1;
    // A dead reader must give EPIPE here, never a SIGPIPE that ends the station.
    sigset_t pipeSignal;
    sigset_t saved;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &saved);
    long result;
    for (;;) {
        const ssize_t w = ::write(m_input, data, bytes);
        if (w < 0 && errno == EINTR)
            continue;
        result = w >= 0 ? static_cast<long>(w) : errno == EAGAIN ? 0 : -1;
        if (w < 0 && errno == EPIPE) {
            const timespec zero{};
            sigtimedwait(&pipeSignal, nullptr, &zero);
        }
        break;
    }
    pthread_sigmask(SIG_SETMASK, &saved, nullptr);
    return result;
}

long EncoderProcess::read(void* out, std::size_t maxBytes) {
    if (m_output < 0)
        return -1;
    for (;;) {
        const ssize_t r = ::read(m_output, out, maxBytes);
        if (r > 0)
            return static_cast<long>(r);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno == EAGAIN)
            return 0;
        return -1;
    }
}

void EncoderProcess::closeInput() {
    closeFd(m_input);
}

bool EncoderProcess::hasExited() {
    if (m_exited || m_pid <= 0)
        return true;
    int status = 0;
    pid_t r;
    while ((r = ::waitpid(m_pid, &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (r == m_pid || (r < 0 && errno == ECHILD)) {
        m_status = r == m_pid ? status : -1;
        m_exited = true;
    }
    return m_exited;
}

bool EncoderProcess::waitExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!hasExited()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void EncoderProcess::kill() {
    if (m_pid <= 0 || hasExited())
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_status = status;
    m_exited = true;
}

QString EncoderProcess::errorTail(int maxLines) const {
    if (m_errors < 0)
        return {};
    struct stat info {};
    if (::fstat(m_errors, &info) != 0 || info.st_size <= 0)
        return {};
    constexpr off_t kTail = 4096;
    const off_t from = std::max<off_t>(0, info.st_size - kTail);
    QByteArray bytes(static_cast<qsizetype>(info.st_size - from), '\0');
    const ssize_t got = ::pread(m_errors, bytes.data(), static_cast<size_t>(bytes.size()), from);
    if (got <= 0)
        return {};
    bytes.truncate(got);
    QStringList lines =
        QString::fromLocal8Bit(bytes).split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    if (lines.size() > maxLines)
        lines = lines.mid(lines.size() - maxLines);
    return lines.join(QLatin1Char('\n'));
}

bool EncoderProcess::exitedCleanly() const {
    return m_exited && m_status >= 0 && WIFEXITED(m_status) && WEXITSTATUS(m_status) == 0;
}

} // namespace audio
