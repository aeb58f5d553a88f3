#pragma once
// How a procedure file differs from the procedure Kestrel made: the one
// place kestrel-cli verify asks, so a finer comparison can take its place.
#include <string>
#include <string_view>

namespace kestrel::cli {

// The changed lines of `edited` against `generated`, for a person to read:
// lines of text, each indented by two blanks, line ends without their CR
// and any control character escaped. Empty when the two are equal. `name`
// names the edited file.
std::string procedureChanges(std::string_view generated, std::string_view edited, std::string_view name);

} // namespace kestrel::cli
