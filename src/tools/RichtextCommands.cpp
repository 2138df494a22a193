#include "tools/Commands.h"

namespace tools {

std::vector<Command> richtextCommands() {
    return {};
}

} // namespace tools
