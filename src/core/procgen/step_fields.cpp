#include "core/procgen/step_fields.h"

#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/spec/cell_block.h"
#include "core/spec/spec_table.h"

#include <algorithm>

namespace kestrel {

// The grid refuses a pasted cell that no step body could hold; the widest
// body is a scope calibrator line.
static_assert(kLongestCell == kScopeLineWidth);

void blankField(std::string& body, const StepField& field)
{
    overwriteAt(body, field.at, std::string(field.room(), ' '));
}

void FieldPlacer::place(std::string& body, const StepField& field, std::string_view text, std::string_view input)
{
    overwriteAt(body, field.at, text);
    const std::size_t room = field.room();
    if (!overflows_ || charCount(text) <= room)
        return;
    // The scope generators write the same accuracy into every channel's steps.
    FieldOverflow overflow{function_, column_, std::string(input), std::string(field.title), std::string(text), room};
    if (std::find(overflows_->begin(), overflows_->end(), overflow) == overflows_->end())
        overflows_->push_back(std::move(overflow));
}

std::string describeOverflow(const FieldOverflow& overflow)
{
    // A header value may be a million characters long; its start tells
    // which one it is.
    const std::size_t length = charCount(overflow.text);
    const std::string shown =
        length > kOverflowTextShown ? charSubstr(overflow.text, 0, kOverflowTextShown) + "..." : overflow.text;
    return overflow.field + " \"" + escapeForMessage(shown) + "\" is " + std::to_string(length) +
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
