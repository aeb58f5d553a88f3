#pragma once
// What the specification grid shows besides its cells: the row labels of
// each function, the picture on each column header, and the caption the
// connection wizard opens with.
#include "core/i18n/text_lookup.h"
#include "core/spec/connection_store.h"
#include "core/spec/meter_function.h"
#include "core/spec/spec_table.h"

#include <string>
#include <string_view>

namespace kestrel {

// The label beside a grid row, by text number: the fixed-term row names the
// function's unit ("±Volts", "±Amps" …); row 8 is the test frequency on acv
// and aci, and carries the sensor type's label on TC and RTD (whose lists
// stand below the grid). 0 when the function shows no label for the row.
int rowLabelText(MeterFunction function, int row);

// The `SpecLabel` item that labels a grid row (the labels were numbered in
// the order they were added, so the test level's is item 9).
int specLabelItem(int row);

// The four column-header pictures: what is attached to the column.
enum class HeaderPicture { Nothing = 1, Picture = 2, Text = 3, PictureAndText = 4 };

// The picture of a column header from the instruction records: only a
// column with exactly one record shows what that record holds.
HeaderPicture headerPicture(const ConnectionStore& records, MeterFunction function, int column);

// What a screen reader says of a column header: the column's number and
// what its instruction record holds ("Column 3: DISP 'Connect the leads'",
// "Column 3: no instruction"), by the picture's rule: only a column with
// exactly one record has one to tell. The lines of a text are joined by
// blanks, and no control character is read out.
std::string columnHeaderDescription(
    const ConnectionStore& records, MeterFunction function, int column, const TextLookup& texts);

// WizardCaption: "PIC & DISP Wizard 2.000V range" for a column with a
// range; "" for one without.
std::string wizardCaption(const SpecTable& table, MeterFunction function, int column, const TextLookup& texts);

} // namespace kestrel
