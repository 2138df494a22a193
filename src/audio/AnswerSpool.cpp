#include "audio/AnswerSpool.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace audio {

AnswerSpool::AnswerSpool(const QString& path) : m_path(path) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

AnswerSpool::~AnswerSpool() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void AnswerSpool::append(const void* data, std::size_t bytes) {
    const auto* src = static_cast<const char*>(data);
    // Once in memory, stay there: the file must hold a prefix of the answer.
    while (m_fd >= 0 && m_memory.isEmpty() && bytes > 0) {
        const ssize_t w = ::pwrite(m_fd, src, bytes, static_cast<off_t>(m_fileBytes));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            break;
        m_fileBytes += static_cast<std::uint64_t>(w);
        src += w;
        bytes -= static_cast<std::size_t>(w);
    }
    if (bytes > 0)
        m_memory.append(src, static_cast<qsizetype>(bytes));
}

std::size_t AnswerSpool::read(std::uint64_t offset, void* out, std::size_t maxBytes) const {
    auto* dst = static_cast<char*>(out);
    std::size_t done = 0;
    while (done < maxBytes && offset < m_fileBytes) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes - done, m_fileBytes - offset));
        const ssize_t r = ::pread(m_fd, dst + done, want, static_cast<off_t>(offset));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return done;
        done += static_cast<std::size_t>(r);
        offset += static_cast<std::uint64_t>(r);
    }
    if (done < maxBytes && offset >= m_fileBytes) {
        const auto at = static_cast<qsizetype>(offset - m_fileBytes);
        const auto n = static_cast<std::size_t>(
            std::max<qsizetype>(0, std::min<qsizetype>(static_cast<qsizetype>(maxBytes - done), m_memory.size() - at)));
        std::memcpy(dst + done, m_memory.constData() + at, n);
        done += n;
    }
    return done;
}

void AnswerSpool::sync() {
    if (m_fd >= 0)
        ::fdatasync(m_fd);
}

void AnswerSpool::discard() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    QFile::remove(m_path);
    m_memory.clear();
    m_fileBytes = 0;
}

void AnswerSpool::keep() {
    if (m_fd < 0)
        return;
    while (!m_memory.isEmpty()) {
        const ssize_t w = ::pwrite(m_fd, m_memory.constData(), static_cast<std::size_t>(m_memory.size()),
                                   static_cast<off_t>(m_fileBytes));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            break;
        m_fileBytes += static_cast<std::uint64_t>(w);
        m_memory.remove(0, static_cast<qsizetype>(w));
    }
    ::fdatasync(m_fd);
}

} // namespace audio
