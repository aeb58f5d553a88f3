#pragma once
// One run of Kestrel: the start-up every front end goes through, the
// program-wide state it computes, and the shut-down that saves the
// defaults. The window and the command line both start here, so they read
// the same settings, texts and Tessel installation the same way.
#include "core/app/kestrel_settings.h"
#include "core/app/procedure_inputs.h"
#include "core/app/tessel_installation.h"
#include "core/base/local_date.h"
#include "core/base/locale_info.h"
#include "core/base/locale_values.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_save.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kestrel {

class MessageSink;

// What start-up learns from the machine rather than from the command line.
struct StartUpEnvironment {
    int userDefaultLcid = 1033;     // the user's default locale
    int userDefaultLanguage = 1033; // the user's default language: names the localization file
    // Holds Kestrel.INI and tessel.ini, and is searched first for the
    // localization file, which is also saved there.
    std::filesystem::path configDir;
    // Searched second for the localization file; may be empty.
    std::filesystem::path programDir;

    // The running process's: the user's locale and language as the platform
    // tells them (on POSIX systems LC_ALL / LC_NUMERIC / LANG, LC_MESSAGES
    // for the language), configDirectory(), programDirectory().
    static StartUpEnvironment current();
};

class Session {
public:
    Session(StartUpEnvironment environment, MessageSink& sink);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const StartUpEnvironment& environment() const { return environment_; }
    MessageSink& sink() const { return sink_; }

    std::filesystem::path kestrelIniPath() const;
    std::filesystem::path tesselIniPath() const;
    // Where the localization file of the user's language is looked for,
    // in order, and where the editor saves it.
    std::vector<std::filesystem::path> localizationCandidates() const;
    std::filesystem::path localizationSavePath() const;
    // Both, for the editor's save and the clear command.
    LocalizationFiles localizationFiles() const { return {localizationSavePath(), localizationCandidates()}; }

    // Populate_Local_Recordset again (after a save, a clear, or when local
    // texts are chosen again).
    void reloadTexts();

    // The DATE value of a procedure created today: the medium date of the
    // user's own locale (not the /lcid override).
    std::string headerDateToday() const;
    std::string headerDate(const CalendarDate& date) const;

    // Inputs read from a file or built from a sample, given the values of
    // this run that no file carries: the locale's decimal separator and the
    // amplifier accessories of the Tessel installation.
    void adoptRunValues(ProcedureInputs& inputs) const;

    // Program-wide values, set by start-up.
    LocaleValues locale;
    LocalTextStore texts;
    TesselInstallation tessel;
    // The defaults as restored, and the values the window alone holds
    // (always-on-top, the mechanical page); shutDown saves them with what
    // the inputs hold by then.
    KestrelSettings settings;
    // The document: everything Create reads, restored defaults applied.
    ProcedureInputs inputs;

private:
    StartUpEnvironment environment_;
    MessageSink& sink_;
};

// Start-up in its order: the locale values from the environment and the
// switches (a locale override and the localization menus), the text store with the
// localization file laid over the English texts, Tessel's folders (a
// missing or bad tessel.ini is reported once and leaves them empty), the
// amplifier check, then the defaults restored from Kestrel.INI into
// `settings` and `inputs` (with the program-wide values the generators
// read). Every message goes to `sink`.
std::unique_ptr<Session> startUp(
    const StartUpSwitches& switches, const StartUpEnvironment& environment, MessageSink& sink);
// The same with the switches read from the program's command line
// ("/lcid=N", "-l"; see readStartUpSwitches).
std::unique_ptr<Session> startUp(
    std::string_view commandLine, const StartUpEnvironment& environment, MessageSink& sink);

// Save_Default_Values with what the session holds now. Returns false when
// Kestrel.INI could not be written (every old value then stays), so that the
// window can say so before it closes. The sink, when given, is told that
// failure and each value saved as its default instead (see
// saveDefaultValues); without one nothing is shown.
bool shutDown(Session& session, MessageSink* sink = nullptr);

} // namespace kestrel
