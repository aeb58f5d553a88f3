#pragma once
// kestrel-cli verify: whether the procedures of a recorded run are still
// what Kestrel made, by making them again with the recorded settings.
#include "cli/command.h"

namespace kestrel::cli {

class VerifyCommand : public Command {
public:
    std::string name() const override { return "verify"; }
    std::string summary() const override { return "Check procedures against the record of the run that made them"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
