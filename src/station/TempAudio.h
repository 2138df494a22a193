#pragma once

#include "audio/AudioLayer.h"

#include <QByteArray>
#include <QString>

// A kit audio played from a temporary file in the working folder for the length of one
// stage: the blob is written out, opened as a stream on the handle the stage's unit keeps
// between examinees, played once and, at the end, stopped, freed and the file deleted.
// The stage's time follows from the decoded length (nearest second, halves to even, + 2).
//
// Ownership: the layer and the handle belong to the caller and must outlive this object;
// everything runs on the user-interface thread. Errors: the audio calls are not checked
// (a stream that cannot be opened gives the time of nothing, 1 s); a file that cannot be
// written is reported by open() and no stale file of that name is played instead.
class TempAudio {
public:
    TempAudio(audio::AudioLayer& layer, audio::Handle& stream, QString path);

    // Writes bytes to the file (replacing it), stops the stream of the previous run, opens
    // the file and returns the stage's time in seconds. On a write failure the stream is 0
    // and *error holds the message for the person at the station.
    int open(const QByteArray& bytes, QString* error);
    // Plays the stream once from its start.
    void play();
    // Stops and frees the stream and deletes the file, ignoring failures.
    void close();

    const QString& path() const { return m_path; }

    // round-half-even(seconds) + 2; a failed length (negative or not a number) gives 1.
    static int stageSeconds(double seconds);
    // Replaces the file with bytes; false with *error set when it cannot be written.
    static bool writeFile(const QString& path, const QByteArray& bytes, QString* error);

private:
    audio::AudioLayer& m_layer;
    audio::Handle& m_stream;
    QString m_path;
};
