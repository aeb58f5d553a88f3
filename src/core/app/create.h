#pragma once
// The Create command without its window: picks the generator for the page
// and the standard on show, runs it, and offers the two forms the text is
// delivered in (clipboard and viewer).
#include "core/app/procedure_inputs.h"
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/procgen/line_sources.h"
#include "core/procgen/step_fields.h"

#include <string>
#include <string_view>

namespace kestrel {

enum class CreateStatus {
    Created,       // a complete procedure
    Failed,        // a generator failed midway and has said so; text holds what it wrote
    NothingCreated // no specification, no generator for the standard, or a generator that
                   // failed before writing a line; the user was told
};

struct CreateResult {
    CreateStatus status;
    std::string text; // section braces escaped as "\{" "\}", typed texts as in rich_text_escapes.h
};

// Every field text longer than its field, and every header value or DISP
// text longer than its line holds (see noteLineOverflows), is added to
// `overflows` when it is given (see fieldOverflows). `sources`, when given,
// receives where each line of the text comes from and, on the meter page,
// what became of each specified test point (line_sources.h). When nothing
// is created it holds no line, but still the points (all left out).
CreateResult createProcedure(const ProcedureInputs& inputs, const TextLookup& texts, MessageSink& sink,
    FieldOverflows* overflows = nullptr, LineSources* sources = nullptr);

// The field texts of the procedure Create would write that are longer than
// their fields, in the order they are written, each once: the procedure
// keeps the fixed-column rule (the field written later overwrites the end
// of a longer one), so these are the steps that would not test what the
// user typed. The window marks their cells; kestrel-cli warns of them.
FieldOverflows fieldOverflows(const ProcedureInputs& inputs, const TextLookup& texts);

// The text as the clipboard receives it: the escapes undone, every typed
// character as typed.
std::string clipboardForm(std::string_view text);

// clipboardForm's text with LF line ends, as a text box holds it: the
// viewer and the preview show this and highlight it where it stands.
std::string shownForm(std::string_view text);

// The rich-text form (`--rtf`): every CR becomes "\par" (the LF stays),
// inside the colour table header and a closing "}". Read back, it is
// shownForm's text (see rich_text_escapes.h).
std::string viewerForm(std::string_view text);

} // namespace kestrel
