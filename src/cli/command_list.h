#pragma once
// Every subcommand of kestrel-cli, in the order `kestrel-cli --help` lists them.
#include "cli/command.h"

#include <memory>
#include <vector>

namespace kestrel::cli {

std::vector<std::unique_ptr<Command>> allCommands();

} // namespace kestrel::cli
