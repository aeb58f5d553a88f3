#pragma once
// Creating a specification's procedure for another calibration standard
// than its own: the standard of the page the inputs name is replaced, and
// nothing else the inputs hold unless the new standard cannot take it.
#include "core/app/procedure_inputs.h"

#include <string>
#include <string_view>

namespace kestrel {

// Whether name is an entry of the meter or of the scope standards list,
// spelt exactly.
bool isStandardName(std::string_view name);

// Every standard name, the meter list's then the scope list's, quoted and
// separated by ", ", for a message that refuses another name.
std::string standardNamesForMessage();

// Puts name in place of the standard of the inputs' page. A thermocouple or
// RTD type the new meter standard does not list becomes the one a change
// of standard by hand leaves ("J", the list's first RTD type); an impedance
// test the new scope standard cannot measure is switched off (its values
// stay). Returns false, changing nothing, when the page's list has no such
// name. The inputs stay what a specification file may hold.
bool overrideStandard(ProcedureInputs& inputs, std::string_view name);
// The same for the meter standard alone, whatever page the inputs show.
bool overrideMeterStandard(MeterSelections& selections, std::string_view name);

} // namespace kestrel
