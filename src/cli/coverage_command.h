#pragma once
// kestrel-cli coverage: what each meter calibration standard's procedure
// would do with the test points of a specification file: test them as
// specified, reduce them to its limits, leave them to the operator, or
// leave them out.
#include "cli/command.h"

namespace kestrel::cli {

class CoverageCommand : public Command {
public:
    std::string name() const override { return "coverage"; }
    std::string summary() const override { return "Show how each meter standard covers a file's test points"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
