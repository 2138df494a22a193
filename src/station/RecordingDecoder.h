#pragma once

#include <QString>

// What an answer recording holds, as the answer review and the end-of-day report tell it:
// the file is decoded to its end (audio::inspectOggFile), so a file that opens but ends
// early, or has a stretch that does not decode, is told from a whole one. Decoding takes
// about 0.3-0.5 s for 3.5 minutes of sound on the 2-core station; screens run it off
// their thread. Pure function of the files; any thread.
class RecordingDecoder {
public:
    enum class State {
        Missing,    // no such file
        Empty,      // the file holds no sound: zero bytes, or the encoder's headers only
        Unreadable, // the file is there but does not open as Ogg Vorbis
        CutShort,   // it plays, but not all of the answer: never finished, or a stretch does not decode
        Decoded,    // it plays whole
    };

    struct Result {
        State state = State::Missing;
        double seconds = 0; // of the sound that plays, when CutShort or Decoded
        // The recorder's raw sound is still beside the file (<file>.pcm.tmp): the recording
        // was interrupted and the station re-encodes it from that sound at its next start.
        bool interrupted = false;
        double rawSeconds = 0; // of that raw sound, when interrupted
        // It plays, but all of it stays below the recorder's silence floor: the
        // microphone heard nothing (unplugged, muted, or nobody spoke).
        bool silent = false;

        bool playable() const { return state == State::CutShort || state == State::Decoded; }
    };

    static Result decode(const QString& path);

    // Where the recorder keeps the raw sound and its re-encoding until the answer is whole.
    static QString rawSoundPath(const QString& path) { return path + QStringLiteral(".pcm.tmp"); }
    static QString reencodingPath(const QString& path) { return path + QStringLiteral(".redo.tmp"); }
};
