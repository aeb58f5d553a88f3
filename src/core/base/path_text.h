#pragma once
// Paths as UTF-8 text and back. Messages, command lines and files hold
// UTF-8; std::filesystem would read and write a narrow string in the ANSI
// code page on Windows, losing (or refusing) every character outside it.
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

inline std::filesystem::path pathFromUtf8(std::string_view text)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
#else
    return std::filesystem::path(std::string(text));
#endif
}

inline std::string utf8FromPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.native();
#endif
}

} // namespace kestrel
