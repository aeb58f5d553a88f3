#pragma once
// The instruction block in front of each meter test: the wizard's DISP and
// PIC lines when exactly one instruction record belongs to the function and
// column, otherwise the automatic "Set UUT mode to" / "Set UUT range to"
// messages the options ask for.
#include "core/app/procedure_options.h"
#include "core/i18n/connection_store.h"
#include "core/i18n/text_lookup.h"
#include "core/procgen/procedure_writer.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrel {

// The instruction records by function and column, indexed once per
// procedure so that a test's lookup does not walk every record. Matches as
// the store does: modes without regard to case, and a record counts only
// when no other record has the same function and column.
class InstructionIndex {
public:
    explicit InstructionIndex(const ConnectionStore& store);
    const ConnectionRecord* findUnique(std::string_view mode, int column) const;

private:
    struct Entry {
        const ConnectionRecord* record = nullptr;
        int count = 0;
    };
    static std::string key(std::string_view mode, std::string_view column);
    std::unordered_map<std::string, Entry> entries_;
};

// Add_Test_Messages for test column `column` (0-based) of the function
// `functionCode` ("dcv" …), whose UUT range cell reads `currentRange`.
void addTestMessages(ProcedureWriter& writer, const InstructionIndex& instructions, const ProcedureOptions& options,
                     const TextLookup& texts, std::string_view functionCode, std::string_view currentRange,
                     int column);

} // namespace kestrel
