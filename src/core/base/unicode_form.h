#pragma once
// Unicode normalization forms: "ü" may be stored as one character (NFC, as
// most keyboards type it) or as "u" and a combining diaeresis (NFD, as some
// file systems and editors store it). The two look the same but are other
// bytes, so a comparison of texts names a change of form alone as such.
// ICU on POSIX systems, the system's NormalizeString on Windows.
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum class UnicodeForm {
    Nfc,   // composed (ASCII text is both; it counts as composed)
    Nfd,   // decomposed
    Mixed, // neither: some characters composed, others not
};

// The text (UTF-8) in the form; nothing when the platform cannot normalize
// it (text that is no valid UTF-8).
std::optional<std::string> normalizedText(std::string_view text, UnicodeForm form);

// The form a text is in; Mixed too when it cannot be normalized.
UnicodeForm unicodeFormOf(std::string_view text);

// True when a and b differ in their bytes but not once both are composed.
bool differInFormOnly(std::string_view a, std::string_view b);

// "NFC", "NFD", "mixed", as reports name a form.
std::string_view unicodeFormName(UnicodeForm form);

} // namespace kestrel
