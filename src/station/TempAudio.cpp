#include "station/TempAudio.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <limits>

TempAudio::TempAudio(audio::AudioLayer& layer, audio::Handle& stream, QString path)
    : m_layer(layer), m_stream(stream), m_path(std::move(path)) {}

int TempAudio::open(const QByteArray& bytes, QString* error) {
    const bool written = writeFile(m_path, bytes, error);
    m_layer.channelStop(m_stream); // the previous examinee's stream, already freed: harmless
    // Never play an older file of the same name when this one could not be written.
    m_stream = written ? m_layer.streamCreateFile(m_path) : 0;
    const std::uint64_t bytesLength = m_layer.channelGetLength(m_stream);
    return stageSeconds(m_layer.channelBytes2Seconds(m_stream, bytesLength));
}

void TempAudio::play() {
    m_layer.channelPlay(m_stream, true);
}

void TempAudio::close() {
    m_layer.channelStop(m_stream);
    m_layer.streamFree(m_stream);
    QFile::remove(m_path);
}

int TempAudio::stageSeconds(double seconds) {
    constexpr int kMargin = 2;
    // A failed length is -1 s, which gives 1: the stage still counts down and moves on.
    if (!std::isfinite(seconds) || seconds < -1.0)
        seconds = -1.0;
    // Far beyond any exam, but the countdown's int arithmetic must not overflow.
    constexpr double kLimit = std::numeric_limits<int>::max() / 4;
    if (seconds > kLimit)
        seconds = kLimit;
    const double floor = std::floor(seconds);
    const double fraction = seconds - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return static_cast<int>(rounded) + kMargin;
}

bool TempAudio::writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // The folder may forbid the rename-over that a safe save needs; a plain write is fine here.
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("Не удалось записать временный файл %1:\n%2").arg(path, file.errorString());
    return false;
}
