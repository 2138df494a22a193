#pragma once

#include <QString>

#include <optional>

// The rehearsal mode of the station program (zunt-station --rehearsal DIR): the real
// station with DIR as its working folder plays the organiser and three examinees by itself
// and checks what it wrote. On screen and on the real devices when there is a display;
// otherwise offscreen, with SDL's disk driver standing in for the headset.
namespace rehearsal {

// DIR when the command line asks for the rehearsal ("--rehearsal DIR"); looked at before
// the application object exists, since the display decides how it is made.
std::optional<QString> requested(int argc, char** argv);

// Runs the rehearsal as the whole program: 0 when the station folder it made is complete
// and agrees with the choices, 1 when not, 2 when DIR is unusable.
int run(int argc, char** argv, const QString& dir);

} // namespace rehearsal
