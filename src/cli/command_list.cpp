#include "cli/command.h"

// Each subcommand adds its one line here.

namespace kestrel::cli {

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    return commands;
}

} // namespace kestrel::cli
