#pragma once
// kestrel-cli report: a review report of two versions of a specification
// file, or of two versions of a library of them, as one HTML page to print
// and sign, and as JSON.
#include "cli/command.h"

namespace kestrel::cli {

class ReportCommand : public Command {
public:
    std::string name() const override { return "report"; }
    std::string summary() const override { return "Write a review report of two files or two libraries"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
