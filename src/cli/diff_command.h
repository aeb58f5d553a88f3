#pragma once
// kestrel-cli diff: what changed between two specification files, key by
// key, or between the procedures they make, line by line.
#include "cli/command.h"

namespace kestrel::cli {

class DiffCommand : public Command {
public:
    std::string name() const override { return "diff"; }
    std::string summary() const override { return "Show what changed between two specification files"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
