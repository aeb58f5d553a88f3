// Unicode forms: what a text is in, and texts that differ in form alone.
#include "core/base/unicode_form.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr const char* kComposed = "Gr\xC3\xBC\xC3\x9F"
                                  "e \xC3\x85"; // "Grüße Å", one character each
constexpr const char* kDecomposed = "Gru\xCC\x88\xC3\x9F"
                                    "e A\xCC\x8A"; // U + U+0308, A + U+030A
constexpr const char* kMixed = "Gr\xC3\xBC\xC3\x9F"
                               "e A\xCC\x8A";

TEST(UnicodeForm, TheFormOfATextAndTheTextInEachForm)
{
    const struct {
        const char* text;
        UnicodeForm form;
    } cases[] = {
        {"", UnicodeForm::Nfc}, {"10 V, 2 A", UnicodeForm::Nfc}, // ASCII is in both forms and counts as composed
        {kComposed, UnicodeForm::Nfc}, {kDecomposed, UnicodeForm::Nfd}, {kMixed, UnicodeForm::Mixed},
        {"\xFF\xFE", UnicodeForm::Mixed}, // no UTF-8: no form
    };
    for (const auto& c : cases)
        EXPECT_EQ(unicodeFormOf(c.text), c.form) << c.text;

    for (const char* text : {kComposed, kDecomposed, kMixed}) {
        EXPECT_EQ(normalizedText(text, UnicodeForm::Nfc), kComposed);
        EXPECT_EQ(normalizedText(text, UnicodeForm::Nfd), kDecomposed);
    }
    EXPECT_EQ(normalizedText("\xC3", UnicodeForm::Nfc), std::nullopt);
    EXPECT_EQ(unicodeFormName(UnicodeForm::Nfd), "NFD");
}

TEST(UnicodeForm, TextsThatDifferInFormOnly)
{
    const struct {
        const char* a;
        const char* b;
        bool formOnly;
    } cases[] = {
        {kComposed, kDecomposed, true},
        {kDecomposed, kMixed, true},
        {kComposed, kComposed, false}, // the same bytes: no difference at all
        {kComposed, "Grusse A", false},
        {"\xC3\xBC", "u", false},
        {"\xFF", "\xFE", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(differInFormOnly(c.a, c.b), c.formOnly) << c.a << " / " << c.b;
}

} // namespace
} // namespace kestrel
