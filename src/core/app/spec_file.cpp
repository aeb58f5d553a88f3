#include "core/app/spec_file.h"

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
        checkKeys(r, "", {"format", "version", "page", "procedure", "options", "meter", "scope", "connections"});
        if (r.contains("format") && string(r["format"], "format") != kFormat)
            fail("format", "must be " + inQuotes(kFormat));
        if (r.contains("version") && integer(r["version"], "version") != kVersion)
            fail("version", "version " + std::to_string(kVersion) + " is the only one this program reads");
        if (r.contains("page"))
            inputs_.page = static_cast<Page>(choice(r["page"], "page", kPages));
        if (r.contains("procedure"))
            readProcedure(r["procedure"]);
        if (r.contains("options"))
            readOptions(r["options"]);
        if (r.contains("meter"))
            readMeter(r["meter"]);
        if (r.contains("scope"))
            readScope(r["scope"]);
        if (r.contains("connections"))
            readConnections(r["connections"]);
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

    static void checkKeys(const json& obj, std::string_view path, std::initializer_list<std::string_view> keys)
    {
        for (const auto& item : obj.items())
            if (std::find(keys.begin(), keys.end(), item.key()) == keys.end())
                fail(child(path, item.key()), "unknown key");
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
        const json& p = object(v, "procedure");
        checkKeys(p, "procedure", {"name", "author", "revision", "comments"});
        auto& id = inputs_.identity;
        if (p.contains("name"))
            id.name = oneLineText(p["name"], "procedure.name");
        if (p.contains("author"))
            id.author = oneLineText(p["author"], "procedure.author");
        if (p.contains("revision"))
            id.revision = oneLineText(p["revision"], "procedure.revision");
        if (p.contains("comments")) {
            const std::string comments = string(p["comments"], "procedure.comments");
            if (const std::string problem = commentsProblem(comments); !problem.empty())
                fail("procedure.comments", problem);
            id.comments = normalizeLineBreaks(comments, "\r\n");
        }
    }

    void readOptions(const json& v)
    {
        const json& o = object(v, "options");
        checkKeys(o, "options",
            {"tolerance_style", "function_messages", "autoranging", "post_test_window", "operator_buttons",
                "data_entry", "tur_checking", "measurements"});
        auto& opt = inputs_.options;
        if (o.contains("tolerance_style"))
            opt.toleranceStyle =
                static_cast<ToleranceStyle>(choice(o["tolerance_style"], "options.tolerance_style", kToleranceStyles));
        if (o.contains("function_messages"))
            opt.functionMessages = boolean(o["function_messages"], "options.function_messages");
        if (o.contains("autoranging"))
            opt.autoranging = boolean(o["autoranging"], "options.autoranging");
        if (o.contains("post_test_window"))
            opt.postTestWindow = static_cast<PostTestWindow>(
                choice(o["post_test_window"], "options.post_test_window", kPostTestWindows));
        if (o.contains("operator_buttons")) {
            const std::string path = "options.operator_buttons";
            const json& b = object(o["operator_buttons"], path);
            checkKeys(b, path, {"list", "cancel", "repeat"});
            if (b.contains("list"))
                opt.operatorButtons.list = boolean(b["list"], path + ".list");
            if (b.contains("cancel"))
                opt.operatorButtons.cancel = boolean(b["cancel"], path + ".cancel");
            if (b.contains("repeat"))
                opt.operatorButtons.repeat = boolean(b["repeat"], path + ".repeat");
        }
        if (o.contains("data_entry"))
            opt.dataEntry = static_cast<DataEntry>(choice(o["data_entry"], "options.data_entry", kDataEntries));
        if (o.contains("tur_checking"))
            opt.turChecking = boolean(o["tur_checking"], "options.tur_checking");
        if (o.contains("measurements")) {
            const long long n = integer(o["measurements"], "options.measurements");
            if (n < 0 || n >= kMeasurementChoices)
                fail("options.measurements", "must be a number from 0 to " + std::to_string(kMeasurementChoices - 1));
            opt.measurements = static_cast<int>(n);
        }
    }

    void readMeter(const json& v)
    {
        const json& m = object(v, "meter");
        checkKeys(m, "meter", {"reference", "tc_type", "rtd_type", "temp_scale", "functions"});
        auto& sel = inputs_.selections;
        if (m.contains("reference"))
            sel.reference = std::string(
                kReferences[static_cast<std::size_t>(choice(m["reference"], "meter.reference", kReferences))]);
        // The sensor lists depend on the standard, which is read first.
        if (m.contains("tc_type")) {
            const auto list = tcTypes(sel.reference);
            sel.tcType = std::string(list[static_cast<std::size_t>(entryIndex(m["tc_type"], "meter.tc_type", list))]);
        }
        if (m.contains("rtd_type")) {
            const auto list = rtdTypes(sel.reference);
            sel.rtdType =
                std::string(list[static_cast<std::size_t>(entryIndex(m["rtd_type"], "meter.rtd_type", list))]);
        }
        if (m.contains("temp_scale"))
            sel.tempScale = std::string(
                kTempScales[static_cast<std::size_t>(choice(m["temp_scale"], "meter.temp_scale", kTempScales))]);
        if (m.contains("functions"))
            readFunctions(m["functions"]);
    }

    void readFunctions(const json& v)
    {
        const json& fns = object(v, "meter.functions");
        for (const auto& item : fns.items()) {
            const std::string path = "meter.functions." + item.key();
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
        const json& s = object(v, "scope");
        checkKeys(s, "scope",
            {"reference", "channels", "vert_gain_low", "vert_gain_high", "vertical_accuracy", "sweep_fast",
                "sweep_slow", "timebase_accuracy", "bandwidth", "risetime_test", "risetime", "impedance_test",
                "accuracy_1m_ohm", "accuracy_50_ohm", "capacitance", "cap_accuracy"});
        auto& sc = inputs_.scope;
        if (s.contains("reference"))
            sc.reference = choice(s["reference"], "scope.reference", kScopeReferences);
        if (s.contains("channels")) {
            const long long n = integer(s["channels"], "scope.channels");
            const auto it = std::find(kChannelCounts.begin(), kChannelCounts.end(), n);
            if (it == kChannelCounts.end())
                fail("scope.channels", "must be 4, 2 or 1");
            sc.numChannels = static_cast<int>(it - kChannelCounts.begin());
        }
        if (s.contains("vert_gain_low"))
            sc.vertGain1 = choice(s["vert_gain_low"], "scope.vert_gain_low", kVertGain1);
        if (s.contains("vert_gain_high"))
            sc.vertGain2 = choice(s["vert_gain_high"], "scope.vert_gain_high", kVertGain2);
        if (s.contains("sweep_fast"))
            sc.sweep1 = choice(s["sweep_fast"], "scope.sweep_fast", kSweep1);
        if (s.contains("sweep_slow"))
            sc.sweep2 = choice(s["sweep_slow"], "scope.sweep_slow", kSweep2);
        readField(s, ScopeField::VerticalAccuracy, sc.verticalAccuracy);
        readField(s, ScopeField::TimebaseAccuracy, sc.timebaseAccuracy);
        readField(s, ScopeField::Bandwidth, sc.bandwidth);
        if (s.contains("risetime_test"))
            sc.risetimeTest = boolean(s["risetime_test"], "scope.risetime_test");
        readField(s, ScopeField::Risetime, sc.risetime);
        if (s.contains("impedance_test")) {
            sc.impedanceTest = boolean(s["impedance_test"], "scope.impedance_test");
            if (sc.impedanceTest && !impedanceTestAvailable(sc.reference))
                fail("scope.impedance_test",
                    "the " + inQuotes(kScopeReferences[static_cast<std::size_t>(sc.reference)]) +
                        " standard cannot test input impedance");
        }
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
        const std::string path = "scope." + key;
        const std::string text = string(s[key], path);
        failWhenTooLong(text, path);
        for (const char ch : text)
            if (ch == '\b' || !scopeFieldAccepts(field, ch))
                fail(path, inQuotes(text) + " holds characters the field does not accept");
        target = text;
    }

    void readConnections(const json& v)
    {
        if (!v.is_array())
            fail("connections", "must be a list of records");
        if (v.size() > kMaxConnectionRecords)
            fail("connections",
                "holds more than " + std::to_string(kMaxConnectionRecords) +
                    " records; a record belongs to one column of one function");
        for (std::size_t i = 0; i < v.size(); ++i) {
            const std::string path = "connections[" + std::to_string(i) + "]";
            const json& rec = object(v[i], path);
            checkKeys(rec, path, {"function", "column", "picture", "text"});
            if (!rec.contains("function"))
                fail(path + ".function", "is missing");
            if (!rec.contains("column"))
                fail(path + ".column", "is missing");
            // A function code in any case names its function.
            const std::string mode = string(rec["function"], path + ".function");
            const std::optional<MeterFunction> function = functionFromCode(toLower(mode));
            if (!function)
                fail(path + ".function", inQuotes(mode) + " is not a function code");
            const long long column = integer(rec["column"], path + ".column");
            if (column < 0 || column >= kColumnCount)
                fail(path + ".column", "must be a column from 0 to " + std::to_string(kColumnCount - 1));
            ConnectionRecord record{*function, static_cast<int>(column), std::nullopt, std::nullopt};
            if (rec.contains("picture") && !rec["picture"].is_null())
                record.pic = pictureName(rec["picture"], path + ".picture");
            if (rec.contains("text") && !rec["text"].is_null())
                record.text = instructionText(rec["text"], path + ".text");
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
