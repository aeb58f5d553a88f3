#include "core/spec/spec_table.h"

#include <algorithm>

namespace kestrel {

const std::string& SpecTable::cell(int row, int column) const
{
    static const std::string kEmpty;
    return inside(row, column) ? cells_[index(row, column)] : kEmpty;
}

void SpecTable::setCell(int row, int column, std::string text)
{
    if (inside(row, column))
        cells_[index(row, column)] = std::move(text);
}

void SpecTable::clear() { std::fill(cells_.begin(), cells_.end(), std::string{}); }

void SpecTable::removeColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    for (int r = 0; r < rows_; ++r) {
        for (int c = column; c < kColumnCount - 1; ++c)
            cells_[index(r, c)] = std::move(cells_[index(r, c + 1)]);
        cells_[index(r, kColumnCount - 1)].clear();
    }
}

void SpecTable::insertColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    for (int r = 0; r < rows_; ++r) {
        for (int c = kColumnCount - 1; c > column; --c)
            cells_[index(r, c)] = std::move(cells_[index(r, c - 1)]);
        cells_[index(r, column)].clear();
    }
}

MeterSpec::MeterSpec()
    : tables_{SpecTable(8), SpecTable(9), SpecTable(8), SpecTable(9), SpecTable(8), SpecTable(8), SpecTable(8),
          SpecTable(8), SpecTable(8)}
{
}

void MeterSpec::clear()
{
    for (auto& t : tables_)
        t.clear();
}

MeterFunction openingFunction(const MeterSpec& spec)
{
    for (const MeterFunction f : kAllFunctions)
        if (!spec.table(f).cell(RowRange, 0).empty())
            return f;
    return MeterFunction::Dcv;
}

} // namespace kestrel
