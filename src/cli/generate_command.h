#pragma once
// kestrel-cli generate: a procedure from a specification file (or a
// built-in sample), written as the clipboard would receive it, or as the
// viewer's rich-text document.
#include "cli/command.h"

namespace kestrel::cli {

inline constexpr int kExitUnreadableFile = 1;
inline constexpr int kExitNothingCreated = 3;
inline constexpr int kExitGeneratorFailed = 4;
inline constexpr int kExitFieldOverflow = 6; // with --strict; 5 is kExitWriteFailed

class GenerateCommand : public Command {
public:
    std::string name() const override { return "generate"; }
    std::string summary() const override { return "Create the procedure of a specification file or sample"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
