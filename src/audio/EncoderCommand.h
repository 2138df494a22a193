#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How the Ogg Vorbis encoder is found and started: a pure description, so the
// argument list can be checked without running anything.
namespace audio {

struct EncoderCommand {
    QString program;       // absolute path of the encoder
    QStringList arguments; // passed as they are, no shell in between
    QString workingDir;
};

// The encoder's file name on this platform: "oggenc", or "oggenc.exe" on Windows.
QString encoderFileName();

// The encoder in workingDir if it is there and executable, else the one on the
// search path; empty when there is none.
QString findEncoder(const QString& workingDir);

// "-o", the output file, "-": the encoder reads WAV from its standard input.
// The output name is made absolute against the current folder, so the file the
// encoder writes is the one the caller opens afterwards whatever folder the
// encoder runs in.
EncoderCommand encoderCommand(const QString& program, const QString& workingDir, const QString& outputFile);

// "-o", "-", "-": the encoder reads WAV from its standard input and writes the
// Ogg Vorbis stream to its standard output; the station writes the file
// itself, so it decides when the file reaches the disk.
EncoderCommand streamingEncoderCommand(const QString& program, const QString& workingDir);

// A WAV header for a stream of unknown length (16-bit PCM): the encoder reads
// the samples that follow until its input is closed.
QByteArray streamingWavHeader(int sampleRate, int channels);

} // namespace audio
