#pragma once
// What Kestrel does differently on Windows, for tests that check files it
// writes and folders it reads: new settings files end their lines with
// CR LF there, and Tessel's folders are kept in lower case, as Windows file
// names ignore case.
#include "core/base/text_util.h"

#include <string>

namespace kestrel::test {

inline std::string nativeLineEnds(const std::string& text)
{
#ifdef _WIN32
    return replaceAll(text, "\n", "\r\n");
#else
    return text;
#endif
}

inline std::string nativeFolderCase(const std::string& folder)
{
#ifdef _WIN32
    return toLower(folder);
#else
    return folder;
#endif
}

} // namespace kestrel::test
