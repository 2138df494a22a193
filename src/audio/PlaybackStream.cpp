#include "audio/PlaybackStream.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace audio {

namespace {

constexpr sf_count_t DecodeFrames = 4096;

// Counts the frames by decoding: the frame count MP3 files declare is an
// estimate, and the stages time their countdown by this length.
sf_count_t countDecodedFrames(SNDFILE* file, int channels) {
    std::vector<short> scratch(static_cast<std::size_t>(DecodeFrames * channels));
    sf_count_t total = 0;
    for (;;) {
        const sf_count_t n = sf_readf_short(file, scratch.data(), DecodeFrames);
        if (n <= 0)
            break;
        total += n;
    }
    sf_seek(file, 0, SEEK_SET);
    return total;
}

} // namespace

std::unique_ptr<PlaybackStream> PlaybackStream::open(const QString& path, ErrorCode& error) {
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isReadable()) {
        error = ErrorCode::FileOpen;
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) {
        error = ErrorCode::FileFormat;
        return nullptr;
    }
    if (info.channels <= 0 || info.channels > 8 || info.samplerate <= 0) {
        sf_close(file);
        error = ErrorCode::FileFormat;
        return nullptr;
    }
    SDL_AudioStream* converter = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(info.channels), info.samplerate,
                                                    AUDIO_S16SYS, OutputChannels, OutputRate);
    if (!converter) {
        sf_close(file);
        error = ErrorCode::Format;
        return nullptr;
    }
    std::unique_ptr<PlaybackStream> stream(new PlaybackStream(file, info, converter));
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG)
        stream->m_frames = countDecodedFrames(file, info.channels);
    return stream;
}

PlaybackStream::PlaybackStream(SNDFILE* file, const SF_INFO& info, SDL_AudioStream* converter)
    : m_file(file), m_info(info), m_converter(converter), m_frames(std::max<sf_count_t>(info.frames, 0)),
      m_decoded(static_cast<std::size_t>(DecodeFrames * info.channels)) {}

PlaybackStream::~PlaybackStream() {
    SDL_FreeAudioStream(m_converter);
    sf_close(m_file);
}

std::uint64_t PlaybackStream::lengthBytes() const {
    return static_cast<std::uint64_t>(m_frames) * static_cast<std::uint64_t>(m_info.channels) * 2u;
}

double PlaybackStream::bytesToSeconds(std::uint64_t bytes) const {
    return static_cast<double>(bytes) / (2.0 * m_info.channels * m_info.samplerate);
}

void PlaybackStream::rewind() {
    sf_seek(m_file, 0, SEEK_SET);
    SDL_AudioStreamClear(m_converter);
    m_decodedAll = false;
    m_ended = false;
}

void PlaybackStream::decodeMore() {
    const sf_count_t n = sf_readf_short(m_file, m_decoded.data(), DecodeFrames);
    if (n <= 0) {
        m_decodedAll = true;
        if (m_info.samplerate != OutputRate) {
            // SDL 2.26's resampler drops its last ~1024 output frames on flush;
            // trailing silence takes their place so no sound is cut off.
            const auto pad = static_cast<std::size_t>(m_info.samplerate) * 2048 / OutputRate + 1;
            std::vector<std::int16_t> silence(pad * static_cast<std::size_t>(m_info.channels), 0);
            SDL_AudioStreamPut(m_converter, silence.data(), static_cast<int>(silence.size() * 2));
        }
        SDL_AudioStreamFlush(m_converter);
        return;
    }
    SDL_AudioStreamPut(m_converter, m_decoded.data(), static_cast<int>(n * m_info.channels * 2));
}

bool PlaybackStream::mixInto(std::int32_t* mix, int frames) {
    const int wanted = frames * OutputChannels * 2;
    while (SDL_AudioStreamAvailable(m_converter) < wanted && !m_decodedAll)
        decodeMore();
    m_converted.resize(static_cast<std::size_t>(frames * OutputChannels));
    const int got = std::max(SDL_AudioStreamGet(m_converter, m_converted.data(), wanted), 0);
    const int samples = got / 2;
    for (int i = 0; i < samples; ++i)
        mix[i] += m_converted[static_cast<std::size_t>(i)];
    if (got < wanted && m_decodedAll) {
        m_playing = false;
        m_ended = true;
        return false;
    }
    return true;
}

} // namespace audio
