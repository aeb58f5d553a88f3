#pragma once
// Runs kestrel-cli in process and keeps what it wrote.
#include "cli/command.h"

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
