#include "core/app/spec_diff.h"

#include "core/app/spec_file_keys.h"
#include "core/base/leading_number.h"
#include "core/base/line_diff.h"
#include "core/base/text_util.h"
#include "core/base/unicode_form.h"
#include "core/base/user_text.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <tuple>

namespace kestrel {
namespace {

using namespace specfile;

// "meter.functions.": what the key path of every cell starts with.
const std::string& meterCellPrefix()
{
    static const std::string prefix = keyPath(Key::Functions) + ".";
    return prefix;
}

// Line breaks as the file writes them.
std::string fileText(const std::string& text) { return replaceAll(text, "\r\n", "\n"); }

SpecValue optionalText(const std::optional<std::string>& text)
{
    return text ? SpecValue(fileText(*text)) : SpecValue();
}

// A cell as the file writes it, as it is held.
SpecValue cellValue(const ProcedureInputs& inputs, MeterFunction f, int row, int column)
{
    const std::string& text = inputs.meter.table(f).cell(row, column);
    if (text.empty())
        return {};
    return text;
}

class Comparison {
public:
    Comparison(const ProcedureInputs& a, const ProcedureInputs& b) : a_(a), b_(b) { }

    // Every value of the table in its order; the grid's cells and the
    // instruction records where their lists stand.
    std::vector<SpecChange> run()
    {
        for (const SpecKey& key : specKeys()) {
            if (key.kind == KeyKind::Functions)
                meterCells();
            else if (key.kind == KeyKind::Records)
                connections();
            else if (key.value)
                compare(keyPath(key.key), key.value(a_), key.value(b_));
        }
        return std::move(changes_);
    }

private:
    void compare(std::string path, SpecValue before, SpecValue after)
    {
        if (before != after)
            changes_.push_back(valueChange(std::move(path), std::move(before), std::move(after)));
    }

    static SpecChange valueChange(std::string path, SpecValue before, SpecValue after)
    {
        const std::string* textBefore = std::get_if<std::string>(&before);
        const std::string* textAfter = std::get_if<std::string>(&after);
        const bool formOnly = textBefore && textAfter && differInFormOnly(*textBefore, *textAfter);
        return {std::move(path), std::move(before), std::move(after),
            formOnly ? SpecChangeKind::UnicodeForm : SpecChangeKind::Value, {}};
    }

    void meterCells()
    {
        for (const MeterFunction f : kAllFunctions) {
            std::vector<SpecChange> byPlace = columnChanges(f, 0, 0, kColumnCount);
            std::optional<std::vector<SpecChange>> byColumn = movedColumns(f);
            if (byColumn && weight(*byColumn) < weight(byPlace))
                byPlace = std::move(*byColumn);
            for (SpecChange& change : byPlace)
                changes_.push_back(std::move(change));
        }
    }

    // The cells of a's columns from columnA compared with b's from columnB,
    // count columns, named by their place in b.
    std::vector<SpecChange> columnChanges(MeterFunction f, int columnA, int columnB, int count) const
    {
        std::vector<SpecChange> changes;
        for (int c = 0; c < count; ++c)
            for (int row = 0; row < functionInfo(f).rows; ++row)
                if (SpecValue before = cellValue(a_, f, row, columnA + c), after = cellValue(b_, f, row, columnB + c);
                    before != after)
                    changes.push_back(
                        valueChange(meterCellPath({f, columnB + c, row}), std::move(before), std::move(after)));
        return changes;
    }

    // What a reviewer reads: a cell is one value, a column put in or taken
    // out as many as it has cells, or one when it has none.
    static std::size_t weight(const std::vector<SpecChange>& changes)
    {
        std::size_t sum = 0;
        for (const SpecChange& change : changes)
            sum += std::max<std::size_t>(1, change.cells.size());
        return sum;
    }

    static ColumnCells cellsOf(const ProcedureInputs& in, MeterFunction f, int column)
    {
        ColumnCells cells;
        for (int row = 0; row < functionInfo(f).rows; ++row)
            if (const SpecValue value = cellValue(in, f, row, column); !std::holds_alternative<std::monostate>(value))
                cells.emplace_back(std::string(kCellKeys[static_cast<std::size_t>(row)]), std::get<std::string>(value));
        return cells;
    }

    // The function's columns aligned as lines of text are: the changes when
    // columns were put in or taken out, so that columns that equal each
    // other at other places moved; nothing when no column moved.
    std::optional<std::vector<SpecChange>> movedColumns(MeterFunction f) const
    {
        const auto columnKeys = [f](const ProcedureInputs& in) {
            std::vector<std::string> keys;
            for (int c = 0; c < kColumnCount; ++c) {
                std::string key;
                for (int row = 0; row < functionInfo(f).rows; ++row) {
                    const SpecValue value = cellValue(in, f, row, c);
                    // No cell holds a control character, so these part the cells.
                    key += std::holds_alternative<std::monostate>(value) ? "\x1e" : std::get<std::string>(value);
                    key += '\x1f';
                }
                keys.push_back(std::move(key));
            }
            // The empty columns after the last that holds a value are no columns.
            std::string empty;
            for (int row = 0; row < functionInfo(f).rows; ++row)
                empty += "\x1e\x1f";
            while (!keys.empty() && keys.back() == empty)
                keys.pop_back();
            return keys;
        };
        const std::vector<std::string> keysA = columnKeys(a_), keysB = columnKeys(b_);
        const TextLines linesA{{keysA.begin(), keysA.end()}, true}, linesB{{keysB.begin(), keysB.end()}, true};
        const std::vector<AlignedLine> aligned = alignSideBySide(linesA, linesB);
        if (std::none_of(aligned.begin(), aligned.end(),
                [](const AlignedLine& line) { return line.kind == AlignedKind::Equal && line.left != line.right; }))
            return std::nullopt;
        std::vector<SpecChange> changes;
        const std::string prefix = meterCellPrefix() + std::string(functionInfo(f).code) + "[";
        for (const AlignedLine& line : aligned) {
            switch (line.kind) {
            case AlignedKind::Equal:
                break;
            case AlignedKind::Changed:
                for (SpecChange& change :
                    columnChanges(f, static_cast<int>(*line.left), static_cast<int>(*line.right), 1))
                    changes.push_back(std::move(change));
                break;
            case AlignedKind::Removed:
                changes.push_back({prefix + std::to_string(*line.left) + "]", {}, {}, SpecChangeKind::ColumnRemoved,
                    cellsOf(a_, f, static_cast<int>(*line.left))});
                break;
            case AlignedKind::Added:
                changes.push_back({prefix + std::to_string(*line.right) + "]", {}, {}, SpecChangeKind::ColumnInserted,
                    cellsOf(b_, f, static_cast<int>(*line.right))});
                break;
            }
        }
        return changes;
    }

    // Records by what Create finds them by: the function, the column, and
    // which of the records of that pair it is. Records that moved are left
    // out, so that the records left of their old column keep their keys.
    using RecordKey = std::tuple<MeterFunction, int, std::size_t>;
    static std::map<RecordKey, std::size_t> recordPlaces(const ConnectionStore& store, const std::vector<bool>& moved)
    {
        std::map<RecordKey, std::size_t> places;
        std::map<std::pair<MeterFunction, int>, std::size_t> seen;
        for (std::size_t i = 0; i < store.records().size(); ++i) {
            if (moved[i])
                continue;
            const ConnectionRecord& r = store.records()[i];
            const std::pair<MeterFunction, int> pair{r.function, r.column};
            places.emplace(RecordKey{pair.first, pair.second, seen[pair]++}, i);
        }
        return places;
    }

    // "dcv[2]": the grid column a record belongs to.
    static std::string recordColumn(const ConnectionRecord& r)
    {
        return std::string(functionInfo(r.function).code) + "[" + std::to_string(r.column) + "]";
    }

    // Records whose picture and text one column lost and another gained:
    // each a record that moved, matched in the order of the lists. Gives
    // the place in a of the record at each place of b that moved there.
    std::vector<std::optional<std::size_t>> movedRecords(std::vector<bool>& movedA) const
    {
        const auto& recordsA = a_.connections.records();
        const auto& recordsB = b_.connections.records();
        using Content = std::pair<std::optional<std::string>, std::optional<std::string>>;
        using Slot = std::tuple<MeterFunction, int, Content>;
        const auto slot = [](const ConnectionRecord& r) { return Slot{r.function, r.column, Content{r.pic, r.text}}; };
        // How many more of a content a column has in b than in a.
        std::map<Slot, long> surplus;
        std::map<Content, std::deque<std::size_t>> lost; // places in a, in order
        for (const ConnectionRecord& r : recordsA)
            --surplus[slot(r)];
        for (const ConnectionRecord& r : recordsB)
            ++surplus[slot(r)];
        for (std::size_t i = 0; i < recordsA.size(); ++i)
            if (surplus[slot(recordsA[i])] < 0)
                lost[Content{recordsA[i].pic, recordsA[i].text}].push_back(i);
        std::vector<std::optional<std::size_t>> from(recordsB.size());
        for (std::size_t j = 0; j < recordsB.size(); ++j) {
            long& gained = surplus[slot(recordsB[j])];
            if (gained <= 0)
                continue;
            std::deque<std::size_t>& candidates = lost[Content{recordsB[j].pic, recordsB[j].text}];
            // A column's loss, once made up, stays made up.
            while (!candidates.empty() && surplus[slot(recordsA[candidates.front()])] >= 0)
                candidates.pop_front();
            if (candidates.empty())
                continue;
            const std::size_t i = candidates.front();
            --gained;
            ++surplus[slot(recordsA[i])];
            movedA[i] = true;
            from[j] = i;
        }
        return from;
    }

    // The records compared as Create finds them, and again with the records
    // that moved taken as such: the one that says it in fewer changes.
    void connections()
    {
        std::vector<SpecChange> byKey = recordChanges(false);
        std::vector<SpecChange> withMoves = recordChanges(true);
        if (withMoves.size() < byKey.size())
            byKey = std::move(withMoves);
        for (SpecChange& change : byKey)
            changes_.push_back(std::move(change));
    }

    std::vector<SpecChange> recordChanges(bool findMoves) const
    {
        std::vector<SpecChange> changes;
        const auto compare = [&changes](std::string path, SpecValue before, SpecValue after) {
            if (before != after)
                changes.push_back(valueChange(std::move(path), std::move(before), std::move(after)));
        };
        std::vector<bool> movedA(a_.connections.size());
        const std::vector<std::optional<std::size_t>> movedFrom =
            findMoves ? movedRecords(movedA) : std::vector<std::optional<std::size_t>>(b_.connections.size());
        std::vector<bool> movedB(b_.connections.size());
        for (std::size_t j = 0; j < movedB.size(); ++j)
            movedB[j] = movedFrom[j].has_value();
        const auto inA = recordPlaces(a_.connections, movedA), inB = recordPlaces(b_.connections, movedB);
        // The records of b in its order, then those only a has, in a's.
        std::vector<std::pair<std::size_t, RecordKey>> named;
        for (const auto& [key, place] : inB)
            named.emplace_back(place, key);
        std::sort(named.begin(), named.end());
        // The records only a has, by their place in a.
        std::map<std::size_t, const ConnectionRecord*> removed;
        for (const auto& [key, place] : inA)
            if (!inB.contains(key))
                removed.emplace(place, &a_.connections.records()[place]);
        const auto compareRecord = [&](std::size_t place, const ConnectionRecord* before,
                                       const ConnectionRecord* after) {
            const auto field = [](const ConnectionRecord* r, auto read) { return r ? read(*r) : SpecValue(); };
            const auto function = [](const ConnectionRecord& r) {
                return SpecValue(std::string(functionInfo(r.function).code));
            };
            const auto column = [](const ConnectionRecord& r) { return SpecValue(static_cast<long long>(r.column)); };
            compare(recordKeyPath(place, Key::RecordFunction), field(before, function), field(after, function));
            compare(recordKeyPath(place, Key::RecordColumn), field(before, column), field(after, column));
            compare(recordKeyPath(place, Key::RecordPicture),
                field(before, [](const auto& r) { return optionalText(r.pic); }),
                field(after, [](const auto& r) { return optionalText(r.pic); }));
            compare(recordKeyPath(place, Key::RecordText),
                field(before, [](const auto& r) { return optionalText(r.text); }),
                field(after, [](const auto& r) { return optionalText(r.text); }));
        };
        auto next = named.begin();
        for (std::size_t j = 0; j < movedFrom.size(); ++j) {
            if (movedFrom[j]) {
                changes.push_back({keyPath(Key::Connections) + "[" + std::to_string(j) + "]",
                    recordColumn(a_.connections.records()[*movedFrom[j]]), recordColumn(b_.connections.records()[j]),
                    SpecChangeKind::Moved, {}});
            } else if (next != named.end() && next->first == j) {
                const auto found = inA.find(next->second);
                const ConnectionRecord* before =
                    found == inA.end() ? nullptr : &a_.connections.records()[found->second];
                // A record only b has where a record only a has stood is
                // that record changed: one path, its values before and after.
                if (const auto there = removed.find(j); !before && there != removed.end()) {
                    before = there->second;
                    removed.erase(there);
                }
                compareRecord(j, before, &b_.connections.records()[j]);
                ++next;
            }
        }
        for (const auto& [place, record] : removed)
            compareRecord(place, record, nullptr);
        return changes;
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
    return meterCellPrefix() + std::string(functionInfo(cell.function).code) + "[" + std::to_string(cell.column) +
        "]." + std::string(kCellKeys[static_cast<std::size_t>(cell.row)]);
}

std::optional<MeterCell> meterCellOfPath(std::string_view path)
{
    if (!path.starts_with(meterCellPrefix()))
        return std::nullopt;
    path.remove_prefix(meterCellPrefix().size());
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
        switch (ch) {
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '"':
        case '\\':
            quoted += '\\';
            [[fallthrough]];
        default:
            quoted += ch;
        }
    }
    return "\"" + escapeForMessage(quoted) + "\"";
}

std::string columnCellsLiteral(const ColumnCells& cells)
{
    std::string out = "{";
    for (std::size_t i = 0; i < cells.size(); ++i)
        out += (i ? ", " : "") + specValueLiteral(cells[i].first) + ": " + specValueLiteral(cells[i].second);
    return out + "}";
}

std::string specChangeLine(const SpecChange& change)
{
    const std::string values = specValueLiteral(change.before) + " -> " + specValueLiteral(change.after);
    switch (change.kind) {
    case SpecChangeKind::Value:
        break;
    case SpecChangeKind::UnicodeForm:
        return change.path + ": " + values + " (Unicode form only: " +
            std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.before)))) + " -> " +
            std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.after)))) + ")";
    case SpecChangeKind::Moved:
        return change.path + ": moved " + values;
    case SpecChangeKind::ColumnInserted:
        return change.path + ": column inserted " + columnCellsLiteral(change.cells);
    case SpecChangeKind::ColumnRemoved:
        return change.path + ": column removed " + columnCellsLiteral(change.cells);
    }
    return change.path + ": " + values;
}

std::string specChangeJson(const SpecChange& change)
{
    static constexpr std::string_view kKinds[] = {
        "value", "unicode form", "moved", "column inserted", "column removed"};
    const auto kind = static_cast<std::size_t>(change.kind);
    std::string out = "{\"kind\": \"" + std::string(kKinds[kind]) + "\", \"path\": " + specValueLiteral(change.path);
    if (change.kind == SpecChangeKind::ColumnInserted)
        return out + ", \"before\": null, \"after\": " + columnCellsLiteral(change.cells) + "}";
    if (change.kind == SpecChangeKind::ColumnRemoved)
        return out + ", \"before\": " + columnCellsLiteral(change.cells) + ", \"after\": null}";
    out += ", \"before\": " + specValueLiteral(change.before) + ", \"after\": " + specValueLiteral(change.after);
    if (change.kind == SpecChangeKind::UnicodeForm)
        out += ", \"forms\": [\"" + std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.before)))) +
            "\", \"" + std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.after)))) + "\"]";
    return out + "}";
}

} // namespace kestrel
