#include "core/app/coverage.h"

#include "core/app/create.h"
#include "core/app/standard_override.h"
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <tuple>

namespace kestrel {

std::optional<Coverage> coverage(const ProcedureInputs& inputs, std::string_view standard)
{
    ProcedureInputs meter = inputs;
    meter.page = Page::Meter;
    if (!overrideStandard(meter, standard))
        return std::nullopt;

    // The procedure is made as Create makes it; which texts it is written
    // in decides no point, so the built-in ones serve.
    const EnglishLookup texts;
    SilentSink silent;
    LineSources sources;
    const CreateResult created = createProcedure(meter, texts, silent, nullptr, &sources);

    Coverage out;
    out.standard = std::string(standard);
    out.generatorFailed = created.status == CreateStatus::Failed;
    out.points = std::move(sources.points);
    std::sort(out.points.begin(), out.points.end(), [](const TestPoint& a, const TestPoint& b) {
        return std::tuple(functionIndex(a.function), a.column) < std::tuple(functionIndex(b.function), b.column);
    });
    for (const TestPoint& point : out.points) {
        switch (point.outcome) {
        case PointOutcome::AsSpecified:
            ++out.counts.asSpecified;
            break;
        case PointOutcome::Reduced:
            ++out.counts.reduced;
            break;
        case PointOutcome::Manual:
            ++out.counts.manual;
            break;
        case PointOutcome::LeftOut:
            ++out.counts.leftOut;
            break;
        }
    }
    return out;
}

std::vector<Coverage> coverageForAll(const ProcedureInputs& inputs)
{
    std::vector<Coverage> all;
    all.reserve(kReferences.size());
    for (const std::string_view standard : kReferences)
        if (auto one = coverage(inputs, standard))
            all.push_back(std::move(*one));
    return all;
}

std::string_view outcomeName(PointOutcome outcome)
{
    switch (outcome) {
    case PointOutcome::AsSpecified:
        return "asSpecified";
    case PointOutcome::Reduced:
        return "reduced";
    case PointOutcome::Manual:
        return "manual";
    case PointOutcome::LeftOut:
        return "leftOut";
    }
    return {};
}

std::string_view reasonName(PointReason reason)
{
    switch (reason) {
    case PointReason::None:
        return {};
    case PointReason::FunctionNotSourced:
        return "functionNotSourced";
    case PointReason::BelowTenOhms:
        return "belowTenOhms";
    case PointReason::AfterEmptyRange:
        return "afterEmptyRange";
    case PointReason::GenerationFailed:
        return "generationFailed";
    }
    return {};
}

} // namespace kestrel
