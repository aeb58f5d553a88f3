#include "core/app/spec_file.h"

#include "core/app/spec_file_keys.h"
#include "core/app/spec_file_names.h"
#include "core/base/small_file.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/spec/connection_store.h"
#include "core/spec/key_filter.h"
#include "core/spec/numbers.h"
#include "core/spec/procedure_comments.h"
#include "core/spec/standards.h"
#include "core/spec/text_lengths.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <initializer_list>
#include <span>

namespace kestrel {
namespace {

using nlohmann::json;
using namespace specfile;

// The first problem found; carries the key path it belongs to.
struct FileError {
    std::string path;
    std::string message;
};

std::string inQuotes(std::string_view s) { return "\"" + std::string(s) + "\""; }

// The reader's message as the user reads it. It quotes keys and values of
// the file, whose control characters are shown escaped; the message's own
// words hold none.
std::string messageOf(const std::string& path, const std::string& message)
{
    return escapeForMessage(path + ": " + message);
}

// Nesting depth outside strings, so that a hostile file cannot drive the
// recursive work on the document (its destruction, its reading) into the
// stack's limit.
bool nestedTooDeep(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (inString) {
            if (ch == '\\')
                ++i;
            else if (ch == '"')
                inString = false;
        } else if (ch == '"') {
            inString = true;
        } else if (ch == '[' || ch == '{') {
            if (++depth > kMaxDepth)
                return true;
        } else if (ch == ']' || ch == '}') {
            --depth;
        }
    }
    return false;
}

// Builds the document from the parser's events and refuses, while it
// reads, a key that appears twice in one object (which the parser would let
// the last one win) and a file of more than kMaxValues values, naming the
// key path as the reader does ("connections[2].text"). Each event costs the
// same however large the document grows, so reading is linear in the size
// of the file.
class CheckedDocument {
public:
    using number_integer_t = json::number_integer_t;
    using number_unsigned_t = json::number_unsigned_t;
    using number_float_t = json::number_float_t;
    using string_t = json::string_t;
    using binary_t = json::binary_t;

    json root;
    std::string parseError; // the parser's message when the text is not JSON

    bool null() { return add(nullptr); }
    bool boolean(bool value) { return add(value); }
    bool number_integer(number_integer_t value) { return add(value); }
    bool number_unsigned(number_unsigned_t value) { return add(value); }
    bool number_float(number_float_t value, const string_t&) { return add(value); }
    bool string(string_t& value) { return add(std::move(value)); }
    bool binary(binary_t& value) { return add(json::binary(std::move(value))); }
    bool start_object(std::size_t) { return open(json::object()); }
    bool start_array(std::size_t) { return open(json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(string_t& key)
    {
        if (open_.back().value->contains(key))
            throw FileError{pathOf(key), "appears twice; a key may appear once in its object"};
        open_.back().key = std::move(key);
        return true;
    }

    template <class Exception> bool parse_error(std::size_t, const std::string&, const Exception& error)
    {
        parseError = error.what();
        return false;
    }

private:
    struct Open {
        json* value;
        std::string key; // of the member being read, in an object
    };

    json* place(json&& value)
    {
        if (++values_ > kMaxValues)
            throw FileError{"(file)",
                "holds more than " + std::to_string(kMaxValues) + " values; a specification file holds some thousands"};
        if (open_.empty()) {
            root = std::move(value);
            return &root;
        }
        json& parent = *open_.back().value;
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        return &(parent[open_.back().key] = std::move(value));
    }

    bool add(json&& value)
    {
        place(std::move(value));
        return true;
    }

    bool open(json&& container)
    {
        open_.push_back({place(std::move(container)), {}});
        return true;
    }

    bool close()
    {
        open_.pop_back();
        return true;
    }

    // The path of a key of the innermost open object: an array's element
    // being read is its last one.
    std::string pathOf(const std::string& key) const
    {
        std::string path;
        for (std::size_t i = 0; i + 1 < open_.size(); ++i) {
            if (open_[i].value->is_object())
                path += (path.empty() ? "" : ".") + open_[i].key;
            else
                path += "[" + std::to_string(open_[i].value->size() - 1) + "]";
        }
        return path.empty() ? key : path + "." + key;
    }

    std::vector<Open> open_;
    std::size_t values_ = 0;
};

// The parser's message without its "[json.exception.parse_error.101] " tag.
std::string parserMessage(std::string_view what)
{
    if (startsWith(what, "[json.exception.")) {
        const std::size_t end = what.find("] ");
        if (end != std::string_view::npos)
            what.remove_prefix(end + 2);
    }
    return std::string(what);
}

class Reader {
public:
    explicit Reader(std::string_view decSep) : decSep_(decSep) { inputs_.decimalSeparator = std::string(decSep); }

    ProcedureInputs read(const json& root)
    {
        const json& r = object(root, "(file)");
        checkKeys(r, std::nullopt);
        if (const json* v = member(r, Key::Format); v && string(*v, keyPath(Key::Format)) != kFormat)
            fail(keyPath(Key::Format), "must be " + inQuotes(kFormat));
        if (const json* v = member(r, Key::Version); v && integer(*v, keyPath(Key::Version)) != kVersion)
            fail(keyPath(Key::Version), "version " + std::to_string(kVersion) + " is the only one this program reads");
        if (const json* v = member(r, Key::Page))
            inputs_.page = static_cast<Page>(choice(*v, keyPath(Key::Page), kPages));
        if (const json* v = member(r, Key::Procedure))
            readProcedure(*v);
        if (const json* v = member(r, Key::Options))
            readOptions(*v);
        if (const json* v = member(r, Key::Meter))
            readMeter(*v);
        if (const json* v = member(r, Key::Scope))
            readScope(*v);
        if (const json* v = member(r, Key::Connections))
            readConnections(*v);
        return std::move(inputs_);
    }

private:
    [[noreturn]] static void fail(std::string path, std::string message)
    {
        throw FileError{std::move(path), std::move(message)};
    }

    static std::string child(std::string_view path, std::string_view key)
    {
        return path.empty() ? std::string(key) : std::string(path) + "." + std::string(key);
    }

    static const json& object(const json& v, const std::string& path)
    {
        if (!v.is_object())
            fail(path, "must be an object");
        return v;
    }

    // Refuses a key the table does not list in the object; path names the
    // object as the file holds it ("connections[2]").
    static void checkKeys(const json& obj, std::optional<Key> parent, const std::string& path)
    {
        const std::vector<Key> keys = keysOf(parent);
        for (const auto& item : obj.items())
            if (std::none_of(keys.begin(), keys.end(), [&](Key key) { return specKey(key).name == item.key(); }))
                fail(child(path, item.key()), "unknown key");
    }

    static void checkKeys(const json& obj, std::optional<Key> parent)
    {
        checkKeys(obj, parent, parent ? keyPath(*parent) : std::string());
    }

    // The value of a key in its object, or nothing when the file leaves it out.
    static const json* member(const json& obj, Key key)
    {
        const auto found = obj.find(specKey(key).name);
        return found == obj.end() ? nullptr : &*found;
    }

    static std::string string(const json& v, const std::string& path)
    {
        return textOf(v, [&] { return path; });
    }

    // The text itself, not a copy; the key path is only built for the
    // message, which a file rarely needs.
    template <typename PathOf> static const std::string& textOf(const json& v, const PathOf& pathOf)
    {
        if (!v.is_string())
            fail(pathOf(), "must be a text");
        return v.get_ref<const std::string&>();
    }

    // A text that is written on one line of the procedure (a header value):
    // no line break and no other control character.
    // A one-line value longer than kLongestLineText characters.
    static void failWhenTooLong(const std::string& text, const std::string& path)
    {
        if (text.size() > kLongestLineText && charCount(text) > kLongestLineText)
            fail(path, "is longer than " + std::to_string(kLongestLineText) + " characters");
    }

    static std::string oneLineText(const json& v, const std::string& path)
    {
        std::string text = string(v, path);
        if (const std::string problem = oneLineTextProblem(text); !problem.empty())
            fail(path, problem + "; it is written on one line of the procedure");
        failWhenTooLong(text, path);
        return text;
    }

    static std::string pictureName(const json& v, const std::string& path)
    {
        std::string name = string(v, path);
        if (const std::string problem = pictureNameProblem(name); !problem.empty())
            fail(path, problem);
        return name;
    }

    static bool boolean(const json& v, const std::string& path)
    {
        if (!v.is_boolean())
            fail(path, "must be true or false");
        return v.get<bool>();
    }

    static long long integer(const json& v, const std::string& path)
    {
        if (v.is_number_unsigned()) {
            const auto u = v.get<unsigned long long>();
            return u > 1000000 ? 1000000 : static_cast<long long>(u);
        }
        if (!v.is_number_integer())
            fail(path, "must be a whole number");
        return v.get<long long>();
    }

    template <std::size_t N>
    static int choice(const json& v, const std::string& path, const std::array<std::string_view, N>& entries)
    {
        return entryIndex(v, path, std::span<const std::string_view>(entries));
    }

    static int entryIndex(const json& v, const std::string& path, std::span<const std::string_view> entries)
    {
        const std::string text = string(v, path);
        const auto it = std::find(entries.begin(), entries.end(), text);
        if (it == entries.end()) {
            std::string list;
            for (const auto e : entries)
                list += (list.empty() ? "" : ", ") + inQuotes(e);
            fail(path, inQuotes(text) + " is not one of " + list);
        }
        return static_cast<int>(it - entries.begin());
    }

    void readProcedure(const json& v)
    {
        const json& p = object(v, keyPath(Key::Procedure));
        checkKeys(p, Key::Procedure);
        auto& id = inputs_.identity;
        for (const auto& [key, target] : {std::pair{Key::Name, &id.name}, std::pair{Key::Author, &id.author},
                 std::pair{Key::Revision, &id.revision}})
            if (const json* value = member(p, key))
                *target = oneLineText(*value, keyPath(key));
        if (const json* value = member(p, Key::Comments)) {
            const std::string path = keyPath(Key::Comments);
            const std::string comments = string(*value, path);
            if (const std::string problem = commentsProblem(comments); !problem.empty())
                fail(path, problem);
            id.comments = normalizeLineBreaks(comments, "\r\n");
        }
    }

    void readOptions(const json& v)
    {
        const json& o = object(v, keyPath(Key::Options));
        checkKeys(o, Key::Options);
        auto& opt = inputs_.options;
        if (const json* value = member(o, Key::ToleranceStyle))
            opt.toleranceStyle =
                static_cast<ToleranceStyle>(choice(*value, keyPath(Key::ToleranceStyle), kToleranceStyles));
        readYesNo(o, Key::FunctionMessages, opt.functionMessages);
        readYesNo(o, Key::Autoranging, opt.autoranging);
        if (const json* value = member(o, Key::PostTestWindow))
            opt.postTestWindow =
                static_cast<PostTestWindow>(choice(*value, keyPath(Key::PostTestWindow), kPostTestWindows));
        if (const json* value = member(o, Key::OperatorButtons)) {
            const json& b = object(*value, keyPath(Key::OperatorButtons));
            checkKeys(b, Key::OperatorButtons);
            readYesNo(b, Key::ButtonList, opt.operatorButtons.list);
            readYesNo(b, Key::ButtonCancel, opt.operatorButtons.cancel);
            readYesNo(b, Key::ButtonRepeat, opt.operatorButtons.repeat);
        }
        if (const json* value = member(o, Key::DataEntry))
            opt.dataEntry = static_cast<DataEntry>(choice(*value, keyPath(Key::DataEntry), kDataEntries));
        readYesNo(o, Key::TurChecking, opt.turChecking);
        if (const json* value = member(o, Key::Measurements)) {
            const std::string path = keyPath(Key::Measurements);
            const long long n = integer(*value, path);
            if (n < 0 || n >= kMeasurementChoices)
                fail(path, "must be a number from 0 to " + std::to_string(kMeasurementChoices - 1));
            opt.measurements = static_cast<int>(n);
        }
    }

    static void readYesNo(const json& obj, Key key, bool& target)
    {
        if (const json* value = member(obj, key))
            target = boolean(*value, keyPath(key));
    }

    // A choice stored as the list's entry text.
    static void readEntry(const json& obj, Key key, std::span<const std::string_view> list, std::string& target)
    {
        if (const json* value = member(obj, key))
            target = std::string(list[static_cast<std::size_t>(entryIndex(*value, keyPath(key), list))]);
    }

    // A choice stored as its index in the list.
    static void readIndex(const json& obj, Key key, std::span<const std::string_view> list, int& target)
    {
        if (const json* value = member(obj, key))
            target = entryIndex(*value, keyPath(key), list);
    }

    void readMeter(const json& v)
    {
        const json& m = object(v, keyPath(Key::Meter));
        checkKeys(m, Key::Meter);
        auto& sel = inputs_.selections;
        readEntry(m, Key::Reference, kReferences, sel.reference);
        // The sensor lists depend on the standard, which is read first.
        readEntry(m, Key::TcType, tcTypes(sel.reference), sel.tcType);
        readEntry(m, Key::RtdType, rtdTypes(sel.reference), sel.rtdType);
        readEntry(m, Key::TempScale, kTempScales, sel.tempScale);
        if (const json* value = member(m, Key::Functions))
            readFunctions(*value);
    }

    void readFunctions(const json& v)
    {
        const std::string functionsPath = keyPath(Key::Functions);
        const json& fns = object(v, functionsPath);
        for (const auto& item : fns.items()) {
            const std::string path = child(functionsPath, item.key());
            const auto function = functionFromCode(item.key());
            if (!function)
                fail(path, "unknown key");
            const json& columns = item.value();
            if (!columns.is_array())
                fail(path, "must be a list of columns");
            if (columns.size() > static_cast<std::size_t>(kColumnCount))
                fail(path, "has more than " + std::to_string(kColumnCount) + " columns");
            SpecTable& table = inputs_.meter.table(*function);
            for (std::size_t c = 0; c < columns.size(); ++c)
                readColumn(columns[c], path + "[" + std::to_string(c) + "]", *function, table, static_cast<int>(c));
        }
    }

    void readColumn(const json& v, const std::string& path, MeterFunction f, SpecTable& table, int c)
    {
        const json& col = object(v, path);
        const int rows = functionInfo(f).rows;
        for (const auto& item : col.items()) {
            const auto cellPath = [&] { return child(path, item.key()); };
            const auto key = std::find(kCellKeys.begin(), kCellKeys.end(), item.key());
            const int row = static_cast<int>(key - kCellKeys.begin());
            if (key == kCellKeys.end() || row >= rows)
                fail(cellPath(), "unknown key");
            const std::string& text = textOf(item.value(), cellPath);
            // The file's decimal mark is "."; a locale's separator in a file would
            // make it readable on some machines and not on others.
            if (decSep_ != "." && contains(text, decSep_))
                fail(cellPath(), inQuotes(text) + " uses " + inQuotes(decSep_) + "; files use \".\" as decimal mark");
            const auto stored = typeIntoCell(f, row, text, ".");
            if (!stored && checkCommit(text) == CommitResult::Invalid)
                fail(cellPath(), inQuotes(text) + ": Invalid data format"); // the grid's own words
            if (!stored)
                fail(cellPath(), inQuotes(text) + " is not accepted in this row of the grid");
            table.setCell(row, c, *stored);
        }
    }

    void readScope(const json& v)
    {
        const json& s = object(v, keyPath(Key::Scope));
        checkKeys(s, Key::Scope);
        auto& sc = inputs_.scope;
        readIndex(s, Key::ScopeReference, kScopeReferences, sc.reference);
        if (const json* value = member(s, Key::Channels)) {
            const std::string path = keyPath(Key::Channels);
            const long long n = integer(*value, path);
            const auto it = std::find(kChannelCounts.begin(), kChannelCounts.end(), n);
            if (it == kChannelCounts.end())
                fail(path, "must be 4, 2 or 1");
            sc.numChannels = static_cast<int>(it - kChannelCounts.begin());
        }
        readIndex(s, Key::VertGainLow, kVertGain1, sc.vertGain1);
        readIndex(s, Key::VertGainHigh, kVertGain2, sc.vertGain2);
        readIndex(s, Key::SweepFast, kSweep1, sc.sweep1);
        readIndex(s, Key::SweepSlow, kSweep2, sc.sweep2);
        readField(s, ScopeField::VerticalAccuracy, sc.verticalAccuracy);
        readField(s, ScopeField::TimebaseAccuracy, sc.timebaseAccuracy);
        readField(s, ScopeField::Bandwidth, sc.bandwidth);
        readYesNo(s, Key::RisetimeTest, sc.risetimeTest);
        readField(s, ScopeField::Risetime, sc.risetime);
        readYesNo(s, Key::ImpedanceTest, sc.impedanceTest);
        if (sc.impedanceTest && !impedanceTestAvailable(sc.reference))
            fail(keyPath(Key::ImpedanceTest),
                "the " + inQuotes(kScopeReferences[static_cast<std::size_t>(sc.reference)]) +
                    " standard cannot test input impedance");
        readField(s, ScopeField::Accuracy1MOhm, sc.accuracy1MOhm);
        readField(s, ScopeField::Accuracy50Ohm, sc.accuracy50Ohm);
        readField(s, ScopeField::Capacitance, sc.capacitance);
        readField(s, ScopeField::CapAccuracy, sc.capAccuracy);
    }

    static void readField(const json& s, ScopeField field, std::string& target)
    {
        const std::string key(scopeFieldKey(field));
        if (!s.contains(key))
            return;
        const std::string path = child(keyPath(Key::Scope), key);
        const std::string text = string(s[key], path);
        failWhenTooLong(text, path);
        for (const char ch : text)
            if (ch == '\b' || !scopeFieldAccepts(field, ch))
                fail(path, inQuotes(text) + " holds characters the field does not accept");
        target = text;
    }

    void readConnections(const json& v)
    {
        const std::string listPath = keyPath(Key::Connections);
        if (!v.is_array())
            fail(listPath, "must be a list of records");
        if (v.size() > kMaxConnectionRecords)
            fail(listPath,
                "holds more than " + std::to_string(kMaxConnectionRecords) +
                    " records; a record belongs to one column of one function");
        for (std::size_t i = 0; i < v.size(); ++i) {
            const std::string path = listPath + "[" + std::to_string(i) + "]";
            const auto pathOf = [i](Key key) { return recordKeyPath(i, key); };
            const json& rec = object(v[i], path);
            checkKeys(rec, Key::Connections, path);
            const json* functionValue = member(rec, Key::RecordFunction);
            if (!functionValue)
                fail(pathOf(Key::RecordFunction), "is missing");
            const json* columnValue = member(rec, Key::RecordColumn);
            if (!columnValue)
                fail(pathOf(Key::RecordColumn), "is missing");
            // A function code in any case names its function.
            const std::string mode = string(*functionValue, pathOf(Key::RecordFunction));
            const std::optional<MeterFunction> function = functionFromCode(toLower(mode));
            if (!function)
                fail(pathOf(Key::RecordFunction), inQuotes(mode) + " is not a function code");
            const long long column = integer(*columnValue, pathOf(Key::RecordColumn));
            if (column < 0 || column >= kColumnCount)
                fail(pathOf(Key::RecordColumn), "must be a column from 0 to " + std::to_string(kColumnCount - 1));
            ConnectionRecord record{*function, static_cast<int>(column), std::nullopt, std::nullopt};
            if (const json* picture = member(rec, Key::RecordPicture); picture && !picture->is_null())
                record.pic = pictureName(*picture, pathOf(Key::RecordPicture));
            if (const json* text = member(rec, Key::RecordText); text && !text->is_null())
                record.text = instructionText(*text, pathOf(Key::RecordText));
            inputs_.connections.append(std::move(record));
        }
    }

    // The wizard's lines joined by line breaks, under the rule every
    // record's text keeps.
    static std::string instructionText(const json& v, const std::string& path)
    {
        const std::string text = string(v, path);
        if (const std::string problem = instructionTextProblem(text); !problem.empty())
            fail(path, problem);
        return normalizeLineBreaks(text, "\r\n");
    }

    std::string decSep_;
    ProcedureInputs inputs_;
};

} // namespace

SpecFileText loadSpecFileText(const std::filesystem::path& path)
{
    SmallFile file = readSmallFile(path, kMaxSpecFileSize);
    if (file.status == SmallFileStatus::Read)
        return {std::move(file.content), {}};
    if (file.status == SmallFileStatus::TooLarge)
        return {std::nullopt, file.problem + ", too large for a specification file"};
    return {std::nullopt, file.problem};
}

SpecFileResult readSpecFile(std::string_view text, std::string_view decimalSeparator)
{
    // The parser takes a NUL byte for the end of the text and would ignore
    // whatever follows it; JSON has no place for one outside a string, and
    // inside one it must be written \u0000.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        return {std::nullopt, "(file): a NUL byte at byte " + std::to_string(nul + 1) + "; the file is not JSON text"};
    if (nestedTooDeep(text))
        return {std::nullopt, "(file): nested deeper than " + std::to_string(kMaxDepth) + " levels"};
    CheckedDocument document;
    try {
        if (!json::sax_parse(text.begin(), text.end(), &document))
            return {std::nullopt, messageOf("(file)", "not valid JSON: " + parserMessage(document.parseError))};
    } catch (const FileError& e) {
        return {std::nullopt, messageOf(e.path, e.message)};
    } catch (const json::exception& e) {
        return {std::nullopt, messageOf("(file)", "not valid JSON: " + parserMessage(e.what()))};
    }
    const json& root = document.root;
    try {
        return {Reader(decimalSeparator).read(root), {}};
    } catch (const FileError& e) {
        return {std::nullopt, messageOf(e.path, e.message)};
    } catch (const json::exception& e) {
        return {std::nullopt, messageOf("(file)", e.what())};
    }
}

std::string writtenSpecFileProblem(std::string_view text, std::string_view decimalSeparator)
{
    for (const std::string_view separator : {decimalSeparator, std::string_view(".")}) {
        SpecFileResult read = readSpecFile(text, separator);
        if (!read.inputs)
            return std::move(read.error);
        if (separator == ".")
            break;
    }
    return {};
}

} // namespace kestrel
