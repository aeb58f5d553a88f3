#include "core/app/coverage.h"

#include "core/app/create.h"
#include "core/app/standard_override.h"
#include "core/base/message_sink.h"
#include "core/base/text_util.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <tuple>

namespace kestrel {
namespace {

auto gridOrder(const TestPoint& point) { return std::tuple(functionIndex(point.function), point.column); }

} // namespace

std::optional<Coverage> coverage(const ProcedureInputs& inputs, std::string_view standard)
{
    ProcedureInputs meter = inputs;
    meter.page = Page::Meter;
    if (!overrideMeterStandard(meter.selections, standard))
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
    std::sort(out.points.begin(), out.points.end(),
        [](const TestPoint& a, const TestPoint& b) { return gridOrder(a) < gridOrder(b); });
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

const TestPoint* Coverage::pointAt(MeterFunction function, int column) const
{
    const auto wanted = std::tuple(functionIndex(function), column);
    const auto at = std::lower_bound(points.begin(), points.end(), wanted,
        [](const TestPoint& point, const auto& key) { return gridOrder(point) < key; });
    return at != points.end() && gridOrder(*at) == wanted ? &*at : nullptr;
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

int outcomeTextNumber(PointOutcome outcome)
{
    switch (outcome) {
    case PointOutcome::AsSpecified:
        return kTextOutcomeAsSpecified;
    case PointOutcome::Reduced:
        return kTextOutcomeReduced;
    case PointOutcome::Manual:
        return kTextOutcomeManual;
    case PointOutcome::LeftOut:
        return kTextOutcomeLeftOut;
    }
    return kTextOutcomeAsSpecified;
}

std::string describePoint(
    const TestPoint& point, std::string_view standard, const TextLookup& texts, std::string_view decimalSeparator)
{
    const auto shown = [&](const std::string& number) { return replaceAll(number, ".", decimalSeparator); };
    switch (point.reason) {
    case PointReason::FunctionNotSourced:
        return textWith(texts, kTextPointNotSourced, {standard});
    case PointReason::BelowTenOhms:
        return textWith(texts, kTextPointBelowTenOhms, {standard});
    case PointReason::AfterEmptyRange:
        return textWith(texts, kTextPointAfterEmptyRange, {standard});
    case PointReason::GenerationFailed:
        return textWith(texts, kTextPointAfterFailure, {standard});
    case PointReason::None:
        break;
    }
    std::string lines;
    for (const LimitChange& change : point.changes) {
        const int number =
            change.quantity == LimitChange::Quantity::Nominal ? kTextPointReducedNominal : kTextPointReducedFrequency;
        lines += (lines.empty() ? "" : "\n") +
            textWith(texts, number, {standard, shown(change.limit), shown(change.tested), shown(change.specified)});
    }
    return lines;
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
