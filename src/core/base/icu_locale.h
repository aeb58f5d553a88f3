#pragma once
// The ICU locale of a Windows locale identifier, for the parts of base that
// ask ICU (the locale database, text collation). POSIX systems only: on
// Windows the system's own locale functions take the identifiers as they are.
#ifndef _WIN32

#include <unicode/locid.h>

#include <optional>

namespace kestrel {

// Nothing for an identifier ICU does not map, or maps only to its root
// locale (which has no conventions of its own); the two default identifiers
// stand for the environment's locale.
std::optional<icu::Locale> icuLocaleOf(int lcid);

} // namespace kestrel

#endif // _WIN32
