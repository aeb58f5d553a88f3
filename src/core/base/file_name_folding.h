#pragma once
// File names as the file systems of Windows and macOS compare them: "Ärger"
// and "ärger" are one name there, and so are "café" with a composed "é" and
// with "e" followed by a combining accent. Names are brought to one
// composition and then case-folded with the whole of Unicode's case
// mapping: ICU on POSIX systems, the system's own NormalizeString and
// LCMapStringEx on Windows, which has no ICU. The folding errs towards
// calling names one ("STRASSE" and "straße" fold alike under ICU), so that a
// check built on it never lets two names onto one file.
#include <string>
#include <string_view>

namespace kestrel {

// The folded form of a UTF-8 name: two names that fold alike are one file
// name on a case-blind file system. A name that is not valid UTF-8 has only
// its ASCII letters folded.
std::string foldedFileName(std::string_view name);

} // namespace kestrel
