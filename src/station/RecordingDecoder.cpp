#include "station/RecordingDecoder.h"

#include "audio/AudioLayer.h"
#include "audio/OggInspect.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <memory>

namespace {

// The recorder's raw sound: 44100 Hz, 2 channels, 16 bits, no header.
constexpr double kRawBytesPerSecond = 44100.0 * 2 * 2;

// The frames the file's pages announce (its last granule position), as libsndfile reads
// them from the header and the last page without decoding; -1 when it does not open.
double announcedSeconds(const QString& path) {
    SF_INFO format{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(
        sf_open(QFile::encodeName(path).constData(), SFM_READ, &format), &sf_close);
    if (!file || format.samplerate <= 0 || format.frames <= 0)
        return -1;
    return static_cast<double>(format.frames) / format.samplerate;
}

} // namespace

RecordingDecoder::Result RecordingDecoder::decode(const QString& path) {
    Result result;
    const QFileInfo raw(rawSoundPath(path));
    if (raw.isFile()) {
        result.interrupted = true;
        result.rawSeconds = static_cast<double>(raw.size()) / kRawBytesPerSecond;
    }
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    if (info.isFile() && info.size() == 0) {
        result.state = State::Empty;
        return result;
    }
    result.state = State::Unreadable;
    if (!info.isFile())
        return result;
    const audio::OggInspection inspection = audio::inspectOggFile(path);
    if (!inspection.readable)
        return result;
    if (inspection.empty()) {
        result.state = State::Empty;
        return result;
    }
    result.seconds = inspection.decodedSeconds;
    result.silent = inspection.loudestBlockRms < audio::SilenceFloor;
    // A damaged stretch in the middle is skipped by the decoder and the stream still ends
    // cleanly: it then yields less than its pages announce.
    const double announced = announcedSeconds(path);
    const bool whole = inspection.endedCleanly && announced > 0 && inspection.decodedSeconds >= announced - 1e-6;
    result.state = whole ? State::Decoded : State::CutShort;
    return result;
}
