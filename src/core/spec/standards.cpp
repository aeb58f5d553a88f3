#include "core/spec/standards.h"

#include <algorithm>

namespace kestrel {
namespace {

constexpr std::array<std::string_view, 11> kAllTcTypes{"B", "C", "E", "J", "K", "L", "N", "R", "S", "T", "U"};
constexpr std::array<std::string_view, 8> kAllRtdTypes{"100 ohm Pt 385", "100 ohm Pt 3926", "120 ohm Ni",
    "200 ohm Pt 385", "500 ohm Pt 385", "1 k ohm Pt 385", "100 ohm Pt 3916", "10 ohm  Cu"};

bool is6400(std::string_view referenceText) { return referenceText == "6400"; }

} // namespace

std::optional<CalibratorFamily> familyOf(std::string_view referenceText)
{
    const std::string_view model = referenceText.substr(0, 4);
    if (model == "7300" || model == "7320")
        return CalibratorFamily::Family73xx;
    if (model == "7600" || model == "7620")
        return CalibratorFamily::Family76xx;
    if (model == "6400")
        return CalibratorFamily::Family64xx;
    if (!referenceText.empty() && referenceText.front() == kReferences.front().front())
        return CalibratorFamily::Family3xxx;
    return std::nullopt;
}

std::vector<std::string_view> tcTypes(std::string_view referenceText)
{
    const std::size_t count = is6400(referenceText) ? kAllTcTypes.size() - 1 : kAllTcTypes.size();
    return {kAllTcTypes.begin(), kAllTcTypes.begin() + static_cast<std::ptrdiff_t>(count)};
}

std::vector<std::string_view> rtdTypes(std::string_view referenceText)
{
    const std::size_t count = is6400(referenceText) ? 2 : kAllRtdTypes.size();
    return {kAllRtdTypes.begin(), kAllRtdTypes.begin() + static_cast<std::ptrdiff_t>(count)};
}

int rtdTypeIndex(std::string_view referenceText, std::string_view rtdType)
{
    const auto list = rtdTypes(referenceText);
    const auto it = std::find(list.begin(), list.end(), rtdType);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int clampReferenceIndex(int index) { return std::clamp(index, 0, static_cast<int>(kReferences.size()) - 1); }

int referenceIndex(std::string_view referenceText)
{
    const auto it = std::find(kReferences.begin(), kReferences.end(), referenceText);
    return it == kReferences.end() ? -1 : static_cast<int>(it - kReferences.begin());
}

} // namespace kestrel
