#pragma once

#include "audio/AudioLayer.h"

#include <QString>
#include <QStringList>

// Answers a power cut (or a killed station) interrupted. The encoder keeps
// whole Ogg pages back (a page holds up to several seconds of quiet sound), so
// the answer's file alone can end seconds before the cut; the raw sound beside
// it (<answer>.pcm.tmp, pushed to the disk once a second while recording)
// holds everything up to about a second before it. Recovery encodes that
// sound again into the answer under its own name.
//
// Threads: any; recoverAnswer blocks while the encoder runs (about a second
// per minute of sound), so a screen runs it at start-up or off its thread.
namespace audio {

// Answer files under folder (and its subfolders) whose raw sound was left
// behind, oldest first.
QStringList interruptedAnswers(const QString& folder);

// Encodes <answerPath>.pcm.tmp into answerPath with the encoder program
// (empty: looked up in workingDir, then on the path), replacing the file only
// once the new one is complete, then deletes the raw sound. Ok, or why not
// (the raw sound is kept then).
ErrorCode recoverAnswer(const QString& answerPath, const QString& workingDir, const QString& encoderProgram = {});

} // namespace audio
