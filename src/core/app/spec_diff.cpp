#include "core/app/spec_diff.h"

#include "core/app/spec_file_names.h"
#include "core/base/leading_number.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>
#include <tuple>

namespace kestrel {
namespace {

using namespace specfile;

constexpr std::string_view kMeterCellPrefix = "meter.functions.";

// An entry of a fixed list by index, as the file writes it.
std::string entryText(std::span<const std::string_view> list, int index)
{
    return std::string(
        index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)] : list[0]);
}

// A record's column as the file writes it.

// Line breaks as the file writes them.
std::string fileText(const std::string& text) { return replaceAll(text, "\r\n", "\n"); }

SpecValue optionalText(const std::optional<std::string>& text)
{
    return text ? SpecValue(fileText(*text)) : SpecValue();
}

// A cell as the file writes it: with "." for the separator it was typed with.
SpecValue cellValue(const ProcedureInputs& inputs, MeterFunction f, int row, int column)
{
    const std::string& text = inputs.meter.table(f).cell(row, column);
    if (text.empty())
        return {};
    return inputs.decimalSeparator == "." ? text : replaceAll(text, inputs.decimalSeparator, ".");
}

class Comparison {
public:
    Comparison(const ProcedureInputs& a, const ProcedureInputs& b) : a_(a), b_(b) { }

    std::vector<SpecChange> run()
    {
        compare("page", entryText(kPages, static_cast<int>(a_.page)), entryText(kPages, static_cast<int>(b_.page)));
        identity();
        options();
        meter();
        scope();
        connections();
        return std::move(changes_);
    }

private:
    void compare(std::string path, SpecValue before, SpecValue after)
    {
        if (before != after)
            changes_.push_back({std::move(path), std::move(before), std::move(after)});
    }

    // A value read the same way from both sides.
    template <typename Read> void both(const std::string& path, const Read& read)
    {
        compare(path, SpecValue(read(a_)), SpecValue(read(b_)));
    }

    void identity()
    {
        both("procedure.name", [](const ProcedureInputs& in) { return in.identity.name; });
        both("procedure.author", [](const ProcedureInputs& in) { return in.identity.author; });
        both("procedure.revision", [](const ProcedureInputs& in) { return in.identity.revision; });
        both("procedure.comments", [](const ProcedureInputs& in) { return fileText(in.identity.comments); });
    }

    void options()
    {
        both("options.tolerance_style", [](const ProcedureInputs& in) {
            return entryText(kToleranceStyles, static_cast<int>(in.options.toleranceStyle));
        });
        both("options.function_messages", [](const ProcedureInputs& in) { return in.options.functionMessages; });
        both("options.autoranging", [](const ProcedureInputs& in) { return in.options.autoranging; });
        both("options.post_test_window", [](const ProcedureInputs& in) {
            return entryText(kPostTestWindows, static_cast<int>(in.options.postTestWindow));
        });
        both(
            "options.operator_buttons.list", [](const ProcedureInputs& in) { return in.options.operatorButtons.list; });
        both("options.operator_buttons.cancel",
            [](const ProcedureInputs& in) { return in.options.operatorButtons.cancel; });
        both("options.operator_buttons.repeat",
            [](const ProcedureInputs& in) { return in.options.operatorButtons.repeat; });
        both("options.data_entry",
            [](const ProcedureInputs& in) { return entryText(kDataEntries, static_cast<int>(in.options.dataEntry)); });
        both("options.tur_checking", [](const ProcedureInputs& in) { return in.options.turChecking; });
        both("options.measurements",
            [](const ProcedureInputs& in) { return static_cast<long long>(in.options.measurements); });
    }

    void meter()
    {
        both("meter.reference", [](const ProcedureInputs& in) { return in.selections.reference; });
        both("meter.tc_type", [](const ProcedureInputs& in) { return in.selections.tcType; });
        both("meter.rtd_type", [](const ProcedureInputs& in) { return in.selections.rtdType; });
        both("meter.temp_scale", [](const ProcedureInputs& in) { return in.selections.tempScale; });
        for (const MeterFunction f : kAllFunctions) {
            for (int c = 0; c < kColumnCount; ++c)
                for (int row = 0; row < functionInfo(f).rows; ++row)
                    if (SpecValue before = cellValue(a_, f, row, c), after = cellValue(b_, f, row, c); before != after)
                        compare(meterCellPath({f, c, row}), std::move(before), std::move(after));
        }
    }

    void scope()
    {
        both("scope.reference",
            [](const ProcedureInputs& in) { return entryText(kScopeReferences, in.scope.reference); });
        both("scope.channels", [](const ProcedureInputs& in) {
            const int index =
                in.scope.numChannels >= 0 && in.scope.numChannels < static_cast<int>(kChannelCounts.size())
                ? in.scope.numChannels
                : 0;
            return static_cast<long long>(kChannelCounts[static_cast<std::size_t>(index)]);
        });
        both(
            "scope.vert_gain_low", [](const ProcedureInputs& in) { return entryText(kVertGain1, in.scope.vertGain1); });
        both("scope.vert_gain_high",
            [](const ProcedureInputs& in) { return entryText(kVertGain2, in.scope.vertGain2); });
        scopeField(ScopeField::VerticalAccuracy);
        both("scope.sweep_fast", [](const ProcedureInputs& in) { return entryText(kSweep1, in.scope.sweep1); });
        both("scope.sweep_slow", [](const ProcedureInputs& in) { return entryText(kSweep2, in.scope.sweep2); });
        scopeField(ScopeField::TimebaseAccuracy);
        scopeField(ScopeField::Bandwidth);
        both("scope.risetime_test", [](const ProcedureInputs& in) { return in.scope.risetimeTest; });
        scopeField(ScopeField::Risetime);
        both("scope.impedance_test", [](const ProcedureInputs& in) { return in.scope.impedanceTest; });
        for (const ScopeField field :
            {ScopeField::Accuracy1MOhm, ScopeField::Accuracy50Ohm, ScopeField::Capacitance, ScopeField::CapAccuracy})
            scopeField(field);
    }

    void scopeField(ScopeField field)
    {
        both("scope." + std::string(scopeFieldKey(field)),
            [field](const ProcedureInputs& in) { return scopeFieldText(in.scope, field); });
    }

    // Records by what Create finds them by: the function, the column, and
    // which of the records of that pair it is.
    using RecordKey = std::tuple<MeterFunction, int, std::size_t>;
    static std::map<RecordKey, std::size_t> recordPlaces(const ConnectionStore& store)
    {
        std::map<RecordKey, std::size_t> places;
        std::map<std::pair<MeterFunction, int>, std::size_t> seen;
        for (std::size_t i = 0; i < store.records().size(); ++i) {
            const ConnectionRecord& r = store.records()[i];
            const std::pair<MeterFunction, int> pair{r.function, r.column};
            places.emplace(RecordKey{pair.first, pair.second, seen[pair]++}, i);
        }
        return places;
    }

    void connections()
    {
        const auto inA = recordPlaces(a_.connections), inB = recordPlaces(b_.connections);
        // The records of b in its order, then those only a has, in a's.
        std::vector<std::pair<std::size_t, RecordKey>> named;
        for (const auto& [key, place] : inB)
            named.emplace_back(place, key);
        std::sort(named.begin(), named.end());
        std::vector<std::pair<std::size_t, RecordKey>> removed;
        for (const auto& [key, place] : inA)
            if (!inB.contains(key))
                removed.emplace_back(place, key);
        std::sort(removed.begin(), removed.end());
        const auto record = [](const ConnectionStore& store, const std::map<RecordKey, std::size_t>& places,
                                const RecordKey& key) -> const ConnectionRecord* {
            const auto found = places.find(key);
            return found == places.end() ? nullptr : &store.records()[found->second];
        };
        const auto compareRecord = [&](std::size_t place, const RecordKey& key) {
            const ConnectionRecord* before = record(a_.connections, inA, key);
            const ConnectionRecord* after = record(b_.connections, inB, key);
            const std::string path = "connections[" + std::to_string(place) + "]";
            const auto field = [](const ConnectionRecord* r, auto read) { return r ? read(*r) : SpecValue(); };
            const auto function = [](const ConnectionRecord& r) {
                return SpecValue(std::string(functionInfo(r.function).code));
            };
            const auto column = [](const ConnectionRecord& r) { return SpecValue(static_cast<long long>(r.column)); };
            compare(path + ".function", field(before, function), field(after, function));
            compare(path + ".column", field(before, column), field(after, column));
            compare(path + ".picture", field(before, [](const auto& r) { return optionalText(r.pic); }),
                field(after, [](const auto& r) { return optionalText(r.pic); }));
            compare(path + ".text", field(before, [](const auto& r) { return optionalText(r.text); }),
                field(after, [](const auto& r) { return optionalText(r.text); }));
        };
        for (const auto& [place, key] : named)
            compareRecord(place, key);
        for (const auto& [place, key] : removed)
            compareRecord(place, key);
    }

    const ProcedureInputs& a_;
    const ProcedureInputs& b_;
    std::vector<SpecChange> changes_;
};

} // namespace

std::vector<SpecChange> diffSpecifications(const ProcedureInputs& a, const ProcedureInputs& b)
{
    return Comparison(a, b).run();
}

std::string meterCellPath(const MeterCell& cell)
{
    return std::string(kMeterCellPrefix) + std::string(functionInfo(cell.function).code) + "[" +
        std::to_string(cell.column) + "]." + std::string(kCellKeys[static_cast<std::size_t>(cell.row)]);
}

std::optional<MeterCell> meterCellOfPath(std::string_view path)
{
    if (!path.starts_with(kMeterCellPrefix))
        return std::nullopt;
    path.remove_prefix(kMeterCellPrefix.size());
    const std::size_t open = path.find('['), close = path.find("].");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + 2 || close > open + 3)
        return std::nullopt;
    const std::optional<MeterFunction> function = functionFromCode(path.substr(0, open));
    if (!function)
        return std::nullopt;
    // One or two digits, no sign and no leading zero: the path as written.
    const std::string_view digits = path.substr(open + 1, close - open - 1);
    if (!std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }) ||
        (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    const int column = std::stoi(std::string(digits));
    const std::string_view key = path.substr(close + 2);
    const auto found = std::find(kCellKeys.begin(), kCellKeys.end(), key);
    const int row = static_cast<int>(found - kCellKeys.begin());
    if (column >= kColumnCount || found == kCellKeys.end() || row >= functionInfo(*function).rows)
        return std::nullopt;
    return MeterCell{*function, column, row};
}

std::string specValueLiteral(const SpecValue& value)
{
    if (std::holds_alternative<std::monostate>(value))
        return "null";
    if (const bool* yes = std::get_if<bool>(&value))
        return *yes ? "true" : "false";
    if (const long long* number = std::get_if<long long>(&value))
        return std::to_string(*number);
    const std::string& text = std::get<std::string>(value);
    std::string quoted;
    quoted.reserve(text.size() + 2);
    for (const char ch : text) {
        if (ch == '"' || ch == '\\')
            quoted += '\\';
        quoted += ch;
    }
    return "\"" + escapeForMessage(quoted) + "\"";
}

} // namespace kestrel
