#pragma once
// kestrel-cli generate: a procedure from a specification file (or a
// built-in sample), written as the clipboard would receive it, or as the
// viewer's rich-text document; or the procedures of many files, each into
// its own file of a folder.
#include "cli/command.h"

namespace kestrel::cli {

class GenerateCommand : public Command {
public:
    std::string name() const override { return "generate"; }
    std::string summary() const override { return "Create the procedures of specification files or a sample"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
