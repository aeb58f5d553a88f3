#pragma once
// The encodings a text file comes in from other programs, read as UTF-8:
// UTF-8 with or without a byte order mark (what most programs write), and
// UTF-16 little- or big-endian with one (what spreadsheets write as
// "Unicode text"). A text without a byte order mark must be UTF-8: a
// legacy code page cannot be told from another, so it is refused rather
// than guessed.
#include <string>
#include <string_view>

namespace kestrel {

struct DecodedText {
    std::string utf8;  // without the byte order mark
    std::string error; // empty when the bytes were read; else why not, to follow the file's name
};

DecodedText decodeTextBytes(std::string_view bytes);

} // namespace kestrel
