#include "core/procgen/line_overflows.h"

#include "core/base/text_util.h"
#include "core/procgen/preamble.h"
#include "core/procgen/rich_text_escapes.h"
#include "core/procgen/step_layout.h"
#include "core/spec/connection_store.h"

#include <algorithm>

namespace kestrel {
namespace {

constexpr std::string_view kDisp = "DISP         ";

// The step number of a step line ("3.002"), empty for any other line.
std::string_view stepNumber(std::string_view line)
{
    if (line.size() < kBodyOffset ||
        line.substr(kStepNumberWidth, kStepNumberGap).find_first_not_of(' ') != std::string_view::npos)
        return {};
    std::string_view number = line.substr(0, kStepNumberWidth);
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    const std::size_t point = number.find('.');
    if (point == std::string_view::npos || point == 0 || number.size() - point != 4)
        return {};
    for (std::size_t i = 0; i < number.size(); ++i)
        if (i != point && (number[i] < '0' || number[i] > '9'))
            return {};
    return number;
}

void noteDisplayTexts(std::string_view procedure, FieldOverflows& overflows)
{
    for (const std::string_view line : splitLines(procedure)) {
        const std::string_view number = stepNumber(line);
        if (number.empty() || line.substr(kBodyOffset, kDisp.size()) != kDisp)
            continue;
        // Measured as Tessel gets it, without the rich-text escapes.
        std::string text = unescapeProcedureText(line.substr(kBodyOffset + kDisp.size()));
        if (charCount(text) > kInstructionLineLength)
            overflows.push_back(
                {"", -1, "step " + std::string(number), "DISP", std::move(text), kInstructionLineLength});
    }
}

} // namespace

std::size_t headerValueRoom() { return kColumnHeader.size() - (kHeaderValueColumn - 1); }

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
