#include "core/app/run_record.h"

#include "core/base/small_file.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <ctime>
#include <stdexcept>

namespace kestrel {
namespace {

using nlohmann::ordered_json;

const char* statusName(RunFileStatus status)
{
    switch (status) {
    case RunFileStatus::Written:
        return "written";
    case RunFileStatus::Failed:
        return "failed";
    case RunFileStatus::Pending:
        break;
    }
    return "pending";
}

// A key the record must hold, of the type it must have; a record that
// breaks this is refused with the key's name.
class Reader {
public:
    explicit Reader(const ordered_json& object, std::string where) : object_(object), where_(std::move(where))
    {
        if (!object_.is_object())
            throw std::runtime_error(where_ + " is not an object");
    }
    std::string text(const char* key) const { return get(key, &ordered_json::is_string).get<std::string>(); }
    bool flag(const char* key) const { return get(key, &ordered_json::is_boolean).get<bool>(); }
    int number(const char* key) const
    {
        const ordered_json& value = get(key, &ordered_json::is_number_integer);
        const auto n = value.get<long long>();
        if (n < -2147483647LL || n > 2147483647LL)
            throw std::runtime_error(path(key) + " is out of range");
        return static_cast<int>(n);
    }
    // null or absent is nullopt.
    std::optional<int> optionalNumber(const char* key) const
    {
        return present(key) ? std::optional<int>(number(key)) : std::nullopt;
    }
    std::optional<std::string> optionalText(const char* key) const
    {
        return present(key) ? std::optional<std::string>(text(key)) : std::nullopt;
    }
    const ordered_json& array(const char* key) const { return get(key, &ordered_json::is_array); }
    Reader object(const char* key) const { return Reader(get(key, &ordered_json::is_object), path(key)); }
    std::string path(const char* key) const { return where_.empty() ? key : where_ + "." + key; }

private:
    bool present(const char* key) const
    {
        const auto it = object_.find(key);
        return it != object_.end() && !it->is_null();
    }
    const ordered_json& get(const char* key, bool (ordered_json::*is)() const noexcept) const
    {
        const auto it = object_.find(key);
        if (it == object_.end())
            throw std::runtime_error(path(key) + " is missing");
        if (!((*it).*is)())
            throw std::runtime_error(path(key) + " has the wrong type");
        return *it;
    }
    const ordered_json& object_;
    std::string where_;
};

RunFileStatus statusFrom(const std::string& name, const std::string& where)
{
    for (const RunFileStatus status : {RunFileStatus::Pending, RunFileStatus::Written, RunFileStatus::Failed})
        if (name == statusName(status))
            return status;
    throw std::runtime_error(where + " is not \"pending\", \"written\" or \"failed\"");
}

ordered_json optionalJson(const std::optional<std::string>& value)
{
    return value ? ordered_json(*value) : ordered_json(nullptr);
}

} // namespace

std::string runRecordJson(const RunRecord& record)
{
    const RunSettings& s = record.settings;
    ordered_json files = ordered_json::array();
    for (const RunFile& f : record.files) {
        ordered_json file{{"input", f.input}, {"input_sha256", f.inputSha256}, {"standard", f.standard},
            {"output", f.output.empty() ? ordered_json(nullptr) : ordered_json(f.output)},
            {"output_sha256", f.outputSha256.empty() ? ordered_json(nullptr) : ordered_json(f.outputSha256)},
            {"status", statusName(f.status)}, {"exit_status", f.exitStatus},
            {"reason", f.reason.empty() ? ordered_json(nullptr) : ordered_json(f.reason)}, {"warnings", f.warnings},
            {"carried_over", f.carriedOver}};
        files.push_back(std::move(file));
    }
    const ordered_json json{{"schema", kRunRecordSchema}, {"program", "Kestrel"}, {"kestrel_version", s.kestrelVersion},
        {"state", record.completed ? "completed" : "running"}, {"started", record.started},
        {"finished", record.finished.empty() ? ordered_json(nullptr) : ordered_json(record.finished)},
        {"settings",
            {{"date", s.date}, {"header_date", s.headerDate},
                {"lcid_switch", s.lcidSwitch ? ordered_json(*s.lcidSwitch) : ordered_json(nullptr)},
                {"active_lcid", s.activeLcid}, {"user_lcid", s.userDefaultLcid},
                {"user_language", s.userDefaultLanguage}, {"reference", optionalJson(s.reference)},
                {"strict", s.strict}, {"rtf", s.rtf}}},
        {"tessel",
            {{"config_dir", s.configDir}, {"tessel_ini", s.tesselIni}, {"instrument_config", s.instrumentConfig},
                {"amplifiers", {{"7625", s.has7625}, {"3711", s.has3711}}}}},
        {"localization",
            {{"file", s.localizationFile.empty() ? ordered_json(nullptr) : ordered_json(s.localizationFile)},
                {"sha256", s.localizationSha256.empty() ? ordered_json(nullptr) : ordered_json(s.localizationSha256)}}},
        {"files", std::move(files)}};
    return json.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

RunRecordRead parseRunRecord(const std::string& text)
{
    RunRecordRead result;
    try {
        const ordered_json json = ordered_json::parse(text);
        const Reader top(json, "");
        if (const int schema = top.number("schema"); schema != kRunRecordSchema)
            throw std::runtime_error("is of schema " + std::to_string(schema) + ", this Kestrel reads schema " +
                std::to_string(kRunRecordSchema));
        RunRecord record;
        RunSettings& s = record.settings;
        s.kestrelVersion = top.text("kestrel_version");
        const std::string state = top.text("state");
        if (state != "running" && state != "completed")
            throw std::runtime_error("state is not \"running\" or \"completed\"");
        record.completed = state == "completed";
        record.started = top.text("started");
        record.finished = top.optionalText("finished").value_or("");
        const Reader settings = top.object("settings");
        s.date = settings.text("date");
        s.headerDate = settings.text("header_date");
        s.lcidSwitch = settings.optionalNumber("lcid_switch");
        s.activeLcid = settings.number("active_lcid");
        s.userDefaultLcid = settings.number("user_lcid");
        s.userDefaultLanguage = settings.number("user_language");
        s.reference = settings.optionalText("reference");
        s.strict = settings.flag("strict");
        s.rtf = settings.flag("rtf");
        const Reader tessel = top.object("tessel");
        s.configDir = tessel.text("config_dir");
        s.tesselIni = tessel.text("tessel_ini");
        s.instrumentConfig = tessel.text("instrument_config");
        const Reader amplifiers = tessel.object("amplifiers");
        s.has7625 = amplifiers.flag("7625");
        s.has3711 = amplifiers.flag("3711");
        const Reader localization = top.object("localization");
        s.localizationFile = localization.optionalText("file").value_or("");
        s.localizationSha256 = localization.optionalText("sha256").value_or("");
        const ordered_json& files = top.array("files");
        for (std::size_t i = 0; i < files.size(); ++i) {
            const Reader f(files[i], "files[" + std::to_string(i) + "]");
            RunFile file;
            file.input = f.text("input");
            file.inputSha256 = f.text("input_sha256");
            file.standard = f.text("standard");
            file.output = f.optionalText("output").value_or("");
            file.outputSha256 = f.optionalText("output_sha256").value_or("");
            file.status = statusFrom(f.text("status"), f.path("status"));
            file.exitStatus = f.number("exit_status");
            file.reason = f.optionalText("reason").value_or("");
            for (const ordered_json& warning : f.array("warnings")) {
                if (!warning.is_string())
                    throw std::runtime_error(f.path("warnings") + " holds a value that is not text");
                file.warnings.push_back(warning.get<std::string>());
            }
            file.carriedOver = f.flag("carried_over");
            record.files.push_back(std::move(file));
        }
        result.record = std::move(record);
    } catch (const std::exception& e) {
        result.error = std::string("is not a Kestrel run record: ") + e.what();
    }
    return result;
}

RunRecordRead readRunRecord(const std::filesystem::path& path)
{
    const SmallFile file = readSmallFile(path, kMaxRunRecordSize);
    if (file.status != SmallFileStatus::Read)
        return {std::nullopt, file.problem};
    return parseRunRecord(file.content);
}

std::string utcTimestamp()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace kestrel
