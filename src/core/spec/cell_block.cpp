#include "core/spec/cell_block.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/grid_rules.h"
#include "core/spec/key_filter.h"
#include "core/spec/numbers.h"

namespace kestrel {
namespace {

std::vector<std::string_view> splitCells(std::string_view line)
{
    std::vector<std::string_view> cells;
    for (;;) {
        const std::size_t tab = line.find('\t');
        cells.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return cells;
        line.remove_prefix(tab + 1);
    }
}

std::string cellName(MeterFunction function, const TextLookup& texts, int row, int column)
{
    const int label = rowLabelText(function, row);
    const std::string rowName = row < functionInfo(function).rows && label != 0
        ? texts.gettext(label)
        : textWith(texts, kTextRowName, {std::to_string(row + 1)});
    return textWith(texts, kTextCellName, {rowName, std::to_string(column + 1)});
}

} // namespace

std::string tooLongCellRefusal(const TextLookup& texts, std::size_t length, std::string_view cell)
{
    const std::string count = std::to_string(length);
    const std::string longest = std::to_string(kLongestCell);
    if (cell.empty())
        return textWith(texts, kTextPastedTextTooLong, {count, longest});
    return textWith(texts, kTextPastedCellTooLong, {cell, count, longest});
}

std::string copyCellBlock(const SpecTable& table, int top, int left, int bottom, int right)
{
    std::string out;
    for (int r = top; r <= bottom; ++r) {
        if (r > top)
            out += '\n';
        for (int c = left; c <= right; ++c) {
            if (c > left)
                out += '\t';
            out += table.cell(r, c);
        }
    }
    return out;
}

PasteCheck checkCellBlock(MeterFunction function, int row, int column, std::string_view block, std::string_view decSep)
{
    PasteCheck check;
    const int rows = functionInfo(function).rows;
    const auto lines = splitLines(block);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto cells = splitCells(lines[i]);
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const int r = row + static_cast<int>(i);
            const int c = column + static_cast<int>(j);
            const auto refuse = [&](PasteCheck::Outcome why) {
                check.outcome = why;
                check.cells.clear();
                check.row = r;
                check.column = c;
                check.value = std::string(cells[j]);
                return check;
            };
            if (r < 0 || r >= rows || c < 0 || c >= kColumnCount)
                return refuse(PasteCheck::Outcome::OutsideTable);
            // Measured before the filter types it; the message names its
            // length, not its megabytes.
            if (cells[j].size() > kLongestCell && charCount(cells[j]) > kLongestCell) {
                check.outcome = PasteCheck::Outcome::TooLong;
                check.cells.clear();
                check.row = r;
                check.column = c;
                check.length = charCount(cells[j]);
                return check;
            }
            auto stored = typeIntoCell(function, r, cells[j], decSep);
            if (!stored)
                return refuse(PasteCheck::Outcome::Refused);
            check.cells.push_back({r, c, heldCell(*stored, decSep)});
        }
    }
    check.outcome = check.cells.empty() ? PasteCheck::Outcome::Empty : PasteCheck::Outcome::Accepted;
    return check;
}

std::string pasteRefusal(const PasteCheck& check, MeterFunction function, const TextLookup& texts)
{
    switch (check.outcome) {
    case PasteCheck::Outcome::OutsideTable:
        return textWith(texts, kTextPasteOutsideTable, {cellName(function, texts, check.row, check.column)});
    case PasteCheck::Outcome::TooLong:
        return tooLongCellRefusal(texts, check.length, cellName(function, texts, check.row, check.column));
    case PasteCheck::Outcome::Refused:
        return textWith(texts, kTextPasteRefused, {check.value, cellName(function, texts, check.row, check.column)});
    case PasteCheck::Outcome::Accepted:
    case PasteCheck::Outcome::Empty:
        break;
    }
    return {};
}

} // namespace kestrel
