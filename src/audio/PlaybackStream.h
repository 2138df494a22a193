#pragma once

#include "audio/AudioLayer.h"

#include <QString>

#include <SDL.h>
#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <vector>

// A file opened for playback: libsndfile decodes it and an SDL audio stream
// converts it to the output device's 44100 Hz, 2 channels, 16 bits.
//
// Threads: open() and the length queries on the user-interface thread; the
// rest on the output device's thread, or on the UI thread while it holds the
// device lock (OutputMixer does that).
namespace audio {

class PlaybackStream {
public:
    static constexpr int OutputRate = 44100;
    static constexpr int OutputChannels = 2;

    // nullptr with error set to FileOpen or FileFormat when it cannot be opened.
    static std::unique_ptr<PlaybackStream> open(const QString& path, ErrorCode& error);
    ~PlaybackStream();
    PlaybackStream(const PlaybackStream&) = delete;
    PlaybackStream& operator=(const PlaybackStream&) = delete;

    // The decoded length, as 16-bit samples in the file's own rate and channels.
    std::uint64_t lengthBytes() const;
    double bytesToSeconds(std::uint64_t bytes) const;
    std::int64_t frames() const { return m_frames; }

    bool playing() const { return m_playing; }
    bool ended() const { return m_ended; }
    void setPlaying(bool playing) { m_playing = playing; }
    void rewind();
    // Adds the next frames of output to mix (interleaved stereo); at the end of
    // the file it stops playing and returns false.
    bool mixInto(std::int32_t* mix, int frames);

private:
    PlaybackStream(SNDFILE* file, const SF_INFO& info, SDL_AudioStream* converter);
    void decodeMore();

    SNDFILE* m_file;
    SF_INFO m_info;
    SDL_AudioStream* m_converter;
    std::int64_t m_frames = 0;
    bool m_playing = false;
    bool m_ended = false;
    bool m_decodedAll = false;
    std::vector<std::int16_t> m_decoded;
    std::vector<std::int16_t> m_converted;
};

} // namespace audio
