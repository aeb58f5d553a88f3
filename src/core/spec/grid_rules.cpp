#include "core/spec/grid_rules.h"

#include "core/i18n/text_numbers.h"

#include <array>
#include <string>

namespace kestrel {

int rowLabelText(MeterFunction function, int row)
{
    static constexpr std::array<int, 8> kFixedRows{kTextUutRange, kTextTestLevel, kTextPercentOfReading,
        kTextPercentOfRange, kTextPpmOfReading, kTextPpmOfRange, 0, kTextDigits};
    if (row == RowFixed)
        return functionInfo(function).row6LabelText;
    if (row >= 0 && row < static_cast<int>(kFixedRows.size()))
        return kFixedRows[static_cast<std::size_t>(row)];
    if (row != RowFrequency)
        return 0;
    switch (function) {
    case MeterFunction::Acv:
    case MeterFunction::Aci:
        return kTextFrequencyHz;
    case MeterFunction::Tc:
        return kTextTcType;
    case MeterFunction::Rtd:
        return kTextRtdType;
    default:
        return 0;
    }
}

int specLabelItem(int row)
{
    static constexpr std::array<int, 9> kItems{0, 9, 1, 2, 3, 4, 5, 6, 7};
    return row >= 0 && row < static_cast<int>(kItems.size()) ? kItems[static_cast<std::size_t>(row)] : -1;
}

HeaderPicture headerPicture(const ConnectionStore& records, MeterFunction function, int column)
{
    const ConnectionRecord* record = records.findUnique(function, column);
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

namespace {

// A record's text on one line: CR LF (and any other control character)
// becomes a blank, runs of them one blank.
std::string oneLine(std::string_view text)
{
    std::string line;
    bool gap = false;
    for (const char ch : text) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
            gap = true;
            continue;
        }
        if (gap && !line.empty())
            line += ' ';
        gap = false;
        line += ch;
    }
    return line;
}

} // namespace

std::string columnHeaderDescription(
    const ConnectionStore& records, MeterFunction function, int column, const TextLookup& texts)
{
    const std::string number = std::to_string(column + 1);
    const ConnectionRecord* record = records.findUnique(function, column);
    // The same four cases as the header's picture (headerPicture).
    const bool pic = record && record->pic;
    const bool text = record && record->text;
    if (pic && text)
        return textWith(texts, kTextColumnPictureAndText, {number, oneLine(*record->pic), oneLine(*record->text)});
    if (text)
        return textWith(texts, kTextColumnText, {number, oneLine(*record->text)});
    if (pic)
        return textWith(texts, kTextColumnPicture, {number, oneLine(*record->pic)});
    return textWith(texts, kTextColumnNoInstruction, {number});
}

std::string wizardCaption(const SpecTable& table, MeterFunction function, int column, const TextLookup& texts)
{
    const std::string& range = table.cell(RowRange, column);
    if (range.empty())
        return {};
    return textWith(texts, kTextWizardRangeCaption,
        {texts.gettext(kTextPicDispWizard), textWith(texts, functionInfo(function).rangeText, {range})});
}

} // namespace kestrel
