#include "cli/arguments.h"

#include "cli/command.h"

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
    err << "kestrel-cli " << command << ": " << why << "\nRun 'kestrel-cli " << command
        << " --help' for the options.\n";
    return kExitUsage;
}

MessageAnswer StreamSink::show(const Message& message)
{
    std::string lines;
    const std::string& text = message.text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        lines += text[i];
    }
    err_ << "kestrel-cli " << command_ << ": " << lines << "\n";
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
