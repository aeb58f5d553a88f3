#pragma once
// The grid's column commands on the table of the function on show. A table
// always keeps its 26 columns: commands shift cells, never resize. Insert,
// copy and duplicate do nothing until the table has a range in column 0, so
// that an empty grid cannot be filled with empty columns by mistake.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/spec/meter_function.h"
#include "core/spec/meter_inputs.h"
#include "core/spec/spec_table.h"
#include "core/spec/spec_view.h"

#include <string_view>

namespace kestrel {

// True when the table has a UUT range in column 0.
bool columnCommandsEnabled(const SpecTable& table);

// Each returns true when it changed the table (or, for the clear, the inputs).

// Inserts an empty column at c; the contents of column 25 are lost.
bool insertColumn(SpecTable& table, int c);

// Removes column c; asks "Really delete the <range> <unit> range?" (title
// "Warning") first when the column has a range, and does nothing on Cancel.
bool deleteColumn(SpecTable& table, MeterFunction f, int c, MessageSink& sink, const TextLookup& texts);

// Copies column c into column c+1; nothing happens from column 25.
bool copyColumn(SpecTable& table, int c);

// Copies column c into column c+1 one decade up: range, level and fixed
// term through multGrid, every other non-empty cell unchanged.
bool duplicateRange(SpecTable& table, int c);

enum class ClearScope { CurrentMode, All };

// Asks "Really Clear specification?" (title "Kestrel"). The function on
// show loses its table and its instruction records; All empties every
// table, every instruction record, the comments and the procedure name, and
// starts the view again from the first function with no sample loaded.
bool clearSpecification(
    MeterInputs& inputs, SpecView& view, ClearScope scope, MessageSink& sink, const TextLookup& texts);

} // namespace kestrel
