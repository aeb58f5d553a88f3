#pragma once
// The viewers' text search: not whole-word, case-insensitive, forward
// only, no wrapping. Positions count characters (UTF-8 code points).
//
// Where a search starts is the caller's rule: the procedure viewer looks
// from one character after the caret, so that Search again moves past the
// hit it has selected; the help viewers' first search looks from the start
// of the text and their Search again from one character after the selection.
#include <cstddef>
#include <optional>
#include <string_view>

namespace kestrel {

// The first occurrence of needle at or after fromCharacter; nullopt when
// there is none or needle is empty. Letters compare without regard to case
// (ASCII letters; "µ" or "°" match only themselves).
std::optional<std::size_t> findNoCase(std::string_view text, std::string_view needle, std::size_t fromCharacter);

} // namespace kestrel
