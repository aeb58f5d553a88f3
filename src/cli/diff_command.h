#pragma once
// kestrel-cli diff: what changed between two specification files, key by
// key, or between the procedures they make, line by line.
#include "cli/command.h"

namespace kestrel::cli {

// As diff(1): 0 the same, 1 different, 2 trouble (wrong arguments, or a
// file that cannot be read or is no valid specification file).
inline constexpr int kExitDifferent = 1;
inline constexpr int kExitDiffTrouble = 2;

class DiffCommand : public Command {
public:
    std::string name() const override { return "diff"; }
    std::string summary() const override { return "Show what changed between two specification files"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
