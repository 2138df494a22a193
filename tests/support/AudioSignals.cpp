#include "AudioSignals.h"

#include <QFile>
#include <QtEndian>

#include <sndfile.h>

#include <cmath>
#include <numbers>

namespace audiotest {

QByteArray sinePcm(double frequency, int frames, int amplitude, int rate, int channels) {
    QByteArray pcm(frames * channels * 2, '\0');
    auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const auto v =
            static_cast<std::int16_t>(std::lround(amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / rate)));
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] = qToLittleEndian(v);
    }
    return pcm;
}

QByteArray constantPcm(std::int16_t level, int frames, int channels) {
    QByteArray pcm(frames * channels * 2, '\0');
    auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < frames * channels; ++i)
        out[i] = qToLittleEndian(level);
    return pcm;
}

bool writeSoundFile(const QString& path, const QByteArray& pcm, int format, int rate, int channels) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    switch (format) {
    case SF_FORMAT_OGG:
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        break;
    case SF_FORMAT_MPEG:
        info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
        break;
    default:
        info.format = format | SF_FORMAT_PCM_16;
    }
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = pcm.size() / (2 * channels);
    const sf_count_t written = sf_writef_short(f, reinterpret_cast<const short*>(pcm.constData()), frames);
    return sf_close(f) == 0 && written == frames;
}

Decoded decodeFile(const QString& path) {
    Decoded d;
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!f)
        return d;
    d.rate = info.samplerate;
    d.channels = info.channels;
    d.declaredFrames = info.frames;
    std::vector<short> block(4096 * static_cast<std::size_t>(info.channels));
    for (;;) {
        const sf_count_t n = sf_readf_short(f, block.data(), 4096);
        if (n <= 0)
            break;
        d.samples.insert(d.samples.end(), block.begin(), block.begin() + n * info.channels);
    }
    d.ok = sf_error(f) == SF_ERR_NO_ERROR;
    sf_close(f);
    return d;
}

double dominantFrequency(const Decoded& sound, int skip) {
    const std::int64_t frames = sound.frames();
    if (sound.channels == 0 || frames <= 2 * skip + 1)
        return 0;
    int rising = 0;
    std::int64_t first = -1;
    std::int64_t last = -1;
    for (std::int64_t i = skip + 1; i < frames - skip; ++i) {
        const int a = sound.samples[static_cast<std::size_t>((i - 1) * sound.channels)];
        const int b = sound.samples[static_cast<std::size_t>(i * sound.channels)];
        if (a < 0 && b >= 0) {
            if (first < 0)
                first = i;
            last = i;
            ++rising;
        }
    }
    if (rising < 2)
        return 0;
    return (rising - 1) * static_cast<double>(sound.rate) / static_cast<double>(last - first);
}

bool oggEndsWithEndOfStream(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = f.readAll();
    qsizetype at = 0;
    bool lastWasEnd = false;
    while (at < data.size()) {
        if (data.size() - at < 27 || data.mid(at, 4) != "OggS")
            return false;
        const auto flags = static_cast<unsigned char>(data[at + 5]);
        const int segments = static_cast<unsigned char>(data[at + 26]);
        if (data.size() - at < 27 + segments)
            return false;
        qsizetype body = 0;
        for (int s = 0; s < segments; ++s)
            body += static_cast<unsigned char>(data[at + 27 + s]);
        at += 27 + segments + body;
        if (at > data.size())
            return false;
        lastWasEnd = (flags & 0x04) != 0;
    }
    return lastWasEnd;
}

} // namespace audiotest
