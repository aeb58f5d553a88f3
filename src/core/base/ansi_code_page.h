#pragma once
// Text in the Windows "ANSI" code page: what Windows' own profile functions
// and many editors write into settings files. Kestrel keeps its text as
// UTF-8; a settings file that is not UTF-8 is read in this code page
// instead of being refused, so that an older or hand-edited Kestrel.INI
// ("AuthorName=Jürgen Müller" in Windows-1252) keeps its values.
#include <string>
#include <string_view>

namespace kestrel {

// The system's ANSI code page on Windows (GetACP); elsewhere, and where
// Windows itself runs in UTF-8, Windows-1252, the code page of the
// Western European and American Windows installations such files come
// from.
int ansiCodePage();

// The bytes as UTF-8 text, read in ansiCodePage(). Every byte maps to a
// character, so nothing is lost.
std::string utf8FromAnsi(std::string_view bytes);

// The same in Windows-1252, whatever the system: bytes 0x80 to 0x9F are
// the typographic characters Windows puts there (the five it leaves
// undefined map to U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows
// maps them), every other byte to the code point of its value.
std::string utf8FromWindows1252(std::string_view bytes);

} // namespace kestrel
