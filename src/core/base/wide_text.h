#pragma once
// Text between Kestrel's UTF-8 and the UTF-16 of Windows' own functions
// (file names, the console, normalisation, collation). Windows only.
#ifdef _WIN32
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The UTF-8 text in UTF-16; nothing when it is not valid UTF-8.
std::optional<std::wstring> wideFromUtf8(std::string_view text);

// The UTF-16 text in UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string utf8FromWide(std::wstring_view text);

} // namespace kestrel
#endif // _WIN32
