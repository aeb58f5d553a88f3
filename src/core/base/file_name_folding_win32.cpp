// File name folding on Windows: the system's normalisation (NormalizeString)
// and its invariant upper case (LCMapStringEx), the mapping NTFS itself
// compares names with.
#ifdef _WIN32

#include "core/base/file_name_folding.h"

#include "core/base/text_util.h"
#include "core/base/unicode_form.h"
#include "core/base/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace kestrel {

std::string foldedFileName(std::string_view name)
{
    const std::optional<std::string> composed = normalizedText(name, UnicodeForm::Nfc);
    const std::optional<std::wstring> wide = composed ? wideFromUtf8(*composed) : std::nullopt;
    if (!wide || wide->empty())
        return toLower(name);
    const std::wstring& text = *wide;
    const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
        nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0)
        return toLower(name);
    std::wstring upper(static_cast<std::size_t>(size), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), upper.data(),
            size, nullptr, nullptr, 0) <= 0)
        return toLower(name);
    return utf8FromWide(upper);
}

} // namespace kestrel

#endif // _WIN32
