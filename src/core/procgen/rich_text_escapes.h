#pragma once
// The procedure a generator writes is the body of its rich-text form: the
// generators' own braces around section titles stand there as "\{" "\}".
// A text the user typed (a name, a comment, an instruction, a picture
// name, a local text) goes in with its "\", "{" and "}" escaped the same
// way, so that a rich-text reader shows it as typed and the clipboard form
// can tell the generators' braces from the user's characters.
#include <string>
#include <string_view>

namespace kestrel {

// The typed text as it stands in a procedure: "\" "{" "}" as "\\" "\{" "\}".
std::string escapeTypedText(std::string_view typed);

// The procedure as Tessel gets it: "\\" "\{" "\}" become the character
// after the backslash; any other backslash stays.
std::string unescapeProcedureText(std::string_view text);

} // namespace kestrel
