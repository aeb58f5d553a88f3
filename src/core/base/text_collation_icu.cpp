// Text collation on POSIX systems: ICU's collator of the language.
#ifndef _WIN32

#include "core/base/text_collation.h"

#include "core/base/icu_locale.h"

#include <unicode/coll.h>
#include <unicode/stringpiece.h>

namespace kestrel {

struct TextCollation::Platform {
    std::unique_ptr<icu::Collator> collator; // null: byte order
};

TextCollation::TextCollation(int lcid) : platform_(std::make_unique<Platform>())
{
    // A language ICU does not know sorts by the root collation, Unicode's
    // default order, which still puts "Ü" beside "U".
    const icu::Locale locale = icuLocaleOf(lcid).value_or(icu::Locale::getRoot());
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_SUCCESS(status))
        platform_->collator = std::move(collator);
}

TextCollation::~TextCollation() = default;

int TextCollation::compare(std::string_view a, std::string_view b) const
{
    if (platform_->collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult result =
            platform_->collator->compareUTF8(icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())),
                icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
        if (U_SUCCESS(status))
            return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace kestrel

#endif // _WIN32
