#pragma once

#include <QString>

// Decodes a recording to its end to learn whether it plays and how long it is. A file
// that opens but fails part-way, or holds no sound at all, counts as broken: the organiser
// must be able to hear all of the answer.
// Pure function of the file; any thread.
class RecordingDecoder {
public:
    enum class State { Missing, Broken, Decoded };

    struct Result {
        State state = State::Missing;
        double seconds = 0; // of the decoded sound, when Decoded
    };

    static Result decode(const QString& path);
};
