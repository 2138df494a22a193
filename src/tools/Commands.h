#pragma once

#include <string>
#include <vector>

// Subcommands of zunt-tool. Each subsystem contributes its own table from its own
// source file, so adding a command never touches another subsystem's code.
namespace tools {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;            // shown by `zunt-tool help`
    int (*run)(const Args& args); // exit status; args exclude the command name
};

std::vector<Command> kitCommands();
std::vector<Command> audioCommands();
std::vector<Command> richtextCommands();
std::vector<Command> stationCommands();

} // namespace tools
