// Engineering-notation texts as a user may type them: parsing, decade
// duplication, tolerance texts, fixed resistances and the grid's key filter
// must neither crash nor hang on any text.
#include "core/base/failure.h"
#include "core/spec/key_filter.h"
#include "core/spec/numbers.h"
#include "core/spec/spec_table.h"
#include "core/spec/tolerance.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses function, row and separator; the rest is the text.
    const std::uint8_t control = data[0];
    const auto function = kAllFunctions[control % kFunctionCount];
    const int row = (control / kFunctionCount) % 10 - 1; // -1 .. 8, one row outside the table
    const std::string_view sep = (control & 0x80) ? std::string_view(",") : std::string_view(".");
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    (void)textToValue(text, sep);
    (void)multGrid(text, sep);
    (void)checkCommit(text);
    (void)typeIntoCell(function, row, text, sep);

    std::string cell;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const KeyResult r = filterKey(function, row, cell, text.substr(i, 1), sep);
        if (r.accepted && r.text != "\b" && cell.size() < 64)
            cell += r.text;
    }

    SpecTable table(9);
    for (int r = 0; r < table.rows(); ++r)
        table.setCell(r, 0, std::string(text));
    (void)calcTolerance(table, 0, ToleranceStyle::AsWritten, sep);
    (void)calcTolerance(table, 0, ToleranceStyle::Units, sep);
    (void)absToleranceValue(table, 0, sep);
    std::string nominal(text);
    (void)formatNominal(nominal, sep);
    for (const std::string_view reference : {std::string_view("7600"), std::string_view("7300")}) {
        try {
            (void)getFixedOhmsValue(text, reference, sep);
        } catch (const ProcedureFailure& e) {
            if (e.number() != kErrSubscript)
                __builtin_trap();
        }
    }
    return 0;
}
