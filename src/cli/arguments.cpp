#include "cli/arguments.h"

#include "cli/command.h"

#include <charconv>
#include <ostream>
#include <system_error>

namespace kestrel::cli {

bool parseInt(const std::string& text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
}

int usage(std::ostream& err, std::string_view command, std::string_view why)
{
    err << "kestrel-cli " << command << ": " << why << "\nRun 'kestrel-cli " << command
        << " --help' for the options.\n";
    return kExitUsage;
}

} // namespace kestrel::cli
