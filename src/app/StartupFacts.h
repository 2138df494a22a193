#pragma once

#include <QString>

class StationWindow;

// The facts a technician asks for first, written to the log at start-up: the program and
// its platform, the sound hardware and the encoder, the kit. Log lines only; UI thread.
namespace startupfacts {

void logProgram();
// SDL's driver and devices (defaults marked), the encoder found for workDir and its version.
void logAudio(const QString& workDir);
// The kit the station has loaded: variants, subject and exam date of the current row.
void logKit(const StationWindow& main);

} // namespace startupfacts
