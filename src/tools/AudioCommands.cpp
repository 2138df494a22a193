#include "tools/Commands.h"

namespace tools {

std::vector<Command> audioCommands() {
    return {};
}

} // namespace tools
