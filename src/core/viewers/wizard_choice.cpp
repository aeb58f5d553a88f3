#include "core/viewers/wizard_choice.h"

#include "core/base/text_util.h"
#include "core/viewers/instruction_editor.h"

namespace kestrel {
namespace {

std::optional<ConnectionRecord> wizardRecord(std::optional<WizardOption> option, MeterFunction function, int column,
    std::string_view pictureFile, std::string_view editorText)
{
    if (!option)
        return std::nullopt;
    ConnectionRecord record{function, column, std::nullopt, std::nullopt};
    if (*option == WizardOption::Pic || *option == WizardOption::Both)
        record.pic = std::string(pictureFile);
    if (*option == WizardOption::Disp || *option == WizardOption::Both)
        record.text = recordTextFromEditor(editorText);
    return record;
}

} // namespace

std::string wizardPromptText(std::string_view prompt)
{
    return instructionTextProblem(prompt).empty() ? std::string(prompt) : std::string();
}

WizardStart wizardStart(const ConnectionStore& records, MeterFunction function, int column, std::string_view prompt)
{
    const ConnectionRecord* record = records.findUnique(function, column);
    WizardStart start;
    start.editorText = wizardPromptText(prompt);
    if (!record)
        return start;
    if (record->pic && !isBlank(*record->pic))
        start.picture = *record->pic;
    if (record->text) {
        start.editorText = editorTextFromRecord(*record->text);
        start.editorEditable = true;
    }
    if (record->pic && record->text)
        start.option = WizardOption::Both;
    else if (record->text)
        start.option = WizardOption::Disp;
    else if (record->pic)
        start.option = WizardOption::Pic;
    return start;
}

std::string applyWizardChoice(ConnectionStore& records, std::optional<WizardOption> option, MeterFunction function,
    int column, std::string_view pictureFile, std::string_view editorText)
{
    std::optional<ConnectionRecord> record = wizardRecord(option, function, column, pictureFile, editorText);
    if (!record) {
        records.remove(function, column);
        return {};
    }
    if (record->text)
        if (std::string problem = instructionTextProblem(*record->text); !problem.empty())
            return problem;
    if (record->pic)
        if (std::string problem = pictureNameProblem(*record->pic); !problem.empty())
            return problem;
    records.put(std::move(*record));
    return {};
}

} // namespace kestrel
