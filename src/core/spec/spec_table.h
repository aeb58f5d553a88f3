#pragma once
// SpecTable: the text cells of one meter function, rows by 26 columns; each
// column is one test. MeterSpec: the nine tables, alive for the whole run.
#include "core/spec/meter_function.h"

#include <array>
#include <string>
#include <vector>

namespace kestrel {

// Row meanings, shared by every table.
enum SpecRow : int {
    RowRange = 0,      // UUT range, engineering notation without unit
    RowLevel = 1,      // test level; empty means the range value
    RowReadingPct = 2, // % of reading
    RowRangePct = 3,   // % of range
    RowReadingPpm = 4, // ppm of reading
    RowRangePpm = 5,   // ppm of range
    RowFixed = 6,      // fixed term in base units
    RowDigits = 7,     // counts of the last displayed digit
    RowFrequency = 8,  // test frequency, acv and aci only
};

inline constexpr int kColumnCount = 26;

class SpecTable {
public:
    explicit SpecTable(int rows = 8) : rows_(rows), cells_(static_cast<std::size_t>(rows * kColumnCount)) { }

    int rows() const { return rows_; }
    static constexpr int columns() { return kColumnCount; }

    // "" outside the table, so a generator may ask for row 8 of any table.
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);

    void clear();
    // Remove a column; the ones right of it move left, an empty column 25 is added.
    void removeColumn(int column);
    // Insert an empty column; column 25 falls off the end.
    void insertColumn(int column);

    bool operator==(const SpecTable&) const = default;

private:
    bool inside(int row, int column) const { return row >= 0 && row < rows_ && column >= 0 && column < kColumnCount; }
    std::size_t index(int row, int column) const { return static_cast<std::size_t>(row * kColumnCount + column); }

    int rows_;
    std::vector<std::string> cells_;
};

class MeterSpec {
public:
    MeterSpec();

    SpecTable& table(MeterFunction f) { return tables_[functionIndex(f)]; }
    const SpecTable& table(MeterFunction f) const { return tables_[functionIndex(f)]; }
    void clear();

    bool operator==(const MeterSpec&) const = default;

private:
    std::array<SpecTable, kFunctionCount> tables_;
};

// The function a specification read from a file or loaded from a sample
// is shown on: the first in tab order whose table has a range in column 0,
// dcv when none has (the thermometer sample opens on TC).
MeterFunction openingFunction(const MeterSpec& spec);

} // namespace kestrel
