#pragma once
// The connection wizard's text editor: an instruction within the limits of
// an instruction record (eight lines of at most 56 characters). The editor
// keeps the last content it accepted and puts it back, caret and
// selection included, when a change breaks the rule; Enter on the eighth
// line is refused before it reaches the text.
#include "core/spec/connection_store.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The editor's text with lines separated by "\n"; caret and selection in
// characters.
struct EditorContent {
    std::string text;
    std::size_t caret = 0;
    std::size_t selectionLength = 0;
    bool operator==(const EditorContent&) const = default;
};

std::size_t editorLineCount(std::string_view text);

class InstructionEditorRule {
public:
    explicit InstructionEditorRule(EditorContent accepted = {}) : accepted_(std::move(accepted)) { }

    // After every change: nullopt when the change is accepted (it becomes
    // the last accepted content), otherwise the content to put back. A
    // keystroke that makes the caret's line longer than 56 characters is
    // undone; so is a paste that makes any line too long or the text longer
    // than eight lines. A text that was over the limits when it was loaded
    // can still be shortened.
    std::optional<EditorContent> afterChange(const EditorContent& now);

    // The caret moved without a change: a later refused change puts the
    // caret back here, where the user left it.
    void caretMoved(const EditorContent& now)
    {
        if (now.text == accepted_.text)
            accepted_ = now;
    }

    // The program itself set the text (load, the prompt, Clear).
    void reset(EditorContent accepted) { accepted_ = std::move(accepted); }

private:
    EditorContent accepted_;
};

// Enter in the editor: the window caption "n  8", n being the number of
// the line Enter opens; nullopt when the text has eight lines already and
// the key is refused (the caption then stays as it was).
std::optional<std::string> enterCaption(std::string_view editorText);

// Instruction texts are stored with CR LF between lines; the editor
// separates them with "\n".
std::string recordTextFromEditor(std::string_view editorText);
std::string editorTextFromRecord(std::string_view recordText);

} // namespace kestrel
