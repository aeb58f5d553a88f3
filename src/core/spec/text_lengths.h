#pragma once
// The longest line a typed text may give the procedure: a header value
// (name, author, revision), a Scopes page field or a line of the comments.
// The procedure's fields are far shorter (a longer value is warned of);
// beyond this a value is no value but a file that freezes the fields and
// the preview that show it, so a specification file holding one is refused
// and the fields take no more.
#include <cstddef>

namespace kestrel {

inline constexpr std::size_t kLongestLineText = 250; // characters, not bytes

} // namespace kestrel
