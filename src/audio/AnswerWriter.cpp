#include "audio/AnswerWriter.h"

#include "audio/AnswerSpool.h"
#include "audio/EncoderProcess.h"
#include "audio/OggInspect.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The technician's log takes every "zunt." category.
Q_LOGGING_CATEGORY(encoderLog, "zunt.audio")

} // namespace

namespace audio {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t Chunk = 64 * 1024;
constexpr int FrameBytes = 4;
// A run that took the sound this long before it failed was no start-up
// failure: its replacement starts at once.
constexpr auto HealthyRun = std::chrono::seconds(5);
constexpr auto QuickRetry = milliseconds(100);

ErrorCode writeError(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? ErrorCode::DiskFull : ErrorCode::FolderNotWritable;
}

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

// One encoder and the file it writes.
class AnswerWriter::Run {
public:
    EncoderProcess process;
    QByteArray header;
    qsizetype headerSent = 0;
    std::uint64_t fed = 0; // bytes of the spool given to the encoder
    int out = -1;
    QString outPath;
    bool temporary = false; // writes beside the answer until it has caught up
    std::uint64_t outBytes = 0;
    bool inputClosed = false;
    bool outputEnded = false;
    Clock::time_point started = Clock::now();
    Clock::time_point lastProgress = Clock::now();
    Clock::time_point inputClosedAt;

    ~Run() {
        if (out >= 0)
            ::close(out);
    }
};

AnswerWriter::AnswerWriter(Settings settings, SampleRing& ring)
    : m_settings(std::move(settings)), m_ring(ring), m_buffer(Chunk * 4),
      m_spool(std::make_unique<AnswerSpool>(m_settings.answerPath + QStringLiteral(".pcm.tmp"))) {}

AnswerWriter::~AnswerWriter() {
    if (m_thread.joinable()) {
        m_abort = true;
        m_ring.abandon();
        m_thread.join();
    }
    if (m_run)
        m_run->process.kill();
}

QString AnswerWriter::spoolPath() const {
    return m_spool->path();
}

bool AnswerWriter::start(ErrorCode& error) {
    if (!startEncoder(error)) {
        m_spool->discard();
        return false;
    }
    m_lastSync = Clock::now();
    m_thread = std::thread([this] { loop(); });
    return true;
}

void AnswerWriter::finish() {
    m_finishRequested = true;
    m_ring.close();
}

void AnswerWriter::waitFinished() {
    std::unique_lock lock(m_doneMutex);
    m_doneCv.wait(lock, [this] { return m_finished.load(); });
}

bool AnswerWriter::startEncoder(ErrorCode& error) {
    const QString program = m_settings.locateEncoder ? m_settings.locateEncoder() : QString();
    const QFileInfo programInfo(program);
    if (program.isEmpty() || !programInfo.isFile() || !programInfo.isExecutable()) {
        error = ErrorCode::EncoderNotFound;
        return false;
    }
    auto run = std::make_unique<Run>();
    // The first encoder writes the answer's file itself; a replacement must
    // not spoil what an earlier one wrote before it has done better.
    run->temporary = m_attempts > 0 && QFileInfo::exists(m_settings.answerPath);
    run->outPath = run->temporary ? m_settings.answerPath + QStringLiteral(".redo.tmp") : m_settings.answerPath;
    run->out = ::open(nativePath(run->outPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (run->out < 0) {
        error = writeError(errno);
        return false;
    }
    const EncoderCommand command = streamingEncoderCommand(programInfo.absoluteFilePath(), m_settings.workingDir);
    if (!run->process.start(command)) {
        error = errno == ENOENT || errno == EACCES ? ErrorCode::EncoderNotFound : ErrorCode::EncoderStart;
        ::close(run->out);
        run->out = -1;
        QFile::remove(run->outPath);
        return false;
    }
    run->header = streamingWavHeader(44100, 2);
    ++m_attempts;
    m_run = std::move(run);
    m_encoderRunning = true;
    return true;
}

void AnswerWriter::fail(ErrorCode code) {
    m_problem = static_cast<int>(code);
    m_lastFailure = static_cast<int>(code);
    ++m_failures;
    if (m_finishRequested)
        ++m_finishFailures;
    auto quick = false;
    if (m_run) {
        quick = Clock::now() - m_run->started > HealthyRun;
        qCWarning(encoderLog).noquote() << "encoder failed, error" << static_cast<int>(code)
                                        << "; its last words:" << m_run->process.errorTail();
        m_run->process.kill();
        if (m_run->temporary)
            QFile::remove(m_run->outPath);
        m_run.reset();
    }
    m_encoderRunning = false;
    // After the end nobody waits for more sound: try again soon.
    m_retryAt = Clock::now() + (quick || m_finishRequested ? QuickRetry : m_settings.retryInterval);
}

void AnswerWriter::drainRing() {
    std::vector<char>& buffer = m_buffer;
    for (;;) {
        const std::size_t n = m_ring.tryPop(buffer.data(), buffer.size());
        if (n == 0)
            break;
        m_spool->append(buffer.data(), n);
        m_spooled = m_spool->size();
    }
}

void AnswerWriter::syncIfDue(bool force) {
    const auto now = Clock::now();
    if (!force && now - m_lastSync < m_settings.syncInterval)
        return;
    m_lastSync = now;
    if (m_run && m_run->out >= 0)
        ::fdatasync(m_run->out);
    m_spool->sync();
}

bool AnswerWriter::completeRun(ErrorCode& error) {
    Run& r = *m_run;
    if (::fdatasync(r.out) != 0 && errno != EINVAL) {
        error = writeError(errno);
        return false;
    }
    ::close(r.out);
    r.out = -1;
    if (r.temporary) {
        if (::rename(nativePath(r.outPath).constData(), nativePath(m_settings.answerPath).constData()) != 0) {
            error = writeError(errno);
            return false;
        }
        r.temporary = false;
    }
    // The encoder's word is not enough: an answer is complete only when its
    // last page holds every frame that was recorded.
    const OggPages pages = scanOggPages(m_settings.answerPath);
    const auto frames = static_cast<std::int64_t>(m_spool->size() / FrameBytes);
    if (!pages.endOfStream || pages.trailingGarbage || pages.lastGranule < frames) {
        error = ErrorCode::EncoderFailed;
        return false;
    }
    return true;
}

// One round of feeding the encoder and taking its output. True when the
// answer's file is complete.
bool AnswerWriter::serviceEncoder() {
    Run& r = *m_run;
    const bool inputDone = m_finishRequested && m_ring.drained();
    const auto spoolSize = m_spool->size();
    bool wantWrite = !r.inputClosed && (r.headerSent < r.header.size() || r.fed < spoolSize);
    if (!r.inputClosed && !wantWrite && inputDone) {
        r.process.closeInput();
        r.inputClosed = true;
        r.inputClosedAt = Clock::now();
    }

    pollfd fds[2]{};
    nfds_t n = 0;
    if (!r.outputEnded)
        fds[n++] = {r.process.outputFd(), POLLIN, 0};
    if (wantWrite)
        fds[n++] = {r.process.inputFd(), POLLOUT, 0};
    if (n > 0)
        ::poll(fds, n, 10);

    std::vector<char>& buffer = m_buffer;
    // Feed at most a few chunks per round, so the buffer from the capture
    // thread is emptied often while a replacement catches up.
    for (int round = 0; wantWrite && round < 8; ++round) {
        long w;
        if (r.headerSent < r.header.size()) {
            w = r.process.write(r.header.constData() + r.headerSent,
                                static_cast<std::size_t>(r.header.size() - r.headerSent));
            if (w > 0)
                r.headerSent += w;
        } else {
            const std::size_t got = m_spool->read(r.fed, buffer.data(), buffer.size());
            if (got == 0)
                break;
            w = r.process.write(buffer.data(), got);
            if (w > 0)
                r.fed += static_cast<std::uint64_t>(w);
        }
        if (w < 0) {
            fail(ErrorCode::EncoderFailed);
            return false;
        }
        if (w == 0)
            break;
        r.lastProgress = Clock::now();
        wantWrite = r.headerSent < r.header.size() || r.fed < m_spool->size();
    }

    while (!r.outputEnded) {
        const long got = r.process.read(buffer.data(), buffer.size());
        if (got == 0)
            break;
        if (got < 0) {
            r.outputEnded = true;
            break;
        }
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(got)) {
            const ssize_t w = ::pwrite(r.out, buffer.data() + done, static_cast<std::size_t>(got) - done,
                                       static_cast<off_t>(r.outBytes));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                fail(writeError(w < 0 ? errno : ENOSPC));
                return false;
            }
            done += static_cast<std::size_t>(w);
            r.outBytes += static_cast<std::uint64_t>(w);
        }
    }

    const auto now = Clock::now();
    if (r.outputEnded) {
        if (!r.inputClosed) {
            // It closed its output or died while sound was still coming.
            fail(ErrorCode::EncoderFailed);
            return false;
        }
        const auto waited = now - r.inputClosedAt;
        const auto left = std::chrono::duration_cast<milliseconds>(m_settings.exitTimeout - waited);
        if (!r.process.waitExit(std::max(left, milliseconds(0)))) {
            fail(ErrorCode::EncoderTimeout);
            return false;
        }
        if (!r.process.exitedCleanly()) {
            fail(ErrorCode::EncoderFailed);
            return false;
        }
        ErrorCode error = ErrorCode::Ok;
        if (!completeRun(error)) {
            fail(error);
            return false;
        }
        return true;
    }
    if (wantWrite && now - r.lastProgress > m_settings.stallTimeout) {
        fail(ErrorCode::EncoderTimeout);
        return false;
    }
    if (r.inputClosed && now - r.inputClosedAt > m_settings.exitTimeout) {
        fail(ErrorCode::EncoderTimeout);
        return false;
    }
    // Caught up with the live sound: the failure, if there was one, is over.
    if (!wantWrite && r.headerSent == r.header.size()) {
        if (r.temporary) {
            struct stat answer {};
            const bool behind = ::stat(nativePath(m_settings.answerPath).constData(), &answer) == 0 &&
                                static_cast<std::uint64_t>(answer.st_size) > r.outBytes;
            if (!behind && ::fdatasync(r.out) == 0 &&
                ::rename(nativePath(r.outPath).constData(), nativePath(m_settings.answerPath).constData()) == 0) {
                r.temporary = false;
                r.outPath = m_settings.answerPath;
            }
        }
        if (!r.temporary)
            m_problem = static_cast<int>(ErrorCode::Ok);
    }
    return false;
}

void AnswerWriter::loop() {
    // A dead encoder turns a write into EPIPE instead of ending the station.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    bool complete = false;
    for (;;) {
        if (m_abort)
            break;
        drainRing();
        if (!m_run) {
            if (m_finishRequested && m_finishFailures >= m_settings.finishAttempts)
                break;
            if (Clock::now() >= m_retryAt) {
                ErrorCode error = ErrorCode::Ok;
                if (!startEncoder(error))
                    fail(error);
            }
            if (!m_run) {
                m_ring.waitForData(milliseconds(20));
                syncIfDue(false);
                continue;
            }
        }
        if (serviceEncoder()) {
            complete = true;
            break;
        }
        syncIfDue(false);
    }

    if (complete) {
        m_run.reset();
        m_spool->discard();
        m_result = static_cast<int>(m_ring.droppedBytes() > 0 ? ErrorCode::EncoderOverrun : ErrorCode::Ok);
        m_problem = static_cast<int>(ErrorCode::Ok);
    } else {
        // Nothing of the answer may go: its sound stays beside it.
        m_spool->keep();
        m_result = m_lastFailure.load();
    }
    m_encoderRunning = false;
    {
        std::lock_guard lock(m_doneMutex);
        m_finished = true;
    }
    m_doneCv.notify_all();
}

} // namespace audio
