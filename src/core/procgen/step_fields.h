#pragma once
// The fields of a calibrator step under their column-header titles, and
// the check that each text fits its field. The columns are fixed and a
// longer text runs on over its neighbours, the field written later winning:
// that is the procedure format's rule and stays. But a NOMINAL that runs into
// TOLERANCE makes a step that tests against a tolerance nobody wrote, so the
// generators write every field through a FieldPlacer, which notes each text
// that does not fit for the user to see.
#include "core/procgen/step_layout.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// One text that is longer than the room its field leaves it.
struct FieldOverflow {
    std::string function; // the meter function's code ("dcv"), or "scope"
    int column = -1;      // 0-based grid column of the meter test; -1 for the scope page
    std::string input;    // the input the text comes from, named as in a specification
                          // file: "range", "level", "frequency"; "vertical_accuracy" …
    std::string field;    // the column header's title: "NOMINAL"
    std::string text;     // the whole text
    std::size_t room = 0; // the columns it had: from where it starts to the field's end

    bool operator==(const FieldOverflow&) const = default;
};

using FieldOverflows = std::vector<FieldOverflow>;

// What went wrong, for the user: NOMINAL "1.23456789012345V" is 17
// characters long, its field holds 15. A text longer than
// kOverflowTextShown characters is shown by its start and "...".
inline constexpr std::size_t kOverflowTextShown = 80;
std::string describeOverflow(const FieldOverflow& overflow);

// The grid row of a meter overflow's input: the range, the test level or
// the test frequency; -1 for anything else (a scope input).
int overflowRow(const FieldOverflow& overflow);

// Blanks the columns a field's value may fill, before another value takes them.
void blankField(std::string& body, const StepField& field);

class FieldPlacer {
public:
    // Notes overflows in `overflows` when it is given; else only writes.
    explicit FieldPlacer(FieldOverflows* overflows) : overflows_(overflows) { }

    // The test the following fields belong to.
    void setTest(std::string_view function, int column)
    {
        function_ = function;
        column_ = column;
    }

    // Writes text into body from the field's column as overwriteAt does,
    // and notes it when it runs past the field's last column. `input` names
    // where the text comes from; a text made of fixed words alone has none
    // and fits by construction.
    void place(std::string& body, const StepField& field, std::string_view text, std::string_view input = {});

private:
    FieldOverflows* overflows_;
    std::string function_;
    int column_ = -1;
};

} // namespace kestrel
