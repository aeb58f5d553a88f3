#include "cli/arguments.h"

#include "cli/command.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <charconv>
#include <ostream>
#include <system_error>

namespace kestrel::cli {

bool parseInt(const std::string& text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size();
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
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

} // namespace kestrel::cli
