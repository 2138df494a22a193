#pragma once

#include <QString>

// The rehearsal mode of the station program (zunt-station --rehearsal DIR): the real
// station with DIR as its working folder plays the organiser and three examinees by itself
// and checks what it wrote. On screen and on the real devices when there is a display;
// otherwise offscreen, with SDL's disk driver standing in for the headset.
namespace rehearsal {

// Runs the rehearsal as the whole program: 0 when the station folder it made is complete
// and agrees with the choices, 1 when not, 2 when DIR is unusable.
int run(int argc, char** argv, const QString& dir);

} // namespace rehearsal
