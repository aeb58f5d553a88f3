#pragma once
// How a procedure file differs from the procedure Kestrel made: the one
// place kestrel-cli verify asks, so a finer comparison can take its place.
#include <string>
#include <string_view>

namespace kestrel::cli {

// How `edited` differs from `generated`, for a person to read, step by
// step as kestrel-cli diff --procedure shows it (renumberings, each change
// named in its step with its fields and lines), each line indented by two
// blanks. Empty when the two are equal.
std::string procedureChanges(std::string_view generated, std::string_view edited);

} // namespace kestrel::cli
