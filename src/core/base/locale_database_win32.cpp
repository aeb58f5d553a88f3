// The locale database on Windows: the system's own locale functions, which
// take the locale identifiers as they are.
#ifdef _WIN32

#include "core/base/locale_database.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string_view>

namespace kestrel {
namespace {

std::string utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// The system's description of an error, in the user's language, without
// the line break it ends with.
std::string systemErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring_view text(buffer, buffer ? length : 0);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.remove_suffix(1);
    std::string out = utf8(text);
    LocalFree(buffer);
    return out;
}

// One item of a locale: the text without its terminating zero, asked with
// a 255-character buffer; or the system's error.
LocaleLookup localeInfo(int lcid, LCTYPE type)
{
    wchar_t buffer[255] = {};
    const int length = GetLocaleInfoW(static_cast<LCID>(lcid), type, buffer, 254);
    if (length == 0) {
        const DWORD error = GetLastError();
        return {{}, LocaleLookupFailure{error, systemErrorText(error)}};
    }
    return {utf8(std::wstring_view(buffer, static_cast<std::size_t>(length - 1))), std::nullopt};
}

} // namespace

LocaleLookup lookUpLocaleItem(int lcid, LocaleItem item) { return localeInfo(lcid, static_cast<LCTYPE>(item)); }

std::optional<std::array<std::string, 12>> lookUpMonthAbbreviations(int lcid)
{
    std::array<std::string, 12> names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        LocaleLookup month = localeInfo(lcid, static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i));
        if (month.failure)
            return std::nullopt;
        names[i] = std::move(month.text);
    }
    return names;
}

int platformUserDefaultLcid() { return static_cast<int>(GetUserDefaultLCID()); }

// The language of the user's default locale, as the system names it.
int platformUserDefaultLanguage() { return static_cast<int>(GetUserDefaultLangID()); }

} // namespace kestrel

#endif // _WIN32
