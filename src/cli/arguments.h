#pragma once
// What every subcommand does alike with its arguments.
#include "core/base/local_date.h"
#include "core/base/message_sink.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {
struct StartUpEnvironment;
}

namespace kestrel::cli {

// "--help" and "-h", and "/?" as Windows users ask a program for help.
bool isHelpSwitch(std::string_view arg);

// The defaults the commands' help names, as each platform has them: where
// the user's locale and language come from, and the settings folder.
#ifdef _WIN32
inline constexpr const char* kHelpLocaleDefault = "the user's format in Windows' region settings";
inline constexpr const char* kHelpLanguageDefault = "the user's Windows display language";
inline constexpr const char* kHelpConfigDirDefault = "KESTREL_CONFIG_DIR, else %APPDATA%\\Kestrel";
#else
inline constexpr const char* kHelpLocaleDefault = "the user's locale from LC_ALL, LC_NUMERIC, LANG";
inline constexpr const char* kHelpLanguageDefault = "the user's language from LC_ALL, LC_MESSAGES, LANG";
inline constexpr const char* kHelpConfigDirDefault = "KESTREL_CONFIG_DIR, else ~/.config/kestrel";
#endif

// True when the whole text is one decimal integer that fits an int.
bool parseInt(const std::string& text, int& value);

// A date of the years 1 to 9999 written YYYY-MM-DD, digits only.
std::optional<CalendarDate> parseDate(const std::string& text);

// The options several commands take alike, each with one meaning and one
// message for a value refused.
struct SharedOptions {
    std::optional<CalendarDate> date;     // --date YYYY-MM-DD
    std::string dateText;                 // the date as typed
    std::optional<int> lcid;              // --lcid N
    std::optional<std::string> configDir; // --config-dir DIR, UTF-8 as typed

    // The program's start-up environment, with --config-dir as its
    // settings folder when it was given.
    StartUpEnvironment environment() const;
};

// Which of the shared options a command takes.
enum SharedOption : unsigned { kDateOption = 1u, kLcidOption = 2u, kConfigDirOption = 4u };

// When args[i] is one of the shared options a command takes (`accepted`),
// reads it and its value into options, leaves i at the value and returns
// true; why then says what is wrong with the value, or is "". False for
// every other argument.
bool takeSharedOption(
    const std::vector<std::string>& args, std::size_t& i, unsigned accepted, SharedOptions& options, std::string& why);

// Whether the stream is the process's standard error and that is a
// terminal, where a progress line can be redrawn in place.
bool isTerminal(const std::ostream& stream);

// Refuses the arguments of a command: "kestrel-cli COMMAND: WHY" and where
// to find its options, on err; the arguments WHY quotes are shown with their
// control characters escaped. Returns the usage status, 2.
int usage(std::ostream& err, std::string_view command, std::string_view why);

// The program's message boxes on standard error, one line group each,
// "kestrel-cli COMMAND: " first; CR LF inside a message becomes a plain line
// end, and every other control character is shown escaped. Questions are answered with Cancel: nothing is asked on a
// command line.
class StreamSink : public MessageSink {
public:
    StreamSink(std::ostream& err, std::string_view command) : err_(err), command_(command) { }
    MessageAnswer show(const Message& message) override;
    int count() const { return count_; }

private:
    std::ostream& err_;
    std::string command_;
    int count_ = 0;
};

} // namespace kestrel::cli
