#pragma once
// The command line of kestrel-cli: the subcommand named first, or the list
// of them; a failed write of standard output turns into status 5.
#include <iosfwd>
#include <string>
#include <vector>

namespace kestrel::cli {

// Runs the command line: argv[0] excluded. Returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kestrel::cli
