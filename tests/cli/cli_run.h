#pragma once
// Runs kestrel-cli in process and keeps what it wrote. The tests compare
// its exit statuses with the numbers documented for users (0 ok, 1, 2
// usage, 3, 4, 5 write failed, 6), never with the program's own constants.
#include "cli/run.h"

#include <sstream>
#include <string>
#include <vector>

namespace kestrel::cli::test {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace kestrel::cli::test
