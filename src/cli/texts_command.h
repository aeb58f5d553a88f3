#pragma once
// kestrel-cli texts: the text table as the program answers it, one
// "number<TAB>text" line per text, for translators.
#include "cli/command.h"

namespace kestrel::cli {

class TextsCommand : public Command {
public:
    std::string name() const override { return "texts"; }
    std::string summary() const override { return "Print the text table (local texts where saved)"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

} // namespace kestrel::cli
