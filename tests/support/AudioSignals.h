#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Test signals and checks on decoded sound, shared by the audio tests and
// anyone who needs a file that plays.
namespace audiotest {

// Interleaved signed 16-bit little-endian PCM of a sine on every channel.
QByteArray sinePcm(double frequency, int frames, int amplitude = 12000, int rate = 44100, int channels = 2);
// A constant level on every channel (easy to find again after mixing).
QByteArray constantPcm(std::int16_t level, int frames, int channels = 2);

// Writes PCM as a file of the given libsndfile major format (SF_FORMAT_WAV,
// SF_FORMAT_FLAC, SF_FORMAT_OGG, SF_FORMAT_MPEG); true on success.
bool writeSoundFile(const QString& path, const QByteArray& pcm, int format, int rate = 44100, int channels = 2);

struct Decoded {
    bool ok = false;
    int rate = 0;
    int channels = 0;
    std::int64_t declaredFrames = 0;   // what the file's header says
    std::vector<std::int16_t> samples; // every frame libsndfile decodes, interleaved
    std::int64_t frames() const { return channels ? static_cast<std::int64_t>(samples.size()) / channels : 0; }
};
Decoded decodeFile(const QString& path);

// Frequency of the first channel from its rising zero crossings, skipping
// `skip` frames at both ends.
double dominantFrequency(const Decoded& sound, int skip = 2205);

// True when the file is a chain of Ogg pages, each with a good capture
// pattern, whose last page carries the end-of-stream flag: the encoder
// finished it rather than being cut off.
bool oggEndsWithEndOfStream(const QString& path);

} // namespace audiotest
