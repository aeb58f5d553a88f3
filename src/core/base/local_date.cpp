#include "core/base/local_date.h"

#include <ctime>

namespace kestrel {

CalendarDate localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The thread-safe local-time call has a different name and argument
    // order on each platform.
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0)
        return {};
#else
    if (localtime_r(&now, &local) == nullptr)
        return {};
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace kestrel
