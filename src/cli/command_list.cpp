#include "cli/command_list.h"

#include "cli/coverage_command.h"
#include "cli/diff_command.h"
#include "cli/generate_command.h"
#include "cli/report_command.h"
#include "cli/sample_command.h"
#include "cli/texts_command.h"
#include "cli/verify_command.h"

// Each subcommand adds its one line here.

namespace kestrel::cli {

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<GenerateCommand>());
    commands.push_back(std::make_unique<DiffCommand>());
    commands.push_back(std::make_unique<VerifyCommand>());
    commands.push_back(std::make_unique<CoverageCommand>());
    commands.push_back(std::make_unique<ReportCommand>());
    commands.push_back(std::make_unique<TextsCommand>());
    commands.push_back(std::make_unique<SampleCommand>());
    commands.push_back(std::make_unique<SamplesCommand>());
    return commands;
}

} // namespace kestrel::cli
