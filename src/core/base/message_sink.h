#pragma once
// Where the core's message boxes go. The window shows dialogs, the command
// line prints to standard error, tests record them. Texts arrive complete,
// exactly as the user is to read them.
#include <string>

namespace kestrel {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message with an OK button only.
    virtual void inform(const std::string& text) = 0;
    // A question with OK and Cancel; true means OK.
    virtual bool ask(const std::string& text, const std::string& title) = 0;
};

// Swallows messages and answers every question with OK.
class SilentSink : public MessageSink {
public:
    void inform(const std::string&) override {}
    bool ask(const std::string&, const std::string&) override { return true; }
};

} // namespace kestrel
