#pragma once
// kestrel-cli texts: the text table as the program answers it, one
// "number<TAB>text" line per text, for translators.
#include "cli/command.h"

#include <filesystem>

namespace kestrel::cli {

class TextsCommand : public Command {
public:
    std::string name() const override { return "texts"; }
    std::string summary() const override { return "Print the text table (local texts where saved)"; }
    int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;

    // The folder of the running program, where a localization file may also
    // lie; empty when the platform does not tell.
    static std::filesystem::path programDirectory();
};

} // namespace kestrel::cli
