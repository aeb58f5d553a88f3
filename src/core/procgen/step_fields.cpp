#include "core/procgen/step_fields.h"

#include "core/base/text_util.h"
#include "core/spec/spec_table.h"

#include <algorithm>

namespace kestrel {

void FieldPlacer::place(std::string& body, std::size_t column, const StepField& field, std::string_view text,
                        std::string_view input)
{
    overwriteAt(body, column, text);
    const std::size_t room = field.last >= column ? field.last - column + 1 : 0;
    if (!overflows_ || charCount(text) <= room)
        return;
    // The scope generators write the same accuracy into every channel's steps.
    FieldOverflow overflow{function_, column_, std::string(input), std::string(field.name), std::string(text), room};
    if (std::find(overflows_->begin(), overflows_->end(), overflow) == overflows_->end())
        overflows_->push_back(std::move(overflow));
}

std::string describeOverflow(const FieldOverflow& overflow)
{
    return overflow.field + " \"" + overflow.text + "\" is " + std::to_string(charCount(overflow.text)) +
           " characters long, its field holds " + std::to_string(overflow.room);
}

int overflowRow(const FieldOverflow& overflow)
{
    if (overflow.column < 0)
        return -1;
    if (overflow.input == "range")
        return RowRange;
    if (overflow.input == "level")
        return RowLevel;
    if (overflow.input == "frequency")
        return RowFrequency;
    return -1;
}

} // namespace kestrel
