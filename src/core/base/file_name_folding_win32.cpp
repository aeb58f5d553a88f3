// File name folding on Windows: the system's normalisation (NormalizeString)
// and its invariant upper case (LCMapStringEx), the mapping NTFS itself
// compares names with.
#ifdef _WIN32

#include "core/base/file_name_folding.h"

#include "core/base/text_util.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

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

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// The name composed (NFC); the estimate NormalizeString asks for may fall
// short, so it is retried with the size it then names.
bool composed(std::wstring& text)
{
    int size = NormalizeString(NormalizationC, text.data(), static_cast<int>(text.size()), nullptr, 0);
    for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
        std::wstring out(static_cast<std::size_t>(size), L'\0');
        size = NormalizeString(NormalizationC, text.data(), static_cast<int>(text.size()), out.data(), size);
        if (size > 0) {
            out.resize(static_cast<std::size_t>(size));
            text = std::move(out);
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return false;
        size = -size;
    }
    return false;
}

} // namespace

std::string foldedFileName(std::string_view name)
{
    if (!isValidUtf8(name) || name.empty())
        return toLower(name);
    std::wstring text = wide(name);
    if (!composed(text))
        return toLower(name);
    const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
        nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0)
        return toLower(name);
    std::wstring upper(static_cast<std::size_t>(size), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), upper.data(),
            size, nullptr, nullptr, 0) <= 0)
        return toLower(name);
    return narrow(upper);
}

} // namespace kestrel

#endif // _WIN32
