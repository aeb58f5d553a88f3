#include "core/app/spec_file.h"
#include "core/app/spec_file_keys.h"
#include "core/app/spec_file_names.h"
#include "core/base/text_util.h"
#include "core/spec/numbers.h"

#include <nlohmann/json.hpp>

namespace kestrel {
namespace {

using nlohmann::ordered_json;
using namespace specfile;

// The program's CR LF line breaks as the file's "\n".
std::string toLf(const std::string& text) { return replaceAll(text, "\r\n", "\n"); }

ordered_json jsonOf(const SpecValue& value)
{
    if (const std::string* text = std::get_if<std::string>(&value))
        return *text;
    if (const bool* yes = std::get_if<bool>(&value))
        return *yes;
    if (const long long* number = std::get_if<long long>(&value))
        return *number;
    return nullptr;
}

// The columns up to the last one holding anything; empty cells left out.
ordered_json columnsArray(const SpecTable& table)
{
    int last = -1;
    for (int c = 0; c < kColumnCount; ++c)
        for (int r = 0; r < table.rows(); ++r)
            if (!table.cell(r, c).empty())
                last = c;
    ordered_json columns = ordered_json::array();
    for (int c = 0; c <= last; ++c) {
        ordered_json column = ordered_json::object();
        for (int r = 0; r < table.rows(); ++r)
            if (!table.cell(r, c).empty())
                column[std::string(kCellKeys[static_cast<std::size_t>(r)])] = table.cell(r, c);
        columns.push_back(std::move(column));
    }
    return columns;
}

ordered_json functionsObject(const ProcedureInputs& inputs)
{
    ordered_json functions = ordered_json::object();
    for (const auto f : kAllFunctions) {
        ordered_json columns = columnsArray(inputs.meter.table(f));
        if (!columns.empty())
            functions[std::string(functionInfo(f).code)] = std::move(columns);
    }
    return functions;
}

ordered_json connectionsArray(const ConnectionStore& store)
{
    ordered_json list = ordered_json::array();
    for (const auto& record : store.records()) {
        ordered_json r = ordered_json::object();
        r[keyName(Key::RecordFunction)] = std::string(functionInfo(record.function).code);
        r[keyName(Key::RecordColumn)] = record.column;
        if (record.pic)
            r[keyName(Key::RecordPicture)] = *record.pic;
        if (record.text)
            r[keyName(Key::RecordText)] = toLf(*record.text);
        list.push_back(std::move(r));
    }
    return list;
}

// The keys of an object (the file itself when parent is none), each in
// its place in the table.
ordered_json objectOf(const ProcedureInputs& inputs, std::optional<Key> parent)
{
    ordered_json object = ordered_json::object();
    for (const Key key : keysOf(parent)) {
        const SpecKey& k = specKey(key);
        ordered_json& value = object[std::string(k.name)];
        if (key == Key::Format)
            value = std::string(kFormat);
        else if (key == Key::Version)
            value = kVersion;
        else if (k.kind == KeyKind::Object)
            value = objectOf(inputs, key);
        else if (k.kind == KeyKind::Functions)
            value = functionsObject(inputs);
        else if (k.kind == KeyKind::Records)
            value = connectionsArray(inputs.connections);
        else
            value = jsonOf(k.value(inputs));
    }
    return object;
}

} // namespace

std::string writeSpecFile(const ProcedureInputs& inputs)
{
    return objectOf(inputs, std::nullopt).dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

} // namespace kestrel
