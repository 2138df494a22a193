#pragma once

#include "tools/Command.h"

namespace tools {

// devices: what SDL sees of the sound hardware, and a short test recording from one device.
std::vector<Command> deviceCommands();

} // namespace tools
