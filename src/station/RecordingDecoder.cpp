#include "station/RecordingDecoder.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <memory>
#include <vector>

RecordingDecoder::Result RecordingDecoder::decode(const QString& path) {
    Result result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    result.state = State::Broken;
    if (!info.isFile())
        return result;
    SF_INFO format{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(
        sf_open(QFile::encodeName(path).constData(), SFM_READ, &format), &sf_close);
    if (!file || format.channels <= 0 || format.samplerate <= 0)
        return result;
    constexpr sf_count_t kBlockFrames = 4096;
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames * format.channels));
    sf_count_t frames = 0;
    for (;;) {
        const sf_count_t n = sf_readf_float(file.get(), block.data(), kBlockFrames);
        if (n <= 0)
            break;
        frames += n;
    }
    // A damaged stream may open and then yield nothing, or less than its pages announce.
    if (sf_error(file.get()) != SF_ERR_NO_ERROR || frames == 0 || (format.frames > 0 && frames < format.frames))
        return result;
    result.state = State::Decoded;
    result.seconds = static_cast<double>(frames) / format.samplerate;
    return result;
}
