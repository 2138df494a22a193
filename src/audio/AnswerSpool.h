#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The raw sound of the answer being recorded, kept until the answer's file is
// complete, so that an encoder that fails can be replaced and given the whole
// answer again. It lives in a file beside the answer (so a power cut leaves it
// behind) and goes on in memory once that file cannot be written (disk full,
// folder not writable).
//
// Threads: one owner thread.
namespace audio {

class AnswerSpool {
public:
    // path: the spool file to create (truncated).
    explicit AnswerSpool(const QString& path);
    ~AnswerSpool();
    AnswerSpool(const AnswerSpool&) = delete;
    AnswerSpool& operator=(const AnswerSpool&) = delete;

    void append(const void* data, std::size_t bytes);
    // Copies up to maxBytes from offset; returns the bytes copied.
    std::size_t read(std::uint64_t offset, void* out, std::size_t maxBytes) const;
    std::uint64_t size() const { return m_fileBytes + static_cast<std::uint64_t>(m_memory.size()); }

    // Pushes the file's bytes to the disk.
    void sync();
    // Deletes the file: the answer is safe in its own file.
    void discard();
    // Keeps the file for whoever must recover the answer; bytes that only
    // reached memory are written out if the disk takes them now.
    void keep();

    QString path() const { return m_path; }
    bool inMemory() const { return !m_memory.isEmpty(); }

private:
    QString m_path;
    int m_fd = -1;
    std::uint64_t m_fileBytes = 0;
    QByteArray m_memory; // what follows the file's bytes
};

} // namespace audio
