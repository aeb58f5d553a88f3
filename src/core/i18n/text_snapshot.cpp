#include "core/i18n/text_snapshot.h"

#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"

#include <algorithm>

namespace kestrel {

std::string TextSnapshot::gettext(int number) const
{
    const auto found = std::lower_bound(records_.begin(), records_.end(), number,
        [](const std::pair<int, std::optional<std::string>>& record, int n) { return record.first < n; });
    if (found == records_.end() || found->first != number)
        return {};
    if (found->second)
        return trim(*found->second);
    const auto english = englishText(number);
    return english ? trim(*english) : std::string{};
}

} // namespace kestrel
