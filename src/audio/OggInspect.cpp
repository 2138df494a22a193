#include "audio/OggInspect.h"

#include <QFile>
#include <QtEndian>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace audio {

OggPages scanOggPages(const QString& path) {
    OggPages pages;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return pages;
    const QByteArray data = f.readAll();
    qsizetype at = 0;
    while (at < data.size()) {
        if (data.size() - at < 27 || data.mid(at, 4) != "OggS") {
            pages.trailingGarbage = true;
            break;
        }
        const auto flags = static_cast<unsigned char>(data[at + 5]);
        const auto granule = qFromLittleEndian<qint64>(data.constData() + at + 6);
        const int segments = static_cast<unsigned char>(data[at + 26]);
        if (data.size() - at < 27 + segments) {
            pages.trailingGarbage = true;
            break;
        }
        qsizetype body = 0;
        for (int s = 0; s < segments; ++s)
            body += static_cast<unsigned char>(data[at + 27 + s]);
        if (at + 27 + segments + body > data.size()) {
            pages.trailingGarbage = true;
            break;
        }
        at += 27 + segments + body;
        pages.any = true;
        pages.endOfStream = (flags & 0x04) != 0;
        if (granule >= 0)
            pages.lastGranule = granule;
    }
    return pages;
}

OggInspection inspectOggFile(const QString& path) {
    OggInspection result;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return result;
    result.readable = info.samplerate > 0 && info.channels > 0;
    if (result.readable) {
        // Reading frame by frame counts what really decodes: the length a
        // file cut short declares is a guess from its last page. The level is
        // taken over the same 10 ms blocks as while recording.
        const int channels = info.channels;
        const sf_count_t blockFrames = std::max(1, info.samplerate / 100);
        std::vector<short> scratch(static_cast<std::size_t>(4096 * channels));
        sf_count_t total = 0;
        sf_count_t inBlock = 0;
        double blockSum = 0;
        double loudest = 0;
        const auto endBlock = [&] {
            if (inBlock > 0)
                loudest = std::max(loudest, blockSum / static_cast<double>(inBlock * channels));
            inBlock = 0;
            blockSum = 0;
        };
        for (;;) {
            const sf_count_t n = sf_readf_short(file, scratch.data(), 4096);
            if (n <= 0)
                break;
            for (sf_count_t frame = 0; frame < n; ++frame) {
                for (int c = 0; c < channels; ++c) {
                    const double sample = scratch[static_cast<std::size_t>(frame * channels + c)];
                    blockSum += sample * sample;
                }
                if (++inBlock == blockFrames)
                    endBlock();
            }
            total += n;
        }
        endBlock();
        result.loudestBlockRms = std::sqrt(loudest) / 32768.0;
        result.decodedSeconds = static_cast<double>(total) / info.samplerate;
    }
    sf_close(file);
    const OggPages pages = scanOggPages(path);
    result.endedCleanly = result.readable && pages.endOfStream && !pages.trailingGarbage;
    return result;
}

} // namespace audio
