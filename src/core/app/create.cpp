#include "core/app/create.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/generated_procedure.h"
#include "core/procgen/line_overflows.h"
#include "core/procgen/meter_generator.h"
#include "core/procgen/rich_text_escapes.h"
#include "core/scope/scope_generators.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/standards.h"

#include <optional>

namespace kestrel {
namespace {

std::optional<GeneratedProcedure> runMeterGenerator(const ProcedureInputs& inputs, const TextLookup& texts,
    MessageSink& sink, FieldOverflows* overflows, LineSources* sources)
{
    // The 73xx, 76xx and 64xx generators are chosen by the model's four
    // characters, the 3XXX one by the first character all its models share.
    if (const auto family = familyOf(inputs.selections.reference))
        return meterProcedure(*family, inputs, texts, sink, overflows, sources);
    return std::nullopt;
}

std::optional<GeneratedProcedure> runScopeGenerator(const ProcedureInputs& inputs, const TextLookup& texts,
    MessageSink& sink, FieldOverflows* overflows, LineSources* sources)
{
    const auto standard = scopeStandard(inputs.scope.reference);
    if (!standard)
        return std::nullopt;
    switch (standard->generator) {
    case ScopeGenerator::SingleChannel:
        return scopeProcedureSingleChannel(inputs, inputs.scope, texts, sink, overflows, sources);
    case ScopeGenerator::MultiChannel:
        return scopeProcedureMultiChannel(inputs, inputs.scope, texts, sink, overflows, sources);
    }
    return std::nullopt;
}

// The local texts as the generators write them: a translator's "\\" or
// brace is a character of the text, not rich-text syntax.
class EscapedLookup : public TextLookup {
public:
    explicit EscapedLookup(const TextLookup& texts) : texts_(texts) { }
    std::string gettext(int number) const override { return escapeTypedText(texts_.gettext(number)); }

private:
    const TextLookup& texts_;
};

} // namespace

CreateResult createProcedure(const ProcedureInputs& inputs, const TextLookup& texts, MessageSink& sink,
    FieldOverflows* overflows, LineSources* sources)
{
    const EscapedLookup escaped(texts);
    if (sources)
        *sources = LineSources{};
    const std::optional<GeneratedProcedure> generated = inputs.page == Page::Meter
        ? runMeterGenerator(inputs, escaped, sink, overflows, sources)
        : runScopeGenerator(inputs, escaped, sink, overflows, sources);
    if (!generated || isBlank(generated->text)) {
        if (sources)
            sources->lines.clear();
        sink.inform(texts.gettext(kTextCouldNotCreate) + "\r\n" + texts.gettext(kTextEnterSpecificationsFirst),
            MessageIcon::Exclamation);
        return {CreateStatus::NothingCreated, {}};
    }
    if (overflows)
        noteLineOverflows(inputs, generated->text, *overflows);
    return {generated->failed ? CreateStatus::Failed : CreateStatus::Created, generated->text};
}

FieldOverflows fieldOverflows(const ProcedureInputs& inputs, const TextLookup& texts)
{
    // The check is the generator itself: every field is measured where it
    // is written, so the check can never disagree with the procedure.
    FieldOverflows overflows;
    SilentSink silent;
    createProcedure(inputs, texts, silent, &overflows);
    return overflows;
}

std::string clipboardForm(std::string_view text) { return unescapeProcedureText(text); }

std::string shownForm(std::string_view text) { return replaceAll(clipboardForm(text), "\r\n", "\n"); }

std::string viewerForm(std::string_view text)
{
    std::string out = "{\\rtf{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255; "
                      "\\red222\\green18\\blue205;}";
    out.reserve(out.size() + text.size() + text.size() / 16 + 2);
    // A run at a time, one per line.
    std::size_t from = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', from)) {
        out.append(text, from, cr - from);
        out += "\\par";
        from = cr + 1;
    }
    out.append(text, from);
    // No blank before the closing brace: the text the form shows ends where
    // the procedure ends, so the viewer's Copy and Save As give its bytes.
    out += "}";
    return out;
}

} // namespace kestrel
