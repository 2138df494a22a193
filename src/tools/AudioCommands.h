#pragma once

#include "tools/Command.h"

namespace tools {

// record, length, play: the sound path as the station uses it.
std::vector<Command> audioCommands();

} // namespace tools
