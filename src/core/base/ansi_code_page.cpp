#include "core/base/ansi_code_page.h"

#include "core/base/text_util.h"
#include "core/base/wide_text.h"

#include <array>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kestrel {
namespace {

constexpr int kWindows1252 = 1252;

// Windows-1252's characters for the bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kWindows1252High{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

#ifdef _WIN32
// The bytes through Windows' own conversion of the code page.
std::string utf8FromCodePage(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0)
        return utf8FromWindows1252(bytes);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), units);
    return utf8FromWide(wide);
}
#endif

} // namespace

int ansiCodePage()
{
#ifdef _WIN32
    const UINT codePage = GetACP();
    // A system that runs in UTF-8 has no other code page to offer for a
    // file that is not UTF-8.
    return codePage == CP_UTF8 ? kWindows1252 : static_cast<int>(codePage);
#else
    return kWindows1252;
#endif
}

std::string utf8FromWindows1252(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80)
            text += ch;
        else if (byte < 0xA0)
            appendUtf8(text, kWindows1252High[byte - 0x80]);
        else
            appendUtf8(text, byte);
    }
    return text;
}

std::string utf8FromAnsi(std::string_view bytes)
{
#ifdef _WIN32
    return utf8FromCodePage(bytes, static_cast<UINT>(ansiCodePage()));
#else
    return utf8FromWindows1252(bytes);
#endif
}

} // namespace kestrel
