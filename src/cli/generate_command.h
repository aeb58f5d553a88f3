#pragma once
// kestrel-cli generate: a procedure from a specification file (or a
// built-in sample), written as the clipboard would receive it, or as the
// viewer's rich-text document; or the procedures of many files, each into
// its own file of a folder.
#include "cli/command.h"

namespace kestrel::cli {

inline constexpr int kExitUnreadableFile = 1;
inline constexpr int kExitNothingCreated = 3;
inline constexpr int kExitGeneratorFailed = 4;
inline constexpr int kExitFieldOverflow = 6; // with --strict; 5 is kExitWriteFailed

// The worse of two exit statuses of generate: with --out-dir the command
// exits with the worst of its files'. Worst first: 5 (an output could not
// be written), 2 (--reference names a standard of the other page), 1 (a file
// could not be read), 3 (nothing created), 6 (refused by --strict), 4 (a
// generator failed midway, its text written), 0.
int worseStatus(int a, int b);

class GenerateCommand : public Command {
public:
    std::string name() const override { return "generate"; }
    std::string summary() const override { return "Create the procedures of specification files or a sample"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
