#pragma once
// Replacing a file without ever losing it: the new content goes to a
// temporary file in the same folder, which is then renamed over the old one.
// A crash or a full disk leaves either the old file or the new one, never a
// half-written file.
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

// Creates the folder when missing. A symbolic link is followed, so the link
// stays and the file it names is replaced. The permissions of an existing
// file are kept. On failure returns false with error set, and the old file
// is as it was.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error);

} // namespace kestrel
