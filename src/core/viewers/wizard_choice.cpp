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

WizardStart wizardStart(const ConnectionStore& records, MeterFunction function, int column, std::string_view prompt)
{
    const ConnectionRecord* record = records.findUnique(function, column);
    WizardStart start;
    start.editorText = std::string(prompt);
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

void applyWizardChoice(ConnectionStore& records, std::optional<WizardOption> option, MeterFunction function, int column,
    std::string_view pictureFile, std::string_view editorText)
{
    if (std::optional<ConnectionRecord> record = wizardRecord(option, function, column, pictureFile, editorText))
        records.put(std::move(*record));
    else
        records.remove(function, column);
}

} // namespace kestrel
