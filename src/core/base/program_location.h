#pragma once
// The folder the running program was started from. The localization file
// may lie beside the program, and an installed Kestrel finds its data
// relative to it.
#include <filesystem>

namespace kestrel {

// The folder of the running executable, found from the operating system
// (not from argv[0] or the working folder); empty when it cannot be told.
std::filesystem::path programDirectory();

} // namespace kestrel
