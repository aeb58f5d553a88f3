// Text collation on Windows: the system's own comparison of the language
// (CompareStringEx), which needs no ICU.
#ifdef _WIN32

#include "core/base/text_collation.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace kestrel {
namespace {

std::wstring wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

} // namespace

struct TextCollation::Platform {
    std::wstring localeName; // empty: the invariant locale
};

TextCollation::TextCollation(int lcid) : platform_(std::make_unique<Platform>())
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(static_cast<LCID>(lcid), name, LOCALE_NAME_MAX_LENGTH, 0) > 0)
        platform_->localeName = name;
}

TextCollation::~TextCollation() = default;

int TextCollation::compare(std::string_view a, std::string_view b) const
{
    const std::wstring wa = wide(a), wb = wide(b);
    const int result =
        CompareStringEx(platform_->localeName.empty() ? LOCALE_NAME_INVARIANT : platform_->localeName.c_str(), 0,
            wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), nullptr, nullptr, 0);
    if (result == CSTR_LESS_THAN)
        return -1;
    if (result == CSTR_GREATER_THAN)
        return 1;
    if (result == CSTR_EQUAL)
        return 0;
    const int c = a.compare(b); // the system could not compare: byte order
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace kestrel

#endif // _WIN32
