#include "cli/run.h"

#include "cli/arguments.h"
#include "cli/command_list.h"
#include "cli/exit_status.h"

#include "core/base/user_text.h"

#include <algorithm>
#include <ostream>

namespace kestrel::cli {
namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: kestrel-cli COMMAND [ARGS]\n"
           "Writes calibration procedures for Tessel from UUT specifications.\n\n"
           "Commands:\n";
    for (const auto& command : allCommands())
        out << "  " << command->name() << std::string(12 - std::min<std::size_t>(11, command->name().size()), ' ')
            << command->summary() << "\n";
    out << "\nRun 'kestrel-cli COMMAND --help' for the options of a command.\n"
           "Every command exits with status "
        << kExitWriteFailed
        << " when its output could not be written\n"
           "completely (a full disk, a closed pipe).\n";
}

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        printUsage(err);
        return kExitUsage;
    }
    if (isHelpSwitch(args.front()) || args.front() == "help") {
        printUsage(out);
        return kExitOk;
    }
    for (const auto& command : allCommands()) {
        if (command->name() == args.front())
            return command->execute(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    }
    err << "kestrel-cli: unknown command '" << escapeForMessage(args.front()) << "'\n";
    printUsage(err);
    return kExitUsage;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const int status = dispatch(args, out, err);
    // A write that failed on the way leaves the stream failed; the last
    // buffered bytes fail only now.
    out.flush();
    if (!out) {
        err << "kestrel-cli: the output could not be written completely (is the disk full or the pipe closed?)\n";
        return kExitWriteFailed;
    }
    return status;
}

} // namespace kestrel::cli
