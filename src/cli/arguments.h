#pragma once
// What every subcommand does alike with its arguments.
#include <iosfwd>
#include <string>
#include <string_view>

namespace kestrel::cli {

// True when the whole text is one decimal integer that fits an int.
bool parseInt(const std::string& text, int& value);

// Refuses the arguments of a command: "kestrel-cli COMMAND: WHY" and where
// to find its options, on err. Returns kExitUsage.
int usage(std::ostream& err, std::string_view command, std::string_view why);

} // namespace kestrel::cli
