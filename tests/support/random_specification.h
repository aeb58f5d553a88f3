#pragma once
// Random specifications for tests that compare two of them: every value is
// one a specification file takes back unchanged, and each change made to a
// specification is noted as the comparison of specifications names it. The
// keys are the file's; the values are worked out here, apart from the
// comparison, so that the tests that use these check it.
#include "core/app/procedure_inputs.h"
#include "core/app/spec_diff.h"
#include "core/app/spec_file_keys.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace kestrel::test {

class RandomSpecification {
public:
    explicit RandomSpecification(unsigned seed) : random_(seed) { }

    ProcedureInputs make()
    {
        ProcedureInputs in;
        in.page = coin() ? Page::Meter : Page::Scope;
        in.identity = {pick(kNames), pick(kNames), pick(kRevisions), pick(kComments)};
        for (int i = 0; i < 10; ++i)
            changeOption(in.options);
        in.selections.reference = pick(kReferences);
        in.selections.tcType = pick(tcTypes(in.selections.reference));
        in.selections.rtdType = pick(rtdTypes(in.selections.reference));
        in.selections.tempScale = pick(kTempScales);
        for (int f = 0; f < static_cast<int>(kAllFunctions.size()); ++f) {
            const MeterFunction function = kAllFunctions[static_cast<std::size_t>(f)];
            const int columns = number(0, 4);
            for (int c = 0; c < columns; ++c)
                for (int row = 0; row < functionInfo(function).rows; ++row)
                    if (number(0, 2) > 0)
                        in.meter.table(function).setCell(row, c, cellText(function, row));
        }
        in.scope.reference = number(0, static_cast<int>(kScopeReferences.size()) - 1);
        for (int i = 0; i < 12; ++i)
            changeScope(in.scope);
        for (int i = number(0, 4); i > 0; --i)
            addRecord(in.connections);
        return in;
    }

    // Makes `count` random changes to inputs (a value may change twice, or
    // back) and gives the changes as a comparison with the inputs before
    // would list them, by path.
    std::map<std::string, std::pair<SpecValue, SpecValue>> change(ProcedureInputs& in, int count)
    {
        changes_.clear();
        for (int i = 0; i < count; ++i) {
            switch (number(0, 9)) {
            case 0:
                flipPage(in);
                break;
            case 1:
                changeIdentity(in.identity);
                break;
            case 2:
                note(
                    optionValues(in.options), [&] { changeOption(in.options); },
                    [&] { return optionValues(in.options); });
                break;
            case 3:
                note(
                    scopeValues(in.scope), [&] { changeScope(in.scope); }, [&] { return scopeValues(in.scope); });
                break;
            case 4:
                changeSelections(in.selections);
                break;
            case 5:
                changeRecord(in.connections);
                break;
            default:
                changeCell(in);
                break;
            }
        }
        // One change of the list of records at most, made last, so that the
        // records named by their place keep it.
        const int records = static_cast<int>(in.connections.size());
        if (number(0, 3) == 0 && records > 0) {
            const ConnectionRecord last = in.connections.records().back();
            ConnectionStore kept;
            for (int i = 0; i + 1 < records; ++i)
                kept.append(in.connections.records()[static_cast<std::size_t>(i)]);
            in.connections = kept;
            for (auto& [field, value] : recordValues(last))
                noteValue(specfile::recordKeyPath(static_cast<std::size_t>(records - 1), field), value, {});
        } else if (number(0, 2) == 0) {
            addRecord(in.connections);
            for (auto& [field, value] : recordValues(in.connections.records().back()))
                noteValue(specfile::recordKeyPath(static_cast<std::size_t>(records), field), {}, value);
        }
        std::map<std::string, std::pair<SpecValue, SpecValue>> changed;
        for (auto& [path, values] : changes_)
            if (values.first != values.second)
                changed.emplace(path, values);
        return changed;
    }

private:
    static constexpr const char* kNames[] = {"DMM 62", "Bench meter", "\xCE\xA9 meter", "Enter Name", "A. Tech"};
    static constexpr const char* kRevisions[] = {"1.0", "2", "1.1a"};
    static constexpr const char* kComments[] = {"", "Yearly\r\nafter repair", "one line", "\ttabbed\r\n\r\n"};
    static constexpr const char* kEngineering[] = {"1", "2.5", "10", "100m", "1.5K", "20M", "0.2", "3G", "750n", "12p"};
    static constexpr const char* kPercents[] = {"0.01", "5", "12.5", "0.0035", "100"};
    static constexpr const char* kDigits[] = {"1", "2", "10", "25"};
    static constexpr const char* kFrequencies[] = {"50", "1K", "10K", "1M", "400"};
    static constexpr const char* kAccuracies[] = {"", "2.0", "0.01", "13", "1.5"};
    static constexpr const char* kWholeNumbers[] = {"", "200", "50", "1000"};
    static constexpr const char* kPictures[] = {"dmm_dcv.bmp", "probe.jpg", ""};
    static constexpr const char* kTexts[] = {"Set the UUT to DC volts", "Connect the leads\r\nto the UUT", "", "\tone"};

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool coin() { return number(0, 1) == 1; }
    template <typename List> std::string pick(const List& list)
    {
        return std::string(list[static_cast<std::size_t>(number(0, static_cast<int>(std::size(list)) - 1))]);
    }

    std::string cellText(MeterFunction f, int row)
    {
        switch (row) {
        case 0:
        case 1:
        case 6:
            return (functionInfo(f).allowsMinus && number(0, 4) == 0 ? "-" : "") + pick(kEngineering);
        case 7:
            return pick(kDigits);
        case 8:
            return pick(kFrequencies);
        default:
            return pick(kPercents);
        }
    }

    // Notes a value's change: the first value it had, and the one it has now.
    void noteValue(const std::string& path, SpecValue before, SpecValue after)
    {
        const auto [at, fresh] = changes_.try_emplace(path, std::move(before), after);
        if (!fresh)
            at->second.second = std::move(after);
    }

    // A change of several values read alike before and after it.
    template <typename Change, typename Read>
    void note(const std::map<std::string, SpecValue>& before, const Change& change, const Read& read)
    {
        change();
        for (const auto& [path, after] : read())
            noteValue(path, before.at(path), after);
    }

    void flipPage(ProcedureInputs& in)
    {
        const Page before = in.page;
        in.page = before == Page::Meter ? Page::Scope : Page::Meter;
        noteValue(specfile::keyPath(specfile::Key::Page), std::string(before == Page::Meter ? "meter" : "scope"),
            std::string(in.page == Page::Meter ? "meter" : "scope"));
    }

    void changeIdentity(ProcedureIdentity& id)
    {
        const auto lf = [](std::string text) {
            for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
                text.erase(at, 1);
            return text;
        };
        // Each value read before it changes (arguments have no order).
        const auto set = [&](specfile::Key key, std::string& value, std::string next) {
            const std::string before = lf(value);
            value = std::move(next);
            noteValue(specfile::keyPath(key), before, lf(value));
        };
        switch (number(0, 3)) {
        case 0:
            set(specfile::Key::Name, id.name, pick(kNames));
            break;
        case 1:
            set(specfile::Key::Author, id.author, pick(kNames));
            break;
        case 2:
            set(specfile::Key::Revision, id.revision, pick(kRevisions));
            break;
        default:
            set(specfile::Key::Comments, id.comments, pick(kComments));
        }
    }

    void changeOption(ProcedureOptions& o)
    {
        switch (number(0, 8)) {
        case 0:
            o.toleranceStyle = static_cast<ToleranceStyle>(number(0, 1));
            break;
        case 1:
            o.functionMessages = coin();
            break;
        case 2:
            o.autoranging = coin();
            break;
        case 3:
            o.postTestWindow = static_cast<PostTestWindow>(number(0, 2));
            break;
        case 4:
            o.operatorButtons.list = coin();
            break;
        case 5:
            o.operatorButtons.cancel = coin();
            break;
        case 6:
            o.operatorButtons.repeat = coin();
            break;
        case 7:
            o.dataEntry = static_cast<DataEntry>(number(0, 3));
            break;
        default:
            o.turChecking = coin();
            o.measurements = number(0, 10);
        }
    }

    static std::map<std::string, SpecValue> optionValues(const ProcedureOptions& o)
    {
        static constexpr const char* styles[] = {"as_written", "units"};
        static constexpr const char* windows[] = {"on_failure", "always", "never"};
        static constexpr const char* entries[] = {"slew", "go_no_go", "keyboard", "all"};
        using specfile::Key;
        const auto at = [](Key key) { return specfile::keyPath(key); };
        return {{at(Key::ToleranceStyle), std::string(styles[static_cast<int>(o.toleranceStyle)])},
            {at(Key::FunctionMessages), o.functionMessages}, {at(Key::Autoranging), o.autoranging},
            {at(Key::PostTestWindow), std::string(windows[static_cast<int>(o.postTestWindow)])},
            {at(Key::ButtonList), o.operatorButtons.list}, {at(Key::ButtonCancel), o.operatorButtons.cancel},
            {at(Key::ButtonRepeat), o.operatorButtons.repeat},
            {at(Key::DataEntry), std::string(entries[static_cast<int>(o.dataEntry)])},
            {at(Key::TurChecking), o.turChecking}, {at(Key::Measurements), static_cast<long long>(o.measurements)}};
    }

    void changeScope(ScopeInputs& s)
    {
        switch (number(0, 11)) {
        case 0:
            s.reference = number(0, static_cast<int>(kScopeReferences.size()) - 1);
            break;
        case 1:
            s.numChannels = number(0, 2);
            break;
        case 2:
            s.vertGain1 = number(0, 5);
            break;
        case 3:
            s.vertGain2 = number(0, 5);
            break;
        case 4:
            s.sweep1 = number(0, 16);
            break;
        case 5:
            s.sweep2 = number(0, 6);
            break;
        case 6:
            s.verticalAccuracy = pick(kAccuracies);
            s.timebaseAccuracy = pick(kAccuracies);
            break;
        case 7:
            s.bandwidth = pick(kWholeNumbers);
            break;
        case 8:
            s.risetimeTest = coin();
            s.risetime = pick(kWholeNumbers);
            break;
        case 9:
            s.accuracy1MOhm = pick(kAccuracies);
            s.accuracy50Ohm = pick(kAccuracies);
            break;
        case 10:
            s.capacitance = pick(kAccuracies);
            s.capAccuracy = pick(kAccuracies);
            break;
        default:
            s.impedanceTest = coin();
            break;
        }
        // The reader refuses an impedance test the standard cannot measure.
        if (!impedanceTestAvailable(s.reference))
            s.impedanceTest = false;
    }

    static std::map<std::string, SpecValue> scopeValues(const ScopeInputs& s)
    {
        static constexpr long long channels[] = {4, 2, 1};
        using specfile::Key;
        const auto at = [](Key key) { return specfile::keyPath(key); };
        return {{at(Key::ScopeReference), std::string(kScopeReferences[static_cast<std::size_t>(s.reference)])},
            {at(Key::Channels), channels[s.numChannels]},
            {at(Key::VertGainLow), std::string(kVertGain1[static_cast<std::size_t>(s.vertGain1)])},
            {at(Key::VertGainHigh), std::string(kVertGain2[static_cast<std::size_t>(s.vertGain2)])},
            {at(Key::VerticalAccuracy), s.verticalAccuracy},
            {at(Key::SweepFast), std::string(kSweep1[static_cast<std::size_t>(s.sweep1)])},
            {at(Key::SweepSlow), std::string(kSweep2[static_cast<std::size_t>(s.sweep2)])},
            {at(Key::TimebaseAccuracy), s.timebaseAccuracy}, {at(Key::Bandwidth), s.bandwidth},
            {at(Key::RisetimeTest), s.risetimeTest}, {at(Key::Risetime), s.risetime},
            {at(Key::ImpedanceTest), s.impedanceTest}, {at(Key::Accuracy1MOhm), s.accuracy1MOhm},
            {at(Key::Accuracy50Ohm), s.accuracy50Ohm}, {at(Key::Capacitance), s.capacitance},
            {at(Key::CapAccuracy), s.capAccuracy}};
    }

    // Only what the standard's lists hold, so the standard stays.
    void changeSelections(MeterSelections& s)
    {
        const auto set = [&](specfile::Key key, std::string& value, std::string next) {
            const std::string before = value;
            value = std::move(next);
            noteValue(specfile::keyPath(key), before, value);
        };
        if (coin())
            set(specfile::Key::TcType, s.tcType, pick(tcTypes(s.reference)));
        else if (coin())
            set(specfile::Key::RtdType, s.rtdType, pick(rtdTypes(s.reference)));
        else
            set(specfile::Key::TempScale, s.tempScale, pick(kTempScales));
    }

    void changeCell(ProcedureInputs& in)
    {
        const MeterFunction f = kAllFunctions[static_cast<std::size_t>(number(0, 8))];
        const int row = number(0, functionInfo(f).rows - 1), column = number(0, kColumnCount - 1);
        SpecTable& table = in.meter.table(f);
        const auto value = [&]() -> SpecValue {
            return table.cell(row, column).empty() ? SpecValue() : SpecValue(table.cell(row, column));
        };
        const std::string path = specfile::keyPath(specfile::Key::Functions) + "." + std::string(functionInfo(f).code) +
            "[" + std::to_string(column) + "]." + std::string(specfile::kCellKeys[static_cast<std::size_t>(row)]);
        const SpecValue before = value();
        table.setCell(row, column, number(0, 3) == 0 ? std::string() : cellText(f, row));
        noteValue(path, before, value());
    }

    static std::vector<std::pair<specfile::Key, SpecValue>> recordValues(const ConnectionRecord& r)
    {
        const auto lf = [](const std::optional<std::string>& text) -> SpecValue {
            if (!text)
                return {};
            std::string out = *text;
            for (std::size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at))
                out.erase(at, 1);
            return out;
        };
        using specfile::Key;
        return {{Key::RecordFunction, std::string(functionInfo(r.function).code)},
            {Key::RecordColumn, static_cast<long long>(r.column)}, {Key::RecordPicture, lf(r.pic)},
            {Key::RecordText, lf(r.text)}};
    }

    // A record for a function and column no record has yet.
    void addRecord(ConnectionStore& store)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const MeterFunction f = kAllFunctions[static_cast<std::size_t>(number(0, 8))];
            const int column = number(0, kColumnCount - 1);
            const auto held = std::find_if(store.records().begin(), store.records().end(),
                [&](const auto& r) { return r.function == f && r.column == column; });
            if (held != store.records().end())
                continue;
            ConnectionRecord record{f, column, std::nullopt, std::nullopt};
            if (coin())
                record.pic = pick(kPictures);
            if (!record.pic || coin())
                record.text = pick(kTexts);
            store.append(std::move(record));
            return;
        }
    }

    void changeRecord(ConnectionStore& store)
    {
        if (store.empty())
            return;
        const int i = number(0, static_cast<int>(store.size()) - 1);
        ConnectionRecord record = store.records()[static_cast<std::size_t>(i)];
        const auto before = recordValues(record);
        if (coin())
            record.pic = coin() ? std::optional<std::string>(pick(kPictures)) : std::nullopt;
        else
            record.text = coin() ? std::optional<std::string>(pick(kTexts)) : std::nullopt;
        ConnectionStore changed;
        for (int k = 0; k < static_cast<int>(store.size()); ++k)
            changed.append(k == i ? record : store.records()[static_cast<std::size_t>(k)]);
        store = changed;
        const auto after = recordValues(record);
        for (std::size_t k = 0; k < before.size(); ++k)
            noteValue(specfile::recordKeyPath(static_cast<std::size_t>(i), before[k].first), before[k].second,
                after[k].second);
    }

    std::mt19937 random_;
    std::map<std::string, std::pair<SpecValue, SpecValue>> changes_;
};

} // namespace kestrel::test
