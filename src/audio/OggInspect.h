#pragma once

#include <QString>

#include <cstdint>

// What an Ogg Vorbis answer file holds, for the recording's own check at its
// end and for reports that must tell an answer cut short from a lost one.
namespace audio {

// The Ogg pages of a file, read without decoding: cheap enough for every
// recording's end.
struct OggPages {
    bool any = false;              // at least one whole page with a good capture pattern
    bool endOfStream = false;      // the last whole page carries the end-of-stream flag
    bool trailingGarbage = false;  // bytes after the last whole page (a cut-off page)
    std::int64_t lastGranule = -1; // granule position of the last whole page: the frames up to it
};
OggPages scanOggPages(const QString& path);

struct OggInspection {
    bool readable = false;     // the file opens and its headers decode
    double decodedSeconds = 0; // sound that decodes, to the last whole page
    bool endedCleanly = false; // the stream ends with its end-of-stream page and nothing after it
    // RMS of the loudest 10 ms block, as a fraction of full scale: below the recorder's
    // silence floor the microphone heard nothing all along.
    double loudestBlockRms = 0;
    // Cut short: playable sound, but the encoder never finished the file.
    bool cutShort() const { return readable && decodedSeconds > 0 && !endedCleanly; }
    // Nothing to play: missing, unreadable or no sound at all.
    bool empty() const { return !readable || decodedSeconds <= 0; }
};
// Decodes the whole file once (about a second per hour of sound).
OggInspection inspectOggFile(const QString& path);

} // namespace audio
