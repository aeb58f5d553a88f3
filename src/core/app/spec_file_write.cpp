#include "core/app/spec_file.h"
#include "core/app/spec_file_names.h"
#include "core/base/text_util.h"
#include "core/spec/numbers.h"

#include <nlohmann/json.hpp>

namespace kestrel {
namespace {

using nlohmann::ordered_json;
using namespace specfile;

template <std::size_t N> std::string name(const std::array<std::string_view, N>& names, int index)
{
    return std::string(names.at(static_cast<std::size_t>(index)));
}

// The program's CR LF line breaks as the file's "\n".
std::string toLf(const std::string& text) { return replaceAll(text, "\r\n", "\n"); }

ordered_json procedureObject(const ProcedureIdentity& id)
{
    ordered_json p = ordered_json::object();
    p["name"] = id.name;
    p["author"] = id.author;
    p["revision"] = id.revision;
    p["comments"] = toLf(id.comments);
    return p;
}

ordered_json optionsObject(const ProcedureOptions& opt)
{
    ordered_json o = ordered_json::object();
    o["tolerance_style"] = name(kToleranceStyles, static_cast<int>(opt.toleranceStyle));
    o["function_messages"] = opt.functionMessages;
    o["autoranging"] = opt.autoranging;
    o["post_test_window"] = name(kPostTestWindows, static_cast<int>(opt.postTestWindow));
    o["operator_buttons"] = {{"list", opt.operatorButtons.list}, {"cancel", opt.operatorButtons.cancel},
        {"repeat", opt.operatorButtons.repeat}};
    o["data_entry"] = name(kDataEntries, static_cast<int>(opt.dataEntry));
    o["tur_checking"] = opt.turChecking;
    o["measurements"] = opt.measurements;
    return o;
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

ordered_json meterObject(const ProcedureInputs& inputs)
{
    ordered_json m = ordered_json::object();
    m["reference"] = inputs.selections.reference;
    m["tc_type"] = inputs.selections.tcType;
    m["rtd_type"] = inputs.selections.rtdType;
    m["temp_scale"] = inputs.selections.tempScale;
    ordered_json functions = ordered_json::object();
    for (const auto f : kAllFunctions) {
        ordered_json columns = columnsArray(inputs.meter.table(f));
        if (!columns.empty())
            functions[std::string(functionInfo(f).code)] = std::move(columns);
    }
    m["functions"] = std::move(functions);
    return m;
}

template <std::size_t N> std::string entry(const std::array<std::string_view, N>& list, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? std::string(list[static_cast<std::size_t>(index)])
                                                     : std::string(list[0]);
}

ordered_json scopeObject(const ScopeInputs& sc)
{
    ordered_json s = ordered_json::object();
    s["reference"] = entry(kScopeReferences, sc.reference);
    s["channels"] = kChannelCounts.at(static_cast<std::size_t>(
        sc.numChannels >= 0 && sc.numChannels < static_cast<int>(kChannelCounts.size()) ? sc.numChannels : 0));
    s["vert_gain_low"] = entry(kVertGain1, sc.vertGain1);
    s["vert_gain_high"] = entry(kVertGain2, sc.vertGain2);
    s["vertical_accuracy"] = sc.verticalAccuracy;
    s["sweep_fast"] = entry(kSweep1, sc.sweep1);
    s["sweep_slow"] = entry(kSweep2, sc.sweep2);
    s["timebase_accuracy"] = sc.timebaseAccuracy;
    s["bandwidth"] = sc.bandwidth;
    s["risetime_test"] = sc.risetimeTest;
    s["risetime"] = sc.risetime;
    s["impedance_test"] = sc.impedanceTest;
    s["accuracy_1m_ohm"] = sc.accuracy1MOhm;
    s["accuracy_50_ohm"] = sc.accuracy50Ohm;
    s["capacitance"] = sc.capacitance;
    s["cap_accuracy"] = sc.capAccuracy;
    return s;
}

ordered_json connectionsArray(const ConnectionStore& store)
{
    ordered_json list = ordered_json::array();
    for (const auto& record : store.records()) {
        ordered_json r = ordered_json::object();
        r["function"] = std::string(functionInfo(record.function).code);
        r["column"] = record.column;
        if (record.pic)
            r["picture"] = *record.pic;
        if (record.text)
            r["text"] = toLf(*record.text);
        list.push_back(std::move(r));
    }
    return list;
}

} // namespace

std::string writeSpecFile(const ProcedureInputs& inputs)
{
    ordered_json root = ordered_json::object();
    root["format"] = std::string(kFormat);
    root["version"] = kVersion;
    root["page"] = name(kPages, static_cast<int>(inputs.page));
    root["procedure"] = procedureObject(inputs.identity);
    root["options"] = optionsObject(inputs.options);
    root["meter"] = meterObject(inputs);
    root["scope"] = scopeObject(inputs.scope);
    root["connections"] = connectionsArray(inputs.connections);
    return root.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

} // namespace kestrel
