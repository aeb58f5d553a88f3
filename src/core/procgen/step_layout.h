#pragma once
// The layout of a procedure's lines, in one table. A step line is the step
// number right-aligned in 7 characters, two blanks and the step body; the
// body's fields stand in fixed columns under their titles in the column
// header. Tessel reads these columns, so the column header, every value a
// generator writes, the check that a value fits its field and the windows
// that show a procedure all read this table.
#include <array>
#include <cstddef>
#include <string_view>

namespace kestrel {

// A procedure is written 78 characters wide: the column header, the lines
// the flag steps are laid out in and the scope calibrator lines are that
// wide, and the windows that show a procedure open wide enough for it.
inline constexpr std::size_t kProcedureWidth = 78;

// The header lines ("INSTRUMENT:", "DATE:", ...) start their values in this
// column, 1-based.
inline constexpr std::size_t kHeaderValueColumn = 24;

// A field of the step body, in 1-based body columns. Its title stands in
// the column header at its first column; a value is written from `at` and
// may reach `last` before it runs into the next field.
struct StepField {
    std::string_view title;
    std::size_t first;
    std::size_t last;
    std::size_t at;

    // The columns a value written from `at` has.
    constexpr std::size_t room() const { return last >= at ? last - at + 1 : 0; }
};

namespace field {
inline constexpr StepField kFsc{"FSC", 1, 6, 1};
// Column 7 belongs to no field: the meter steps put a blank there.
inline constexpr StepField kRange{"RANGE", 8, 13, 8};
inline constexpr StepField kNominal{"NOMINAL", 14, 28, 14};
inline constexpr StepField kTolerance{"TOLERANCE", 29, 42, 29};
inline constexpr StepField kMod1{"MOD1", 43, 54, 43};
// MOD2's two letters end at its last column.
inline constexpr StepField kMod2{"MOD2", 55, 60, 58};
inline constexpr StepField kMod3{"3", 61, 63, 61};
inline constexpr StepField kMod4{"4", 64, 65, 64};
// The connection code ("2W", "L") starts one right of the title.
inline constexpr StepField kCon{"CON", 66, 68, 67};

// A thermocouple's "_K TC" starts in MOD2 and runs on into column 3 by design.
inline constexpr StepField kThermocouple{kMod2.title, kMod2.first, kMod3.last, kMod2.at};
} // namespace field

// The fields from left to right, as the column header names them.
inline constexpr std::array<StepField, 9> kStepFields{field::kFsc, field::kRange, field::kNominal, field::kTolerance,
    field::kMod1, field::kMod2, field::kMod3, field::kMod4, field::kCon};

// The step number before the body: right-aligned in 7 characters, then two
// blanks. Its title stands at line column 2.
inline constexpr std::size_t kStepNumberWidth = 7;
inline constexpr std::size_t kStepNumberGap = 2;
inline constexpr std::string_view kStepNumberTitle = "STEP";
inline constexpr std::size_t kStepNumberTitleColumn = 2;
// Where body column 1 stands in a step line, 0-based.
inline constexpr std::size_t kBodyOffset = kStepNumberWidth + kStepNumberGap;

// A meter step body never grows past CON.
inline constexpr std::size_t kMeterBodyWidth = field::kCon.last;
// Scope calibrator lines are this wide and keep their trailing blanks.
inline constexpr std::size_t kScopeLineWidth = kProcedureWidth;
// A whole meter step line; the rule under the header lines is as wide, the
// column header one blank wider.
inline constexpr std::size_t kStepLineWidth = kBodyOffset + kMeterBodyWidth;
static_assert(kStepLineWidth + 1 == kProcedureWidth, "the column header is the procedure's width");

namespace detail {

template <std::size_t N> constexpr void putTitle(std::array<char, N>& line, std::size_t column, std::string_view title)
{
    for (std::size_t i = 0; i < title.size(); ++i)
        line[column - 1 + i] = title[i];
}

constexpr std::array<char, kProcedureWidth> columnHeader()
{
    std::array<char, kProcedureWidth> line{};
    line.fill(' ');
    putTitle(line, kStepNumberTitleColumn, kStepNumberTitle);
    for (const StepField& f : kStepFields)
        putTitle(line, kBodyOffset + f.first, f.title);
    return line;
}

inline constexpr auto kColumnHeaderLine = columnHeader();
inline constexpr auto kHeaderRuleLine = [] {
    std::array<char, kStepLineWidth> line{};
    line.fill('=');
    return line;
}();

} // namespace detail

// The rule under the header lines, and the column header below it.
inline constexpr std::string_view kHeaderRule{detail::kHeaderRuleLine.data(), detail::kHeaderRuleLine.size()};
inline constexpr std::string_view kColumnHeader{detail::kColumnHeaderLine.data(), detail::kColumnHeaderLine.size()};

} // namespace kestrel
