#pragma once
// kestrel-cli sample NAME: a built-in sample as a specification file on
// standard output. kestrel-cli samples: the names of the built-in samples.
#include "cli/command.h"

namespace kestrel::cli {

class SampleCommand : public Command {
public:
    std::string name() const override { return "sample"; }
    std::string summary() const override { return "Write a built-in sample as a specification file"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

class SamplesCommand : public Command {
public:
    std::string name() const override { return "samples"; }
    std::string summary() const override { return "List the built-in samples"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
