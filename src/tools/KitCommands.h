#pragma once

#include "tools/Command.h"

namespace tools {

// kit-dump, kit-build, kit-extract: kits, table streams and answers files.
std::vector<Command> kitCommands();

} // namespace tools
