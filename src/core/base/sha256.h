#pragma once
// SHA-256 of bytes, written as 64 lower-case hex digits: what a review
// report names a file by, so that a reader can check that the file in
// hand is the one reviewed (sha256sum and Get-FileHash print the same).
#include <string>
#include <string_view>

namespace kestrel {

std::string sha256Hex(std::string_view bytes);

} // namespace kestrel
