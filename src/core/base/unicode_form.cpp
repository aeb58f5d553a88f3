#include "core/base/unicode_form.h"

namespace kestrel {

UnicodeForm unicodeFormOf(std::string_view text)
{
    for (const UnicodeForm form : {UnicodeForm::Nfc, UnicodeForm::Nfd})
        if (const std::optional<std::string> normal = normalizedText(text, form); normal && *normal == text)
            return form;
    return UnicodeForm::Mixed;
}

bool differInFormOnly(std::string_view a, std::string_view b)
{
    if (a == b)
        return false;
    const std::optional<std::string> composedA = normalizedText(a, UnicodeForm::Nfc);
    return composedA && composedA == normalizedText(b, UnicodeForm::Nfc);
}

std::string_view unicodeFormName(UnicodeForm form)
{
    switch (form) {
    case UnicodeForm::Nfc:
        return "NFC";
    case UnicodeForm::Nfd:
        return "NFD";
    case UnicodeForm::Mixed:
        break;
    }
    return "mixed";
}

} // namespace kestrel
