#pragma once
// The names a specification file uses for the model's choices, shared by its
// reader and writer so that the two cannot drift apart.
#include "core/app/procedure_inputs.h"
#include "core/spec/spec_table.h"

#include <array>
#include <string_view>

namespace kestrel::specfile {

inline constexpr std::string_view kFormat = "kestrel-spec";
inline constexpr int kVersion = 1;
inline constexpr int kMaxDepth = 64;
// Values of every kind (texts, numbers, objects, lists) a file may hold. A
// full grid with an instruction record on every column holds about 3,600;
// the cap turns a file of a million empty objects away while it is read.
inline constexpr std::size_t kMaxValues = 50000;

// Choices by enum value.
inline constexpr std::array<std::string_view, 2> kPages{"meter", "scope"};
inline constexpr std::array<std::string_view, 2> kToleranceStyles{"as_written", "units"};
inline constexpr std::array<std::string_view, 3> kPostTestWindows{"on_failure", "always", "never"};
inline constexpr std::array<std::string_view, 4> kDataEntries{"slew", "go_no_go", "keyboard", "all"};

} // namespace kestrel::specfile
