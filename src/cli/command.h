#pragma once
// One subcommand of kestrel-cli. execute() takes the arguments after the
// subcommand's name and writes to the given streams, so tests run it in
// process. It returns the process exit status (cli/exit_status.h).
#include <iosfwd>
#include <string>
#include <vector>

namespace kestrel::cli {

class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    virtual std::string summary() const = 0;
    virtual int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;
};

} // namespace kestrel::cli
