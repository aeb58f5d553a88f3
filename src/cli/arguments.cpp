#include "cli/arguments.h"

#include "cli/exit_status.h"
#include "core/app/session.h"
#include "core/base/path_text.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrel::cli {

bool isHelpSwitch(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

bool parseInt(const std::string& text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
}

bool isTerminal(const std::ostream& stream)
{
#ifdef _WIN32
    return &stream == &std::cerr && ::_isatty(::_fileno(stderr));
#else
    return &stream == &std::cerr && ::isatty(STDERR_FILENO);
#endif
}

std::optional<CalendarDate> parseDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)), d = std::stoi(text.substr(8, 2));
    if (y < 1)
        return std::nullopt;
    const std::chrono::year_month_day date{
        std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)), std::chrono::day(static_cast<unsigned>(d))};
    if (!date.ok())
        return std::nullopt;
    return CalendarDate{y, m, d};
}

StartUpEnvironment SharedOptions::environment() const
{
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (configDir)
        environment.configDir = pathFromUtf8(*configDir);
    return environment;
}

bool takeSharedOption(
    const std::vector<std::string>& args, std::size_t& i, unsigned accepted, SharedOptions& options, std::string& why)
{
    const std::string& arg = args[i];
    const unsigned option = arg == "--date" ? kDateOption
        : arg == "--lcid"                   ? kLcidOption
        : arg == "--config-dir"             ? kConfigDirOption
                                            : 0u;
    if (!(option & accepted))
        return false;
    why.clear();
    if (i + 1 == args.size()) {
        why = arg + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (option == kDateOption) {
        options.date = parseDate(value);
        options.dateText = value;
        if (!options.date)
            why = "--date needs a date of the years 0001 to 9999 written YYYY-MM-DD, not \"" + value + "\"";
    } else if (option == kLcidOption) {
        int lcid = 0;
        if (parseInt(value, lcid))
            options.lcid = lcid;
        else
            why = "--lcid needs a whole number, not \"" + value + "\"";
    } else {
        options.configDir = value;
    }
    return true;
}

int usage(std::ostream& err, std::string_view command, std::string_view why)
{
    err << "kestrel-cli " << command << ": " << escapeForMessage(why) << "\nRun 'kestrel-cli " << command
        << " --help' for the options.\n";
    return kExitUsage;
}

MessageAnswer StreamSink::show(const Message& message)
{
    err_ << "kestrel-cli " << command_ << ": " << escapeForMessage(replaceAll(message.text, "\r\n", "\n"), "\n")
         << "\n";
    ++count_;
    // Nobody is there to answer: a question takes the answer that changes nothing.
    switch (message.buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

} // namespace kestrel::cli
