#pragma once
// A value of a specification file: none (an empty cell, a missing record,
// a record without picture), a text, a whole number, or yes/no.
#include <string>
#include <variant>

namespace kestrel {

using SpecValue = std::variant<std::monostate, std::string, long long, bool>;

} // namespace kestrel
