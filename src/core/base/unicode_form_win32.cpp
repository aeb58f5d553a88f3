// Unicode normalization on Windows: the system's NormalizeString, which
// needs no ICU.
#ifdef _WIN32

#include "core/base/unicode_form.h"

#include "core/base/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace kestrel {

std::optional<std::string> normalizedText(std::string_view text, UnicodeForm form)
{
    if (form == UnicodeForm::Mixed)
        return std::nullopt;
    const std::optional<std::wstring> source = wideFromUtf8(text);
    if (!source)
        return std::nullopt;
    if (source->empty())
        return std::string();
    const NORM_FORM normForm = form == UnicodeForm::Nfc ? NormalizationC : NormalizationD;
    const int length = static_cast<int>(source->size());
    // The first call estimates the size; a second is needed only when the
    // estimate was short, as the documentation of NormalizeString advises.
    int size = NormalizeString(normForm, source->data(), length, nullptr, 0);
    for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
        std::wstring out(static_cast<std::size_t>(size), L'\0');
        const int written = NormalizeString(normForm, source->data(), length, out.data(), size);
        if (written > 0) {
            out.resize(static_cast<std::size_t>(written));
            return utf8FromWide(out);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
        size = -written;
    }
    return std::nullopt;
}

} // namespace kestrel

#endif // _WIN32
