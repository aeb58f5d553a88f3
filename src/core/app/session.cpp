#include "core/app/session.h"

#include "core/base/atomic_file.h"
#include "core/base/config_dir.h"
#include "core/base/locale_info.h"
#include "core/base/message_sink.h"
#include "core/base/profile_file.h"
#include "core/base/program_location.h"
#include "core/base/small_file.h"
#include "core/i18n/localization_file.h"

namespace kestrel {

StartUpEnvironment StartUpEnvironment::current()
{
    return {platformUserDefaultLcid(), platformUserDefaultLanguage(), configDirectory(), programDirectory()};
}

Session::Session(StartUpEnvironment environment, MessageSink& sink)
    : texts(sink), environment_(std::move(environment)), sink_(sink)
{
}

std::filesystem::path Session::kestrelIniPath() const { return fileInFolder(environment_.configDir, kKestrelIniName); }

std::filesystem::path Session::tesselIniPath() const
{
    return tesselIniIn(environment_.configDir, environment_.programDir);
}

std::vector<std::filesystem::path> Session::localizationCandidates() const
{
    return localizationFileCandidates(locale.userDefaultLanguage, environment_.configDir, environment_.programDir);
}

std::filesystem::path Session::localizationSavePath() const
{
    return environment_.configDir / localizationFileName(locale.userDefaultLanguage);
}

void Session::reloadTexts() { texts.populate(localizationCandidates()); }

std::string Session::headerDate(const CalendarDate& date) const
{
    return formatMediumDate(date.year, date.month, date.day, locale.userDefaultLcid);
}

std::string Session::headerDateToday() const { return headerDate(localToday()); }

void Session::adoptRunValues(ProcedureInputs& inputs) const
{
    inputs.decimalSeparator = locale.numberSeparator();
    inputs.has7625 = tessel.has7625;
    inputs.has3711 = tessel.has3711;
}

namespace {

// Copies an older installation's settings file into the user's settings
// folder, bytes as they are; false when it could not be copied, and the
// older file is then read where it is.
bool adoptOlderSettings(const std::filesystem::path& older, const std::filesystem::path& own)
{
    const SmallFile file = readSmallFile(older, kMaxProfileFileSize);
    std::string error;
    return file.status == SmallFileStatus::Read && writeFileAtomically(own, file.content, error);
}

} // namespace

std::unique_ptr<Session> startUp(std::string_view commandLine, const StartUpEnvironment& environment, MessageSink& sink)
{
    return startUp(readStartUpSwitches(commandLine), environment, sink);
}

std::unique_ptr<Session> startUp(
    const StartUpSwitches& switches, const StartUpEnvironment& environment, MessageSink& sink)
{
    auto session = std::make_unique<Session>(environment, sink);
    Session& s = *session;

    // Locale values and LocalizedMode.
    s.locale = computeLocaleValues(environment.userDefaultLcid, environment.userDefaultLanguage, switches, sink);

    // The string database: English texts with the localization file over them.
    s.reloadTexts();

    // Tessel's folders, then (after the grid and the lists exist) the
    // amplifier check.
    getTesselDirectory(s.tesselIniPath(), s.tessel, sink, s.texts);
    checkForBoost(s.tesselIniPath(), s.tessel, sink, s.texts);

    // Read_Default_Values with the list indexes and TopMost; an older
    // installation's file first becomes the user's own, whole.
    const std::filesystem::path older = olderSettingsFile(environment.configDir);
    const bool adopted = older.empty() || adoptOlderSettings(older, s.kestrelIniPath());
    s.settings = readDefaultValues(ProfileFile(adopted ? s.kestrelIniPath() : older), &sink, s.texts);
    applySettings(s.settings, s.inputs);
    s.adoptRunValues(s.inputs);
    return session;
}

bool shutDown(Session& session, MessageSink* sink)
{
    SilentSink silent;
    ProfileFile ini(session.kestrelIniPath());
    return saveDefaultValues(
        ini, settingsFromInputs(session.inputs, session.settings), sink ? *sink : silent, session.texts);
}

} // namespace kestrel
