#include "core/procgen/line_overflows.h"

#include "core/base/text_util.h"
#include "core/procgen/preamble.h"
#include "core/procgen/rich_text_escapes.h"
#include "core/procgen/step_layout.h"
#include "core/procgen/step_number.h"
#include "core/spec/connection_store.h"

#include <optional>

namespace kestrel {
namespace {

constexpr std::string_view kDisp = "DISP         ";

void noteDisplayTexts(std::string_view procedure, FieldOverflows& overflows)
{
    for (const std::string_view line : splitLines(procedure)) {
        const std::optional<StepNumber> number = stepNumberOfLine(line);
        if (!number || line.substr(kBodyOffset, kDisp.size()) != kDisp)
            continue;
        // Measured as Tessel gets it, without the rich-text escapes.
        std::string text = unescapeProcedureText(line.substr(kBodyOffset + kDisp.size()));
        if (charCount(text) > kInstructionLineLength)
            overflows.push_back(
                {"", -1, "step " + stepNumberText(*number), "DISP", std::move(text), kInstructionLineLength});
    }
}

} // namespace

std::size_t headerValueRoom() { return kProcedureWidth - (kHeaderValueColumn - 1); }

void noteLineOverflows(const CommonInputs& inputs, std::string_view procedure, FieldOverflows& overflows)
{
    const struct {
        std::string_view key, title;
        const std::string& value;
    } header[] = {{"name", "INSTRUMENT", inputs.identity.name}, {"author", "AUTHOR", inputs.identity.author},
        {"revision", "REVISION", inputs.identity.revision}};
    for (const auto& h : header)
        if (charCount(h.value) > headerValueRoom())
            overflows.push_back(
                {"procedure", -1, std::string(h.key), std::string(h.title), h.value, headerValueRoom()});
    noteDisplayTexts(procedure, overflows);
}

} // namespace kestrel
