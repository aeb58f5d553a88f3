// Unicode normalization on POSIX systems: ICU's normalizers.
#ifndef _WIN32

#include "core/base/unicode_form.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace kestrel {

std::optional<std::string> normalizedText(std::string_view text, UnicodeForm form)
{
    if (form == UnicodeForm::Mixed)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer =
        form == UnicodeForm::Nfc ? icu::Normalizer2::getNFCInstance(status) : icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return std::nullopt;
    // ICU reads bytes that are no UTF-8 as U+FFFD: such a text has no form.
    const icu::UnicodeString source =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    std::string back;
    source.toUTF8String(back);
    if (back != text)
        return std::nullopt;
    const icu::UnicodeString normal = normalizer->normalize(source, status);
    if (U_FAILURE(status))
        return std::nullopt;
    std::string out;
    normal.toUTF8String(out);
    return out;
}

} // namespace kestrel

#endif // _WIN32
