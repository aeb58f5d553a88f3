#include "core/viewers/instruction_editor.h"

#include "core/base/text_util.h"

#include <algorithm>

namespace kestrel {
namespace {

// Characters beyond the line limit, summed over the lines.
std::size_t overflow(std::string_view text)
{
    std::size_t total = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        const std::size_t length = charCount(text.substr(from, end - from));
        if (length > kInstructionLineLength)
            total += length - kInstructionLineLength;
        if (end == text.size())
            return total;
        from = end + 1;
    }
}

} // namespace

std::size_t editorLineCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

std::optional<EditorContent> InstructionEditorRule::afterChange(const EditorContent& now)
{
    // From content within the limits a keystroke changes the caret's line
    // only, so measuring every line is the same rule as measuring that one,
    // and it also catches pastes.
    const std::size_t lines = editorLineCount(now.text);
    const bool tooLong = overflow(now.text) > overflow(accepted_.text);
    const bool tooManyLines = lines > kInstructionLines && lines > editorLineCount(accepted_.text);
    if (tooLong || tooManyLines)
        return accepted_;
    accepted_ = now;
    return std::nullopt;
}

std::optional<std::string> enterCaption(std::string_view editorText)
{
    const std::size_t lines = editorLineCount(editorText);
    if (lines >= kInstructionLines)
        return std::nullopt;
    return std::to_string(lines + 1) + "  " + std::to_string(kInstructionLines);
}

std::string recordTextFromEditor(std::string_view editorText)
{
    return replaceAll(std::string(editorText), "\n", "\r\n");
}

std::string editorTextFromRecord(std::string_view recordText) { return normalizeLineBreaks(recordText, "\n"); }

} // namespace kestrel
