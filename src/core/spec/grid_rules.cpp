#include "core/spec/grid_rules.h"

#include <array>

namespace kestrel {

int rowLabelText(MeterFunction function, int row)
{
    static constexpr std::array<int, 8> kFixedRows{1070, 1255, 1071, 1072, 1073, 1074, 0, 1083};
    if (row == RowFixed)
        return functionInfo(function).row6LabelText;
    if (row >= 0 && row < static_cast<int>(kFixedRows.size()))
        return kFixedRows[static_cast<std::size_t>(row)];
    if (row != RowFrequency)
        return 0;
    switch (function) {
    case MeterFunction::Acv:
    case MeterFunction::Aci: return 1081; // "Frequency - Hz"
    case MeterFunction::Tc: return 1240;  // "TC Type"
    case MeterFunction::Rtd: return 1241; // "RTD Type"
    default: return 0;
    }
}

int specLabelItem(int row)
{
    static constexpr std::array<int, 9> kItems{0, 9, 1, 2, 3, 4, 5, 6, 7};
    return row >= 0 && row < static_cast<int>(kItems.size()) ? kItems[static_cast<std::size_t>(row)] : -1;
}

HeaderPicture headerPicture(const ConnectionRecord* record)
{
    if (!record)
        return HeaderPicture::Nothing;
    if (record->pic && record->text)
        return HeaderPicture::PictureAndText;
    if (record->text)
        return HeaderPicture::Text;
    if (record->pic)
        return HeaderPicture::Picture;
    return HeaderPicture::Nothing;
}

HeaderPicture headerPicture(const ConnectionStore& records, std::string_view mode, int column)
{
    return headerPicture(records.findUnique(mode, column));
}

std::string wizardCaption(const SpecTable& table, MeterFunction function, int column, const TextLookup& texts)
{
    const std::string& range = table.cell(RowRange, column);
    if (range.empty())
        return {};
    return texts.gettext(1276) + " " + range + std::string(functionInfo(function).unitWord) + " range ";
}

} // namespace kestrel
