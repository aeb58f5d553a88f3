#pragma once
// Instruction records that clash: two (or more) records of a specification
// file for one function and column ("dcv" and "DCV", column 0). Neither is
// used, as the wizard and Create find a column's record only when exactly
// one matches; the clash is reported so that the file's author learns why
// the instructions are missing from the procedure.
#include "core/spec/connection_store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

class TextLookup;

struct InstructionClash {
    MeterFunction function = MeterFunction::Dcv;
    int column = 0;
    std::vector<std::size_t> records; // positions in the store, as in the file's "connections" list
};

// Every clash, in the order of its first record; one pass over the records.
std::vector<InstructionClash> instructionClashes(const ConnectionStore& store);

// The warning of a clash (text 2823) with the key paths of its records:
// "connections[0] and connections[3] are instructions for the same function
// and column (dcv column 0); none of them is used."
std::string instructionClashText(const InstructionClash& clash, const TextLookup& texts);

} // namespace kestrel
