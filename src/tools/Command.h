#pragma once

#include <string>
#include <vector>

// A subcommand of zunt-tool. Each subsystem's commands come from its own unit, so adding
// a command never touches another subsystem's code.
namespace tools {

using Args = std::vector<std::string>;

// What a command needs before it runs; the program starts nothing more. The kit commands
// are plain C++, sound and the station report need Qt Core, rendering a sheet needs a
// widget application (offscreen: never a screen).
enum class Needs { Nothing, Core, Gui, Widgets };

struct Command {
    const char* name;
    const char* usage; // "NAME ARGS   what it does", shown by `zunt-tool --help`
    Needs needs;
    int (*run)(const Args& args); // exit status: 0 done, 1 failed, 2 wrong arguments
};

// Every failure in one style and language: "zunt-tool: error: MESSAGE" on standard error.
// Returns status, so that a command can end with `return fail(...)`.
int fail(const std::string& message, int status = 1);
// A command called with the wrong arguments: its usage line as the error, status 2.
int failUsage(const char* usage);

} // namespace tools
