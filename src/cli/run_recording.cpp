#include "cli/run_recording.h"

#include "core/app/session.h"
#include "core/base/atomic_file.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/version.h"
#include "core/i18n/localization_file.h"
#include "core/scope/scope_inputs.h"

#include <cstdio>
#include <system_error>

namespace kestrel::cli {

namespace {

// A path as a record keeps it: absolute, so that it means the same file
// wherever verify is started; empty stays empty.
std::string absoluteText(const std::filesystem::path& path)
{
    if (path.empty())
        return {};
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return utf8FromPath((ec ? path : absolute).lexically_normal());
}

} // namespace

RunSettings runSettings(const Session& session, std::optional<int> lcidSwitch, const CalendarDate& date,
    const std::string& headerDate, const ProcedureRequest& request)
{
    RunSettings s;
    s.kestrelVersion = kVersionText;
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
    s.date = iso;
    s.headerDate = headerDate;
    s.lcidSwitch = lcidSwitch;
    s.activeLcid = session.locale.activeLcid;
    s.userDefaultLcid = session.environment().userDefaultLcid;
    s.userDefaultLanguage = session.environment().userDefaultLanguage;
    s.reference = request.standard;
    s.strict = request.strict;
    s.rtf = request.rtf;
    s.configDir = absoluteText(session.environment().configDir);
    std::error_code ec;
    if (const auto ini = session.tesselIniPath(); std::filesystem::exists(ini, ec))
        s.tesselIni = absoluteText(ini);
    s.instrumentConfig = absoluteText(session.tessel.instrumentConfig);
    s.has7625 = session.tessel.has7625;
    s.has3711 = session.tessel.has3711;
    if (const auto file = findLocalizationFile(session.localizationCandidates())) {
        s.localizationFile = absoluteText(*file);
        std::string error;
        // An unreadable file gave no texts; "unreadable" then stands for its digest.
        s.localizationSha256 = fileSha256Hex(*file, error).value_or("unreadable");
    }
    return s;
}

std::string standardName(const ProcedureInputs& inputs)
{
    if (inputs.page == Page::Meter)
        return inputs.selections.reference;
    const auto index = static_cast<std::size_t>(inputs.scope.reference);
    return index < kScopeReferences.size() ? std::string(kScopeReferences[index]) : std::string();
}

std::string recordedPath(const std::string& file) { return absoluteText(pathFromUtf8(file)); }

std::string reproductionProblem(const RunSettings& recorded, const RunSettings& now)
{
    if (recorded.kestrelVersion != now.kestrelVersion)
        return "it was made by Kestrel " + recorded.kestrelVersion + ", this is Kestrel " + now.kestrelVersion;
    if (recorded.activeLcid != now.activeLcid)
        return "it was made in locale " + std::to_string(recorded.activeLcid) + ", this run's is " +
            std::to_string(now.activeLcid);
    if (recorded.localizationFile != now.localizationFile || recorded.localizationSha256 != now.localizationSha256)
        return recorded.localizationFile.empty()
            ? "it was made with the English texts alone, now the localization file \"" + now.localizationFile +
                "\" is in force"
            : "the localization file \"" + recorded.localizationFile + "\" differs from the recorded one" +
                (now.localizationFile.empty() ? " (it is gone)" : "");
    if (recorded.tesselIni != now.tesselIni)
        return "the Tessel installation differs: tessel.ini was " +
            (recorded.tesselIni.empty() ? "none" : "\"" + recorded.tesselIni + "\"") + ", now " +
            (now.tesselIni.empty() ? "none" : "\"" + now.tesselIni + "\"");
    if (recorded.instrumentConfig != now.instrumentConfig || recorded.has7625 != now.has7625 ||
        recorded.has3711 != now.has3711) {
        const auto amplifiers = [](const RunSettings& s) {
            return std::string(s.has7625 ? "7625" : "") + (s.has7625 && s.has3711 ? " and " : "") +
                (s.has3711 ? "3711" : "") + (s.has7625 || s.has3711 ? "" : "no amplifier");
        };
        return "the instrument configuration differs from the recorded one: \"" + recorded.instrumentConfig +
            "\" with " + amplifiers(recorded) + " then, \"" + now.instrumentConfig + "\" with " + amplifiers(now) +
            " now";
    }
    return {};
}

std::unique_ptr<Session> startUpAsRecorded(const RunSettings& recorded, MessageSink& sink)
{
    StartUpEnvironment environment = StartUpEnvironment::current();
    environment.configDir = pathFromUtf8(recorded.configDir);
    environment.userDefaultLcid = recorded.userDefaultLcid;
    environment.userDefaultLanguage = recorded.userDefaultLanguage;
    return startUp(StartUpSwitches{recorded.lcidSwitch, false}, environment, sink);
}

RunRecorder::RunRecorder(std::filesystem::path file, RunRecord record)
    : file_(std::move(file)), record_(std::move(record))
{
}

void RunRecorder::set(std::size_t index, RunFile file)
{
    const std::lock_guard lock(mutex_);
    record_.files.at(index) = std::move(file);
}

RunRecord RunRecorder::snapshot() const
{
    const std::lock_guard lock(mutex_);
    return record_;
}

bool RunRecorder::save(std::string& error)
{
    // One write at a time, each of the record as it stands then: a thread's
    // write never replaces a later state with an earlier one.
    const std::lock_guard lock(writing_);
    return writeFileAtomically(file_, runRecordJson(snapshot()), error);
}

bool RunRecorder::finish(std::string& error)
{
    {
        const std::lock_guard lock(mutex_);
        record_.completed = true;
        record_.finished = utcTimestamp();
    }
    return save(error);
}

} // namespace kestrel::cli
