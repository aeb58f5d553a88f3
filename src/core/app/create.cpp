#include "core/app/create.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/generated_procedure.h"
#include "core/procgen/meter_generator.h"
#include "core/scope/scope_generators.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kestrel {
namespace {

std::optional<GeneratedProcedure> runMeterGenerator(const ProcedureInputs& inputs, const TextLookup& texts,
                                                    MessageSink& sink, FieldOverflows* overflows)
{
    // The 73xx, 76xx and 64xx generators are chosen by the model's four
    // characters, the 3XXX one by the first character all its models share.
    if (const auto family = familyOf(inputs.selections.reference))
        return meterProcedure(*family, inputs, texts, sink, overflows);
    return std::nullopt;
}

std::optional<GeneratedProcedure> runScopeGenerator(const ProcedureInputs& inputs, const TextLookup& texts,
                                                    MessageSink& sink, FieldOverflows* overflows)
{
    static constexpr std::array<std::string_view, 8> kSingleChannel{
        "7300 - 300 mhz", "7300 - 600 mhz", "6400",             "7320 - 300 mhz",
        "7320 - 600 mhz", "7320 - 1.1 ghz", "8240 - 1 channel", "8600 - 1 channel"};
    static constexpr std::array<std::string_view, 2> kMultiChannel{"8240 - 5 channel", "8600 - 4 channel"};
    const int index = inputs.scope.reference;
    if (index < 0 || index >= static_cast<int>(kScopeReferences.size()))
        return std::nullopt;
    const std::string name = toLower(kScopeReferences[static_cast<std::size_t>(index)]);
    if (std::find(kSingleChannel.begin(), kSingleChannel.end(), name) != kSingleChannel.end())
        return scopeProcedureSingleChannel(inputs, inputs.scope, texts, sink, overflows);
    if (std::find(kMultiChannel.begin(), kMultiChannel.end(), name) != kMultiChannel.end())
        return scopeProcedureMultiChannel(inputs, inputs.scope, texts, sink, overflows);
    return std::nullopt;
}

} // namespace

CreateResult createProcedure(const ProcedureInputs& inputs, const TextLookup& texts, MessageSink& sink,
                             FieldOverflows* overflows)
{
    const std::optional<GeneratedProcedure> generated = inputs.page == Page::Meter
                                                            ? runMeterGenerator(inputs, texts, sink, overflows)
                                                            : runScopeGenerator(inputs, texts, sink, overflows);
    if (!generated || isBlank(generated->text)) {
        sink.inform(texts.gettext(kTextCouldNotCreate) + "\r\n" + texts.gettext(kTextEnterSpecificationsFirst),
                    MessageIcon::Exclamation);
        return {CreateStatus::NothingCreated, {}};
    }
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

std::string clipboardForm(std::string_view text)
{
    // Copied a run at a time up to each backslash: a procedure is tens of
    // kilobytes with a few dozen escapes.
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t i = text.find('\\'); i != std::string_view::npos; i = text.find('\\', i + 1)) {
        if (i + 1 < text.size() && (text[i + 1] == '{' || text[i + 1] == '}')) {
            out.append(text, from, i - from); // the brace itself follows
            from = i + 1;
        }
    }
    out.append(text, from);
    return out;
}

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
    out += " }";
    return out;
}

} // namespace kestrel
