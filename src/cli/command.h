#pragma once
// One subcommand of kestrel-cli. execute() takes the arguments after the
// subcommand's name and writes to the given streams, so tests run it in
// process. It returns the process exit status.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kestrel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
// Standard output could not take everything (a full disk, a closed pipe):
// whatever the command did, what it wrote is incomplete.
inline constexpr int kExitWriteFailed = 5;
// The line every command's --help gives for it.
inline constexpr const char* kWriteFailedHelp =
    "5 the output could not be written completely (a full disk, a closed pipe)";

class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    virtual std::string summary() const = 0;
    virtual int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;
};

// Every subcommand, in the order `kestrel-cli --help` lists them.
std::vector<std::unique_ptr<Command>> allCommands();

// Runs the command line: argv[0] excluded.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kestrel::cli
